// Everything an 8-bit Code dump keeps from its start to its end: the model
// its passes fill and its listing is written from, the code stacks and the
// table being written.
#pragma once

#include <cstdint>

#include "dump/CodeStacks.h"
#include "dump/Definitions.h"
#include "dump/TableCursor.h"
#include "dump/TableList.h"
#include "model/ListingModel.h"
#include "shell/ListingWords.h"
#include "tables/CharTable.h"

namespace morvane {

struct CodeDump : ListingModel {
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
};

}  // namespace morvane
