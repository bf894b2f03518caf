#include "app/StartWindow.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace morvane {

int StartWindow(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec && argc > 0) self = fs::absolute(argv[0], ec);
  const std::string window = (self.parent_path() / kWindowProgram).string();
  std::vector<char*> args(argv, argv + argc);
  if (args.empty()) args.push_back(nullptr);
  args[0] = const_cast<char*>(window.c_str());
  args.push_back(nullptr);
  execv(window.c_str(), args.data());
  if (errno == ENOENT) {
    std::cerr << "morvane: built without the window; run 'morvane --help' for the jobs\n";
  } else {
    std::cerr << "morvane: can't start " << window << ": " << std::strerror(errno) << '\n';
  }
  return 2;
}

}  // namespace morvane
