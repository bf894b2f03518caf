// The work of Portopia Text: the game's three text areas filled string by
// string from the script, each row encoded through the character table and
// checked against the line width.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "games/RomSplice.h"
#include "shell/InFile.h"
#include "shell/JobHost.h"
#include "shell/Settings.h"
#include "tables/CharTable.h"

namespace morvane {

class PortopiaInserter {
 public:
  // step names what the inserter is doing, for the job's error report.
  PortopiaInserter(JobHost& host, std::string& step) : host_(host), step_(step) {}

  // The job's settings, for the form its table is read in (classic by default).
  Settings tableSettings;

  void run(const std::string& romPath, const std::string& scriptPath, const std::string& tablePath,
           const std::string& outPath);
  bool opened() const { return rom_.has_value(); }
  // Closes an output cut short, keeping what was written so far beside the
  // earlier output as a partial result (nothing once run has ended).
  void close();

 private:
  [[noreturn]] void fail(const std::string& message);
  std::string nextLine();
  // Writes one byte of the current string in place of a ROM byte of the area.
  void put(int value);
  void insertArea(int b);
  void findHeader();
  void insertString();
  void insertRow(const std::string& text);

  JobHost& host_;
  std::string& step_;
  CharTable table_;
  std::optional<EncodingList> encoding_;
  std::optional<TextLines> script_;
  std::optional<RomSplice> rom_;
  int area_ = 0;
  int string_ = 0;
  std::int64_t written_ = 0;
  int prefixWidth_ = 0;
};

}  // namespace morvane
