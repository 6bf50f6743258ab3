#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Platform {

// The hierarchical key/value store behind the Reg* functions (Registry.h).
//
// Each root lives in one text file in the registry folder, named after the root
// ("HKEY_CLASSES_ROOT.reg", "HKEY_CURRENT_USER.reg"):
//
//     ; comment lines start with ';'
//     [Jukebox.File\shell\open\command]
//     @=1:"\"/usr/bin/jukebox\" \"%1\""
//     "Volume"=4:0x000000c8
//     "Paths"=7:"one\0two\0"
//
// A section names a key by its path below the root ('\' separates levels). Each
// value line is its name ('@' for the default value, else a quoted name), '=',
// the value type as a number (1 text, 2 expandable text, 4 32-bit number,
// 7 multi-text, anything else raw bytes), ':' and the data. Text data is quoted
// without its terminating zero byte; inside quotes \\ \" \n \r \t \0 and \xHH
// escape bytes. Type 4 is written as a hexadecimal number. Keys and value names
// compare without regard to letter case, as the desktop registry does.
//
// Writers hold an exclusive lock on "<root>.lock" while they read, change and
// replace the file; the new content goes to a temporary file that is flushed to
// disk and renamed over the old one, so readers and a crash never see half a file.
// The new file keeps the old one's mode; a file without write permission for
// its owner is read-only and not written. Temporary files a killed writer left
// behind are removed by the next writer.
//
// Limits, since the files are read by every program (also as root): a file is
// at most kRegistryFileLimit bytes; a key path has at most kRegistryKeyDepth
// levels and kRegistryKeyPathLimit bytes (a longer section names no key, and
// creating such a key raises). The folder and the files are used only when
// they belong to the user running the program and others cannot write them,
// and only regular files are read.
enum class RegistryRoot
{
    ClassesRoot,
    CurrentUser
};

inline constexpr std::size_t kRegistryFileLimit = 1u << 20;
inline constexpr std::size_t kRegistryKeyDepth = 32;
inline constexpr std::size_t kRegistryKeyPathLimit = 1024;

struct RegistryValue
{
    std::uint32_t type = 0;
    std::string data; // the bytes a query returns (texts include their final zero)
};

class RegistryHive
{
public:
    // Reads the text of a root's file; damaged lines and sections beyond the
    // limits are skipped. Never raises for any input but lack of memory.
    static RegistryHive parse(const std::string& text);
    std::string serialize(RegistryRoot root) const;

    bool keyExists(const std::string& path) const;
    const RegistryValue* findValue(const std::string& path, const std::string& name) const;
    // The names of a key's direct sub-keys and values, in the order they were added.
    std::vector<std::string> subKeys(const std::string& path) const;
    std::vector<std::string> valueNames(const std::string& path) const;

    // Creates the key and every missing ancestor; raises RuntimeError for a
    // path beyond the limits.
    void createKey(const std::string& path);
    void setValue(const std::string& path, const std::string& name, RegistryValue value);
    void setString(const std::string& path, const std::string& name, const std::string& text);
    void setDword(const std::string& path, const std::string& name, std::uint32_t number);
    // Removes the key with everything below it; false when it did not exist.
    bool deleteTree(const std::string& path);
    bool deleteValue(const std::string& path, const std::string& name);
    // Lays another hive over this one: its keys are added and its values
    // replace those of the same name; keys and values only this one has stay.
    void overlay(const RegistryHive& top);

private:
    struct Key
    {
        std::string path; // as first written
        std::vector<std::pair<std::string, RegistryValue>> values;
        std::map<std::string, std::size_t> index; // folded value name -> position in values
    };
    bool tryCreateKey(const std::string& normalized);
    Key* find(const std::string& path);
    const Key* find(const std::string& path) const;
    std::map<std::string, Key> m_keys; // by folded path; std::map keeps parents first
    std::vector<std::string> m_order;  // folded paths in insertion order
};

// The folder holding the store's files, decided in this one place:
// $LEGATO_REGISTRY_DIR when set; else, when the running program sits in a build
// tree (registry/.legato-build-tree exists in the folder above the program's
// folder), that build tree's registry/; else $XDG_DATA_HOME/legato/registry
// (~/.local/share/legato/registry when XDG_DATA_HOME is unset, the home folder
// taken from the user database when HOME is unset). "" when no folder is
// known: there is no shared fallback.
std::string RegistryFolder();
std::string RegistryFile(RegistryRoot root);
// The read-only machine-wide layer beneath the user's folder, which an
// installed package fills with its components and file associations:
// $LEGATO_SYSTEM_REGISTRY_DIR when set ("" turns the layer off); else none
// when the user's folder was chosen by LEGATO_REGISTRY_DIR or is a build
// tree's (so tests and programs in a build tree never see an installed copy);
// else the folder the build configured (DATADIR/legato/registry). Its folder
// and files must belong to root or to the user running the program and be
// closed to writes by anybody else. Nothing here ever writes it.
std::string SystemRegistryFolder();
const char* RegistryRootName(RegistryRoot root);
std::optional<RegistryRoot> RegistryRootFromName(const std::string& name);

// The current content of a root: the system layer's file with the user's file
// laid over it (RegistryHive::overlay); empty when neither exists. Throws
// Platform::RuntimeError, saying why, when a file exists but cannot be read or
// is not to be trusted (see the limits above).
RegistryHive LoadRegistry(RegistryRoot root);
// The same without a copy: the parsed file is kept and parsed again only when
// the file has been replaced or changed since (another process's write is seen
// at once, since every write replaces the file).
std::shared_ptr<const RegistryHive> CurrentRegistry(RegistryRoot root);

// Applies a change to the user's file of a root (never to the system layer)
// under the root's writer lock and replaces the file atomically. Throws Platform::RuntimeError when the
// folder or file cannot be written; the old file is then left as it was.
void UpdateRegistry(RegistryRoot root, const std::function<void(RegistryHive&)>& change);

} // namespace Platform
