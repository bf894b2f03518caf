#include "cli/CliHost.h"

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

// Ctrl+C. A job that watches Cancel (search, compare, split) stops at its
// next check and ends its output as its Part says; every other job, or a
// second Ctrl+C, ends at once: the outputs being written are dropped, the
// earlier files of their names stay as they were.
extern "C" void OnInterrupt(int) {
  if (gWatched.load() && !gInterrupted.exchange(true)) return;
  RemoveOpenTempFiles();
  static constexpr char kCanceled[] = "\nCanceled\n";
  const ssize_t ignored = ::write(STDERR_FILENO, kCanceled, sizeof kCanceled - 1);
  (void)ignored;
  ::_exit(3);
}

// Message boxes use CR LF inside their texts; a terminal wants plain LF.
std::string ForTerminal(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

// A status text as the terminal gets it: ROM bytes below 20h and 7Fh (CR, LF,
// ESC ...) shown as {XX}, so that they can't move the cursor or change the
// terminal's state.
std::string ForConsole(std::string_view text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b != 0x7F) {
      out.push_back(c);
      continue;
    }
    out += '{';
    out += kDigits[b >> 4];
    out += kDigits[b & 0xF];
    out += '}';
  }
  return out;
}

}  // namespace

void CliHost::CatchInterrupt() {
  std::signal(SIGINT, OnInterrupt);
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
  if (verbose_) std::cerr << "lbl(" << index << "): " << text << '\n';
}

bool CliHost::cancelRequested() {
  gWatched = true;
  return gInterrupted.load();
}

void CliHost::errorBox(const std::string& text) {
  sawError_ = true;
  std::cerr << "Error: " << ForTerminal(text) << '\n';
}

void CliHost::note(const std::string& text) {
  setStatus(text);
  std::cerr << "Warning: " << status_ << '\n';
}

void CliHost::warningBox(const std::string& title, const std::string& text) {
  sawWarning_ = true;
  std::cerr << title << ": " << ForTerminal(text) << '\n';
}

void CliHost::jobFinished(const JobResult& result) {
  if (!status_.empty()) std::cout << status_ << '\n';
  const bool complete = result.outcome == Outcome::Done;
  for (const auto& path : result.written) {
    std::cout << (complete ? "Wrote " : "Left incomplete: ") << path << '\n';
  }
}

}  // namespace morvane
