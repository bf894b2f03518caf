// The Table List (Tables.txt): where the data tables of an 8-bit Code dump
// lie and how each is laid out (its entries: model/TableMap.h). Its reader and
// the one writer of its lines, which the code finding's proposal and the
// trace both use.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "dump/Definitions.h"
#include "model/TableMap.h"

namespace morvane {

// The first line of every Table List a job writes: the names of the fields.
inline constexpr const char* kTableListHeader =
    "Start\tEnd\tWidth\tHeight\tSkip1st\tSkip\tAddrOS\tIndexOS\tOptions\tTitle\r\n";

// One line of a Table List: the fields in their order (Start, End, Width,
// Height, Skip1st, Skip, AddrOS, IndexOS, Options, Title), joined by tabs
// and ended by CR LF. Fields after the last one given are left out.
std::string TableListLine(std::initializer_list<std::string_view> fields);

// An address as the written rows give it: four lower-case hex digits.
std::string TableListAddress(std::int64_t address);

struct TableListResult {
  bool needsCharTable = false;
  bool ok = false;
};

// Reads the Table List file into map and the titles into readNames; dumpEnd is
// the dump's End address. Throws JobError::Minor naming the file for a line
// it rejects (what was read before stays in map), JobError for an unreadable
// file, a Start above FFFFh or an End above 10000h.
TableListResult ReadTableList(const std::string& path, std::int32_t dumpEnd, TableMap& map,
                              NameTable& readNames);
// Copies the entry at start to every address from start + 1 to limit - 1.
void SpreadTable(std::int32_t start, std::int32_t limit, TableMap& map, NameTable& readNames);

}  // namespace morvane
