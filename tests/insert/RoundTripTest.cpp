// The bundled sample dumped as a script, translated, inserted and dumped again.
#include <gtest/gtest.h>

#include <cstdlib>

#include "SampleTranslation.h"
#include "dump/DumpDriver.h"
#include "insert/Insert.h"
#include "patch/PatchFormat.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

Settings SampleText(std::int32_t end, const char* endText) {
  Settings s;
  s.mode = kText;
  s.asTable = false;
  s.start = 0x8054;
  s.end = end;
  s.startText = "8054";
  s.endText = endText;
  return s;
}

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

TEST(RoundTrip, TheTranslationReadsBackFromTheModifiedRom) {
  TempDir dir;
  const std::string original = Slurp(std::string(MORVANE_SAMPLES_DIR) + "/sample.nes");
  const std::string rom = dir.write("sample.nes", original);
  const std::string tbl =
      dir.write("sample.tbl", Slurp(std::string(MORVANE_SAMPLES_DIR) + "/sample.tbl"));
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom).answer(Dialog::OpenTBL, tbl);
  ASSERT_EQ(PlainDumpJob(SampleText(0x8093, "8093"), host).outcome, Outcome::Done);

  // The user's edits: the six header lines to the top with the pointer table
  // address filled in, and a translation in place of each phrase's number rows.
  std::string script = Slurp(dir.file("sample Text.txt"));
  const auto header = script.find("sample Text\r\n");
  ASSERT_NE(header, std::string::npos);
  std::string top = script.substr(header, script.find(";----", header) - header);
  Replace(top, "Ptrs\tNONE\t[NONE+1]", "Ptrs\t804C\t804D");
  Replace(script, "HELLO WORLD!\r\n0\r\n", "HELLO WORLD!\r\nBONJOUR MONDE!\r\n");
  Replace(script, "FOR MORVANE.\r\n1\r\n1\r\n", "CECI EST UN\r\nEXEMPLE.\r\n");
  Replace(script, "PRESS START\r\n2\r\n", "PRESS START\r\nAPPUYEZ START\r\n");
  Replace(script, "THE END.\r\n3\r\n", "THE END.\r\nFIN.\r\n");
  const std::string scriptPath = dir.write("sample.txt", top + script);

  host = ScriptedHost();
  host.answer(Dialog::OpenNES, rom)
      .answer(Dialog::OpenSJS, scriptPath)
      .answer(Dialog::OpenTBL, tbl);
  ASSERT_EQ(InsertJob(Settings{}, host).outcome, Outcome::Done);
  const std::string modified = Slurp(dir.file("sample_Modified.nes"));
  const std::string expected = FrenchSample(original);
  EXPECT_EQ(modified, expected);
  EXPECT_EQ(Slurp(rom), original);

  host = ScriptedHost();
  host.answer(Dialog::OpenNES, dir.file("sample_Modified.nes")).answer(Dialog::OpenTBL, tbl);
  ASSERT_EQ(PlainDumpJob(SampleText(0x808A, "808A"), host).outcome, Outcome::Done);
  const std::string again = Slurp(dir.file("sample_Modified Text.txt"));
  EXPECT_NE(again.find(CrLf({"0:8054:", "BONJOUR MONDE!", "0", "", "1:8063:", "CECI EST UN",
                             "EXEMPLE.", "1", "1", "", "2:8078:", "APPUYEZ START", "2", "",
                             "3:8086:", "FIN.", "3", "", ";--------------------"})),
            std::string::npos)
      << again;

  // The command line runs the same job.
  const std::string viaCli = dir.file("cli");
  const std::string command = std::string("mkdir \"") + viaCli + "\" && cp \"" + rom + "\" \"" +
                              scriptPath + "\" \"" + tbl + "\" \"" + viaCli + "\" && \"" +
                              MORVANE_BINARY + "\" insert --rom \"" + viaCli +
                              "/sample.nes\" --script \"" + viaCli + "/sample.txt\" --tbl \"" +
                              viaCli + "/sample.tbl\" --patch ips >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(Slurp(viaCli + "/sample_Modified.nes"), expected);
  // With the patch from the sample to it.
  EXPECT_EQ(ApplyPatch(original, Slurp(viaCli + "/sample_Modified.ips")), expected);
}

}  // namespace
}  // namespace morvane
