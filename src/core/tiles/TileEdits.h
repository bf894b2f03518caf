// A ROM's tiles as the Tiles window edits them: pixels drawn, tiles filled or
// pasted, every change undone and redone step by step, and the copy of the
// ROM that saving them writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "patch/PatchFormat.h"
#include "tiles/TileSheet.h"

namespace morvane {

class TileEdits {
 public:
  TileEdits() = default;
  explicit TileEdits(std::string rom);

  const std::string& bytes() const { return bytes_; }
  const std::string& original() const { return original_; }

  // Colour 0-3 of pixel x, y of the tile at offset.
  int pixel(std::size_t tile, int bpp, int x, int y) const;
  // Each changes the bytes and gives false when nothing changed. Pixels drawn
  // make one step until endStroke; the others are a step each. What would
  // lie past the end of the ROM is left out.
  bool draw(std::size_t tile, int bpp, int x, int y, int colour);
  void endStroke();
  bool fill(std::size_t tile, int bpp, int colour);
  bool paste(std::size_t at, std::string_view bytes);
  // The bytes of the tiles from first to last (file offsets of tiles).
  std::string copy(std::size_t first, std::size_t last, int bpp) const;

  bool undo();
  bool redo();
  bool canUndo() const { return !undo_.empty() || !open_.empty(); }
  bool canRedo() const { return !redo_.empty(); }

  // Whether the bytes differ from the ROM as opened or last saved.
  bool unsaved() const { return bytes_ != saved_; }
  void markSaved() { saved_ = bytes_; }

 private:
  struct Change {
    std::size_t offset;
    std::string before, after;
  };
  using Step = std::vector<Change>;

  bool change(std::size_t offset, std::string after);
  void close(Step& step);

  std::string original_, bytes_, saved_;
  std::vector<Step> undo_, redo_;
  Step open_;  // the stroke being drawn
};

// Writes edited as "<rom stem>_Modified<ext>" beside romPath, and the patch
// of the given kind from original to it; never the ROM itself. Gives the
// files written; throws JobError (Minor when the output may not be written).
std::vector<std::string> SaveEditedRom(const std::string& romPath, std::string_view original,
                                       std::string_view edited, std::optional<PatchKind> patch);

}  // namespace morvane
