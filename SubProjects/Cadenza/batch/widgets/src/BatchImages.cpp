#include "BatchImages.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int ImageSize = 16;

QPixmap Canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawOk()
{
    QPixmap pixmap = Canvas(ImageSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(3, 8.5);
    tick.lineTo(6.5, 12);
    tick.lineTo(13, 4);
    p.drawPath(tick);
    return pixmap;
}

QPixmap DrawError()
{
    QPixmap pixmap = Canvas(ImageSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return pixmap;
}

QPixmap DrawInfo()
{
    QPixmap pixmap = Canvas(ImageSize);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1e, 0x63, 0xb5));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.5, 2, 2));
    p.drawRoundedRect(QRectF(7, 7, 2, 6), 0.8, 0.8);
    return pixmap;
}

// A stack of pages with a gear of lines: many files handled in one go.
QPixmap DrawAppImage()
{
    QPixmap pixmap = Canvas(32);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 2; i >= 0; --i) {
        const QRectF page(4 + i * 4, 2 + i * 4, 18, 22);
        p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
        p.setBrush(i == 0 ? QColor(0xff, 0xf6, 0xd5) : QColor(0xe8, 0xe8, 0xe8));
        p.drawRect(page);
    }
    p.setPen(QPen(QColor(0x1e, 0x63, 0xb5), 1.5));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(7, 7 + line * 4), QPointF(19, 7 + line * 4));
    p.setPen(QPen(QColor(0x2e, 0x8b, 0x3a), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(17, 23);
    tick.lineTo(21, 27);
    tick.lineTo(28, 17);
    p.drawPath(tick);
    return pixmap;
}

} // namespace

namespace BatchImages {

const QIcon& Image(const QString& key)
{
    static const QIcon ok(DrawOk());
    static const QIcon error(DrawError());
    static const QIcon info(DrawInfo());
    static const QIcon none;
    if (key == OkKey)
        return ok;
    if (key == ErrorKey)
        return error;
    if (key == InfoKey)
        return info;
    return none;
}

const QPixmap& AppImage()
{
    static const QPixmap image = DrawAppImage();
    return image;
}

} // namespace BatchImages
