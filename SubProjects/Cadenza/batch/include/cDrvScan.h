#pragma once

#include "Platform/FileFind.h"

#include <QObject>
#include <chrono>
#include <set>
#include <string>
#include <utility>

// Walks a directory tree depth-first (pre-order) and reports each directory it
// enters (Progress, before reading it) and each entry matching FileSpec
// (FileFound: the entries of a directory are reported before its
// subdirectories are visited). Directories whose names begin with "." are not
// entered. FileSpec is a pattern for the names of a directory's entries, files
// and directories alike, matched by the platform's wildcard rules (letter case
// ignored); "." and ".." are never reported, and a FileSpec holding "/" matches
// nothing (a name never holds one).
//
// Between steps pending Qt events are processed, so a window stays responsive
// and a Cancel from a button is seen; without a QCoreApplication the scan runs
// just the same. Event processing costs more than reading a directory entry, so
// it happens at the first step and then at most once per EventInterval; the
// cancel flag itself is tested at every step.
//
// Symbolic links to directories are followed, but no directory is entered twice
// in one scan (same device and inode), so a link to a directory above it cannot
// make the scan run forever. A directory that cannot be read gets its Progress
// event and nothing else.
//
// Paths, the pattern and the events carry names as the bytes the file system
// holds (any encoding); whoever shows one to the user decodes it.
class cDrvScan : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds EventInterval{5};

    explicit cDrvScan(QObject* parent = nullptr);

    const std::string& FileSpec() const { return m_FileSpec; }
    // Stored without leading and trailing blanks.
    void setFileSpec(const std::string& fileSpec);

    bool UseFileSpec() const { return m_UseFileSpec; }
    void setUseFileSpec(bool use) { m_UseFileSpec = use; }

    const std::string& Path() const { return m_Path; }
    // A path gets a trailing "/" when it lacks one, whatever its length ("m",
    // "." and ".." are folders like any other). An empty path scans the current
    // directory.
    void setPath(const std::string& path);

    // Runs the scan from Path; returns when the tree is done or it was cancelled.
    void SearchFiles();

    // True asks a running scan to stop: no directory is read and no FileFound
    // raised any more; subdirectories still waiting above get their Progress.
    void setCancel(bool cancel) { m_cancel = cancel; }

signals:
    // "Searching " followed by the directory (ending in "/").
    void Progress(const std::string& Progress);
    // The directory (ending in "/") followed by the entry's name.
    void FileFound(const std::string& FileName);

private:
    void scanDirectory(const std::string& dir);
    bool reportFile(const std::string& dir, const std::string& name);
    bool enterOnce(const std::string& dir);
    void processPendingEvents();

    std::string m_FileSpec;
    bool m_UseFileSpec = false;
    std::string m_Path;
    bool m_cancel = false;
    std::set<std::pair<std::uint64_t, std::uint64_t>> m_visited;
    Platform::FindData m_findData;
    std::chrono::steady_clock::time_point m_lastEvents;
    unsigned m_steps = 0;
};
