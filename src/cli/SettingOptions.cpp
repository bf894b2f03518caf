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
         using P = AddressPreset;
         static const std::map<std::string, P> kPresets = {
             {"6000", P::At6000}, {"8000", P::At8000}, {"C000", P::AtC000},
             {"A000", P::AtA000}, {"E000", P::AtE000}, {"CUSTOM", P::Custom}};
         m.chooseAddressPreset(kPresets.at(Upper(v)));
         return std::string();
       }},
      {Setting::Mode,
       "--mode",
       "dump mode: table|text|speech|menu|code",
       true,
       {"table", "text", "speech", "menu", "code"},
       false,
       [](M& m, V v) {
         static const std::map<std::string, int> kModes = {{"table", kTableOnly},
                                                           {"text", kText},
                                                           {"speech", kSpeech},
                                                           {"menu", kMenu},
                                                           {"code", kCode}};
         m.chooseMode(kModes.at(v));
         return std::string();
       }},
      {Setting::Address,
       "--address",
       "custom address base (hex, with --preset custom)",
       true,
       {},
       false,
       [](M& m, V v) {
         if (m.settings().preset != AddressPreset::Custom)
           return std::string("--address needs --preset custom");
         return Hex4("--address", m.setAddress(v), v);
       }},
      {Setting::Block,
       "--block",
       "16 kB block number (decimal, may have a fraction)",
       true,
       {},
       false,
       [](M& m, V v) {
         return m.setBlock(v) ? std::string() : "--block: not a block number: " + v;
       }},
      {Setting::Start,
       "--start",
       "first CPU address (hex)",
       true,
       {},
       false,
       [](M& m, V v) { return Hex4("--start", m.setStart(v), v); }},
      {Setting::End,
       "--end",
       "last CPU address (hex)",
       true,
       {},
       false,
       [](M& m, V v) { return Hex4("--end", m.setEnd(v), v); }},
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
         m.setAsTable(true);
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
         m.setWithTables(false);
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
