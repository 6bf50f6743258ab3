#pragma once

#include <QString>

// s preceded by as many "0" as it takes to reach n characters; s unchanged when
// it is already n characters or longer.
QString ZeroPad(const QString& s, int n);
