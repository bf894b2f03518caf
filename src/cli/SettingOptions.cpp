#include "cli/SettingOptions.h"

#include <cctype>
#include <map>

namespace morvane {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Hex4(const char* flag, bool taken, const std::string& value) {
  return taken ? std::string() : std::string(flag) + ": not 1 to 4 hex digits: " + value;
}

}  // namespace

const std::vector<SettingOption>& SettingOptions() {
  using M = SettingsModel;
  using V = const std::string&;
  static const std::vector<SettingOption> kOptions = {
      {Setting::Preset,
       "--preset",
       "address preset: 6000|8000|C000|A000|E000|custom",
       true,
       {"6000", "8000", "C000", "A000", "E000", "custom"},
       true,
       [](M& m, V v) {
         static const std::map<std::string, int> kPresets = {
             {"6000", 0}, {"8000", 1}, {"C000", 2}, {"A000", 3}, {"E000", 4}, {"CUSTOM", 5}};
         m.opAddress_Click(kPresets.at(Upper(v)));
         return std::string();
       }},
      {Setting::Mode,
       "--mode",
       "dump mode: table|text|speech|menu|code",
       true,
       {"table", "text", "speech", "menu", "code"},
       false,
       [](M& m, V v) {
         static const std::map<std::string, int> kModes = {
             {"table", 0}, {"text", 1}, {"speech", 2}, {"menu", 3}, {"code", 4}};
         m.opFeatures_Click(kModes.at(v));
         return std::string();
       }},
      {Setting::Address,
       "--address",
       "custom address base (hex, with --preset custom)",
       true,
       {},
       false,
       [](M& m, V v) {
         if (m.settings().preset != 5) return std::string("--address needs --preset custom");
         return Hex4("--address", m.txtAddress_Change(v), v);
       }},
      {Setting::Block,
       "--block",
       "16 kB block number (decimal, may have a fraction)",
       true,
       {},
       false,
       [](M& m, V v) {
         return m.txtBlock_Change(v) ? std::string() : "--block: not a block number: " + v;
       }},
      {Setting::Start,
       "--start",
       "first CPU address (hex)",
       true,
       {},
       false,
       [](M& m, V v) { return Hex4("--start", m.txtStart_Change(v), v); }},
      {Setting::End,
       "--end",
       "last CPU address (hex)",
       true,
       {},
       false,
       [](M& m, V v) { return Hex4("--end", m.txtEnd_Change(v), v); }},
      {Setting::Header,
       "--no-header",
       "the file has no 16-byte header",
       false,
       {},
       false,
       [](M& m, V) {
         m.setHeader(false);
         return std::string();
       }},
      {Setting::AsTable,
       "--as-table",
       "Text mode: dump as a table instead of a script",
       false,
       {},
       false,
       [](M& m, V) {
         m.chkAsTable_Click(true);
         return std::string();
       }},
      {Setting::Concat,
       "--no-concat",
       "Text mode as table: one character per line",
       false,
       {},
       false,
       [](M& m, V) {
         m.setConcat(false);
         return std::string();
       }},
      {Setting::Phrase,
       "--phrase",
       "Text mode: number of the first phrase (hex)",
       true,
       {},
       false,
       [](M& m, V v) {
         m.setPhraseText(v);
         return std::string();
       }},
      {Setting::Length,
       "--length",
       "Text mode: bytes between phrases (hex)",
       true,
       {},
       false,
       [](M& m, V v) {
         m.setLengthText(v);
         return std::string();
       }},
      {Setting::Tables,
       "--no-tables",
       "8-bit Code: find code and tables without a Table List",
       false,
       {},
       false,
       [](M& m, V) {
         m.chkwTables_Click(false);
         return std::string();
       }},
      {Setting::Raw,
       "--no-raw",
       "8-bit Code without tables: no Raw rows in Tables.txt",
       false,
       {},
       false,
       [](M& m, V) {
         m.setRaw(false);
         return std::string();
       }},
      {Setting::Trace,
       "--trace",
       "8-bit Code: trace the program from its vectors (and --entry) and use the Table List "
       "it finds, written as Tables.txt",
       false,
       {},
       false,
       [](M& m, V) {
         m.setTrace(true);
         return std::string();
       }},
      {Setting::Word,
       "--word",
       "search: the word to look for",
       true,
       {},
       false,
       [](M& m, V v) {
         m.setSearchText(v);
         return std::string();
       }},
      {Setting::ShowStrings,
       "--show-strings",
       "compare: decode differences through tables",
       false,
       {},
       false,
       [](M& m, V) {
         m.setShowStrings(true);
         return std::string();
       }},
  };
  return kOptions;
}

}  // namespace morvane
