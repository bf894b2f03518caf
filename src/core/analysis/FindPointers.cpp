#include "analysis/FindPointers.h"

#include "analysis/PointerFinder.h"
#include "rom/INesHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Error during Find Pointers";

// The mapper and PRG of an iNES file; without a header every byte is PRG.
BankLayout Layout(const std::string& rom) {
  const INesHeader header = ReadINesHeader(rom);
  if (!header.present) return LayoutOf(-1, 0, static_cast<std::int64_t>(rom.size()));
  return LayoutOf(header.mapper, header.prgOffset, header.prgBanks * kPrgBankSize);
}

std::string Describe(const BankLayout& layout, std::int32_t base, const FoundPointer& p) {
  const auto cpu = [&](std::int64_t offset) { return Hex(CpuOf(layout, base, offset)); };
  std::string text = p.split ? "split  low " + HexOffset(p.low) + " high " + HexOffset(p.high)
                             : "word   at " + HexOffset(p.low);
  text += "  (CPU " + cpu(p.low) + (p.split ? "/" + cpu(p.high) : "") + ")";
  text += "  pointer " + std::to_string(p.index) + " of a table of " + std::to_string(p.count);
  const std::int64_t firstHigh = p.first + (p.high - p.low);
  text += "  --pointers " + cpu(p.first) + "," + cpu(firstHigh) + "," + std::to_string(p.stride) +
          " --count " + std::to_string(p.count);
  return text;
}

}  // namespace

JobResult FindPointersJob(const Settings& settings, JobHost& host) {
  return RunJob(host, {.failed = "Find Pointers Error"}, [&](JobRun& run) {
    const std::string romPath = run.ask(Dialog::OpenNES);
    std::vector<std::string> addresses = settings.options.values("address");
    if (addresses.empty() && run.host.asksText()) {
      const auto typed = run.host.askText(
          "Find Pointers", "File offsets of the phrases (hex, separated by blanks):");
      if (!typed) throw JobError::Cancelled();
      std::string word;
      for (const char c : *typed + " ") {
        if (c != ' ' && c != ',' && c != '\t') {
          word += c;
        } else if (!word.empty()) {
          addresses.push_back(UpperCase(word));
          word.clear();
        }
      }
    }
    if (addresses.empty()) {
      throw JobError::Minor(kTitle, "Give the file offset of a phrase with --address.");
    }
    const std::string outPath = StripExtension(romPath) + " Pointers.txt";
    RefuseOverwrite(kTitle, outPath, {romPath});
    run.file = romPath;
    const std::string rom = ReadBinaryFile(romPath);
    run.file.clear();
    const BankLayout layout = Layout(rom);
    std::string text = "Pointers in " + FileNameOf(romPath) + " (" + layout.describe + ")\r\n";
    text += ";--------------------\r\n";
    for (const std::string& address : addresses) {
      const std::int64_t offset = HexToLong(address);
      if (address.size() > 7 || offset < 0 || offset >= static_cast<std::int64_t>(rom.size())) {
        throw JobError::Minor(kTitle, "--address " + address + " does not lie in " +
                                          FileNameOf(romPath) + " (" + Hex(rom.size()) +
                                          "h bytes).");
      }
      text += "File offset " + HexOffset(offset) + ":\r\n";
      for (const PointerTarget& t : FindPointersTo(rom, layout, offset)) {
        text += "  as CPU " + HexWord(t.cpu) + " (bank at " + HexWord(t.base) +
                "): " + std::to_string(t.pointers.size()) +
                (t.pointers.size() == 1 ? " place" : " places") + "\r\n";
        for (const FoundPointer& p : t.pointers)
          text += "    " + Describe(layout, t.base, p) + "\r\n";
      }
      text += "\r\n";
    }
    OutFile out(outPath);
    run.wrote(outPath);
    out.write(text);
    out.close();
    run.host.setStatus("Find Pointers Done");
  });
}

}  // namespace morvane
