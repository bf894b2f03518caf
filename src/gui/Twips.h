// The window's layout is drawn in twips, 15 to the pixel.
#pragma once

#include <QRect>

namespace morvane {

constexpr int Px(int twips) {
  return (twips + 7) / 15;
}

inline QRect TwRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

}  // namespace morvane
