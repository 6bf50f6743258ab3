#include "cDrvScan.h"

#include <QCoreApplication>
#include <vector>

namespace {

std::string trimBlanks(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

cDrvScan::cDrvScan(QObject* parent) : QObject(parent) {}

void cDrvScan::setFileSpec(const std::string& fileSpec)
{
    m_FileSpec = trimBlanks(fileSpec);
}

void cDrvScan::setPath(const std::string& path)
{
    // Every folder name gets the separator, a one-letter one ("m", ".") too:
    // the walk appends entry names and "*.*" to the path as it stands.
    m_Path = path;
    if (!m_Path.empty() && m_Path.back() != '/')
        m_Path += '/';
}

void cDrvScan::SearchFiles()
{
    m_cancel = false;
    m_visited.clear();
    m_lastEvents = std::chrono::steady_clock::time_point::min();
    m_steps = 0;
    scanDirectory(m_Path);
    m_visited.clear();
}

void cDrvScan::processPendingEvents()
{
    if (!QCoreApplication::instance())
        return;
    // Reading the clock at every entry showed in the scan's rate: look at it on
    // every 16th step only (and always on the first).
    const bool first = m_lastEvents == std::chrono::steady_clock::time_point::min();
    if (!first && ++m_steps % 16 != 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (!first && now - m_lastEvents < EventInterval)
        return;
    QCoreApplication::processEvents();
    m_lastEvents = std::chrono::steady_clock::now();
}

// False when the directory was already entered in this scan.
bool cDrvScan::enterOnce(const std::string& dir)
{
    const auto id = Platform::GetFileIdentity(dir);
    if (!id)
        return true; // unreadable or gone: the enumeration below reports nothing
    return m_visited.emplace(id->device, id->inode).second;
}

void cDrvScan::scanDirectory(const std::string& dir)
{
    if (!enterOnce(dir))
        return;
    emit Progress("Searching " + dir);
    processPendingEvents();
    if (m_cancel)
        return;

    // One pass over the directory yields both its subdirectories and its
    // matches; reading it twice would halve the speed.
    std::vector<std::string> subdirectories;
    std::vector<std::string> matches;
    Platform::FindHandle find = Platform::FindFirstFile(dir + "*.*", m_findData);
    if (find.valid()) {
        do {
            const std::string& name = m_findData.cFileName;
            const bool isDirectory = m_findData.dwFileAttributes & Platform::FileAttributeDirectory;
            if (isDirectory && !name.empty() && name.front() != '.')
                subdirectories.push_back(name);
            if (m_UseFileSpec && Platform::MatchesWildcard(name, m_FileSpec))
                matches.push_back(name);
        } while (Platform::FindNextFile(find, m_findData));
        Platform::FindClose(find);
    }

    for (const auto& name : matches) {
        if (!reportFile(dir, name))
            break;
    }

    for (const auto& name : subdirectories)
        scanDirectory(dir + name + '/');
}

// Raises FileFound unless the scan was cancelled; false once it was.
bool cDrvScan::reportFile(const std::string& dir, const std::string& name)
{
    // A pattern such as "*" also matches the folder's own "." and ".." entries,
    // which are not entries of the folder a caller could process.
    if (name == "." || name == "..")
        return true;
    processPendingEvents();
    if (m_cancel)
        return false;
    emit FileFound(dir + name);
    return true;
}
