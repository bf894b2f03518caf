#include <gtest/gtest.h>

#include <map>

#include "games/PortopiaInsert.h"
#include "patch/PatchFormat.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

const std::string kFullTable = [] {
  std::string t;
  for (char c = 'A'; c <= 'Z'; ++c) t += HexByte(c) + "=" + c + "\r\n";
  return t + "20= \r\n60=the\r\n69=Bob:\r\nFD=\\/\r\n/FF\r\n*FE\r\n";
}();
constexpr std::int64_t kAreaStart[] = {0x0D97, 0x4D97, 0x8D97};

std::string Row(const std::string& translation) {
  return "src\t" + translation + "\r\n";
}

// A script of all 496 strings: string n is one row of the letter n mod 26,
// unless bodies gives its own lines (header included).
std::string Script(const std::map<int, std::string>& bodies = {}) {
  std::string s = "Portopia script\r\n\r\n";
  for (int n = 0; n <= 0x1EF; ++n) {
    const auto it = bodies.find(n);
    s += it != bodies.end()
             ? it->second
             : PadHex(n, 3) + ": note\r\n" + Row(std::string(1, 'A' + n % 26)) + "\r\n";
  }
  return s;
}

std::string Rom() {
  std::string rom(0xC010, '\0');
  for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>(i * 13 + 5);
  return rom;
}

struct PortopiaRun {
  TempDir dir;
  ScriptedHost host;
  JobResult result;
  std::string rom = Rom();
  std::string out;
  Settings settings;
  void run(const std::string& script, const std::string& table = kFullTable) {
    host.answer(Dialog::OpenNES, dir.write("porto.nes", rom));
    host.answer(Dialog::OpenSJS, dir.write("porto.sjs", script));
    host.answer(Dialog::OpenTBL, dir.write("porto.tbl", table));
    result = PortopiaInsertJob(settings, host);
    // A run that stopped keeps its partial ROM beside the output's name.
    out = result.written.empty() ? std::string() : Slurp(result.written.front());
  }
  std::string area(int b, std::size_t length) const {
    return out.substr(static_cast<std::size_t>(kAreaStart[b]), length);
  }
  std::string error() const { return host.errors.empty() ? std::string() : host.errors.back(); }
};

// The job error box; a run-time code's box ends in plain words.
std::string InsertError(const std::string& step, int number = 1000, const std::string& words = {}) {
  const std::string message = number == 1000 ? "Application-defined or object-defined error"
                              : number == 62 ? "Input past end of file"
                                             : "Overflow";
  const std::string plain = number == 6 ? "A number is too large for its field." : words;
  return "Error #" + std::to_string(number) + " -> " + message +
         "\r\n\r\nError during Insert:\r\n" + step + (plain.empty() ? "" : "\r\n\r\n" + plain);
}

TEST(PortopiaInsert, FirstStringAndItsLabels) {
  PortopiaRun run;
  run.run("000: first\r\n" + Row("HELLO") + "\r\n");
  // The script ends before string 1: the labels show string 0.
  EXPECT_EQ(run.result.outcome, Outcome::Failed);
  EXPECT_EQ(run.error(), InsertError("Ignore all SJS Rows until iStringNumber = 1h", 62,
                                     run.dir.file("porto.sjs") +
                                         " ends after line 3 before string 1h was complete."));
  EXPECT_EQ(run.result.incomplete,
            std::vector<std::string>{run.dir.file("porto_Modified (incomplete).nes")});
  EXPECT_EQ(run.host.labels[30], "6");
  EXPECT_EQ(run.host.labels[31], "12329");
  EXPECT_EQ(run.host.labels[32], "0h");
  for (int i = 33; i <= 38; ++i) EXPECT_EQ(run.host.labels[i], "?????") << i;
  EXPECT_EQ(run.out, run.rom.substr(0, 0xD97) + "HELLO\xFF");
  EXPECT_EQ(run.host.busyLeft, 1);
}

TEST(PortopiaInsert, WholeScriptKeepsEverythingOutsideTheAreas) {
  PortopiaRun run;
  run.run(Script());
  ASSERT_EQ(run.result.outcome, Outcome::Done) << run.error();
  ASSERT_EQ(run.out.size(), run.rom.size());
  std::string expected = run.rom;
  const int firstString[] = {0, 0xA5, 0x14A, 0x1F0};
  for (int b = 0; b < 3; ++b) {
    std::size_t at = static_cast<std::size_t>(kAreaStart[b]);
    for (int n = firstString[b]; n < firstString[b + 1]; ++n) {
      expected[at++] = static_cast<char>('A' + n % 26);
      expected[at++] = '\xFF';
    }
  }
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(run.host.labels[30], "330");
  EXPECT_EQ(run.host.labels[31], "12005");
  EXPECT_EQ(run.host.labels[32], "A4h");
  EXPECT_EQ(run.host.labels[35], "149h");
  EXPECT_EQ(run.host.labels[36], "332");
  EXPECT_EQ(run.host.labels[38], "1EFh");
  EXPECT_TRUE(run.host.errors.empty());
}

TEST(PortopiaInsert, WritesTheAskedPatch) {
  PortopiaRun run;
  run.settings.options.add("patch", "ips");
  run.run(Script());
  ASSERT_EQ(run.result.outcome, Outcome::Done) << run.error();
  const std::string patch = run.dir.file("porto_Modified.ips");
  EXPECT_EQ(run.result.written,
            (std::vector<std::string>{run.dir.file("porto_Modified.nes"), patch}));
  EXPECT_EQ(ApplyPatch(run.rom, Slurp(patch)), run.out);
}

TEST(PortopiaInsert, RowsEndsAndHeaders) {
  PortopiaRun run;
  run.run(Script({
      {0, "000:\r\n" + Row("AB") + "no tab here\r\n" + "src\t\t\tCD\r\n\r\n"},
      {1, "001\r\nno tab first\r\n" + Row("AB") + "\r\n"},
      {2, "002:\r\n\\/\r\n" + Row("AB") + "\\/\r\n"},
      {3, "003:\r\n\x81\xAB\r\n" + Row("A B") + "\x81\xAB\r\n"},
      {10, "A:\r\n" + Row("ZZ") + "\r\n0A:\r\n" + Row("YY") + "\r\n00a: x\r\n" + Row("K") + "\r\n"},
      {11, "00B\r\n" + Row("theA") + "\r\n"},
  }));
  ASSERT_EQ(run.result.outcome, Outcome::Done) << run.error();
  std::string expected =
      "AB\xFE"
      "CD\xFF"
      "\xFE"
      "AB\xFF"
      "\xFD"
      "AB\xFD"
      "\xFD"
      "A B\xFD";
  for (char c = 'E'; c <= 'J'; ++c) expected += std::string(1, c) + "\xFF";
  expected +=
      "K\xFF"
      "\x60"
      "A\xFF";
  EXPECT_EQ(run.area(0, expected.size()), expected);
}

TEST(PortopiaInsert, RowWidths) {
  const std::string a28(28, 'A');
  {
    PortopiaRun run;
    run.run(Script(
        {{0, "000:\r\n" + Row(a28) + "\r\n"},
         {1, "001:\r\n" + Row("Bob:" + std::string(24, 'A')) + Row(std::string(24, 'B')) + "\r\n"},
         {2, "002:\r\n" + Row(a28) + "\r\n"},  // the prefix was the last string's
         {3, "003:\r\n" + Row("the" + std::string(25, 'A')) + "\r\n"},
         {0xED, "0ED:\r\n" + Row(a28 + "AAAA") + "\r\n"},
         // a row without a tab is not measured, even after string 237's wide row
         {0xEE, "0EE:\r\nno tab\r\n" + Row("A") + "\r\n"}}));
    EXPECT_EQ(run.result.outcome, Outcome::Done) << run.error();
  }
  const auto refused = [](const std::string& rows) {
    PortopiaRun run;
    run.run(Script({{0, "000:\r\n" + rows + "\r\n"}}));
    EXPECT_EQ(run.result.outcome, Outcome::Failed);
    return run.error();
  };
  EXPECT_EQ(refused(Row(a28 + "A")),
            InsertError("StringNumber = 0h line '" + a28 + "A' is too long. 0 + 29 > 28."));
  EXPECT_EQ(refused(Row("Bob:" + std::string(25, 'A'))),
            InsertError("StringNumber = 0h line 'Bob:" + std::string(25, 'A') +
                        "' is too long. 4 + 25 > 28."));
  EXPECT_EQ(refused(Row("Bob:A") + Row(std::string(25, 'B'))),
            InsertError("StringNumber = 0h line '" + std::string(25, 'B') +
                        "' is too long. 4 + 25 > 28."));
  EXPECT_EQ(refused(Row("AB#C")),
            InsertError("StringNumber = 0h, Incorrect 3rd character after 'AB' in English"));
}

TEST(PortopiaInsert, AreaIsNeverOverflowed) {
  const std::string a28(28, 'A');
  std::map<int, std::string> bodies;
  for (int n = 0; n <= 0xA4; ++n)
    bodies[n] = PadHex(n, 3) + "\r\n" + Row(a28) + Row(a28) + Row(a28) + "\r\n";
  PortopiaRun run;
  run.run(Script(bodies));
  // 87 bytes a string: 141 strings fit in 12335 bytes.
  EXPECT_EQ(run.result.outcome, Outcome::Failed);
  EXPECT_EQ(run.error(), InsertError("Area 0 is full: StringNumber = 8Dh does not fit in its 12335 "
                                     "bytes. The last string that fits is 8Ch."));
  EXPECT_EQ(run.host.labels[30], "12267");
  EXPECT_EQ(run.host.labels[32], "8Ch");
  ASSERT_EQ(run.out.size(), 0x3DC6u);  // nothing past the area's last byte
  EXPECT_EQ(run.out.substr(0, 0xD97), run.rom.substr(0, 0xD97));

  std::string huge = "000:\r\n";
  for (int r = 0; r < 430; ++r) huge += Row(a28);
  PortopiaRun alone;
  alone.run(Script({{0, huge + "\r\n"}}));
  EXPECT_EQ(alone.error(), InsertError("Area 0 is full: StringNumber = 0h does not fit in its "
                                       "12335 bytes. No string of the area fits."));
  EXPECT_EQ(alone.out.size(), 0x3DC6u);
}

TEST(PortopiaInsert, FailuresAndCancel) {
  {  // no new-line byte in the table
    PortopiaRun run;
    std::string table = kFullTable;
    table.erase(table.find("*FE"));
    run.run(Script({{0, "000:\r\n" + Row("A") + Row("B") + "\r\n"}}), table);
    EXPECT_EQ(run.error(), InsertError("Read first row of iStringNumber = 0h", 6));
  }
  {  // the output would replace the script
    TempDir dir;
    ScriptedHost host;
    const std::string script = Script();
    host.answer(Dialog::OpenNES, dir.write("p.nes", Rom()));
    host.answer(Dialog::OpenSJS, dir.write("p_Modified.nes", script));
    host.answer(Dialog::OpenTBL, dir.write("p.tbl", kFullTable));
    EXPECT_EQ(PortopiaInsertJob(Settings{}, host).outcome, Outcome::Warned);
    EXPECT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(Slurp(dir.file("p_Modified.nes")), script);
  }
  {
    ScriptedHost host;
    host.answer(Dialog::OpenNES, "p.nes");
    host.answer(Dialog::OpenSJS, std::nullopt);
    EXPECT_EQ(PortopiaInsertJob(Settings{}, host).outcome, Outcome::Cancelled);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_EQ(host.busyLeft, 1);
  }
}

}  // namespace
}  // namespace morvane
