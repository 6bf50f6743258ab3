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
    scanDirectory(Platform::EncodeFileName(m_Path));
    m_visited.clear();
}

void cDrvScan::processPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
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

    std::vector<std::string> subdirectories;
    Platform::FindHandle find = Platform::FindFirstFile(dir + "*.*", m_findData);
    if (find.valid()) {
        do {
            const bool isDirectory = m_findData.dwFileAttributes & Platform::FileAttributeDirectory;
            if (isDirectory && !m_findData.cFileName.empty() && m_findData.cFileName.front() != '.')
                subdirectories.push_back(m_findData.cFileName);
        } while (Platform::FindNextFile(find, m_findData));
        Platform::FindClose(find);
    }

    if (m_UseFileSpec)
        scanFiles(dir, shownDir);

    for (const auto& name : subdirectories)
        scanDirectory(dir + name + '/');
}

void cDrvScan::scanFiles(const std::string& dir, const QString& shownDir)
{
    Platform::FindHandle find = Platform::FindFirstFile(dir + m_fileSpecBytes, m_findData);
    if (!find.valid())
        return;
    do {
        processPendingEvents();
        if (m_cancel) {
            Platform::FindClose(find);
            return;
        }
        // dir ends in "/", so decoding the parts apart gives the same text.
        emit FileFound(shownDir + Platform::DecodeFileName(m_findData.cFileName));
    } while (Platform::FindNextFile(find, m_findData));
    Platform::FindClose(find);
}
