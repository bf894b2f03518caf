#include <gtest/gtest.h>

#include "FdsImage.h"
#include "fds/FdsSplit.h"
#include "shell/Reports.h"
#include "shell/Settings.h"

namespace morvane::test {
namespace {

DiskFile Kyodaku() {
  return {"KYODAKU-", 0x2800, 2, std::string(0xE0, '\x24'), 0x00};
}

TEST(FdsSplit, WritesTheWholeListingAndTheFile) {
  TempDir dir;
  const JobRun run = Split(dir.write("Game.fds", BuildImage({{{Kyodaku()}}}, false)), false);
  EXPECT_EQ(run.host.statuses, (std::vector<std::string>{"Starting...", "Done: "}));
  const std::string eq(132, '='), dash(132, '-');
  EXPECT_EQ(Slurp(run.out),
            CrLf({"NO FDS HEADER",
                  "",
                  "",
                  eq,
                  "= Disk 1 Side A =",
                  "=================",
                  "BLOCK ID\t01: VOLUME LABEL",
                  "FC DISK\t\t\"*NINTENDO-HVC*\"",
                  "MANUFACTURER\t01: Nintendo",
                  "GAME NAME\t41 42 43 = \"ABC\"",
                  "GAME TYPE\t20: Normal Disk",
                  "GAME VERSION\t00",
                  "SIDE NUMBER\t00: Side A",
                  "DISK NUMBER\t00: Disk 1",
                  "DISK TYPE\t00: FMC (Normal Card)",
                  "DISK COLOR\t00: Yellow",
                  "BOOT READ\t0F",
                  "UNKNOWN DATA\t00 00 00 00 00",
                  "PERMIT DATE\t02/14/1986",
                  "COUNTRY\t\t49: Japan",
                  "UNKNOWN DATA\t07 07 07 07 07 07 07 07 07",
                  "RE-WRITE DATE\t12/31/1986",
                  "UNKNOWN DATA\t00 00",
                  "DISK WRITER SN\t12 34",
                  "UNKNOWN DATA\t00",
                  "DISK RE-WRITES\t00",
                  "DISK SIDE\t00: Side A",
                  "UNKNOWN DATA\t00",
                  "PRICE\t\t01: 3400 Yen",
                  dash,
                  "BLOCK ID\t02: FILE AMOUNT",
                  "FILE COUNT\t01",
                  dash,
                  "BLOCK ID\tNUMBER\tID CODE\tNAME\t\tADDRESS\tLENGTH\tTYPE\t\t\tFDS/NES "
                  "RAM\t.fds FILE\tBLOCK ID",
                  "03:FILE HEADER\t00\t00\t\"KYODAKU-\"\t2800\t00E0\t02 VRAM: Name "
                  "Table\t2800-28df\t0004b-0012a\t04:FILE DATA",
                  "EMPTY SPACE\t00 00 00 00 00 00 00 00 00 00 00 00\tFEB1\t\t\t\t\t\t0012b-0ffdb",
                  eq}));
  EXPECT_EQ(Slurp(dir.file("VRAM 2800-28DF KYODAKU- 1A[00]00.nes")), std::string(0xE0, '\x24'));
}

TEST(FdsSplit, HeaderRowsSideTitlesAndFileNames) {
  TempDir dir;
  DiskSide plain;
  DiskSide named{{{std::string("A\0/:*?\"\xFF", 8), 0x6000, 0, "x", 0x07}}};
  named.yearByte = 0x8A;
  const JobRun run = Split(dir.write("Two.fds", BuildImage({plain, plain, named})));
  const std::string listing = Slurp(run.out);
  EXPECT_TRUE(listing.starts_with(CrLf(
      {"fwNES ID\t\"FDS[^Z]\"", "DISK SIDES\t03", "RESERVED\t00 00 00 00 00 00 00 00 00 00 00"})));
  for (const char* title : {"= Disk 1 Side A =", "= Disk 1 Side B =", "= Disk 2 Side A ="}) {
    EXPECT_NE(listing.find(title), std::string::npos) << title;
  }
  EXPECT_NE(listing.find("PERMIT DATE\t02/14/8A (Improper Year Format)\r\n"), std::string::npos);
  EXPECT_NE(listing.find("\"A\x95/:*?\"\x95\""), std::string::npos);
  EXPECT_EQ(Slurp(dir.file("PRAM 6000-6000 A''''''' 2A[07]00.nes")), "x");
  EXPECT_EQ(run.host.lastStatus(), "Done: ");
}

std::string SplitError(const std::string& image, bool header = true) {
  TempDir dir;
  const JobRun run = Split(dir.write("Bad.fds", image), header);
  EXPECT_EQ(run.host.lastStatus(), "FDS Split Error");
  EXPECT_EQ(run.host.errors.size(), 1u);
  return run.host.errors.empty() ? std::string() : run.host.errors.front();
}

std::string Expected(const std::string& message) {
  return ErrorBoxText(1000, message, "");
}

TEST(FdsSplit, EachLayoutFaultEndsWithItsMessage) {
  const std::string side = BuildImage({{{Kyodaku()}}}, false);
  const auto failsWith = [](const std::string& image, const std::string& message, bool header) {
    const std::string box = SplitError(image, header);
    EXPECT_EQ(box.substr(0, box.find("Filename accessed")), Expected(message) + "\r\n\r\n");
  };
  failsWith(side,
            "No FDS header found; to split disk files w/o header:\r\n  UnCheck '16 Byte "
            "Header'\r\n OR\r\n  Insert 16 byte header: F D S 1A DISK_SIDES 00 00 00 00 "
            "00 00 00 00 00 00 00",
            true);
  failsWith(BuildImage({{}}, true), "No Volume Label Found; Found Block 46 instead.", false);
  failsWith(Replace(side, "HVC", "HVX"), "No FC DISK  Found; Found \"*NINTENDO-HVX*\" instead.",
            false);
  failsWith(Replace(side, std::string("\x02\x01\x03", 3), std::string("\x05\x01\x03", 3)),
            "No File Amount Found; Found Block 05 instead.", false);
  failsWith(Replace(side, std::string("\x03\x00\x00K", 4), std::string("\x03\x02\x00K", 4)),
            "Didn't Find File 00; Found File 02 instead.", false);
  failsWith(Replace(side, std::string("\xE0\x00\x02\x04", 4), std::string("\xE0\x00\x03\x04", 4)),
            "File Type Wrong; Type Found = 03", false);
  failsWith(Replace(side, std::string("\xE0\x00\x02\x04", 4), std::string("\xE0\x00\x02\x09", 4)),
            "No File Data Found; Found Block 09 instead.", false);
}

TEST(FdsSplit, FailureNamesImageAndListingAndKeepsTheListing) {
  TempDir dir;
  const std::string path = dir.write("Bad.fds", BuildImage({{}}, true));
  const JobRun run = Split(path, false);
  ASSERT_EQ(run.host.errors.size(), 1u);
  EXPECT_NE(run.host.errors[0].find("Filename accessed -> " + path + " or " +
                                    dir.file("Bad FDS Files.txt")),
            std::string::npos);
  EXPECT_EQ(run.out, dir.file("Bad FDS Files (incomplete).txt"));
  EXPECT_EQ(Slurp(run.out), CrLf({"NO FDS HEADER", "", "", std::string(132, '=')}));
}

TEST(FdsSplit, CancelAndMissingImage) {
  TempDir dir;
  const std::string path = dir.write("Game.fds", BuildImage({{{Kyodaku()}}}, false));
  const JobRun cancelled = Split(path, false, 3);
  EXPECT_EQ(cancelled.host.lastStatus(), "Canceled at 0003: ");
  EXPECT_TRUE(cancelled.host.errors.empty());
  EXPECT_TRUE(Slurp(cancelled.out)
                  .ends_with("=================\r\nBLOCK ID\t01: VOLUME "
                             "LABEL\r\nCANCELED at 0003\r\n"));

  // A cancel in the second file's data: the first file is whole and stays;
  // the listing and the second file are partial and kept beside their names.
  DiskFile second = Kyodaku();
  second.name = "SECOND--";
  second.data = std::string(0x40, 'Q');
  second.id = 1;
  const std::string image = BuildImage({{{Kyodaku(), second}}}, false);
  const std::string twoFiles = dir.write("Two.fds", image);
  const JobRun inSecond =
      Split(twoFiles, false, static_cast<int>(image.find(std::string(0x40, 'Q'))) + 8);
  EXPECT_EQ(inSecond.result.outcome, Outcome::Cancelled);
  EXPECT_EQ(
      inSecond.result.written,
      (std::vector<std::string>{dir.file("Two FDS Files (incomplete).txt"),
                                dir.file("VRAM 2800-28DF KYODAKU- 1A[00]00.nes"),
                                dir.file("VRAM 2800-283F SECOND-- 1A[01]01 (incomplete).nes")}));
  EXPECT_EQ(inSecond.result.incomplete,
            (std::vector<std::string>{inSecond.result.written[0], inSecond.result.written[2]}));
  EXPECT_EQ(Slurp(inSecond.result.written[2]).size(), 8u);

  ScriptedHost host;
  host.answer(Dialog::OpenFDS, std::nullopt);
  EXPECT_EQ(FdsSplitJob(Settings{}, host).outcome, Outcome::Cancelled);
  EXPECT_EQ(host.lastStatus(), "Split Canceled");

  const JobRun missing = Split(dir.file("none.fds"));
  EXPECT_EQ(missing.host.lastStatus(), "FDS Split Error");
  ASSERT_EQ(missing.host.errors.size(), 1u);
  EXPECT_EQ(missing.host.errors[0],
            ErrorBoxText(53, "Split FDS Files - FDS File", dir.file("none.fds")) +
                "\r\n\r\nThe file does not exist.");
}

}  // namespace
}  // namespace morvane::test
