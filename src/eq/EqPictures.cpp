#include "eq/EqPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace calvetta {

namespace {

// Pixel masks, '#' set, one text per row.
QPixmap FromMask(std::initializer_list<const char*> rows, const QColor& colour) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(std::char_traits<char>::length(*rows.begin()));
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < width; ++x) {
            if (row[x] == '#') image.setPixelColor(x, y, colour);
        }
        ++y;
    }
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap MakeHandlePicture(HandlePicture kind) {
    const QColor green(0, 255, 0);
    const QColor red(255, 0, 0);
    switch (kind) {
        case HandlePicture::MidGreen:
            return FromMask({".###.", "#####", "#####", "#####", "#####", ".###."}, green);
        case HandlePicture::MidRed:
            return FromMask({".###.", "#####", "#####", "#####", ".###."}, red);
        case HandlePicture::LeftGreen:
        case HandlePicture::LeftRed:
            return FromMask(
                {"....#", "...##", "..###", ".####", "#####", ".####", "..###", "...##", "....#"},
                kind == HandlePicture::LeftGreen ? green : red);
        case HandlePicture::RightGreen:
        case HandlePicture::RightRed:
            return FromMask(
                {"#....", "##...", "###..", "####.", "#####", "####.", "###..", "##...", "#...."},
                kind == HandlePicture::RightGreen ? green : red);
    }
    return {};
}

QCursor MakeHandCursor() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A hand pointing up: the index finger raised, the other three folded
    // into the palm, the thumb along its left side.
    QPainterPath hand;
    hand.moveTo(10.5, 3.5);
    hand.cubicTo(10.5, 1.0, 14.5, 1.0, 14.5, 3.5);     // finger tip
    hand.lineTo(14.5, 12.5);                           // finger, right side
    hand.cubicTo(14.5, 11.0, 18.5, 11.0, 18.5, 13.0);  // middle knuckle
    hand.cubicTo(18.5, 12.0, 22.0, 12.0, 22.0, 14.0);  // ring knuckle
    hand.cubicTo(22.0, 13.0, 25.5, 13.0, 25.5, 15.0);  // little knuckle
    hand.lineTo(25.5, 22.0);
    hand.cubicTo(25.5, 26.0, 23.0, 29.5, 19.0, 29.5);  // heel of the hand
    hand.lineTo(14.0, 29.5);
    hand.cubicTo(11.0, 29.5, 9.5, 27.0, 8.0, 25.0);
    hand.lineTo(4.5, 19.5);  // thumb
    hand.cubicTo(3.0, 17.0, 6.0, 15.5, 7.5, 17.5);
    hand.lineTo(10.5, 20.5);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Creases between the folded fingers.
    p.setPen(QPen(Qt::black, 1.0));
    p.drawLine(QPointF(18.5, 13.0), QPointF(18.5, 18.0));
    p.drawLine(QPointF(22.0, 14.0), QPointF(22.0, 18.5));
    p.end();
    return QCursor(pm, kHandHotX, kHandHotY);
}

}  // namespace calvetta
