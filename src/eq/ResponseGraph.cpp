#include "eq/ResponseGraph.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "app/Twips.h"
#include "eq/GraphScale.h"

namespace calvetta {

namespace {
constexpr double kTwips = kTwipsPerPixel;
const QColor kCurveColour(255, 0, 0);
}  // namespace

ResponseGraph::ResponseGraph(QWidget* parent) : QWidget(parent), background_(MakeBackground()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidthPx, kHeightPx);
}

QPixmap ResponseGraph::MakeBackground() {
    QPixmap pm(kWidthPx, kHeightPx);
    pm.fill(Qt::black);
    QPainter p(&pm);
    const auto xOf = [](double hz) { return std::lround(XOfFrequency(hz) / kTwips); };
    const auto yOfDb = [](float db) { return std::lround(YOfDb(db) / kTwips); };
    const QColor minor(64, 64, 64);
    const QColor major(112, 112, 112);
    // 1-2-3...9 in every decade, the labelled ones brighter.
    for (double decade : {10.0, 100.0, 1000.0, 10000.0}) {
        for (int m = 1; m <= 9; ++m) {
            const double hz = decade * m;
            if (hz < 20.0 || hz > 20000.0) continue;
            const bool labelled = m == 1 || m == 2 || m == 5 || (decade == 10.0 && m == 3);
            p.setPen(labelled ? major : minor);
            const auto x = static_cast<int>(xOf(hz));
            p.drawLine(x, 0, x, kHeightPx - 1);
        }
    }
    const auto x20k = static_cast<int>(xOf(20000.0));
    p.setPen(major);
    p.drawLine(x20k, 0, x20k, kHeightPx - 1);
    // Every 5 dB, and the 0 dB line in white.
    const int left = static_cast<int>(xOf(20.0));
    for (int db = 5; db >= -20; db -= 5) {
        if (db == 0) continue;
        p.setPen(minor);
        const auto y = static_cast<int>(yOfDb(static_cast<float>(db)));
        p.drawLine(left, y, x20k, y);
    }
    p.setPen(Qt::white);
    const auto zero = static_cast<int>(yOfDb(0.0f));
    p.drawLine(0, zero, kWidthPx - 1, zero);
    return pm;
}

void ResponseGraph::Cls() {
    curve_.clear();
    marker_.reset();
    update();
}

void ResponseGraph::DrawCurve(std::vector<QPointF> points) {
    curve_ = std::move(points);
    update();
}

void ResponseGraph::DrawMarker(QPointF centre) {
    marker_ = centre;
    update();
}

void ResponseGraph::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawPixmap(event->rect(), background_, event->rect());
    // Twips to pixels for everything drawn on top of the background; smooth,
    // so a curve within a pixel of the 0 dB line shows no steps.
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.0 / kTwips, 1.0 / kTwips);
    QPen pen(kCurveColour, 2.0 * kTwips);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    if (curve_.size() > 1) p.drawPolyline(curve_.data(), static_cast<int>(curve_.size()));
    if (marker_) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(*marker_, kMarkerRadius, kMarkerRadius);
    }
}

}  // namespace calvetta
