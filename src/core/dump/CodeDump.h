// Everything an 8-bit Code dump keeps from its start to its end: the
// definitions it was given, the per-address marks, the code stacks and the
// table being written.
#pragma once

#include <array>
#include <cstdint>
#include <set>

#include "dump/CodeMarks.h"
#include "dump/CodeStacks.h"
#include "dump/Definitions.h"
#include "dump/TableCursor.h"
#include "dump/TableList.h"
#include "labels/LabelStore.h"
#include "shell/ListingWords.h"
#include "tables/CharTable.h"

namespace morvane {

// What the byte loop asks of an opcode's addressing mode, kept small so that
// the table for all 256 opcodes stays in the cache.
struct OpcodeShape {
  OperandKind kind = OperandKind::None;  // the mode's operand
  std::int32_t flags = 0;                // the mode's option bits
};

struct CodeDump {
  OpcodeSet ops;
  std::array<OpcodeShape, 256> shapes{};  // from ops, once it is read
  TableMap tables;                        // filled only when a Table List is read
  CodeMarks marks;
  CodeStacks stacks;
  const CharTable* charTable = nullptr;

  bool withTables = false;
  bool raw = false;
  std::int32_t dumpStart = 0;
  std::int32_t dumpEnd = 0;
  int pass = 1;
  int firstPass = 1;

  std::int32_t firstGood = -1;
  std::int32_t runStart = -1;
  int pendingData = 0;

  bool insideTable = false;
  TableCursor cursor;

  // Label files' names and comments for the dumped block (by file offset)
  // and for RAM, and the names the listing gave its lines; kept only when
  // label files are read or written (naming), so that a dump without them
  // stays as it always was.
  LabelStore labels;
  std::set<std::int64_t> given;  // the file offsets label files name
  bool naming = false;
  std::int64_t origin = 0;  // the file offset of CPU address A is A - origin

  int optionsAt(std::int32_t a) const {
    return a >= 0 && a < static_cast<std::int32_t>(tables.size())
               ? tables[static_cast<std::size_t>(a)].Options
               : 0;
  }
  bool tableStartsAt(std::int32_t a) const { return (optionsAt(a) & kTableStart) != 0; }
  const std::string& readName(std::int32_t a) const;
  // The name of the line at a: a label file's, else fallback, which is
  // kept as the name the listing used.
  std::string labelFor(std::int32_t a, const std::string& fallback);
  // What label files give the line at a, null for nothing.
  const std::string* givenName(std::int32_t a) const;
  const std::string* givenComment(std::int32_t a) const;
  const std::string& writeName(std::int32_t a) const;
};

}  // namespace morvane
