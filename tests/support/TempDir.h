// A private folder for a test's files, removed afterwards.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Full path of name inside the folder.
  std::string file(std::string_view name) const;
  // Writes bytes to name and returns its full path.
  std::string write(std::string_view name, std::string_view bytes) const;
  bool exists(std::string_view name) const;

 private:
  std::string path_;
};

// The whole file as bytes; "" when it can't be read.
std::string Slurp(const std::string& path);
// Text lines joined with CR LF, each line ended.
std::string CrLf(std::initializer_list<std::string_view> lines);

}  // namespace morvane
