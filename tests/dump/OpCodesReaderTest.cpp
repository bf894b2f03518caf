#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/Definitions.h"
#include "shell/JobError.h"

namespace morvane {
namespace {

// A file with the given mode lines, then `opcodes` opcode lines of mode "M",
// then the extra lines.
std::string OpFile(const std::string& modes, int opcodes, const std::string& extra = {}) {
  std::string text = "A\tM\t$uu\tvbl\r\n" + modes;
  for (int i = 0; i < opcodes; ++i) text += "O\tM\top" + std::to_string(i) + "\t\r\n";
  return text + extra;
}

struct Loaded {
  TempDir dir;
  ScriptedHost host;
  OpcodeSet set;
  std::string path;
  bool ok = false;
};

std::unique_ptr<Loaded> Load(const std::string& text) {
  auto r = std::make_unique<Loaded>();
  r->path = r->dir.write("Op_Codes.txt", text);
  r->ok = Reported(r->host, [&] { ReadOpCodes(r->path, r->set); });
  return r;
}

// The message is the box's title, the path its text.
void ExpectWarning(const Loaded& r, const std::string& message) {
  EXPECT_FALSE(r.ok);
  ASSERT_EQ(r.host.warnings.size(), 1u);
  EXPECT_EQ(r.host.warnings[0].first, message);
  EXPECT_EQ(r.host.warnings[0].second, r.path);
}

TEST(OpCodesReader, ModeFormatsAndOptions) {
  const auto r = Load(OpFile(
      "A\tabs\t$wwuu\tEnd Space\r\nA\tupper\t$WWUU\tend,space\r\nA\trel\t$rrrr\tbackend "
      "blank-space\r\nA\timm\t#$uu\t\r\nA\tall\t\tEND SPACE ADDRESS LBL TBL CONSTANT VBL LCASE "
      "READ WRITE POND BAD endend\r\n",
      256));
  ASSERT_TRUE(r->ok);
  EXPECT_TRUE(r->host.warnings.empty());
  const auto& m = r->set.modes;
  EXPECT_EQ(m[0].Format, "");
  EXPECT_EQ(m[0].Flags, 0);
  EXPECT_EQ(m[1].Operand, OperandKind::Byte);
  EXPECT_EQ(m[1].Flags, kFlagVbl);
  EXPECT_EQ(m[2].Operand, OperandKind::Word);
  EXPECT_EQ(m[3].Operand, OperandKind::None);  // placeholders are case-sensitive
  EXPECT_EQ(m[3].Format, "$WWUU");
  EXPECT_EQ(m[4].Operand, OperandKind::Relative);
  EXPECT_EQ(m[5].Operand, OperandKind::Byte);
  for (int slot : {2, 3, 4}) EXPECT_EQ(m[slot].Flags, 3) << slot;
  EXPECT_EQ(m[5].Flags, 0);
  EXPECT_EQ(m[6].Flags, 4095);
  EXPECT_EQ(r->set.opcodes[255].Mnemonic, "op255");
  EXPECT_EQ(r->set.opcodes[255].Mode, 1);
}

TEST(OpCodesReader, OpcodeLinesAndComments) {
  std::string text = "a\tM\tx\r\no\tM\tx\r\nA \tM\tx\r\nO \tM\tx\r\n; A\r\n\r\n";
  text += "A\tM\t$uu\t\r\nA\tM\t$wwuu\t\r\nO\t\tbrk\tBreak\tnote\r\n";
  for (int i = 1; i < 256; ++i) text += "O\tM\tlda\tA = uu\r\n";
  const auto r = Load(text);
  ASSERT_TRUE(r->ok);
  EXPECT_EQ(r->set.opcodes[0].Mode, 0);  // empty mode field
  EXPECT_EQ(r->set.opcodes[0].Mnemonic, "brk");
  EXPECT_EQ(r->set.opcodes[0].Comment, "Break");
  EXPECT_EQ(r->set.opcodes[1].Mode, 1);  // the first mode of a repeated name
  EXPECT_EQ(r->set.opcodes[1].Comment, "A = uu");
  EXPECT_EQ(r->set.modes[3].Format, "");  // comment lines defined no modes
}

TEST(OpCodesReader, Warnings) {
  std::string modes;
  for (int i = 0; i < 10000; ++i) modes += "A\tm" + std::to_string(i) + "\t$uu\tend\r\n";
  auto r = Load(OpFile(modes, 256));
  ExpectWarning(*r, "More than 127 addressing modes in the Op_Codes file.");
  EXPECT_EQ(r->set.modes[127].Format, "$uu");

  std::string exactly127;
  for (int i = 0; i < 126; ++i) exactly127 += "A\tm" + std::to_string(i) + "\t$uu\t\r\n";
  EXPECT_TRUE(Load(OpFile(exactly127, 256))->ok);

  r = Load(OpFile("", 257));
  ExpectWarning(*r, "More than 256 Op Codes in the Op_Codes file.");
  EXPECT_EQ(r->set.opcodes[255].Mnemonic, "op255");

  r = Load(OpFile("", 5, "O\tLater\tx\t\r\nA\tLater\t\t\r\n"));
  ExpectWarning(*r, "Op Code 05 type Later doesn't exist in the Op_Codes file.");

  r = Load(OpFile("", 3));
  ExpectWarning(*r, "Not enough op codes in the Op_Codes file.\r\nNeed 256.  Have only 3.");
  ExpectWarning(*Load(""), "Not enough op codes in the Op_Codes file.\r\nNeed 256.  Have only 0.");
}

TEST(OpCodesReader, NameLines) {
  const auto r = Load(OpFile("", 256,
                             "VR\t2002\t\tPPUSTATUS\r\nVW\t2000\t\tPPUCTRL\r\n"
                             "V\t0300\t0307\tbuf_\t0\r\nV\t0310\t0312\tarr_\r\n"
                             "V\t0320\t0321\tx_\t10\r\nV\tzz\t\tBad\r\nV\t0330\tzz\tBad\r\n"
                             "V\t0340\t033F\tBad\r\nV\t0350\t350\tone\t5\r\nVR\tFFFF\t\tTop\r\n"
                             "VW\t10000\t\tPast\r\n"));
  ASSERT_TRUE(r->ok);
  const auto& rd = r->set.ReadNames;
  const auto& wr = r->set.WriteNames;
  EXPECT_EQ(rd[0x2002], "PPUSTATUS");
  EXPECT_EQ(wr[0x2002], "");
  EXPECT_EQ(rd[0x2000], "");
  EXPECT_EQ(wr[0x2000], "PPUCTRL");
  for (int a = 0; a < 8; ++a) {
    EXPECT_EQ(rd[0x300 + a], "buf_" + std::to_string(a));
    EXPECT_EQ(wr[0x300 + a], "buf_" + std::to_string(a));
  }
  EXPECT_EQ(rd[0x310], "arr_310");
  EXPECT_EQ(rd[0x312], "arr_312");
  EXPECT_EQ(rd[0x321], "x_11");
  EXPECT_EQ(rd[0x330], "");
  EXPECT_EQ(rd[0x33F], "");
  EXPECT_EQ(rd[0x340], "");
  EXPECT_EQ(rd[0x350], "one");
  EXPECT_EQ(rd[0xFFFF], "Top");
  EXPECT_EQ(wr[0x10000], "Past");
}

// The name lines read alone over a Table List's titles give what a whole
// reading gives over the same titles: an empty name removes a title.
TEST(OpCodesReader, NamesAloneOverTitles) {
  const auto r = Load(OpFile("", 256,
                             "VR\t2002\t\tPPUSTATUS\r\nV\t0300\t0302\tbuf_\r\nV\t0400\t\t\r\n"
                             "VW\t0500\t\tOut\r\n"));
  ASSERT_TRUE(r->ok);
  const auto titled = [] {
    OpcodeSet set;
    for (const std::size_t a : {0x2002, 0x300, 0x400, 0x401}) set.ReadNames.set(a, "title");
    return set;
  };
  OpcodeSet whole = titled();
  OpcodeSet names = titled();
  ReadOpCodes(r->path, whole);
  ReadOpCodeNames(r->path, names);
  for (const std::size_t a : {0x2002, 0x300, 0x302, 0x303, 0x400, 0x401, 0x500}) {
    EXPECT_EQ(names.ReadNames[a], whole.ReadNames[a]) << a;
    EXPECT_EQ(names.WriteNames[a], whole.WriteNames[a]) << a;
  }
  EXPECT_EQ(names.ReadNames[0x2002], "PPUSTATUS");
  EXPECT_EQ(names.ReadNames[0x400], "");
  EXPECT_EQ(names.ReadNames[0x401], "title");
  EXPECT_EQ(names.WriteNames[0x500], "Out");
}

TEST(OpCodesReader, NamesBeyondTheAddressSpaceAreRunTimeErrors) {
  for (const char* line : {"V\t10001\t\tX\r\n", "V\tFFFE\t10001\tX\r\n", "V\t0\tFFFFFFF\tX\r\n"}) {
    TempDir dir;
    ScriptedHost host;
    OpcodeSet set;
    const auto path = dir.write("o.txt", OpFile("", 256, line));
    try {
      ReadOpCodes(path, set);
      ADD_FAILURE() << line;
    } catch (const JobError& e) {
      EXPECT_EQ(e.number(), kErrSubscript);
    }
    EXPECT_TRUE(host.warnings.empty());
  }
}

TEST(OpCodesReader, MissingFileAndBinaryJunk) {
  OpcodeSet set;
  try {
    ReadOpCodes("/nonexistent/Op_Codes.txt", set);
    ADD_FAILURE();
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
  std::string junk;
  std::uint32_t seed = 12345;
  for (int i = 0; i < 1 << 18; ++i) {
    seed = seed * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(seed >> 24));
  }
  const auto r = Load(junk);
  EXPECT_FALSE(r->ok);
  EXPECT_EQ(r->host.warnings.size(), 1u);
}

}  // namespace
}  // namespace morvane
