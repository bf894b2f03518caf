#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>

#include "cli/CliHost.h"
#include "cli/CliJobs.h"
#include "cli/DataFiles.h"
#include "dump/DumpDriver.h"
#include "dump/DumpStep.h"
#include "shell/SettingsModel.h"

namespace morvane {

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCancel = 3;

// The window settings as options, applied as a user would click.
struct SettingOptions {
  std::optional<std::string> preset, address, block, start, end, mode, phrase, length, word;
  bool noHeader = false, asTable = false, noConcat = false, noTables = false, noRaw = false;
  bool showStrings = false, verbose = false;

  void addTo(CLI::App& app) {
    app.add_option("--preset", preset, "address preset: 6000|8000|C000|A000|E000|custom")
        ->check(
            CLI::IsMember({"6000", "8000", "C000", "A000", "E000", "custom"}, CLI::ignore_case));
    app.add_option("--address", address, "custom address base (hex, with --preset custom)");
    app.add_option("--block", block, "16 kB block number (decimal, may have a fraction)");
    app.add_option("--start", start, "first CPU address (hex)");
    app.add_option("--end", end, "last CPU address (hex)");
    app.add_flag("--no-header", noHeader, "the file has no 16-byte header");
    app.add_option("--mode", mode, "dump mode: table|text|speech|menu|code")
        ->check(CLI::IsMember({"table", "text", "speech", "menu", "code"}));
    app.add_flag("--as-table", asTable, "Text mode: dump as a table instead of a script");
    app.add_flag("--no-concat", noConcat, "Text mode as table: one character per line");
    app.add_option("--phrase", phrase, "Text mode: number of the first phrase (hex)");
    app.add_option("--length", length, "Text mode: bytes between phrases (hex)");
    app.add_flag("--no-tables", noTables, "8-bit Code: find code and tables without a Table List");
    app.add_flag("--no-raw", noRaw, "8-bit Code without tables: no Raw rows in Tables.txt");
    app.add_flag("--show-strings", showStrings, "compare: decode differences through tables");
    app.add_option("--word", word, "search: the word to look for");
    app.add_flag("-v,--verbose", verbose, "show status and label changes on stderr");
  }

  // Returns an error message, or "" when every value was taken.
  std::string applyTo(SettingsModel& m) const {
    static const std::map<std::string, int> kPresets = {{"6000", 0}, {"8000", 1}, {"C000", 2},
                                                        {"A000", 3}, {"E000", 4}, {"CUSTOM", 5}};
    static const std::map<std::string, int> kModes = {
        {"table", 0}, {"text", 1}, {"speech", 2}, {"menu", 3}, {"code", 4}};
    if (preset) {
      std::string key = *preset;
      for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      m.opAddress_Click(kPresets.at(key));
    }
    if (mode) m.opFeatures_Click(kModes.at(*mode));
    if (address) {
      if (m.settings().preset != 5) return "--address needs --preset custom";
      if (!m.txtAddress_Change(*address)) return "--address: not 1 to 4 hex digits: " + *address;
    }
    if (block && !m.txtBlock_Change(*block)) return "--block: not a block number: " + *block;
    if (start && !m.txtStart_Change(*start)) return "--start: not 1 to 4 hex digits: " + *start;
    if (end && !m.txtEnd_Change(*end)) return "--end: not 1 to 4 hex digits: " + *end;
    m.setHeader(!noHeader);
    if (asTable) m.chkAsTable_Click(true);
    if (noConcat) m.setConcat(false);
    if (phrase) m.setPhraseText(*phrase);
    if (length) m.setLengthText(*length);
    if (noTables) m.chkwTables_Click(false);
    if (noRaw) m.setRaw(false);
    if (word) m.setSearchText(*word);
    m.setShowStrings(showStrings);
    return {};
  }
};

int RunJob(const CliJob& job, const std::vector<std::optional<std::string>>& files,
           const SettingOptions& options) {
  SettingsModel model([] { return 0; });
  if (const std::string error = options.applyTo(model); !error.empty()) {
    std::cerr << "morvane " << job.name << ": " << error << '\n';
    return kExitUsage;
  }
  if (job.run == nullptr || (job.run == &cmdDump_Click && !MakeDumpStep(model.settings().mode))) {
    std::cerr << "morvane " << job.name << ": not available yet\n";
    return kExitUsage;
  }
  CliHost host;
  host.setVerbose(options.verbose);
  host.setShowStrings(options.showStrings);
  for (std::size_t i = 0; i < job.files.size(); ++i) {
    const FileOption& f = job.files[i];
    std::optional<std::string> path = files[i];
    if (!path && f.bundled != nullptr) {
      if (std::string found = BundledFile(f.bundled); !found.empty()) path = found;
    }
    if (path) {
      host.answer(f.dialog, f.flag, *path);
    } else {
      host.expect(f.dialog, f.flag);
    }
  }
  CliHost::CatchInterrupt();
  const JobResult result = job.run(model.settings(), host);
  if (!host.lastStatus().empty()) std::cout << host.lastStatus() << '\n';
  const bool complete = result.outcome == Outcome::Done;
  for (const auto& path : result.written) {
    std::cout << (complete ? "Wrote " : "Left incomplete: ") << path << '\n';
  }
  if (host.sawError() || result.outcome == Outcome::Failed) return kExitError;
  if (host.sawWarning() || result.outcome == Outcome::Warned) return kExitUsage;
  if (result.outcome == Outcome::Cancelled) return kExitCancel;
  return 0;
}

}  // namespace

int RunCli(int argc, char** argv) {
  if (argc > 0) SetProgramPath(argv[0]);
  CLI::App app{
      "Morvane Pro - dump, disassemble, translate and compare NES/Famicom ROMs.\n"
      "Outputs are written beside the input files.",
      "morvane"};
  app.require_subcommand(1, 1);
  const auto& jobs = CliJobs();
  std::vector<std::vector<std::optional<std::string>>> files(jobs.size());
  std::vector<SettingOptions> options(jobs.size());
  std::vector<CLI::App*> commands;
  // Only the job named on the command line needs its options set up.
  const bool named = argc > 1 && std::any_of(jobs.begin(), jobs.end(), [&](const CliJob& job) {
                       return std::strcmp(job.name, argv[1]) == 0;
                     });
  for (std::size_t j = 0; j < jobs.size(); ++j) {
    if (named && std::strcmp(jobs[j].name, argv[1]) != 0) {
      commands.push_back(nullptr);
      continue;
    }
    CLI::App* sub = app.add_subcommand(jobs[j].name, jobs[j].help);
    files[j].resize(jobs[j].files.size());
    for (std::size_t i = 0; i < jobs[j].files.size(); ++i) {
      sub->add_option(jobs[j].files[i].flag, files[j][i], jobs[j].files[i].help);
    }
    options[j].addTo(*sub);
    commands.push_back(sub);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  for (std::size_t j = 0; j < jobs.size(); ++j) {
    if (commands[j] != nullptr && commands[j]->parsed())
      return RunJob(jobs[j], files[j], options[j]);
  }
  return kExitUsage;
}

}  // namespace morvane
