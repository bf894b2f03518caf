#include "tiles/TileEdits.h"

#include "patch/PatchFiles.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "tiles/TileImport.h"

namespace morvane {

TileEdits::TileEdits(std::string rom)
    : original_(std::move(rom)), bytes_(original_), saved_(original_) {}

int TileEdits::pixel(std::size_t tile, int bpp, int x, int y) const {
  return DecodeTile(bytes_, tile, bpp)[static_cast<std::size_t>(y * kTileSide + x)];
}

bool TileEdits::draw(std::size_t tile, int bpp, int x, int y, int colour) {
  TilePixels pixels = DecodeTile(bytes_, tile, bpp);
  pixels[static_cast<std::size_t>(y * kTileSide + x)] = static_cast<std::uint8_t>(colour & 3);
  return change(tile, EncodeTile(pixels, bpp));
}

void TileEdits::endStroke() {
  close(open_);
}

bool TileEdits::fill(std::size_t tile, int bpp, int colour) {
  TilePixels pixels;
  pixels.fill(static_cast<std::uint8_t>(colour & 3));
  endStroke();
  const bool changed = change(tile, EncodeTile(pixels, bpp));
  endStroke();
  return changed;
}

bool TileEdits::paste(std::size_t at, std::string_view bytes) {
  endStroke();
  const bool changed = change(at, std::string(bytes));
  endStroke();
  return changed;
}

std::string TileEdits::copy(std::size_t first, std::size_t last, int bpp) const {
  if (first >= bytes_.size() || last < first) return {};
  return bytes_.substr(first, last - first + TileBytes(bpp));
}

bool TileEdits::change(std::size_t offset, std::string after) {
  if (offset >= bytes_.size()) return false;
  after.resize(std::min(after.size(), bytes_.size() - offset));
  std::string before = bytes_.substr(offset, after.size());
  if (before == after) return false;
  bytes_.replace(offset, after.size(), after);
  open_.push_back({offset, std::move(before), std::move(after)});
  redo_.clear();
  return true;
}

void TileEdits::close(Step& step) {
  if (step.empty()) return;
  undo_.push_back(std::move(step));
  step.clear();
}

bool TileEdits::undo() {
  endStroke();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  for (auto c = step.rbegin(); c != step.rend(); ++c)
    bytes_.replace(c->offset, c->before.size(), c->before);
  redo_.push_back(std::move(step));
  return true;
}

bool TileEdits::redo() {
  endStroke();
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  for (const Change& c : step) bytes_.replace(c.offset, c.after.size(), c.after);
  undo_.push_back(std::move(step));
  return true;
}

std::vector<std::string> SaveEditedRom(const std::string& romPath, std::string_view original,
                                       std::string_view edited, std::optional<PatchKind> patch) {
  const std::string output = ModifiedRomName(romPath);
  RefuseOverwrite("Tiles", output, {romPath});
  const std::string patchPath = patch ? PatchPathFor(output, *patch) : std::string();
  if (patch) RefuseOverwrite("Tiles", patchPath, {romPath, output});
  std::vector<std::string> written;
  OutFile out(output);
  out.write(edited);
  out.close();
  written.push_back(output);
  if (patch) {
    OutFile file(patchPath);
    file.write(CreatePatch(*patch, original, edited));
    file.close();
    written.push_back(patchPath);
  }
  return written;
}

}  // namespace morvane
