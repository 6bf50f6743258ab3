#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Quaver {
class TagError;
}

// Checks the command line makes before it hands a name to the tag library or
// the folder walk, so that what went wrong is said in its own words.
namespace CliFiles {

// Fills error when file is nothing the library can read or write as a file:
// "Not a regular file." (a folder, FIFO or device; mode Exclamation, like the
// library's "File does not exist.") or the system's reason when it refuses the
// name (a folder on the way that cannot be searched: "Permission denied",
// number 70, mode Critical). source names the operation ("Read Tag"). False,
// and error untouched, when the library may try the file; a missing file is
// left to the library, which says so itself.
bool RefuseFile(const std::string& file, const char* source, Quaver::TagError& error);

// Why dir cannot be walked: notAFolder when it is missing or no folder,
// otherwise the system's reason ("Permission denied") when it cannot be read
// or searched; nothing when it can.
std::optional<std::string> FolderProblem(const std::string& dir, const char* notAFolder);

// The file arguments of a verb that takes files: its operands, and a list of
// further names from "--files-from LIST" ("-" for standard input), one a line,
// or each ended by NUL with "-0" (then a name may hold any byte but NUL).
struct FileArgs
{
    std::vector<std::string> operands;
    std::optional<std::string> filesFrom;
    bool nulSeparated = false;

    // The flag to hand to ReadArgs beside the verb's own.
    static constexpr const char* NulFlag = "-0";

    // Whether name is "--files-from" or "-0".
    static bool IsOption(const std::string& name);
    // Stores one of those; false, with the reason on stderr, when the command
    // line is wrong ("--files-from" twice or empty).
    bool Take(const char* verb, const std::string& name, const std::string& value);
    // False, with the reason on stderr, when the arguments name no file at
    // all or "-0" stands without a list.
    bool Check(const char* verb) const;
};

class FolderWalk;
class NameList;

// The names a verb works through, one at a time and in order: each operand
// (a folder's MP3 files as batch finds them: "*.mp3", letter case ignored,
// hidden folders skipped, links entered once, only what is no folder or pipe;
// anything else as given), then every name of the list. Names of the list are
// taken as they stand, never walked. Memory stays the same however many names
// there are: a folder is walked while its files are taken, the list is read as
// it is used.
class FileNames
{
public:
    // Opens the list. Nothing, with "cadenza-cli VERB: --files-from LIST:
    // reason" on stderr, when it cannot be read: a wrong command line, found
    // before any file is touched.
    static std::unique_ptr<FileNames> Open(const FileArgs& args, const char* verb);
    ~FileNames();
    FileNames(const FileNames&) = delete;
    FileNames& operator=(const FileNames&) = delete;

    // The next name; nothing after the last. A folder operand that cannot be
    // walked, or a list that fails to be read part way, gets an error line on
    // stderr and is passed over (Failed() tells).
    std::optional<std::string> next();

    // Whether the last name next() gave was seen to be a regular file (an
    // operand is looked at to tell a folder); false when it was not looked at.
    bool LastWasRegular() const { return m_lastRegular; }

    // How many names next() gave.
    std::uint64_t Count() const { return m_count; }
    // Whether a folder or the list could not be read.
    bool Failed() const { return m_failed; }

private:
    explicit FileNames(const FileArgs& args);

    std::vector<std::string> m_operands;
    std::size_t m_nextOperand = 0;
    std::unique_ptr<FolderWalk> m_walk;
    std::unique_ptr<NameList> m_list;
    std::uint64_t m_count = 0;
    bool m_failed = false;
    bool m_lastRegular = false;
};

// The exit status of a verb that went through names: status, or ExitFailed
// when a folder or the list could not be read. A run that found no file at
// all says "0 files" on stderr, so an empty list or folder is not mistaken
// for a run that did nothing by mistake.
int Finish(const FileNames& names, int status);

} // namespace CliFiles
