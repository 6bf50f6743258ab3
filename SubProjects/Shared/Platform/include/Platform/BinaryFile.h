#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace Platform {

// Binary access to one file for the length of one operation: the descriptor is
// opened by the constructor and closed by the destructor (or Close), so no file
// stays open between operations, also when an error interrupts one. Offsets
// and sizes are 64-bit. Every failure raises RuntimeError::fromErrno with the
// given source.
class BinaryFile
{
public:
    enum class Access
    {
        Read,            // existing file, reading only
        ReadNoWait,      // as Read, but opening never waits (on a pipe without writer, say)
        ReadWrite,       // existing file, reading and writing; the content stays
        ReadWriteNoWait, // as ReadWrite, but opening never waits
        Create,          // writing; created when missing, the content stays
    };

    BinaryFile(const std::string& name, Access access, const std::string& source = "Platform");
    // The same, but failing to open is not an error: errorNumber says why
    // and the object holds no file (IsOpen is false).
    BinaryFile(const std::string& name, Access access, const std::string& source, int& errorNumber);
    // Takes over a descriptor opened elsewhere; it is closed with the object.
    BinaryFile(int descriptor, const std::string& source) : m_fd(descriptor), m_source(source) {}
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // The current size of the open file.
    std::int64_t Size() const;

    // Reads up to count bytes at offset; returns how many were read (fewer only
    // at the end of the file).
    std::size_t ReadAt(std::int64_t offset, void* buffer, std::size_t count) const;

    // Writes all count bytes at offset; the file grows when needed.
    void WriteAt(std::int64_t offset, const void* buffer, std::size_t count);

    // Writes a block that must land whole or not at all (a tag trailer) as one
    // write call. Before a byte is written, the room the block needs beyond
    // the end of the file is made sure of (the process's file-size limit, and
    // the disk blocks are reserved). The write runs in a helper process that
    // blocks all signals, so neither SIGXFSZ nor a kill of this process can
    // cut it short; a failed or short write is undone (old bytes put back, the
    // file cut to its old size) before the error is raised. So an error or a
    // killed process leaves the file as it was, or with the whole block.
    void WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count);
    // The same for a caller that has just asked Size(): size is what it said,
    // which saves asking again.
    void WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count, std::int64_t size);

    // What a caller that has just looked at the open file knows of it, so a
    // block write need not ask again (each question is a system call, which
    // counts when thousands of files are written in a row).
    struct Known
    {
        std::int64_t Size = 0;      // the file's size
        std::int64_t Allocated = 0; // how far its disk blocks reach (0 when unknown)
        // The bytes the block replaces (those between offset and Size), or
        // null when the caller does not hold them.
        const void* Replaced = nullptr;
        // The process's file-size limit, as FileSizeLimit() said it.
        std::optional<std::uint64_t> SizeLimit;
    };
    void WriteBlockAt(std::int64_t offset, const void* buffer, std::size_t count, const Known& known);

    // Closes now and reports a failed close (a delayed write error) as an error.
    void Close();

    int Descriptor() const { return m_fd; }
    bool IsOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
    std::string m_source;
};

// The process's limit on the size of a file it writes (RLIMIT_FSIZE), or
// nothing when there is none. A program that writes many files asks once and
// passes it to WriteBlockAt.
std::optional<std::uint64_t> FileSizeLimit();

// Deletes a file; raises RuntimeError when that fails (missing, denied, folder).
void DeleteFile(const std::string& name, const std::string& source = "Platform");

} // namespace Platform
