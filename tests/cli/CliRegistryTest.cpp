// The command line as the job registry builds it: each subcommand with only
// its own options, and a job's own options reaching the job.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "TempDir.h"
#include "cli/Cli.h"
#include "cli/SettingOptions.h"
#include "jobs/JobRegistry.h"
#include "shell/Values.h"

namespace morvane {
namespace {

std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  pclose(pipe);
  return out;
}

TEST(CliRegistry, EachSubcommandOffersOnlyItsOwnOptions) {
  for (const JobSpec& job : Jobs()) {
    SCOPED_TRACE(job.name);
    const std::string help = Output(std::string(MORVANE_BINARY) + " " + job.name + " --help");
    for (const FileSpec& file : job.files) {
      EXPECT_NE(help.find(std::string(file.option) + " "), std::string::npos) << file.option;
    }
    for (const SettingOption& s : SettingOptions()) {
      const bool shown = help.find(std::string(s.flag) + " ") != std::string::npos;
      // A job's own option may take a setting's name (Find Pointers' --address).
      const bool own = std::any_of(job.options.begin(), job.options.end(), [&](const auto& o) {
        return std::string("--") + o.name == s.flag;
      });
      EXPECT_EQ(shown, job.reads(s.setting) || own) << s.flag;
    }
    // An option of one value shows one value; a repeated one shows "...".
    for (const OptionSpec& o : job.options) {
      if (o.takes == OptionSpec::Takes::Nothing) continue;
      const std::size_t at = help.find(std::string("--") + o.name + " ");
      ASSERT_NE(at, std::string::npos) << o.name;
      const std::string line = help.substr(at, help.find('\n', at) - at);
      const bool many = line.find(" ...") != std::string::npos;
      EXPECT_EQ(many, o.takes == OptionSpec::Takes::Many) << line;
    }
  }
}

// What the test job saw of its run.
Settings gSeen;
std::vector<std::string> gFiles;

JobResult Record(const Settings& settings, JobHost& host) {
  gSeen = settings;
  gFiles.clear();
  if (auto file = host.askFile(Dialog::OpenNES)) gFiles.push_back(*file);
  return {};
}

int RunProbe(std::vector<std::string> args) {
  static const std::vector<JobSpec> kJobs = {
      {"probe",
       "A job with options of its own",
       {{"--rom", Dialog::OpenNES, "ROM"}},
       {Setting::Block},
       {{"format", "patch format", OptionSpec::Takes::One, "ips|bps"},
        {"entry", "entry point", OptionSpec::Takes::Many, nullptr, &IsHex, "hex"},
        {"trace", "trace it", OptionSpec::Takes::Nothing}},
       {},
       &Record},
  };
  args.insert(args.begin(), "morvane");
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  gSeen = Settings();
  return RunCli(static_cast<int>(argv.size()), argv.data(), kJobs);
}

TEST(CliRegistry, AJobsOwnOptionsReachItsSettings) {
  ASSERT_EQ(RunProbe({"probe", "--rom", "a.nes", "--block", "2", "--format", "bps", "--entry",
                      "C000", "--entry", "fffa", "--trace"}),
            0);
  EXPECT_EQ(gFiles, std::vector<std::string>{"a.nes"});
  EXPECT_EQ(gSeen.block, 2.0);
  EXPECT_EQ(gSeen.options.value("format"), "bps");
  EXPECT_EQ(gSeen.options.values("entry"), (std::vector<std::string>{"C000", "fffa"}));
  EXPECT_TRUE(gSeen.options.has("trace"));

  ASSERT_EQ(RunProbe({"probe", "--rom", "a.nes"}), 0);
  EXPECT_FALSE(gSeen.options.has("format"));
  EXPECT_EQ(gSeen.options.value("format", "ips"), "ips");
  EXPECT_TRUE(gSeen.options.values("entry").empty());

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"probe", "--format", "zip"},
                                              {"probe", "--entry", "C0G0"},
                                              {"probe", "--start", "8000"}}) {
    EXPECT_EQ(RunProbe(bad), 2) << bad[1];
  }
}

}  // namespace
}  // namespace morvane
