#include "shell/OutFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/JobError.h"

namespace morvane {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;  // small enough to stay in cache
// Enough of the output's name to tell whose a leftover temporary file was.
constexpr std::size_t kTempNameChars = 120;

// What may stand at the output's name: nothing yet, a file of our own that
// we may replace, or a link (the link is replaced, its target never touched).
// A folder, FIFO, device or socket is refused: writing to them hangs or
// lands elsewhere. mode receives the permissions an earlier file had.
bool MayReplace(const std::string& path, mode_t& mode) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (S_ISLNK(st.st_mode)) return true;
  if (!S_ISREG(st.st_mode)) return false;
  mode = st.st_mode & 0777;
  // An earlier output we may not write is kept, as the user protected it.
  return ::access(path.c_str(), W_OK) == 0;
}

// A name in the output's folder that no other run picks: the output's name
// behind a dot, then the process and a random number.
std::string TempName(const std::string& path, unsigned attempt) {
  static std::atomic<unsigned> counter{std::random_device{}()};
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = path.substr(folder.size(), kTempNameChars);
  char tail[48];
  std::snprintf(tail, sizeof tail, ".%x-%x.tmp", static_cast<unsigned>(::getpid()),
                counter.fetch_add(attempt * 7919 + 1));
  return folder + "." + name + tail;
}

// The temporary files being written, for RemoveOpenTempFiles: a slot holds
// the name's characters, owned by its OutFile, until the file is closed or
// discarded. A job has only a few outputs open at a time.
constexpr int kSlots = 32;
std::atomic<const char*> gOpenTemps[kSlots];

}  // namespace

void RemoveOpenTempFiles() noexcept {
  for (auto& slot : gOpenTemps) {
    if (const char* name = slot.exchange(nullptr)) ::unlink(name);
  }
}

void OutFile::track(bool open) {
  if (open) {
    for (int i = 0; i < kSlots && slot_ < 0; ++i) {
      const char* expected = nullptr;
      if (gOpenTemps[i].compare_exchange_strong(expected, temp_.c_str())) slot_ = i;
    }
  } else if (slot_ >= 0) {
    const char* mine = temp_.c_str();
    gOpenTemps[slot_].compare_exchange_strong(mine, nullptr);
    slot_ = -1;
  }
}

OutFile::OutFile(std::string path) : path_(std::move(path)) {
  mode_t mode = 0;
  if (path_.empty() || !MayReplace(path_, mode)) throw JobError(kErrFileAccess, path_);
  for (unsigned attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
    temp_ = TempName(path_, attempt);
    // Known before it exists, so that Ctrl+C never misses it.
    track(true);
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    track(false);
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temp_.clear();
    throw JobError(kErrFileAccess, path_);
  }
  // The replaced file's permissions carry over; a new one gets the umask's.
  if (mode != 0) (void)::fchmod(fd_, mode);
  buffer_.reserve(kFlushAt + 4096);
}

OutFile::~OutFile() {
  try {
    close();
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
  }
}

void OutFile::write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() < kFlushAt) {
    buffer_.append(bytes);
    return;
  }
  flush();
  // A large piece goes straight to the file rather than through a copy.
  if (bytes.size() >= kFlushAt)
    writeOut(bytes);
  else
    buffer_.append(bytes);
}

void OutFile::flush() {
  if (buffer_.empty()) return;
  writeOut(buffer_);
  buffer_.clear();
}

void OutFile::writeOut(std::string_view bytes) {
  if (fd_ < 0) return;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      abandon();
      throw JobError(kErrFileAccess, path_);
    }
    done += static_cast<std::size_t>(n);
  }
}

void OutFile::close() {
  if (fd_ < 0) return;
  flush();
  const int rc = ::close(fd_);
  fd_ = -1;
  if (rc != 0 || std::rename(temp_.c_str(), path_.c_str()) != 0) {
    abandon();
    throw JobError(kErrFileAccess, path_);
  }
  track(false);
  temp_.clear();
}

void OutFile::discard() {
  abandon();
}

void OutFile::abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  track(false);
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

}  // namespace morvane
