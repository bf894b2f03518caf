// A file read a window at a time gives the bytes the whole file holds,
// wherever and in whatever order they are asked for, and refuses cleanly.
#include <gtest/gtest.h>

#include <random>

#include "shell/FileWindow.h"
#include "shell/JobError.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

TEST(FileWindow, GivesTheFilesBytesWhereverAsked) {
  TempDir dir;
  std::mt19937 rng(5);
  std::string bytes(1200000, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  FileWindow file(dir.write("big.bin", bytes));
  const auto size = static_cast<std::int64_t>(bytes.size());
  EXPECT_EQ(file.size(), size);
  // Jumps forward and back across windows, the edges of the file, outside it.
  const std::int64_t offsets[] = {0,          1,          16383,  16384,    262143, 262144,
                                  262145,     900000,     5,      size - 1, size,   -1,
                                  size + 100, size - 300, 700000, 699999,   200000, 262144 + 16384};
  for (const std::int64_t o : offsets) {
    const int expected = o < 0 || o >= size ? -1 : static_cast<std::uint8_t>(bytes[o]);
    EXPECT_EQ(file.at(o), expected) << o;
  }
  for (int i = 0; i < 2000; ++i) {
    const std::int64_t o = static_cast<std::int64_t>(rng() % bytes.size());
    ASSERT_EQ(file.at(o), static_cast<std::uint8_t>(bytes[o])) << o;
  }
  const struct {
    std::int64_t offset;
    std::size_t count;
  } reads[] = {{0, 16}, {262000, 600000}, {size - 10, 100}, {size, 5}, {-4, 8}, {1000, 0}};
  for (const auto& r : reads) {
    const std::int64_t from = std::clamp<std::int64_t>(r.offset, 0, size);
    EXPECT_TRUE(file.read(r.offset, r.count) == bytes.substr(from, r.count)) << r.offset;
  }
}

TEST(FileWindow, RefusesMissingFoldersAndShrunkFiles) {
  TempDir dir;
  const auto number = [](const auto& open) {
    try {
      open();
    } catch (const JobError& e) {
      return e.number();
    }
    return 0;
  };
  EXPECT_EQ(number([&] { FileWindow(dir.file("none.bin")); }), kErrFileNotFound);
  EXPECT_EQ(number([&] { FileWindow(dir.path()); }), kErrFileAccess);
  const std::string path = dir.write("short.bin", std::string(600000, 'x'));
  FileWindow file(path);
  EXPECT_EQ(file.at(10), 'x');
  dir.write("short.bin", std::string(1000, 'y'));  // cut short under the reader
  EXPECT_EQ(number([&] { file.at(500000); }), kErrFileAccess);
}

}  // namespace
}  // namespace morvane
