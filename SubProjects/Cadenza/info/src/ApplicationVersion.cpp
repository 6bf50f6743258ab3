#include "ApplicationVersion.h"

Platform::VersionInfo ApplicationVersion()
{
    // This code is linked into the program itself, so its own address names the
    // program file.
    return Platform::ModuleVersionInfo(reinterpret_cast<const void*>(&ApplicationVersion))
        .value_or(Platform::VersionInfo{});
}

QString VersionText(const Platform::VersionInfo& info)
{
    return QStringLiteral("%1.%2.%3").arg(info.major).arg(info.minor).arg(info.revision);
}
