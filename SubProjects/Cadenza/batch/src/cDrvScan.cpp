#include "cDrvScan.h"

#include "Platform/FileNameCodec.h"

#include <QCoreApplication>
#include <vector>

namespace {

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

cDrvScan::cDrvScan(QObject* parent) : QObject(parent) {}

void cDrvScan::setFileSpec(const QString& fileSpec)
{
    m_FileSpec = trimBlanks(fileSpec);
    m_fileSpecBytes = Platform::EncodeFileName(m_FileSpec);
}

void cDrvScan::setPath(const QString& path)
{
    m_Path = path;
    if (m_Path.size() > 1 && !m_Path.endsWith(QLatin1Char('/')))
        m_Path += QLatin1Char('/');
}

void cDrvScan::SearchFiles()
{
    m_cancel = false;
    m_visited.clear();
    m_lastEvents = std::chrono::steady_clock::time_point::min();
    scanDirectory(Platform::EncodeFileName(m_Path));
    m_visited.clear();
}

void cDrvScan::processPendingEvents()
{
    if (!QCoreApplication::instance())
        return;
    const auto now = std::chrono::steady_clock::now();
    if (m_lastEvents != std::chrono::steady_clock::time_point::min() && now - m_lastEvents < EventInterval)
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
    const QString shownDir = Platform::DecodeFileName(dir);
    emit Progress(QStringLiteral("Searching ") + shownDir);
    processPendingEvents();
    if (m_cancel)
        return;

    // One pass over the directory yields both its subdirectories and, for a
    // plain name pattern, its matches; reading it twice would halve the speed.
    const bool matchWhileListing = m_UseFileSpec && m_fileSpecBytes.find('/') == std::string::npos;
    std::vector<std::string> subdirectories;
    std::vector<std::string> matches;
    Platform::FindHandle find = Platform::FindFirstFile(dir + "*.*", m_findData);
    if (find.valid()) {
        do {
            const std::string& name = m_findData.cFileName;
            const bool isDirectory = m_findData.dwFileAttributes & Platform::FileAttributeDirectory;
            if (isDirectory && !name.empty() && name.front() != '.')
                subdirectories.push_back(name);
            if (matchWhileListing && Platform::MatchesWildcard(name, m_fileSpecBytes))
                matches.push_back(name);
        } while (Platform::FindNextFile(find, m_findData));
        Platform::FindClose(find);
    }

    if (matchWhileListing) {
        for (const auto& name : matches) {
            if (!reportFile(shownDir, name))
                break;
        }
    } else if (m_UseFileSpec) {
        scanFiles(dir, shownDir);
    }

    for (const auto& name : subdirectories)
        scanDirectory(dir + name + '/');
}

// A pattern that reaches into another folder is left to the enumerator.
void cDrvScan::scanFiles(const std::string& dir, const QString& shownDir)
{
    Platform::FindHandle find = Platform::FindFirstFile(dir + m_fileSpecBytes, m_findData);
    if (!find.valid())
        return;
    do {
        if (!reportFile(shownDir, m_findData.cFileName))
            break;
    } while (Platform::FindNextFile(find, m_findData));
    Platform::FindClose(find);
}

// Raises FileFound unless the scan was cancelled; false once it was.
bool cDrvScan::reportFile(const QString& shownDir, const std::string& name)
{
    processPendingEvents();
    if (m_cancel)
        return false;
    // dir ends in "/", so decoding the parts apart gives the same text.
    emit FileFound(shownDir + Platform::DecodeFileName(name));
    return true;
}
