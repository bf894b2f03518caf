// The Table List a trace writes: every byte of the dumped range that is not
// code becomes a row, address tables as lbl tables, runs of fill apart.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "trace/RomMap.h"
#include "trace/TraceCode.h"
#include "trace/Tracer.h"

namespace morvane {

struct RowRequest {
  const RomMap& map;
  const Tracer& tracer;
  std::int64_t origin;
  std::int32_t start;
  std::int32_t end;
  // Titles of tables by dump address, or null.
  const std::map<std::int32_t, std::string>* titles = nullptr;
};

// The Tables.txt text; adds to result's notes and sets result.entered.
std::string TableRows(const RowRequest& request, TraceResult& result);

}  // namespace morvane
