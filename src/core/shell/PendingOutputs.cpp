#include "shell/PendingOutputs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <csignal>

#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "shell/TempFiles.h"

namespace morvane {

namespace {

thread_local PendingOutputs* gCurrent = nullptr;

// Only a file or a link may be replaced: a folder at an output's name is
// found before any output is moved.
bool Replaceable(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode) || S_ISLNK(st.st_mode);
}

// Holds back Ctrl+C and requests to stop while the outputs are moved, so
// that they are all put in place or none is.
class HoldSignals {
 public:
  HoldSignals() {
    sigset_t stop;
    sigemptyset(&stop);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stop, signal);
    pthread_sigmask(SIG_BLOCK, &stop, &old_);
  }
  ~HoldSignals() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  HoldSignals(const HoldSignals&) = delete;
  HoldSignals& operator=(const HoldSignals&) = delete;

 private:
  sigset_t old_{};
};

}  // namespace

PendingOutputs::PendingOutputs() : outer_(gCurrent) {
  gCurrent = this;
}

PendingOutputs::~PendingOutputs() {
  for (Output& output : outputs_) drop(output);
  gCurrent = outer_;
}

PendingOutputs* PendingOutputs::Current() {
  return gCurrent;
}

void PendingOutputs::add(std::unique_ptr<std::string> temp, int slot, std::string path,
                         bool complete) {
  // A second output of the same name replaces the first, as it would on disk.
  for (Output& output : outputs_) {
    if (output.path == path && output.temp) drop(output);
  }
  outputs_.push_back({std::move(temp), slot, std::move(path), complete, {}});
}

std::string PendingOutputs::waiting(const std::string& path) const {
  for (auto it = outputs_.rbegin(); it != outputs_.rend(); ++it) {
    if (it->path == path && it->temp) return *it->temp;
  }
  return {};
}

void PendingOutputs::commit() {
  for (const Output& output : outputs_) {
    if (output.temp && output.complete && !Replaceable(output.path)) {
      throw JobError::FileError(kErrFileAccess, output.path, std::strerror(EISDIR));
    }
  }
  const HoldSignals held;
  for (Output& output : outputs_) {
    if (output.temp && output.complete && !place(output, output.path)) {
      throw JobError::FileError(kErrFileAccess, output.path, std::strerror(errno));
    }
  }
  for (Output& output : outputs_) drop(output);
}

void PendingOutputs::settle(bool keepComplete) {
  for (Output& output : outputs_) {
    if (!output.temp) continue;
    if (!output.complete) {
      place(output, IncompleteName(output.path));
    } else if (keepComplete) {
      place(output, output.path);
    }
  }
  for (Output& output : outputs_) drop(output);
}

bool PendingOutputs::place(Output& output, const std::string& name) {
  if (!Replaceable(name)) errno = EISDIR;
  if (!Replaceable(name) || std::rename(output.temp->c_str(), name.c_str()) != 0) {
    const int error = errno;
    drop(output);
    errno = error;
    return false;
  }
  UntrackTempFile(output.slot, output.temp->c_str());
  output.temp.reset();
  output.placed = name;
  return true;
}

void PendingOutputs::drop(Output& output) {
  if (!output.temp) return;
  UntrackTempFile(output.slot, output.temp->c_str());
  ::unlink(output.temp->c_str());
  output.temp.reset();
}

std::optional<PendingOutputs::Left> PendingOutputs::left(const std::string& path) const {
  for (auto it = outputs_.rbegin(); it != outputs_.rend(); ++it) {
    if (it->path == path) {
      if (it->placed.empty()) return std::nullopt;
      return Left{it->placed, it->complete};
    }
  }
  return std::nullopt;
}

std::vector<PendingOutputs::Left> PendingOutputs::left() const {
  std::vector<Left> all;
  for (const Output& output : outputs_) {
    if (!output.placed.empty()) all.push_back({output.placed, output.complete});
  }
  return all;
}

}  // namespace morvane
