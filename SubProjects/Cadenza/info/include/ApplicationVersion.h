#pragma once

#include "Platform/VersionInfo.h"

#include <QString>

// The running program's own version information (title, file description,
// version numbers, comments, legal copyright), read from the program file's
// version block; an empty record when it has none.
Platform::VersionInfo ApplicationVersion();

// Major, minor and revision joined by ".", each a plain decimal number: "1.0.5".
QString VersionText(const Platform::VersionInfo& info);
