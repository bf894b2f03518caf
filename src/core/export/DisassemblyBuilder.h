// The builder of the disassembly model (export/Disassembly.h): its
// decoding in export/DisassemblyBuild.cpp, its labels in
// export/DisassemblyLabels.cpp. Only those two files use it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "export/Disassembly.h"
#include "trace/TraceCode.h"

namespace morvane {

class DisassemblyBuilder {
 public:
  DisassemblyBuilder(Disassembly& d, const ExportInputs& names) : d_(d), names_(names) {}

  // Traces each unit, decodes its instructions and finds its address tables.
  void trace(const std::array<OpcodeShape, 256>& shapes);
  // The vectors' targets, the label files' names, every address the code
  // and the tables name; then names given twice get a suffix.
  void labelAll();

 private:
  std::uint8_t byte(std::int64_t at) const;
  // Marks the instructions of unit u the trace found that assemble as they
  // stand; the rest stays data, with what the trace took for code noted.
  void decode(int u);
  // The Table List's tables in a unit that never switches are data, titled
  // at their start; where a unit switches, which bank a table means is not
  // known, and it is left out.
  void tableList(const RomUnit& unit);
  // What the Op_Codes file says of an opcode: its comment, without the mark.
  std::string note(std::uint8_t op) const;
  // lda #lo / sta p / lda #hi / sta p+1 in a straight run of code: the
  // immediates are the halves of an address in the ROM.
  void halves(int u);
  // The pointer at p and p + 1 when both were stored from immediates.
  template <typename Stored>
  void pair(int u, const Stored& stored, std::int32_t p);
  // The Table List's tables of addresses (lbl, tbl) in a unit that never
  // switches: their entries name their targets, as the trace's tables do.
  void listedAddresses(int u);
  // An address table of the trace: its entries name their targets.
  void table(int u, const TracedBlock::Table& t);
  bool data(std::int64_t at) const;
  void vectors(int u);
  // Names and comments from label files: a name replaces the one the export
  // would give; one that falls inside an instruction is left out.
  void userLabels(const LabelSet& set);
  // Remembers that code or a table of unit u names CPU address a.
  void refer(int u, std::int64_t a, bool code);
  // Labels the line that holds file offset at.
  void place(std::int64_t at, int u, bool);

  Disassembly& d_;
  const ExportInputs& names_;
  std::multimap<std::int64_t, std::pair<bool, int>> targets_;
  std::map<std::int64_t, std::string> titles_;
  bool skippedTables_ = false;
};

}  // namespace morvane
