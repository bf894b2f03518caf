// Shared pieces of the fuzz targets: a private folder for the input as a file,
// and a host that answers dialogs and shows nothing.
#pragma once

#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "shell/JobHost.h"

namespace morvane::fuzz {

inline const std::filesystem::path& Folder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("morvane-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

inline std::string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string path = (Folder() / name).string();
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  return path;
}

class SilentHost final : public JobHost {
 public:
  std::map<Dialog, std::string> files;
  std::optional<std::string> askFile(Dialog d) override {
    auto it = files.find(d);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  void enterBusy() override {}
  void leaveBusy() override {}
  void setStatus(const std::string&) override {}
  void setLabel(int, const std::string&) override {}
  void yield() override {}
  bool cancelRequested() override { return false; }
  bool showStrings() override { return true; }
  void errorBox(const std::string&) override {}
  void warningBox(const std::string&, const std::string&) override {}
};

}  // namespace morvane::fuzz
