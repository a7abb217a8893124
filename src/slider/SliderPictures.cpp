#include "slider/SliderPictures.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPainter>

#include "slider/ControlError.h"

namespace calvetta {

QPixmap SliderThumbPicture() {
    constexpr int w = 38;
    constexpr int h = 17;
    QImage image(w, h, QImage::Format_RGB888);
    image.fill(QColor(0xD4, 0xD0, 0xC8));
    QPainter p(&image);
    // A raised button face: light top and left, dark bottom and right, with
    // a second, softer shadow inside.
    const QColor highlight(0xFF, 0xFF, 0xFF);
    const QColor shadow(0x80, 0x80, 0x80);
    const QColor darkShadow(0x40, 0x40, 0x40);
    p.fillRect(0, 0, w - 1, 1, highlight);
    p.fillRect(0, 0, 1, h - 1, highlight);
    p.fillRect(0, h - 1, w, 1, darkShadow);
    p.fillRect(w - 1, 0, 1, h, darkShadow);
    p.fillRect(1, h - 2, w - 2, 1, shadow);
    p.fillRect(w - 2, 1, 1, h - 2, shadow);
    // A grip notch across the middle marks the thumb's centre.
    p.fillRect(w / 2 - 1, 4, 1, h - 8, shadow);
    p.fillRect(w / 2, 4, 1, h - 8, highlight);
    p.end();
    return QPixmap::fromImage(image);
}

PictureData EncodePicture(const QPixmap& picture) {
    if (picture.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return PictureData(bytes.begin(), bytes.end());
}

QPixmap DecodePicture(const PictureData& data) {
    if (data.empty()) return {};
    QPixmap picture;
    if (!picture.loadFromData(data.data(), static_cast<uint>(data.size()))) {
        throw ControlError(kErrInvalidPicture, "Invalid picture: the stored picture data (" +
                                                   std::to_string(data.size()) +
                                                   " bytes) cannot be read");
    }
    return picture;
}

}  // namespace calvetta
