#include "games/RomanciaGraphics.h"

#include <limits>
#include <optional>

#include "games/RomSplice.h"
#include "games/RomanciaEncoder.h"
#include "patch/PatchFiles.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Error during Insert Graphics";

// File offset of a CPU address in the ROM's first 16 kB program bank.
constexpr std::int64_t BankOffset(std::int64_t address) {
  return address - 2 * 0x4000 + 0x10;
}

// Bank 1 goes first, bank 0 after it.
struct Stream {
  int bank;
  std::int64_t offset;
};
constexpr Stream kStreams[] = {{1, BankOffset(0xA76C)}, {0, BankOffset(0xB2F2)}};

// Refuses a stream that would not fit in place of the game's own.
void CheckRoom(const std::string& rom, const Stream& at, std::int64_t length, std::int64_t limit) {
  if (static_cast<std::int64_t>(rom.size()) < at.offset + length) {
    throw JobError(kErrPastEnd, {},
                   "The ROM holds " + std::to_string(rom.size()) + " bytes: too few for the " +
                       std::to_string(length) + " bytes of the tile stream at file offset " +
                       Hex(at.offset) + "h.");
  }
  const std::optional<std::int64_t> old = StreamLength(rom, at.offset);
  const std::string where =
      "the tile stream of bank " + std::to_string(at.bank) + " at " + Hex(at.offset) + "h";
  if (!old) {
    throw JobError::Minor(kTitle, "The ROM holds no complete stream in place of " + where + ".");
  }
  const std::int64_t room = *old < limit ? *old : limit;
  if (length > room) {
    throw JobError::Minor(kTitle, "The sheet is refused: " + where + " would take " +
                                      std::to_string(length) + " bytes, but only " +
                                      std::to_string(room) +
                                      " are free there. Simplify the bank's tiles.");
  }
}

void Insert(const Settings& settings, const std::string& romPath, const std::string& bmpPath,
            JobRun& run, std::optional<RomSplice>& out) {
  std::string& step = run.step;
  step = "Open Files";
  const std::string bmp = ReadBinaryFile(bmpPath);
  const std::string problem = CheckSheetBitmap(bmp);
  if (!problem.empty()) throw JobError::Minor(kTitle, problem, bmpPath);
  const std::array<PatternBank, 2> banks = ReadSheet(bmp);
  const std::string outPath = ModifiedName(romPath, "_Modified.nes");
  RefuseOverwrite(kTitle, outPath, {romPath, bmpPath});
  const PatchRequest patch(settings, outPath);
  patch.check(kTitle, {romPath, bmpPath});
  std::string rom = ReadBinaryFile(romPath);
  std::string streams[2];
  for (int n = 0; n < 2; ++n) {
    step = "Skip ROM section until laStart = " + Hex(kStreams[n].offset);
    streams[n] = EncodeBank(banks[kStreams[n].bank]);
    const std::int64_t limit =
        n == 0 ? kStreams[1].offset - kStreams[0].offset : std::numeric_limits<std::int64_t>::max();
    CheckRoom(rom, kStreams[n], static_cast<std::int64_t>(streams[n].size()), limit);
  }
  step = "Open Files";
  out.emplace(std::move(rom), outPath);
  for (int n = 0; n < 2; ++n) {
    step = "Skip ROM section until laStart = " + Hex(kStreams[n].offset);
    out->copyUntil(kStreams[n].offset);
    for (const char c : streams[n]) out->replace(static_cast<std::uint8_t>(c));
  }
  out->copyRest();
  out->close();
  out.reset();
  run.wrote(outPath);
  patch.write(run, romPath, step);
}

}  // namespace

JobResult RomanciaGraphicsJob(const Settings& settings, JobHost& host) {
  std::optional<RomSplice> out;
  return RunJob(host, {.prefix = "Error during Insert Graphics:\r\n"}, [&](JobRun& run) {
    const std::string rom = run.ask(Dialog::OpenNES);
    const std::string bmp = run.ask(Dialog::OpenBmp);
    run.onFailure = [&](const std::exception&) {
      if (!out) return;
      run.wrote(out->path());
      out->closeIncomplete();  // what was written so far stays, beside the earlier output
    };
    Insert(settings, rom, bmp, run, out);
  });
}

}  // namespace morvane
