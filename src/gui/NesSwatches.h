// The 64 colours of the NES as swatches, 16 a row; a click chooses one.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

namespace morvane {

class NesSwatches : public QWidget {
 public:
  static constexpr int kSide = 13;  // pixels a swatch

  explicit NesSwatches(QWidget* parent = nullptr);
  // The middle of the swatch of colour number 00-3F.
  static QPoint centreOf(int number) {
    return {number % 16 * kSide + kSide / 2, number / 16 * kSide + kSide / 2};
  }

  std::function<void(std::uint32_t colour)> onChoose;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;  // tooltips: the colour's number and RRGGBB

 private:
  int numberAt(QPoint point) const;
};

}  // namespace morvane
