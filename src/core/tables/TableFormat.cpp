#include "tables/TableFormat.h"

#include "shell/InFile.h"
#include "shell/Values.h"

namespace morvane {

const OptionSpec kTableFormatOption{
    "tbl-format",
    "character table form: classic (default) or standard (multi-byte keys, control texts)",
    OptionSpec::Takes::One, "classic|standard"};

namespace {

// The classic reader skips the lines only the standard form reads; the job
// says so rather than dump or insert without them in silence.
void NoteSkippedLines(const std::string& path, const std::string& bytes, JobHost& host) {
  const StandardOnlyLines skipped = FindStandardOnlyLines(bytes);
  if (skipped.count == 0) return;
  host.note(FileNameOf(path) + ": " + std::to_string(skipped.count) +
            (skipped.count == 1 ? " line was" : " lines were") +
            " skipped that only the standard table form reads, the first on line " +
            std::to_string(skipped.firstLine) + ": \"" + skipped.first +
            "\". Use --tbl-format standard (Tools > Table Files > Standard) to read them.");
}

}  // namespace

bool ReadsStandardTables(const Settings& settings) {
  return settings.options.value(kTableFormatOption.name, "classic") == "standard";
}

StandardTable ReadJobTable(const std::string& path, const Settings& settings, JobHost& host) {
  if (ReadsStandardTables(settings)) return ReadStandardTable(path);
  std::string bytes = ReadBinaryFile(path);
  NoteSkippedLines(path, bytes, host);
  return StandardTable::FromClassic(ParseTable(std::move(bytes)));
}

CharTable ReadJobCharTable(const std::string& path, const Settings& settings, JobHost& host) {
  if (ReadsStandardTables(settings)) return ReadStandardTable(path).oneByteView();
  std::string bytes = ReadBinaryFile(path);
  NoteSkippedLines(path, bytes, host);
  return ParseTable(std::move(bytes));
}

CompareText ReadJobCompareTable(const std::string& path, const Settings& settings, JobHost& host) {
  if (!ReadsStandardTables(settings)) {
    std::string bytes = ReadBinaryFile(path);
    NoteSkippedLines(path, bytes, host);
    return ParseCompareTable(std::move(bytes));
  }
  const CharTable table = ReadStandardTable(path).oneByteView();
  CompareText map;
  for (int b = 0; b < 256; ++b)
    map[b] = table.text[b].empty() ? "{" + HexByte(b) + "}" : table.text[b];
  if (table.endPhraseByte >= 0) map[table.endPhraseByte] = "/";
  if (table.newLineByte >= 0) map[table.newLineByte] = "*";
  return map;
}

std::string NoEndByteNote(const std::string& tablePath) {
  return FileNameOf(tablePath) +
         " names no end byte (a /XX line), so the dump found no end of phrase and wrote no "
         "phrase.";
}

}  // namespace morvane
