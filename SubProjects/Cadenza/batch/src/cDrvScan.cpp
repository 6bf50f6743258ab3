#include "cDrvScan.h"

#include "Platform/FileNameCodec.h"

#include <QCoreApplication>
#include <algorithm>
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
    // Every folder name gets the separator, a one-letter one ("m", ".") too:
    // the walk appends entry names and "*.*" to the path as it stands.
    m_Path = path;
    if (!m_Path.isEmpty() && !m_Path.endsWith(QLatin1Char('/')))
        m_Path += QLatin1Char('/');
}

void cDrvScan::SearchFiles()
{
    m_cancel = false;
    m_visited.clear();
    m_lastEvents = std::chrono::steady_clock::time_point::min();
    m_steps = 0;
    scanDirectory(Platform::EncodeFileName(m_Path));
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
    const QString shownDir = Platform::DecodeFileName(dir);
    emit Progress(tr("Searching %1").arg(shownDir));
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
            if (m_UseFileSpec && Platform::MatchesWildcard(name, m_fileSpecBytes))
                matches.push_back(name);
        } while (Platform::FindNextFile(find, m_findData));
        Platform::FindClose(find);
    }

    for (const auto& name : matches) {
        if (!reportFile(shownDir, name))
            break;
    }

    for (const auto& name : subdirectories)
        scanDirectory(dir + name + '/');
}

// Raises FileFound unless the scan was cancelled; false once it was.
bool cDrvScan::reportFile(const QString& shownDir, const std::string& name)
{
    // A pattern such as "*" also matches the folder's own "." and ".." entries,
    // which are not entries of the folder a caller could process.
    if (name == "." || name == "..")
        return true;
    processPendingEvents();
    if (m_cancel)
        return false;
    // dir ends in "/", so decoding the parts apart gives the same text. Most
    // names are plain ASCII and are appended without a temporary string.
    QString fileName;
    fileName.reserve(shownDir.size() + static_cast<qsizetype>(name.size()));
    fileName += shownDir;
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        fileName += QLatin1StringView(name.data(), static_cast<qsizetype>(name.size()));
    else
        fileName += Platform::DecodeFileName(name);
    emit FileFound(fileName);
    return true;
}
