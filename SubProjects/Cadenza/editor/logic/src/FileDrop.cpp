#include "FileDrop.h"

#include "cDrvScan.h"

#include "Platform/FileNameCodec.h"
#include "Platform/FileSystemObject.h"
#include <QByteArray>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <set>

namespace {

const QString UriListFormat = QStringLiteral("text/uri-list");

// The raw path bytes of a file URI ("file:///a/%FF.mp3", "file://localhost/a",
// "file:/a"), or nothing for any other URI. Percent escapes are decoded to
// bytes here rather than through QUrl, which would turn bytes that are not
// UTF-8 into replacement characters.
std::optional<std::string> localPath(const QByteArray& uri)
{
    if (!uri.startsWith("file:"))
        return std::nullopt;
    QByteArray rest = uri.mid(5);
    if (rest.startsWith("//")) {
        rest = rest.mid(2);
        const qsizetype slash = rest.indexOf('/');
        if (slash < 0)
            return std::nullopt;
        const QByteArray host = rest.left(slash);
        if (!host.isEmpty() && host != "localhost")
            return std::nullopt;
        rest = rest.mid(slash);
    }
    if (!rest.startsWith('/'))
        return std::nullopt;
    return QByteArray::fromPercentEncoding(rest).toStdString();
}

} // namespace

std::optional<std::vector<std::string>> DroppedFiles(const QMimeData& data)
{
    if (!data.hasFormat(UriListFormat))
        return std::nullopt;
    std::vector<std::string> files;
    const QByteArray list = data.data(UriListFormat);
    if (!list.isEmpty()) {
        for (QByteArray line : list.split('\n')) {
            // Some programs end the list with a NUL byte.
            while (line.endsWith('\0'))
                line.chop(1);
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            if (auto path = localPath(line))
                files.push_back(*path);
        }
        return files;
    }
    // Data built inside a Qt program may keep its URLs without the raw list.
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files.push_back(Platform::EncodeFileName(url.toLocalFile()));
    return files;
}

bool IsMp3Name(const std::string& path)
{
    const std::string ext = Platform::FileSystemObject::GetExtensionName(path);
    return ext.size() == 3 && (ext[0] == 'm' || ext[0] == 'M') && (ext[1] == 'p' || ext[1] == 'P') &&
           ext[2] == '3';
}

std::vector<std::string> FilesToAdd(const std::vector<std::string>& listed,
                                    const std::vector<std::string>& offered)
{
    std::set<std::string> known(listed.begin(), listed.end());
    std::vector<std::string> added;
    for (const std::string& path : offered) {
        std::error_code ec;
        if (IsMp3Name(path) && !std::filesystem::is_directory(path, ec) && known.insert(path).second)
            added.push_back(path);
    }
    return added;
}

std::vector<std::string> Mp3FilesBelow(const std::string& folder)
{
    std::vector<std::string> found;
    cDrvScan scan;
    scan.setFileSpec("*.mp3");
    scan.setUseFileSpec(true);
    scan.setPath(folder);
    QObject::connect(&scan, &cDrvScan::FileFound, [&](const std::string& name) { found.push_back(name); });
    scan.SearchFiles();
    return FilesToAdd({}, found);
}
