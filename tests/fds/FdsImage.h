// Disk images built in code for the split and merge tests, and the two jobs
// run on them through a scripted host.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane::test {

struct DiskFile {
  std::string name = "FILE0000";  // 8 bytes
  int address = 0x6000;
  std::uint8_t type = 0;
  std::string data = std::string(0x10, '\x5A');
  std::uint8_t id = 0x10;
};

struct DiskSide {
  DiskSide() = default;
  DiskSide(std::vector<DiskFile> list) : files(std::move(list)) {}  // NOLINT: implicit on purpose

  std::vector<DiskFile> files;
  int declared = -1;  // block 2 count; -1: the number of files
  std::uint8_t yearByte = 0x61;
  std::uint8_t rewrites = 0;
  std::uint8_t price = 0x01;
  std::uint8_t gameType = 0x20;
  std::string gameName = "ABC";
  std::string space;  // first bytes of the empty space, the rest is 00
  int size = 65500;   // a side cut short when smaller
};

// Block 1 and 2 of a side followed by its files and empty space.
std::string BuildSide(const DiskSide& side, int index);
// The 16-byte header (when header) and the sides.
std::string BuildImage(const std::vector<DiskSide>& sides, bool header = true);

struct JobRun {
  ScriptedHost host;
  std::string out;  // listing (split) or image (merge) path, as the job left it
  JobResult result;
};

// Splits path with the "16 Byte Header" setting; the host's record is returned.
JobRun Split(const std::string& path, bool header = true, int cancelAfter = -1);
JobRun Merge(const std::string& listing);

// Writes image into dir as name, splits and merges it; returns the merged bytes.
std::string RoundTrip(const TempDir& dir, const std::string& image, bool header = true,
                      const std::string& name = "disk.fds");

// Equal bytes, or the first offset where they differ and the two sizes.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);

// Replaces the first occurrence of from in text (which must hold it).
std::string Replace(std::string text, const std::string& from, const std::string& to);

}  // namespace morvane::test
