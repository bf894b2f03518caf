#include "FdsImage.h"

#include <gtest/gtest.h>

#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "shell/Settings.h"

namespace morvane::test {

namespace {
void Word(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}
}  // namespace

std::string BuildSide(const DiskSide& side, int index) {
  std::string s = "\x01*NINTENDO-HVC*";
  s += '\x01';  // Nintendo
  s += side.gameName;
  s += {static_cast<char>(side.gameType),
        0x00,
        static_cast<char>(index % 2),
        static_cast<char>(index / 2),
        0x00,
        0x00,
        0x0F};
  s += std::string(5, '\x00');
  s += {static_cast<char>(side.yearByte), 0x02, 0x14, 0x49};
  s += std::string(9, '\x07');
  s += {static_cast<char>(side.yearByte),
        0x12,
        0x31,
        0x00,
        0x00,
        0x12,
        0x34,
        0x00,
        static_cast<char>(side.rewrites),
        static_cast<char>(index % 2),
        0x00,
        static_cast<char>(side.price)};
  EXPECT_EQ(s.size(), 56u);
  const int count = side.declared < 0 ? static_cast<int>(side.files.size()) : side.declared;
  s += {0x02, static_cast<char>(count)};
  for (std::size_t i = 0; i < side.files.size(); ++i) {
    const DiskFile& f = side.files[i];
    s += {0x03, static_cast<char>(i), static_cast<char>(f.id)};
    s += f.name;
    Word(s, f.address);
    Word(s, static_cast<int>(f.data.size()));
    s += static_cast<char>(f.type);
    s += '\x04';
    s += f.data;
  }
  s += side.space;
  if (s.size() < 65500) s.resize(65500, '\x00');
  s.resize(static_cast<std::size_t>(side.size));
  return s;
}

std::string BuildImage(const std::vector<DiskSide>& sides, bool header) {
  std::string image;
  if (header) {
    image = "FDS\x1A";
    image += static_cast<char>(sides.size());
    image += std::string(11, '\x00');
  }
  for (std::size_t i = 0; i < sides.size(); ++i) image += BuildSide(sides[i], static_cast<int>(i));
  return image;
}

JobRun Split(const std::string& path, bool header, int cancelAfter) {
  JobRun run;
  Settings s;
  s.header = header;
  run.host.answer(Dialog::OpenFDS, path);
  if (cancelAfter >= 0) run.host.cancelAfterYields(cancelAfter);
  run.result = FdsSplitJob(s, run.host);
  run.out = path.substr(0, path.rfind('.')) + " FDS Files.txt";
  // A listing cut short is kept beside the complete one's name.
  if (!run.result.written.empty()) run.out = run.result.written.front();
  EXPECT_EQ(run.host.busyLeft, 1);
  return run;
}

JobRun Merge(const std::string& listing) {
  JobRun run;
  run.host.answer(Dialog::OpenTXT, listing);
  run.result = FdsMergeJob(Settings{}, run.host);
  run.out = listing.substr(0, listing.size() - 14) + "_Merged.fds";
  if (!run.result.written.empty()) run.out = run.result.written.front();
  EXPECT_EQ(run.host.busyLeft, 1);
  return run;
}

std::string RoundTrip(const TempDir& dir, const std::string& image, bool header,
                      const std::string& name) {
  const JobRun split = Split(dir.write(name, image), header);
  EXPECT_EQ(split.host.lastStatus(), "Done: ");
  EXPECT_TRUE(split.host.errors.empty()) << split.host.errors.front();
  const JobRun merge = Merge(split.out);
  EXPECT_TRUE(merge.host.errors.empty()) << merge.host.errors.front();
  return Slurp(merge.out);
}

::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure()
         << "bytes differ from offset 0x" << std::hex << at << "; sizes 0x" << actual.size()
         << " and 0x" << expected.size();
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

}  // namespace morvane::test
