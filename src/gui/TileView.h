// The tiles of a file drawn as a sheet from a byte offset, with the texts of
// a character table over their tiles, a selection of tiles and a cursor that
// typed characters go to.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "tables/CharTable.h"
#include "tiles/TileOptions.h"

namespace morvane {

class TileView : public QWidget {
 public:
  explicit TileView(QWidget* parent = nullptr);

  void setFile(std::string bytes, std::size_t origin);
  // New bytes for the same file (edited): the place and the selection stay.
  void setBytes(std::string bytes);
  const std::string& file() const { return file_; }
  // Tile numbers (and so byte values) count from origin: CHR-ROM's start or 0.
  std::size_t origin() const { return origin_; }

  std::size_t offset() const { return offset_; }
  // Moves the first tile to offset, kept inside the file.
  void setOffset(long long offset);
  void scrollBy(long long bytes) { setOffset(static_cast<long long>(offset_) + bytes); }
  void setZoom(int zoom);
  void setBpp(int bpp);
  void setPalette(const Palette& palette);
  void setByteShift(int shift);
  void setTable(const CharTable& table, std::function<QString(const std::string&)> decode);

  int zoom() const { return zoom_; }
  int bpp() const { return bpp_; }
  int columns() const { return kColumns; }
  int rows() const;
  std::size_t tileBytes() const { return TileBytes(bpp_); }
  std::size_t rowBytes() const { return tileBytes() * kColumns; }
  std::size_t pageBytes() const { return rowBytes() * static_cast<std::size_t>(rows()); }

  // The byte value of the tile at a file offset.
  int byteAt(std::size_t tileOffset) const;
  // The file offset of the tile under a point, or -1.
  long long tileAt(QPoint point) const;

  // The selected tiles, first and last by file offset; the cursor is the last.
  std::size_t selectionFirst() const { return std::min(anchor_, cursor_); }
  std::size_t selectionLast() const { return std::max(anchor_, cursor_); }
  std::size_t cursor() const { return cursor_; }
  bool hasSelection() const { return selected_; }
  void select(std::size_t anchor, std::size_t cursor);

  std::function<void(long long tileOffset)> onHover;  // -1: off the tiles
  std::function<void(const QString& text)> onType;
  std::function<void()> onErase;
  std::function<void()> onChange;  // offset, zoom, bpp or selection moved

  static constexpr int kColumns = 16;
  // What the view shows before a file is opened.
  static constexpr const char* kHint =
      "Open a ROM (\"Open ROM...\" or drop a file here) to see its tiles.";

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QSize sizeHint() const override;

 private:
  int cell() const { return kTileSide * zoom_; }
  void changed();
  void paintTexts(class QPainter& painter, std::size_t tiles);

  std::string file_;
  std::size_t origin_ = 0;
  std::size_t offset_ = 0;
  int zoom_ = 3;
  int bpp_ = 2;
  int shift_ = 0;
  Palette palette_ = kDefaultPalette;
  CharTable table_;
  std::function<QString(const std::string&)> decode_;
  bool selected_ = false;
  std::size_t anchor_ = 0, cursor_ = 0;
};

}  // namespace morvane
