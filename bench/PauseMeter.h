#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

// Notes the longest gap between the ticks of a timer running every 5 ms.
class PauseMeter
{
public:
    PauseMeter()
    {
        m_ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { Note(); });
        m_ticker.start(5);
        m_sinceTick.start();
    }
    qint64 Longest()
    {
        Note();
        return m_longest;
    }

private:
    void Note() { m_longest = std::max(m_longest, m_sinceTick.restart()); }

    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
};
