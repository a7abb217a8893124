#include "app/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace calvetta {

namespace {
QPixmap DrawIcon(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;
    // A dark rounded panel with a small response curve across it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 40, 72));
    p.drawRoundedRect(QRectF(1 * s, 1 * s, 30 * s, 30 * s), 5 * s, 5 * s);
    p.setPen(QPen(QColor(80, 96, 128), 1 * s));
    p.drawLine(QPointF(4 * s, 16 * s), QPointF(28 * s, 16 * s));
    QPainterPath curve;
    curve.moveTo(4 * s, 16 * s);
    curve.cubicTo(9 * s, 16 * s, 10 * s, 6 * s, 14 * s, 6 * s);
    curve.cubicTo(18 * s, 6 * s, 18 * s, 24 * s, 22 * s, 24 * s);
    curve.cubicTo(25 * s, 24 * s, 26 * s, 16 * s, 28 * s, 16 * s);
    p.setPen(QPen(QColor(255, 176, 32), 2.2 * s, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return pm;
}
}  // namespace

QIcon MakeWindowIcon() {
    QIcon icon;
    icon.addPixmap(DrawIcon(32));
    icon.addPixmap(DrawIcon(16));
    return icon;
}

QPixmap MakeArrowPicture(ArrowKind kind) {
    const bool left = kind == ArrowKind::LeftBright || kind == ArrowKind::LeftGray;
    const bool bright = kind == ArrowKind::LeftBright || kind == ArrowKind::RightBright;
    QPixmap pm(TwipsToPixels(kArrowWidth), TwipsToPixels(kArrowHeight));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = bright ? QColor(255, 200, 40) : QColor(150, 150, 150);
    const QColor edge = bright ? QColor(160, 100, 0) : QColor(90, 90, 90);
    QPolygonF tri;
    if (left) {
        tri << QPointF(2.5, 12) << QPointF(13.5, 3) << QPointF(13.5, 21);
    } else {
        tri << QPointF(13.5, 12) << QPointF(2.5, 3) << QPointF(2.5, 21);
    }
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawPolygon(tri);
    return pm;
}

}  // namespace calvetta
