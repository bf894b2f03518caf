// The listing-driven writer behind the Merge FDS job: walks the rows of the
// listing in their fixed order and appends their bytes and the extracted
// files to the new image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fds/DiskListing.h"
#include "fds/ListingReader.h"
#include "shell/JobHost.h"

namespace morvane::fds {

class DiskMerger {
 public:
  // The image is built in memory and written by the caller to imagePath, so
  // that an extracted file that is in truth that image is refused before the
  // image is created.
  DiskMerger(JobHost& host, std::string listingPath, std::string listingText, std::string& image,
             std::string imagePath);

  // Throws JobError; report() and file() then describe the step that failed.
  void run();
  // True when the run stopped because an extracted file is the image itself:
  // nothing may be written then.
  bool refused() const { return refused_; }

  const std::string& report() const { return report_; }
  const std::string& file() const { return file_; }

 private:
  struct ListValue {
    int count;
    std::string rest;  // the text after the list, from its TAB
  };

  // Characters from pos (0-based) on; empty past the end of text.
  static std::string Part(const std::string& text, std::size_t pos,
                          std::size_t length = std::string::npos);
  [[noreturn]] void fail(std::string text, int number = kErrDiskFormat);
  void put(int byte);
  std::string valueOf(std::string_view label);
  std::uint8_t byteValue(std::string_view label);
  std::uint8_t oneByte(std::string_view label);
  ListValue byteList(std::string_view label);
  void exactList(std::string_view label, int width);
  void date(std::string_view label);
  void field(const Field& f);
  void side();
  void sideLength(std::size_t start);
  void fcDisk();
  void gameName(std::string_view label);
  void file(int n);
  void fileData(const std::string& path, int length);
  void emptySpace();

  JobHost& host_;
  const std::string listingPath_;
  const std::string folder_;
  ListingReader reader_;
  std::string& out_;
  const std::string imagePath_;
  bool refused_ = false;
  std::string report_;
  std::string file_;
  int sideIndex_ = 0;  // 0 = disk 1 side A, 1 = disk 1 side B, 2 = disk 2 side A ...
  // Where the current side ends when its SIDE LENGTH row gives its length; 0
  // for a whole side.
  std::size_t sideEnd_ = 0;
};

}  // namespace morvane::fds
