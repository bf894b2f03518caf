// Everything an 8-bit Code dump keeps from its start to its end: the model
// its passes fill and its listing is written from, the Table List, the code
// stacks and the table being written.
#pragma once

#include <array>
#include <cstdint>
#include <set>

#include "dump/CodeStacks.h"
#include "dump/Definitions.h"
#include "dump/TableCursor.h"
#include "dump/TableList.h"
#include "model/ListingModel.h"
#include "shell/ListingWords.h"
#include "tables/CharTable.h"

namespace morvane {

struct CodeDump : ListingModel {
  TableMap tables;  // filled only when a Table List is read
  CodeStacks stacks;
  const CharTable* charTable = nullptr;

  bool withTables = false;
  bool raw = false;
  int pass = 1;
  int firstPass = 1;

  std::int32_t firstGood = -1;
  std::int32_t runStart = -1;
  int pendingData = 0;

  bool insideTable = false;
  TableCursor cursor;

  int optionsAt(std::int32_t a) const {
    return a >= 0 && a < static_cast<std::int32_t>(tables.size())
               ? tables[static_cast<std::size_t>(a)].Options
               : 0;
  }
  bool tableStartsAt(std::int32_t a) const { return (optionsAt(a) & kTableStart) != 0; }
};

}  // namespace morvane
