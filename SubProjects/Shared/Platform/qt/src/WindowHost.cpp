#include "Platform/WindowHost.h"

#include "Platform/WindowRecord.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QVariant>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Platform {

namespace {

bool sameUser(QLocalSocket* socket)
{
    ucred peer{};
    socklen_t len = sizeof peer;
    return getsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &len) ==
               0 &&
           peer.uid == getuid();
}

// Holds an exclusive lock on a file for one scope.
class FileLock
{
public:
    explicit FileLock(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0)
            while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FileLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int m_fd;
};

} // namespace

WindowHost::WindowHost(const QString& className, QObject* parent)
    : QObject(parent), m_className(className), m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &WindowHost::onNewConnection);
}

WindowHost::~WindowHost()
{
    m_server->close(); // removes the socket file: the window is gone
}

WindowHost::ListenResult WindowHost::listen()
{
    if (m_server->isListening())
        return ListenResult::Listening;
    const std::string path = WindowSocketPath(m_className.toStdString());
    if (path.empty())
        return ListenResult::Failed;
    FileLock lock(path + ".lock");
    if (FindWindowA(m_className.toUtf8().constData(), nullptr) != 0)
        return ListenResult::Taken;
    QLocalServer::removeServer(QString::fromStdString(path)); // a stale socket of a crashed program
    return m_server->listen(QString::fromStdString(path)) ? ListenResult::Listening : ListenResult::Failed;
}

bool WindowHost::isListening() const
{
    return m_server->isListening();
}

WindowStyle WindowHost::startedWindowStyle(WindowStyle fallback)
{
    const char* value = std::getenv(kWindowStyleVariable);
    if (!value || !*value)
        return fallback;
    switch (std::atoi(value)) {
    case 0:
        return WindowStyle::Hide;
    case 1:
        return WindowStyle::NormalFocus;
    case 2:
        return WindowStyle::MinimizedFocus;
    case 3:
        return WindowStyle::MaximizedFocus;
    case 4:
        return WindowStyle::NormalNoFocus;
    case 6:
        return WindowStyle::MinimizedNoFocus;
    default:
        return fallback;
    }
}

void WindowHost::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!sameUser(socket)) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void WindowHost::onReadyRead(QLocalSocket* socket)
{
    if (socket->property("legatoDone").toBool())
        return;
    WindowRecord record;
    const QByteArray head = socket->peek(sizeof(WindowRecordHeader));
    if (ParseWindowRecord(std::string_view(head.constData(), static_cast<std::size_t>(head.size())),
                          m_payloadLimit, record) == WindowRecordParse::Invalid) {
        socket->abort();
        return;
    }
    if (record.size == 0 || socket->bytesAvailable() < static_cast<qint64>(record.size))
        return;
    const QByteArray bytes = socket->read(static_cast<qint64>(record.size));
    if (ParseWindowRecord(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          m_payloadLimit, record) != WindowRecordParse::Complete) {
        socket->abort();
        return;
    }
    const WindowRecordHeader header = record.header;
    const QByteArray payload(record.payload.data(), static_cast<qsizetype>(record.payload.size()));
    socket->setProperty("legatoDone", true);

    QPointer<QLocalSocket> guard(socket);
    const LRESULT result = m_handler ? m_handler(header.message, header.wParam, header.lParam, payload) : 0;
    // A handler that runs an event loop (a dialog) may see the client go away.
    if (!guard)
        return;
    if (header.flags & kWindowRecordReplyWanted) {
        socket->write(reinterpret_cast<const char*>(&result), sizeof result);
        socket->flush();
    }
    socket->disconnectFromServer();
}

} // namespace Platform
