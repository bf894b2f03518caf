// One tile drawn large for editing: the left button draws pixels (pressed
// and dragged, one stroke), the right button picks the colour of a pixel.
#pragma once

#include <QWidget>
#include <functional>

#include "tiles/TileOptions.h"
#include "tiles/TileSheet.h"

namespace morvane {

class TileCanvas : public QWidget {
 public:
  static constexpr int kZoom = 20;  // screen pixels a tile pixel

  explicit TileCanvas(QWidget* parent = nullptr);

  // Shows pixels in palette; without a tile (shown false) the canvas is empty.
  void setTile(const TilePixels& pixels, const Palette& palette, bool shown);
  // The middle of pixel x, y on the canvas.
  static QPoint centreOf(int x, int y) { return {x * kZoom + kZoom / 2, y * kZoom + kZoom / 2}; }

  std::function<void(int x, int y)> onDraw;
  std::function<void()> onStrokeEnd;
  std::function<void(int x, int y)> onPick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  QSize sizeHint() const override { return {kTileSide * kZoom, kTileSide * kZoom}; }

 private:
  // The pixel under point, or false when it is off the tile.
  bool pixelAt(QPointF point, int& x, int& y) const;

  TilePixels pixels_{};
  Palette palette_ = kDefaultPalette;
  bool shown_ = false;
  bool drawing_ = false;
};

}  // namespace morvane
