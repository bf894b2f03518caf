#include "shell/OutFile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "shell/PendingOutputs.h"

namespace morvane {

namespace {

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

const std::string kNone;

}  // namespace

OutFile::OutFile(std::string path)
    : path_(std::move(path)), unwinding_(std::uncaught_exceptions()) {
  mode_t mode = 0;
  if (path_.empty() || !MayReplace(path_, mode)) throw JobError(kErrFileAccess, path_);
  for (unsigned attempt = 0; fd_ < 0 && attempt < 100; ++attempt) {
    temp_ = std::make_unique<std::string>(TempName(path_, attempt));
    // Known before it exists, so that Ctrl+C never misses it.
    slot_ = TrackTempFile(temp_->c_str());
    fd_ = ::open(temp_->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    const int error = errno;
    UntrackTempFile(slot_, temp_->c_str());
    slot_ = -1;
    errno = error;
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) {
    const int error = errno;
    temp_.reset();
    throw JobError::FileError(kErrFileAccess, path_, std::strerror(error));
  }
  // The replaced file's permissions carry over; a new one gets the umask's.
  if (mode != 0) (void)::fchmod(fd_, mode);
  buffer_.reserve(kFlushAt + 4096);
}

OutFile::~OutFile() {
  try {
    finish(std::uncaught_exceptions() <= unwinding_);
  } catch (...) {  // NOLINT(bugprone-empty-catch): a destructor must not throw
  }
}

const std::string& OutFile::tempPath() const {
  return temp_ ? *temp_ : kNone;
}

void OutFile::writeLarge(std::string_view bytes) {
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
    if (n <= 0) fail(n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
}

void OutFile::close() {
  finish(true);
}

void OutFile::closeIncomplete() {
  finish(false);
}

void OutFile::finish(bool complete) {
  if (fd_ < 0) return;
  flush();
  const int rc = ::close(fd_);
  fd_ = -1;
  if (rc != 0) fail(errno);
  if (PendingOutputs* job = PendingOutputs::Current()) {
    job->add(std::move(temp_), slot_, path_, complete);
    slot_ = -1;
    return;
  }
  const std::string name = complete ? path_ : IncompleteName(path_);
  if (std::rename(temp_->c_str(), name.c_str()) != 0) fail(errno);
  UntrackTempFile(slot_, temp_->c_str());
  slot_ = -1;
  temp_.reset();
}

void OutFile::fail(int error) {
  abandon();
  throw JobError::FileError(kErrFileAccess, path_, std::strerror(error));
}

void OutFile::discard() {
  abandon();
}

void OutFile::abandon() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  if (!temp_) return;
  UntrackTempFile(slot_, temp_->c_str());
  slot_ = -1;
  ::unlink(temp_->c_str());
  temp_.reset();
}

}  // namespace morvane
