#include "shell/OutputGuard.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

// The file that writing to path would create or change: links followed as
// far as they go (a dangling link leads to the file it would create), the
// rest made absolute and normal.
fs::path WrittenFile(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(path, ec);
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
    const fs::path target = fs::read_symlink(p, ec);
    if (ec) break;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return fs::weakly_canonical(p, ec).lexically_normal();
}

// The folder that holds path itself (a link is not followed).
fs::path FolderHolding(const std::string& path) {
  std::error_code ec;
  const fs::path parent = fs::absolute(path, ec).parent_path();
  return fs::weakly_canonical(parent, ec).lexically_normal();
}

// How many bytes a file name may have in the folder of path.
std::size_t NameMax(const std::string& path) {
  const std::string folder = FolderOf(path);
  const long max = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return max > 0 ? static_cast<std::size_t>(max) : 255;
}

}  // namespace

std::string OutputProblem(const std::string& output, std::initializer_list<std::string> inputs) {
  const std::string* first = nullptr;
  // An input that isn't there is reported as missing when the job reads it,
  // before any output is made, rather than as the cause of an output name
  // too long or outside its folder.
  const bool inputsThere = std::all_of(inputs.begin(), inputs.end(), [](const std::string& in) {
    struct stat st {};
    return in.empty() || ::lstat(in.c_str(), &st) == 0;
  });
  if (!inputsThere) return {};
  // Checked first: a name the file system can't hold fails every other test.
  if (const std::size_t max = NameMax(output); FileNameOf(output).size() > max) {
    return "The output file name " + FileNameOf(output) + " has " +
           std::to_string(FileNameOf(output).size()) + " bytes, more than the " +
           std::to_string(max) + " a file name may have.";
  }
  const fs::path written = WrittenFile(output);
  const fs::path writtenIncomplete = WrittenFile(IncompleteName(output));
  for (const std::string& input : inputs) {
    if (input.empty()) continue;
    if (first == nullptr) first = &input;
    const fs::path read = WrittenFile(input);
    if (SameFile(output, input) || written == read || writtenIncomplete == read) {
      return "The output file " + output + " would replace the input file " + input + ".";
    }
  }
  if (first == nullptr) return {};
  if (FileNameOf(*first).empty()) return "The input " + *first + " names no file.";
  if (FileNameOf(output).empty() || written.parent_path() != FolderHolding(*first)) {
    return "The output file " + output + " would not lie in the folder of the input file " +
           *first + ".";
  }
  return {};
}

std::string IncompleteName(const std::string& path) {
  static constexpr std::string_view kMark = " (incomplete)";
  const std::size_t name = path.find_last_of('/') + 1;  // 0 when there is no folder
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= name) return path + std::string(kMark);
  return path.substr(0, dot) + std::string(kMark) + path.substr(dot);
}

void RefuseOverwrite(const std::string& title, const std::string& output,
                     std::initializer_list<std::string> inputs) {
  std::string problem = OutputProblem(output, inputs);
  if (!problem.empty()) throw JobError::Minor(title, std::move(problem), output);
}

std::string ModifiedName(const std::string& path, const std::string& suffix) {
  return path.substr(0, LastCharsStart(path, 4)) + suffix;
}

std::string LastThreeChars(const std::string& path) {
  return path.substr(LastCharsStart(path, 3));
}

std::string SuffixedName(const std::string& path, const std::string& suffix) {
  if (path.size() < 4) {
    throw JobError(kErrInvalidCall, {},
                   "The name " + path +
                       " is too short: the output is named after it less its last four "
                       "characters, so it needs at least four.");
  }
  return ModifiedName(path, "_" + suffix + "." + LastThreeChars(path));
}

}  // namespace morvane
