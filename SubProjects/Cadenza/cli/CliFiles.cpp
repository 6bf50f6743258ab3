#include "CliFiles.h"

#include "Quaver/TagError.h"

#include "Platform/FileSystemObject.h"
#include "Platform/RuntimeError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CliFiles {

bool RefuseFile(const std::string& file, const char* source, Quaver::TagError& error)
{
    int reason = 0;
    switch (Platform::FileSystemObject().GetFileKind(file, &reason)) {
    case Platform::FileKind::Regular:
    case Platform::FileKind::Missing:
        return false;
    case Platform::FileKind::Other:
        error.Clear();
        error.setMode(Quaver::Exclamation);
        error.setSource(source);
        error.setDescription("Not a regular file.");
        return true;
    case Platform::FileKind::Unreachable:
        break;
    }
    const Platform::RuntimeError refused = Platform::RuntimeError::fromErrno(reason, source);
    error.CopyError(&refused);
    return true;
}

std::optional<std::string> FolderProblem(const std::string& dir, const char* notAFolder)
{
    struct stat info
    {
    };
    if (::stat(dir.c_str(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return std::string(std::strerror(errno));
        return std::string(notAFolder);
    }
    if (!S_ISDIR(info.st_mode))
        return std::string(notAFolder);
    // The walk lists the folder and then opens what it lists: it needs both.
    if (::faccessat(AT_FDCWD, dir.c_str(), R_OK | X_OK, AT_EACCESS) != 0)
        return std::string(std::strerror(errno));
    return std::nullopt;
}

} // namespace CliFiles
