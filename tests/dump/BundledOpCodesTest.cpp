// The bundled Op_Codes files for the NES: complete, consistent, and in
// agreement with cc65's da65 on every official opcode, and the second one
// on every stable unofficial opcode it adds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/Definitions.h"

namespace morvane {
namespace {

const std::string kBundled = std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt";
const std::string kUnofficial =
    std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES_Unofficial.txt";

struct Bundled {
  OpcodeSet set;
  ScriptedHost host;
  bool ok = false;
  explicit Bundled(const std::string& path = kBundled) {
    ok = Reported(host, [&] { ReadOpCodes(path, set); });
  }
  const AddressingModeDef& mode(int op) const {
    return set.modes[static_cast<std::size_t>(set.opcodes[static_cast<std::size_t>(op)].Mode)];
  }
  int length(int op) const {
    const OperandKind kind = mode(op).Operand;
    return kind == OperandKind::Word ? 3 : kind == OperandKind::None ? 1 : 2;
  }
};

TEST(BundledOpCodes, LoadsWithConsistentModesAndComments) {
  const Bundled b;
  ASSERT_TRUE(b.ok);
  EXPECT_TRUE(b.host.warnings.empty());
  int bad = 0;
  for (int op = 0; op < 256; ++op) {
    const auto& m = b.mode(op);
    const std::string& comment = b.set.opcodes[static_cast<std::size_t>(op)].Comment;
    EXPECT_FALSE(comment.empty()) << op;
    // A comment only uses the placeholder its operand fills.
    const bool hasWord = comment.find("wwuu") != std::string::npos;
    const bool hasRel = comment.find("rrrr") != std::string::npos;
    const bool hasByte = !hasWord && comment.find("uu") != std::string::npos;
    EXPECT_EQ(hasWord, m.Operand == OperandKind::Word && m.Format.find("wwuu") != std::string::npos)
        << op;
    EXPECT_EQ(hasRel, m.Operand == OperandKind::Relative) << op;
    EXPECT_EQ(hasByte, m.Operand == OperandKind::Byte) << op;
    if (m.Flags & kFlagBad) {
      ++bad;
      EXPECT_EQ(m.Flags, kFlagBad | kFlagAddress) << op;
      EXPECT_EQ(m.Operand, OperandKind::None) << op;
    }
    const bool ends = op == 0x40 || op == 0x60 || op == 0x4C || op == 0x6C;
    EXPECT_EQ((m.Flags & kFlagEnd) != 0, ends) << op;
    EXPECT_EQ((m.Flags & kFlagPoNd) != 0, ends) << op;
    EXPECT_EQ((m.Flags & kFlagSpace) != 0, (op & 0x1F) == 0x10) << op;
    EXPECT_EQ((m.Flags & kFlagLbl) != 0, (op & 0x1F) == 0x10 || op == 0x20 || op == 0x4C) << op;
    if (m.Format.find("#") != std::string::npos) {
      EXPECT_EQ(m.Flags, kFlagConstant) << op;
    }
    if (m.Format.find("wwuu,") != std::string::npos) {
      EXPECT_TRUE(m.Flags & kFlagTbl) << op;
    }
  }
  EXPECT_EQ(bad, 256 - 151);
  // Stores only write, loads only read, read-modify-write does both.
  EXPECT_EQ(b.mode(0x8D).Flags & (kFlagRead | kFlagWrite), kFlagWrite);
  EXPECT_EQ(b.mode(0xBD).Flags & (kFlagRead | kFlagWrite), kFlagRead);
  EXPECT_EQ(b.mode(0xEE).Flags & (kFlagRead | kFlagWrite), 0);
}

TEST(BundledOpCodes, RegisterNamesSplitReadsFromWrites) {
  const Bundled b;
  const auto& rd = b.set.ReadNames;
  const auto& wr = b.set.WriteNames;
  EXPECT_EQ(wr[0x2000], "PPUCTRL");
  EXPECT_EQ(rd[0x2000], "");
  EXPECT_EQ(rd[0x2002], "PPUSTATUS");
  EXPECT_EQ(wr[0x2002], "");
  EXPECT_EQ(rd[0x2007], "PPUDATA");
  EXPECT_EQ(wr[0x2007], "PPUDATA");
  EXPECT_EQ(wr[0x4014], "OAMDMA");
  EXPECT_EQ(rd[0x4016], "JOY1");
  EXPECT_EQ(wr[0x4016], "JOY_STROBE");
  EXPECT_EQ(rd[0x4017], "JOY2");
  EXPECT_EQ(wr[0x4017], "APU_FRAME");
  int apuWrites = 0;
  for (int a = 0x4000; a <= 0x4013; ++a) apuWrites += !wr[static_cast<std::size_t>(a)].empty();
  EXPECT_EQ(apuWrites, 18);  // 4009 and 400D are unused
}

// da65's shape of an operand: numbers and labels become N.
std::string Shape(std::string operand) {
  operand = std::regex_replace(operand, std::regex(R"(\$[0-9A-Fa-f]+|L[0-9A-F]{4})"), "N");
  for (char& c : operand) {
    if (c != 'N') c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return operand;
}

TEST(BundledOpCodes, AgreesWithDa65) {
  if (std::system("command -v da65 >/dev/null 2>&1") != 0) GTEST_SKIP() << "da65 not installed";
  // The official file against da65's 6502; the unofficial one against its
  // 6502X, on the opcodes it defines: the 151 and the 85 stable others.
  struct File {
    const std::string& path;
    const char* cpu;
    int defined;
  };
  for (const File& file : {File{kBundled, "6502", 151}, File{kUnofficial, "6502x", 151 + 85}}) {
    const Bundled b(file.path);
    ASSERT_TRUE(b.ok) << file.path;
    EXPECT_TRUE(b.host.warnings.empty()) << file.path;
    // Every opcode in a 3-byte slot, the rest filled with 58h: a one-byte cli
    // where the opcode takes fewer operand bytes, and as a branch offset (+88)
    // a target at the start of a slot, so da65 never splits an instruction.
    std::string rom;
    for (int op = 0; op < 256; ++op) rom += {static_cast<char>(op), '\x58', '\x58'};
    TempDir dir;
    const std::string bin = dir.write("all.bin", rom);
    const std::string out = dir.file("all.s");
    const std::string cmd = std::string("da65 --cpu ") + file.cpu +
                            " --start-addr 0x8000 --comments 4 -o '" + out + "' '" + bin +
                            "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);

    // "label: mnemonic operand ; ADDR BB BB ..." -> address: mnemonic, operand, length
    struct Line {
      std::string mnemonic, operand;
      int length;
    };
    std::map<int, Line> lines;
    std::ifstream in(out);
    const std::regex row(
        R"(^(?:\w+:)?\s+(\.?\w+)\s*([^;]*?)\s*;\s*([0-9A-F]{4})((?: [0-9A-F]{2})+))");
    for (std::string text; std::getline(in, text);) {
      std::smatch m;
      if (!std::regex_search(text, m, row)) continue;
      lines[std::stoi(m[3], nullptr, 16)] = {m[1], m[2], static_cast<int>(m[4].length() / 3)};
    }
    int checked = 0;
    for (int op = 0; op < 256; ++op) {
      const auto found = lines.find(0x8000 + 3 * op);
      ASSERT_NE(found, lines.end()) << op;
      const Line& peer = found->second;
      if (peer.mnemonic == ".byte" || (b.mode(op).Flags & kFlagBad)) {  // undefined
        EXPECT_TRUE(b.mode(op).Flags & kFlagBad) << op;
        continue;
      }
      ++checked;
      EXPECT_EQ(b.set.opcodes[static_cast<std::size_t>(op)].Mnemonic, peer.mnemonic) << op;
      EXPECT_EQ(b.length(op), peer.length) << op;
      std::string ours = b.mode(op).Format;
      ours = std::regex_replace(ours, std::regex(R"(\$(wwuu|uu|rrrr))"), "N");
      EXPECT_EQ(ours, Shape(peer.operand)) << op;
    }
    EXPECT_EQ(checked, file.defined) << file.path;
  }
}

}  // namespace
}  // namespace morvane
