#pragma once

#include "Platform/Shell.h"
#include "Platform/WindowMessages.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace Platform {

// The listening side of a top-level window (see WindowMessages.h): receives the
// message records sent to its window class on the Qt event loop and answers
// them through a handler. Only connections of the same user are served.
class WindowHost : public QObject
{
    Q_OBJECT
public:
    // The handler's result is the reply of a sent message; posted messages
    // ignore it. payload is set for WM_COPYDATA only.
    using Handler = std::function<LRESULT(std::uint32_t message, WPARAM wParam, LPARAM lParam,
                                          const QByteArray& payload)>;

    enum class ListenResult
    {
        Listening,
        Taken,
        Failed
    };

    explicit WindowHost(const QString& className, QObject* parent = nullptr);
    ~WindowHost() override;

    // Starts listening under the class name. Taken: another program already
    // listens under it. A leftover socket nobody answers on is replaced. The
    // check and the take-over run under a lock file, so two programs starting
    // at once never both believe they own the class.
    ListenResult listen();
    bool isListening() const;
    void setHandler(Handler handler) { m_handler = std::move(handler); }
    // The longest payload this window takes (at most kWindowPayloadLimit, the
    // default); a longer record is refused and its connection closed unread.
    void setPayloadLimit(std::size_t bytes) { m_payloadLimit = bytes; }
    const QString& className() const { return m_className; }

    // The window state this program was started with (Shell), or the default.
    static WindowStyle startedWindowStyle(WindowStyle fallback = WindowStyle::NormalFocus);

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    QString m_className;
    QLocalServer* m_server;
    Handler m_handler;
    std::size_t m_payloadLimit = kWindowPayloadLimit;
};

} // namespace Platform
