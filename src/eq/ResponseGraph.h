#pragma once
// The response graph of the EQ page (Show_Picture): a black field with a
// logarithmic frequency grid and a white 0 dB line, the summed response curve
// in red and a red marker circle around the handle edited last. It only
// paints what it is handed; positions are in twips, 15 to a pixel. The band
// handles are image controls placed inside it.

#include <QPixmap>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

namespace calvetta {

class ResponseGraph : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kWidthPx = 838;
    static constexpr int kHeightPx = 355;
    static constexpr int kMarkerRadius = 150;  // twips

    explicit ResponseGraph(QWidget* parent);

    // Removes the curve and the marker; the background stays.
    void Cls();
    // The curve through the given points (twips), joined by straight red
    // segments 2 pixels wide.
    void DrawCurve(std::vector<QPointF> points);
    // The red circle of radius 150 twips around a centre given in twips,
    // drawn with the curve's pen.
    void DrawMarker(QPointF centre);

    const std::vector<QPointF>& Curve() const { return curve_; }
    const std::optional<QPointF>& Marker() const { return marker_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    static QPixmap MakeBackground();

    QPixmap background_;
    std::vector<QPointF> curve_;  // twips
    std::optional<QPointF> marker_;
};

}  // namespace calvetta
