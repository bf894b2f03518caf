// Damaged and hostile patches end in a clear message, never a crash, a hang
// or a huge allocation.
#include <gtest/gtest.h>

#include "PatchFixture.h"
#include "patch/PatchFormat.h"
#include "shell/JobError.h"

namespace morvane::test {
namespace {

std::string FaultOf(std::string_view source, std::string_view patch) {
  try {
    ApplyPatch(source, patch);
  } catch (const JobError& e) {
    // A file the patch was not made for is the file's fault, not the patch's.
    const bool sourceFault = e.detail().find("This BPS patch is for a") == 0;
    EXPECT_EQ(e.number(), sourceFault ? kErrPatchSource : kErrPatch) << e.detail();
    return e.detail();
  }
  return "(applied)";
}

TEST(BadPatch, RefusedWithAClearMessage) {
  const std::string src = "ABCDEFGH";
  const std::string bps = "BPS1" + B("88 88 80 9C");  // SourceRead 8
  std::string damaged = Footer(src, src, bps);
  damaged[5] = '\x89';
  const struct {
    std::string source, patch, message;
  } cases[] = {
      {src, "PATCX" + B("000000 0001 00") + "EOF", "neither an IPS"},
      {src, "", "neither an IPS"},
      {src, "PATCH", "cut short"},
      {src, "PATCH" + B("000000 0005") + "ab", "cut short"},
      {src, "PATCH" + B("000000 00"), "cut short"},
      {src, "PATCH" + B("000000 0000 0010"), "cut short"},
      {src, "PATCH" + B("FFFFFF 0002") + "abEOF", "past 16 MiB"},
      {src, "PATCH" + B("FFFF00 0000 FFFF 00") + "EOF", "past 16 MiB"},
      {src, "PATCHEOF" + B("00"), "1 bytes after \"EOF\""},
      {src, "PATCHEOF" + B("00000001"), "4 bytes after \"EOF\""},
      {src, "PATCHEOF" + B("000009"), "truncates to 9h bytes"},
      {src, "BPS1", "cut short"},
      {src, damaged, "its CRC32 is"},
      {src + "I", Footer(src, src, bps), "for a file of 8 bytes; this one has 9"},
      {"ABCDEFGX", Footer(src, src, bps), "for another file"},
      // A target of 4 GiB.
      {src, Footer(src, src, "BPS1" + B("88 00 7F 7E 7E 8E 80 9C")), "more than 256 MiB"},
      {src, Footer(src, src, "BPS1" + B("88 00 00 00 00 00 00 00 00 00 00 80")), "too large"},
      {src, Footer(src, src, "BPS1" + B("88 88 E4 9C")), "cut short"},  // metadata
      {src, Footer(src, src, "BPS1" + B("88 8A 80 A4")),
       "SourceRead writing target offset 0h reads past"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 8E 83")),
       "SourceCopy writing target offset 0h reads outside"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 8E 8C")), "reads outside the source"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 8F 80")),
       "TargetCopy writing target offset 0h reads target bytes not yet"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 81 61 8F 83")), "reads target bytes not yet"},
      {src, Footer(src, src, "BPS1" + B("88 84 80 9C")), "writes past the target's end"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 8C")), "make 4 bytes, not the 8"},
      {src, Footer(src, src, "BPS1" + B("88 88 80 9D 616263")), "cut short"},
      {src, Footer(src, "ABCDEFGX", bps), "patched result is wrong"},
  };
  for (const auto& c : cases)
    EXPECT_NE(FaultOf(c.source, c.patch).find(c.message), std::string::npos)
        << FaultOf(c.source, c.patch);
  // Odd but harmless: an empty run past the end writes nothing.
  EXPECT_EQ(ApplyPatch("AB", "PATCH" + B("000010 0000 0000 00") + "EOF"), "AB");
}

}  // namespace
}  // namespace morvane::test
