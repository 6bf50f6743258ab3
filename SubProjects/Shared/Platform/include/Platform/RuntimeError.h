#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace Platform {

// Classic run-time error numbers; callers and stored records compare against them.
enum ErrorNumber : std::int32_t
{
    ErrOverflow = 6,
    ErrFileNotFound = 53,
    ErrPermissionDenied = 70,
    ErrPathFileAccess = 75,
    ErrNotImplemented = static_cast<std::int32_t>(0x80004001u),
};

// A run-time error: the number, source and description that an error record
// copies from it. Thrown where an operation fails unexpectedly; the caller
// decides whether to catch it.
class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(std::int32_t number, std::string source, std::string description);

    std::int32_t Number() const { return m_number; }
    const std::string& Source() const { return m_source; }
    const std::string& Description() const { return m_description; }

    // An error for a failed system call: errno is mapped to the classic number
    // (missing file 53, permission 70, anything else 75) and described by the
    // operating system's own message.
    static RuntimeError fromErrno(int err, const std::string& source);
    static RuntimeError overflow(const std::string& source);
    static RuntimeError notImplemented(const std::string& source);

private:
    std::int32_t m_number;
    std::string m_source;
    std::string m_description;
};

} // namespace Platform
