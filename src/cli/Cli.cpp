#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

#include "cli/CliHost.h"
#include "cli/SettingOptions.h"
#include "jobs/JobRegistry.h"
#include "shell/DataFiles.h"
#include "shell/SettingsModel.h"

namespace morvane {

namespace {

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCancel = 3;

// What the command line gave for one job's subcommand.
struct JobArgs {
  const JobSpec* job = nullptr;
  CLI::App* command = nullptr;
  std::vector<std::optional<std::string>> files;     // by the job's files
  std::vector<std::optional<std::string>> settings;  // by SettingOptions(); "" for a flag
  std::vector<std::vector<std::string>> options;     // by the job's own options
  bool verbose = false;
};

std::vector<std::string> Choices(const char* list) {
  std::vector<std::string> choices;
  std::stringstream in(list);
  for (std::string choice; std::getline(in, choice, '|');) choices.push_back(choice);
  return choices;
}

void AddJobOption(CLI::App& sub, const OptionSpec& spec, std::vector<std::string>& values) {
  const std::string flag = std::string("--") + spec.name;
  if (spec.takes == OptionSpec::Takes::Nothing) {
    sub.add_flag_callback(
        flag, [&values] { values.emplace_back(); }, spec.help);
    return;
  }
  CLI::Option* option = sub.add_option(flag, values, spec.help);
  if (spec.takes == OptionSpec::Takes::One) {
    // One value each time given (the help shows one), the last one counts.
    option->expected(1);
    option->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  }
  if (spec.choices != nullptr) option->check(CLI::IsMember(Choices(spec.choices)));
  if (spec.accepts != nullptr) {
    option->check(CLI::Validator(
        [&spec](std::string& value) {
          return spec.accepts(value) ? std::string() : "not " + std::string(spec.expected);
        },
        ""));
  }
}

// The subcommand of a job, with only the options the job reads.
void AddCommand(CLI::App& app, JobArgs& args) {
  const JobSpec& job = *args.job;
  CLI::App* sub = app.add_subcommand(job.name, job.help);
  args.command = sub;
  args.files.resize(job.files.size());
  for (std::size_t i = 0; i < job.files.size(); ++i) {
    sub->add_option(job.files[i].option, args.files[i], job.files[i].help);
  }
  const auto& settings = SettingOptions();
  args.settings.resize(settings.size());
  for (std::size_t i = 0; i < settings.size(); ++i) {
    const SettingOption& s = settings[i];
    if (!job.reads(s.setting)) continue;
    std::optional<std::string>& value = args.settings[i];
    if (!s.takesValue) {
      sub->add_flag_callback(
          s.flag, [&value] { value = ""; }, s.help);
      continue;
    }
    CLI::Option* option = sub->add_option(s.flag, value, s.help);
    if (!s.choices.empty()) {
      option->check(s.ignoreCase ? CLI::IsMember(s.choices, CLI::ignore_case)
                                 : CLI::IsMember(s.choices));
    }
  }
  args.options.resize(job.options.size());
  for (std::size_t i = 0; i < job.options.size(); ++i) {
    AddJobOption(*sub, job.options[i], args.options[i]);
  }
  sub->add_flag("-v,--verbose", args.verbose, "show status and label changes on stderr");
}

int Run(const JobArgs& args) {
  const JobSpec& job = *args.job;
  SettingsModel model;
  const auto& settings = SettingOptions();
  for (std::size_t i = 0; i < settings.size(); ++i) {
    if (!args.settings[i]) continue;
    if (const std::string error = settings[i].apply(model, *args.settings[i]); !error.empty()) {
      std::cerr << "morvane " << job.name << ": " << ForConsole(error) << '\n';
      return kExitUsage;
    }
  }
  Settings snapshot = model.settings();
  for (std::size_t i = 0; i < job.options.size(); ++i) {
    for (const std::string& value : args.options[i])
      snapshot.options.add(job.options[i].name, value);
  }
  CliHost host;
  host.setVerbose(args.verbose);
  host.setShowStrings(snapshot.showStrings);
  for (std::size_t i = 0; i < job.files.size(); ++i) {
    const FileSpec& f = job.files[i];
    std::optional<std::string> path = args.files[i];
    if (!path && f.bundled != nullptr) {
      if (std::string found = BundledFile(f.bundled); !found.empty()) path = found;
    }
    if (path) {
      host.answer(f.dialog, f.option, *path);
    } else {
      host.expect(f.dialog, f.option);
    }
  }
  CliHost::CatchInterrupt();
  const JobResult result = job.run(snapshot, host);
  if (host.sawError() || result.outcome == Outcome::Failed) return kExitError;
  if (host.sawWarning() || result.outcome == Outcome::Warned) return kExitUsage;
  if (result.outcome == Outcome::Cancelled) return kExitCancel;
  return 0;
}

}  // namespace

int RunCli(int argc, char** argv) {
  return RunCli(argc, argv, Jobs());
}

int RunCli(int argc, char** argv, const std::vector<JobSpec>& jobs) {
  if (argc > 0) SetProgramPath(argv[0]);
  CLI::App app{
      "Morvane Pro - dump, disassemble, translate and compare NES/Famicom ROMs.\n"
      "Outputs are written beside the input files.",
      "morvane"};
  app.require_subcommand(1, 1);
  // Only the job named on the command line needs its options set up.
  const bool named = argc > 1 && std::any_of(jobs.begin(), jobs.end(), [&](const JobSpec& job) {
                       return std::string_view(argv[1]) == job.name;
                     });
  std::vector<std::unique_ptr<JobArgs>> commands;
  for (const JobSpec& job : jobs) {
    if (named && std::string_view(argv[1]) != job.name) continue;
    auto args = std::make_unique<JobArgs>();
    args->job = &job;
    AddCommand(app, *args);
    commands.push_back(std::move(args));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  for (const auto& args : commands) {
    if (args->command->parsed()) return Run(*args);
  }
  return kExitUsage;
}

}  // namespace morvane
