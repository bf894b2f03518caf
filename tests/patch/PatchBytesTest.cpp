// The exact bytes that creation writes for small cases, built by hand from the
// format descriptions.
#include <gtest/gtest.h>

#include "PatchFixture.h"
#include "patch/Bps.h"
#include "patch/Crc32.h"
#include "patch/Ips.h"
#include "shell/JobError.h"

namespace morvane::test {
namespace {

std::string Zeros(std::size_t n) {
  return std::string(n, '\0');
}

std::string WithByte(std::string bytes, std::size_t at, char value) {
  bytes[at] = value;
  return bytes;
}

TEST(PatchBytes, Checksum) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
}

TEST(PatchBytes, BpsNumbers) {
  const std::vector<std::pair<std::uint64_t, std::string>> table = {
      {0, B("80")},           {1, B("81")},
      {127, B("FF")},         {128, B("00 80")},
      {129, B("01 80")},      {16511, B("7F FF")},
      {16512, B("00 00 80")}, {0xFFFFFFFF, B("7F 7E 7E 7E 8E")}};
  for (const auto& [value, bytes] : table) {
    std::string out;
    PutBpsNumber(out, value);
    EXPECT_EQ(out, bytes) << value;
    EXPECT_EQ(BpsNumberSize(value), static_cast<int>(bytes.size())) << value;
  }
}

TEST(PatchBytes, Ips) {
  const std::string abc = "ABCDEFGH";
  const std::string runs = Zeros(12) + std::string(20, '\x11') + "xyz" + Zeros(4);
  const std::string nearEof = Zeros(kIpsEofOffset + 2);
  const std::string mixed = "ab" + std::string(20, 'c') + "dee" + std::string(14, 'f') + "ghhh" +
                            std::string(13, 'i') + "j" + std::string(30, 'k') + "lm" + Zeros(3);
  struct Case {
    std::string source, target, patch;
  } cases[] = {
      {abc, abc, "PATCHEOF"},
      {abc, "ABxDEFGH", "PATCH" + B("000002 0001") + "xEOF"},
      // Four equal bytes between changes stay in one record, five split it.
      {Zeros(16), WithByte(WithByte(Zeros(16), 1, 'a'), 6, 'b'),
       "PATCH" + B("000001 0006 61 00000000 62") + "EOF"},
      {Zeros(16), WithByte(WithByte(Zeros(16), 1, 'a'), 7, 'b'),
       "PATCH" + B("000001 0001 61 000007 0001 62") + "EOF"},
      // A run record where it is smaller; three equal bytes stay plain.
      {Zeros(39), runs, "PATCH" + B("00000C 0000 0014 11 000020 0003") + "xyzEOF"},
      {Zeros(8), "\x01\x01\x01" + Zeros(5), "PATCH" + B("000000 0003 010101") + "EOF"},
      {"AB", "ABCD", "PATCH" + B("000002 0002") + "CDEOF"},
      {"", "\x07", "PATCH" + B("000000 0001 07") + "EOF"},
      {abc, "ABC", "PATCHEOF" + B("000003")},
      {abc, "AxC", "PATCH" + B("000001 0001") + "xEOF" + B("000003")},
      {abc, "", "PATCHEOF" + B("000000")},
      // Runs of 14 bytes or more as run records, shorter ones inside plain records.
      {Zeros(92), mixed,
       "PATCH" +
           B("000000 0002 6162  000002 0000 0014 63  000016 0003 646565  000019 0000 000E 66"
             "000027 0012 67686868 69696969696969696969696969 6A  000039 0000 001E 6B"
             "000057 0002 6C6D") +
           "EOF"},
      // No record starts at 454F46h, which would read as "EOF".
      {nearEof, WithByte(nearEof, kIpsEofOffset, 'e'), "PATCH" + B("454F45 0002 00") + "eEOF"},
  };
  for (const Case& c : cases) EXPECT_EQ(CreateIps(c.source, c.target), c.patch) << c.target.size();
}

TEST(PatchBytes, IpsRefusesWhatItCannotHold) {
  const std::string big = Zeros(kIpsLimit + 4);
  EXPECT_THROW(CreateIps(big, WithByte(big, kIpsLimit, 1)), JobError);
  EXPECT_THROW(CreateIps(big, big.substr(0, kIpsLimit)), JobError);
  EXPECT_EQ(CreateIps(big, WithByte(big, kIpsLimit - 1, 1)), "PATCH" + B("FFFFFF 0001 01") + "EOF");
}

TEST(PatchBytes, Bps) {
  const std::string abc = "ABCDEFGH";
  const std::string hex = "0123456789ABCDEF";
  struct Case {
    std::string source, target, body;
  } cases[] = {
      {"", "", B("80 80 80")},
      {abc, abc, B("88 88 80 9C")},  // SourceRead 8
      // SourceRead 4, TargetRead 1 "x", SourceRead 3.
      {abc, "ABCDxFGH", B("88 88 80 8C 81 78 88")},
      // SourceCopy 8 from +8, then SourceCopy 8 from -16.
      {hex, "89ABCDEF01234567", B("90 90 80 9E 90 9E A1")},
      // TargetRead 3 "abc", TargetCopy 9 from +0 (reading what it writes).
      {"", "abcabcabcabc", B("80 8C 80 89 616263 A3 80")},
      // TargetRead 1, TargetCopy 9 from 0: a run.
      {abc, "zzzzzzzzzz", B("88 8A 80 81 7A A3 80")},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CreateBps(c.source, c.target), Footer(c.source, c.target, "BPS1" + c.body))
        << c.target;
}

}  // namespace
}  // namespace morvane::test
