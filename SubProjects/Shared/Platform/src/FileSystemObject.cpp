#include "Platform/FileSystemObject.h"

#include "Platform/RuntimeError.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

// The path without trailing separators, except that the root stays "/".
std::string_view stripTrailingSeparators(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

std::string_view lastComponent(std::string_view path)
{
    path = stripTrailingSeparators(path);
    if (path == "/")
        return {};
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

bool FileSystemObject::FileExists(const std::string& name) const
{
    return FindFile(name).has_value();
}

std::optional<FileInfo> FileSystemObject::FindFile(const std::string& name) const
{
    struct stat st
    {
    };
    if (name.empty() || ::stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileInfo{name, static_cast<std::int64_t>(st.st_size)};
}

FileKind FileSystemObject::GetFileKind(const std::string& name, int* error) const
{
    struct stat st
    {
    };
    if (name.empty())
        return FileKind::Missing;
    if (::stat(name.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return FileKind::Missing;
        if (error)
            *error = errno;
        return FileKind::Unreachable;
    }
    return S_ISREG(st.st_mode) ? FileKind::Regular : FileKind::Other;
}

FileInfo FileSystemObject::GetFile(const std::string& name) const
{
    struct stat st
    {
    };
    if (name.empty())
        throw RuntimeError::fromErrno(ENOENT, "GetFile");
    if (::stat(name.c_str(), &st) != 0)
        throw RuntimeError::fromErrno(errno, "GetFile");
    if (S_ISDIR(st.st_mode))
        throw RuntimeError::fromErrno(ENOENT, "GetFile");
    return FileInfo{name, static_cast<std::int64_t>(st.st_size)};
}

std::string FileSystemObject::GetBaseName(std::string_view path)
{
    const std::string_view last = lastComponent(path);
    const auto dot = last.rfind('.');
    return std::string(dot == std::string_view::npos ? last : last.substr(0, dot));
}

std::string FileSystemObject::GetExtensionName(std::string_view path)
{
    const std::string_view last = lastComponent(path);
    const auto dot = last.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(last.substr(dot + 1));
}

std::string FileSystemObject::GetParentFolderName(std::string_view path)
{
    path = stripTrailingSeparators(path);
    if (path == "/")
        return {};
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    std::string_view parent = path.substr(0, slash);
    while (parent.size() > 1 && parent.back() == '/')
        parent.remove_suffix(1);
    return parent.empty() ? std::string("/") : std::string(parent);
}

std::string HomeFolder()
{
    if (const char* env = std::getenv("HOME"); env && *env == '/')
        return env;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir &&
        *found->pw_dir == '/')
        return found->pw_dir;
    return {};
}

} // namespace Platform
