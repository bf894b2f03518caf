#include "cli/CliHost.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <iostream>
#include <string_view>

#include <unistd.h>

#include "shell/OutFile.h"

namespace morvane {

namespace {

std::atomic<bool> gInterrupted{false};
std::atomic<bool> gWatched{false};  // the job has asked whether Cancel was pressed

// Ctrl+C, and a request to stop (SIGTERM, SIGHUP) alike. A job that watches
// Cancel (search, compare, split) stops at its next check and keeps its
// partial output beside the earlier one; every other job, or a second
// signal, ends at once with exit status 3: the outputs being written, and
// those finished but not yet in place, are dropped, and the earlier files of
// their names stay as they were.
extern "C" void OnInterrupt(int) {
  if (gWatched.load() && !gInterrupted.exchange(true)) return;
  RemoveOpenTempFiles();
  static constexpr char kCanceled[] = "\nCanceled\n";
  const ssize_t ignored = ::write(STDERR_FILENO, kCanceled, sizeof kCanceled - 1);
  (void)ignored;
  ::_exit(3);
}

}  // namespace

std::string ForConsole(std::string_view text, bool lines) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (lines && b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if ((b >= 0x20 && b != 0x7F) || (lines && b == '\n')) {
      out.push_back(text[i]);
      continue;
    }
    out += '{';
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
    out += '}';
  }
  return out;
}

void CliHost::CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, signal);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  // A console closed under the job (morvane ... | head) would otherwise end
  // it on its next message and leave its temporary files behind: the job
  // finishes its outputs instead, and only the messages are lost.
  std::signal(SIGPIPE, SIG_IGN);
}

void CliHost::answer(Dialog dialog, std::string option, std::string path) {
  answers_[dialog].push_back({std::move(option), std::move(path)});
}

void CliHost::expect(Dialog dialog, std::string option) {
  answers_[dialog].push_back({std::move(option), std::nullopt});
}

std::optional<std::string> CliHost::askFile(Dialog dialog) {
  auto& queue = answers_[dialog];
  if (queue.empty()) {
    std::cerr << "morvane: no file given for \"" << SpecOf(dialog).title << "\"\n";
    missing_ = true;
    return std::nullopt;
  }
  Answer a = std::move(queue.front());
  queue.pop_front();
  if (!a.path) {
    std::cerr << "morvane: missing option " << a.option << " (" << SpecOf(dialog).title << ")\n";
    missing_ = true;
  }
  return a.path;
}

void CliHost::setStatus(const std::string& text) {
  status_ = ForConsole(text);
  if (verbose_) std::cerr << status_ << '\n';
}

void CliHost::setLabel(int index, const std::string& text) {
  if (verbose_) std::cerr << "lbl(" << index << "): " << ForConsole(text) << '\n';
}

bool CliHost::cancelRequested() {
  gWatched = true;
  return gInterrupted.load();
}

void CliHost::errorBox(const std::string& text) {
  sawError_ = true;
  std::cerr << "Error: " << ForConsole(text, true) << '\n';
}

void CliHost::note(const std::string& text) {
  setStatus(text);
  // A note leaves the job's ending as it is (exit status 0 when it ends well).
  std::cerr << "Note: " << status_ << '\n';
}

void CliHost::warningBox(const std::string& title, const std::string& text) {
  sawWarning_ = true;
  std::cerr << ForConsole(title) << ": " << ForConsole(text, true) << '\n';
}

void CliHost::jobFinished(const JobResult& result) {
  if (!status_.empty()) std::cout << status_ << '\n';
  for (const auto& path : result.written) {
    const bool partial = std::find(result.incomplete.begin(), result.incomplete.end(), path) !=
                         result.incomplete.end();
    std::cout << (partial ? "Left incomplete: " : "Wrote ") << ForConsole(path) << '\n';
  }
}

}  // namespace morvane
