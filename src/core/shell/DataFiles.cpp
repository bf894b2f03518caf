#include "shell/DataFiles.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace morvane {

namespace fs = std::filesystem;

namespace {
fs::path& ProgramDir() {
  static fs::path dir;
  return dir;
}
}  // namespace

void SetProgramPath(const std::string& argv0) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) self = fs::absolute(argv0, ec);
  ProgramDir() = self.parent_path();
}

std::string BundledFile(const std::string& name) {
  std::vector<fs::path> dirs;
  if (const char* env = std::getenv("MORVANE_DATA_DIR")) dirs.emplace_back(env);
  if (!ProgramDir().empty()) {
    dirs.push_back(ProgramDir().parent_path() / "share" / "morvane");
    dirs.push_back(ProgramDir() / "data");
  }
  dirs.emplace_back(MORVANE_SOURCE_DATA_DIR);
  for (const auto& dir : dirs) {
    std::error_code ec;
    if (fs::is_regular_file(dir / name, ec)) return (dir / name).string();
  }
  return {};
}

}  // namespace morvane
