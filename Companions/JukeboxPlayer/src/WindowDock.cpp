#include "WindowDock.h"

#include <algorithm>

QList<QPoint> DockedBelow(const QRect& available, const QList<QSize>& frames)
{
    int width = 0, height = 0;
    for (const QSize& f : frames) {
        width = std::max(width, f.width());
        height += f.height();
    }
    const int x = available.x() + std::max(0, (available.width() - width) / 2);
    int y = available.y() + std::max(0, (available.height() - height) / 2);
    QList<QPoint> at;
    for (const QSize& f : frames) {
        const int lifted = std::min(y, available.y() + available.height() - f.height());
        at.append(QPoint(x, std::max(available.y(), lifted)));
        y += f.height();
    }
    return at;
}
