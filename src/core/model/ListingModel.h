// The model a classic listing is written from: the definitions it decodes
// with, what each CPU address of the dumped block is (code, a table, a
// reference, a block's start: model/CodeMarks.h; the Table List's tables:
// model/TableMap.h) and the names and comments
// its lines get. The dump's passes fill it; the listing's writer reads it.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "labels/LabelStore.h"
#include "model/CodeMarks.h"
#include "model/Instruction.h"
#include "model/OpcodeSet.h"
#include "model/TableMap.h"

namespace morvane {

struct ListingModel {
  OpcodeSet ops;
  std::array<OpcodeShape, 256> shapes{};  // from ops, once it is read
  CodeMarks marks;
  TableMap tables;  // the Table List's tables; filled only when one is read
  std::int32_t dumpStart = 0;
  std::int32_t dumpEnd = 0;

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
  bool dumped(std::int64_t a) const { return a >= dumpStart && a <= dumpEnd; }
  const std::string& readName(std::int32_t a) const;
  const std::string& writeName(std::int32_t a) const;
  // The name of the line at a: a label file's, else fallback, which is
  // kept as the name the listing used.
  std::string labelFor(std::int32_t a, const std::string& fallback);
  // What label files give the line at a, null for nothing.
  const std::string* givenName(std::int32_t a) const;
  const std::string* givenComment(std::int32_t a) const;
};

}  // namespace morvane
