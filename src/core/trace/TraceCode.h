// Tracing a dumped block: entry points from the vectors and the user, the
// trace, and the Table List that shows what it found.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "dump/CodeDump.h"
#include "trace/RomTrace.h"

namespace morvane {

struct TraceRequest {
  const std::string& rom;   // the file, or as much of it as the trace maps
  std::int64_t origin = 0;  // the file offset of CPU address A is A - origin
  std::int32_t base = 0x8000;
  std::int32_t start = 0x8000;
  std::int32_t end = 0xBFFF;
  std::vector<std::int32_t> entries;  // --entry points, CPU addresses
  std::string window = {};            // why the window was chosen, when it was found
  // A code/data log's marks (trace/CodeDataLog.h) per byte of PRG ROM, or
  // null: logged code is traced from, logged data is never taken for code.
  const std::vector<std::uint8_t>* logged = nullptr;
  // What the whole-ROM trace (trace/RomTrace.h) found entering the block.
  std::vector<RomEntry> found = {};
  bool writesLog = false;  // whether the result's marks and slots are wanted
  // Titles of the tables found, by dump address (label files' names), or null.
  const std::map<std::int32_t, std::string>* titles = nullptr;
};

struct TraceResult {
  std::string tablesText;          // Tables.txt: what is not code, as a Table List
  std::vector<std::string> notes;  // what the trace could not follow
  // Where each entry the whole-ROM trace found came from, a line each.
  std::vector<std::string> fromBanks;
  bool entered = false;  // some code of the dumped range was reached
  // Per byte of PRG ROM the CPU saw: code or data (trace/CodeDataLog.h), and
  // the 8 KiB slot of the window it was seen in; for a code/data log, made
  // only when the request writes one.
  std::vector<std::uint8_t> marks;
  std::vector<std::uint8_t> slots;
};

TraceResult TraceCode(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes);

// What the trace of one block found at each CPU address, for writers that
// lay the block out themselves (the ca65 export).
struct TracedBlock {
  std::vector<std::uint8_t> role;  // a ByteRole (trace/Tracer.h) per CPU address
  // Address tables jumped through: words at start, or low bytes at start and
  // high ones at partner; entries hold their target less addrOS.
  struct Table {
    std::int32_t start = 0;
    std::int32_t count = 0;
    std::int32_t partner = -1;
    int addrOS = 0;
  };
  std::vector<Table> tables;
};
TracedBlock TraceBlock(const TraceRequest& request, const std::array<OpcodeShape, 256>& shapes);

}  // namespace morvane
