#include "Platform/RuntimeError.h"

#include <cerrno>
#include <cstring>

namespace Platform {

RuntimeError::RuntimeError(std::int32_t number, std::string source, std::string description)
    : std::runtime_error(description), m_number(number), m_source(std::move(source)),
      m_description(std::move(description))
{
}

RuntimeError RuntimeError::fromErrno(int err, const std::string& source)
{
    std::int32_t number = ErrPathFileAccess;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        number = ErrFileNotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        number = ErrPermissionDenied;
        break;
    default:
        break;
    }
    return RuntimeError(number, source, std::strerror(err));
}

RuntimeError RuntimeError::overflow(const std::string& source)
{
    return RuntimeError(ErrOverflow, source, "Overflow");
}

RuntimeError RuntimeError::notImplemented(const std::string& source)
{
    return RuntimeError(ErrNotImplemented, source, "Not implemented");
}

} // namespace Platform
