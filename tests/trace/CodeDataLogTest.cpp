// Code/data logs: one written from what the linker laid out steers the trace
// exactly; both layouts round trip; logs that do not fit are refused.
#include <gtest/gtest.h>

#include "CorpusTruth.h"
#include "TempDir.h"
#include "dump/Definitions.h"
#include "shell/JobError.h"
#include "trace/CodeDataLog.h"
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

const std::string kCorpusDir = MORVANE_CORPUS_DIR;

const std::array<OpcodeShape, 256>& NesShapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

// An FCEUX log of what the linker put where: code run, data read, fill unseen.
std::string LogOfTruth(const std::vector<Truth>& truth, std::size_t prg, std::size_t chr) {
  std::string log(prg + chr, '\0');
  for (std::size_t i = 0; i < prg; ++i) {
    const Truth t = truth[16 + i];
    log[i] = t == Truth::Code ? '\x01' : t == Truth::Data ? '\x02' : '\0';
  }
  return log;
}

TEST(CodeDataLog, TheTraceFollowsALogOfWhatTheLinkerLaidOut) {
  const struct {
    const char* name;
    std::int32_t base;
    int block;
  } blocks[] = {{"idioms", 0x8000, 0}, {"idioms", 0xC000, 1}, {"records", 0xC000, 1},
                {"uxrom", 0x8000, 1},  {"uxrom", 0xC000, 3},  {"game", 0xC000, 1}};
  for (const auto& b : blocks) {
    const std::string path = kCorpusDir + "/" + b.name;
    const std::string rom = Slurp(path + ".nes");
    if (rom.empty()) GTEST_SKIP() << "no cc65 tools to build the corpus";
    const auto truth =
        ReadTruth(Slurp(path + ".dbg"), rom.size(), Slurp(path + ".map"), kCorpusDir);
    const std::size_t prg = static_cast<std::size_t>(rom[4]) * 0x4000;
    const std::size_t chr = static_cast<std::size_t>(rom[5]) * 0x2000;
    TempDir dir;
    const CodeDataLog log =
        ReadCodeDataLog(dir.write("game.cdl", LogOfTruth(truth, prg, chr)), rom);
    EXPECT_EQ(log.format, CdlFormat::Fceux);
    const std::int64_t origin = b.base - 16 - b.block * 0x4000;
    const TraceResult traced =
        TraceCode({rom, origin, b.base, b.base, b.base + 0x3FFF, {}, {}, &log.marks}, NesShapes());
    const Figures f = Score(traced.tablesText, truth, origin, b.base, b.base + 0x3FFF);
    EXPECT_EQ(f.codeRight, f.code) << b.name << " block " << b.block;
    EXPECT_EQ(f.dataRight, f.data) << b.name << " block " << b.block;
  }
}

TEST(CodeDataLog, BothLayoutsReadBackWhatWasWritten) {
  std::string rom("NES\x1A\x02\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);
  for (int i = 0; i < 0x8000 + 0x2000; ++i) rom += static_cast<char>(i * 13);
  std::vector<std::uint8_t> marks(0x8000), slots(0x8000);
  for (std::size_t i = 0; i < marks.size(); ++i) {
    marks[i] = static_cast<std::uint8_t>(i % 3 == 0 ? kLogCode : i % 3 == 1 ? kLogData : 0);
    slots[i] = static_cast<std::uint8_t>(i >> 13);
  }
  for (const CdlFormat format : {CdlFormat::Fceux, CdlFormat::Mesen}) {
    TempDir dir;
    const std::string bytes = CodeDataLogBytes(format, rom, marks, slots);
    EXPECT_EQ(bytes.size(), (format == CdlFormat::Mesen ? 9u : 0u) + 0x8000 + 0x2000);
    const CodeDataLog log = ReadCodeDataLog(dir.write("game.cdl", bytes), rom);
    EXPECT_EQ(log.format, format);
    EXPECT_EQ(log.marks, marks);
  }
  // FCEUX keeps the 8 KiB slot in bits 2-3; Mesen the CRC32 of the PRG ROM,
  // low byte first.
  EXPECT_EQ(CodeDataLogBytes(CdlFormat::Fceux, rom, marks, slots)[0x6000], '\x0D');
  EXPECT_EQ(CodeDataLogBytes(CdlFormat::Mesen, rom, marks, slots).substr(0, 5), "CDLv2");
}

TEST(CodeDataLog, RefusesALogThatDoesNotFitTheRom) {
  std::string rom("NES\x1A\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);
  rom += std::string(0x4000, '\xEA');
  std::string mesen = CodeDataLogBytes(CdlFormat::Mesen, rom, {}, {});
  mesen[6] ^= 1;  // another ROM's CRC
  const struct {
    std::string log;
    const char* says;
  } cases[] = {
      {std::string(0x4001, '\0'),
       "The FCEUX code/data log holds 16385 bytes; this ROM needs 16384"},
      {"CDLv2" + std::string(0x4000, '\0'), "The Mesen code/data log holds 16389 bytes"},
      {mesen, "The Mesen code/data log is for another ROM: its CRC32 is "},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string path = dir.write("game.cdl", c.log);
    try {
      ReadCodeDataLog(path, rom);
      ADD_FAILURE() << c.says;
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Minor);
      EXPECT_NE(e.message().find(c.says), std::string::npos) << e.message();
      EXPECT_EQ(e.file(), path);
    }
  }
}

}  // namespace
}  // namespace morvane::test
