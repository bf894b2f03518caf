#include "trace/TraceRows.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "dump/TableList.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"
#include "trace/Opcodes6502.h"

namespace morvane {

namespace {

constexpr int kFillRun = 8;             // identical bytes that make a row of their own
constexpr std::size_t kCandidates = 8;  // code starts offered for a range nothing enters

struct Table {
  std::int32_t bytes = 0;
  std::string width;
  int addrOS = 0;
  std::string title;
};

// What the trace says about each address of the dumped range.
class RangeView {
 public:
  explicit RangeView(const RowRequest& r) : r_(r) {
    const std::size_t n = static_cast<std::size_t>(std::max(0, r.end - r.start + 1));
    byte_.assign(n, -1);
    code_.assign(n, false);
    for (std::int32_t c = 0; c <= 0xFFFF; ++c) {
      const std::int64_t o = r.map.offset(c);
      const std::int64_t a = o + r.origin;
      if (o < 0 || a < r.start || a > r.end) continue;
      const auto k = static_cast<std::size_t>(a - r.start);
      byte_[k] = r.map.byte(c);
      if (r.tracer.code(c)) code_[k] = true;
    }
  }
  // The dump address of CPU address c, -1 outside the range.
  std::int64_t dumpAddress(std::int32_t c) const {
    const std::int64_t o = r_.map.offset(c);
    const std::int64_t a = o + r_.origin;
    return o < 0 || a < r_.start || a > r_.end ? -1 : a;
  }
  bool code(std::int32_t a) const { return code_[idx(a)]; }
  int byte(std::int32_t a) const { return byte_[idx(a)]; }

 private:
  std::size_t idx(std::int32_t a) const { return static_cast<std::size_t>(a - r_.start); }
  const RowRequest& r_;
  std::vector<int> byte_;
  std::vector<bool> code_;
};

// Rows for the data from a to b: runs of fill apart from what lies between.
void DataRows(const RangeView& view, std::int32_t a, std::int32_t b, std::string& text) {
  std::int32_t open = a;
  std::int32_t k = a;
  while (k <= b) {
    std::int32_t run = k;
    while (run + 1 <= b && view.byte(run + 1) == view.byte(k)) ++run;
    if (run - k + 1 >= kFillRun) {
      if (open < k) text += TableListLine({TableListAddress(open), TableListAddress(k - 1)});
      text += TableListLine({TableListAddress(k), TableListAddress(run)});
      open = run + 1;
    }
    k = run + 1;
  }
  if (open <= b) text += TableListLine({TableListAddress(open), TableListAddress(b)});
}

// Where code may start in a range nothing enters: its first byte and the
// first byte after each run of fill, when they hold an opcode valid code has.
std::vector<std::int32_t> Candidates(const RangeView& view, const RowRequest& r,
                                     const std::map<std::int32_t, Table>& tables) {
  std::vector<std::int32_t> found;
  const auto inTable = [&](std::int32_t a) {
    const auto t = tables.upper_bound(a);
    return t != tables.begin() && a < std::prev(t)->first + std::prev(t)->second.bytes;
  };
  const auto valid = [&](std::int32_t a) {
    return view.byte(a) >= 0 && !r.tracer.bad(static_cast<std::uint8_t>(view.byte(a))) &&
           !inTable(a);
  };
  if (valid(r.start)) found.push_back(r.start);
  for (std::int32_t a = r.start; a <= r.end && found.size() < kCandidates;) {
    std::int32_t run = a;
    while (run + 1 <= r.end && view.byte(run + 1) == view.byte(a)) ++run;
    if (run - a + 1 >= kFillRun && run + 1 <= r.end && valid(run + 1)) found.push_back(run + 1);
    a = run + 1;
  }
  return found;
}

}  // namespace

std::string TableRows(const RowRequest& r, TraceResult& result) {
  const RangeView view(r);
  std::map<std::int32_t, Table> tables;
  for (const FoundTable& t : r.tracer.tables()) {
    const std::int64_t at = view.dumpAddress(t.start);
    if (at < 0) continue;
    Table& row = tables[static_cast<std::int32_t>(at)];
    row.bytes = t.partner >= 0 ? t.count : 2 * t.count;
    row.width =
        t.partner >= 0
            ? "-" + LowerCase(Hex(view.dumpAddress(t.partner) >= 0 ? view.dumpAddress(t.partner)
                                                                   : t.partner))
            : "2";
    row.addrOS = t.addrOS;
  }
  // Each vector is a table of its own, titled with its name, so that the
  // listing names the handler it points at.
  for (const op6502::Vector& v : op6502::kVectors) {
    if (r.map.word(v.at) >= 0 && view.dumpAddress(v.at) >= 0 && view.dumpAddress(v.at + 1) >= 0) {
      tables[static_cast<std::int32_t>(view.dumpAddress(v.at))] = {2, "2", 0, v.name};
    }
  }
  if (r.titles != nullptr) {
    for (auto& [at, row] : tables) {
      const auto title = r.titles->find(at);
      if (title != r.titles->end()) row.title = title->second;
    }
  }
  std::string rows;
  for (std::int32_t a = r.start; a <= r.end;) {
    const auto t = tables.find(a);
    if (t != tables.end()) {
      const std::int32_t last = std::min(r.end, a + t->second.bytes - 1);
      const Table& row = t->second;
      const std::string addrOS = row.addrOS != 0 ? std::to_string(row.addrOS) : "";
      // Words are low byte first: option r reads them that way.
      const char* options = row.width == "2" ? "rlbl" : "lbl";
      rows += TableListLine({TableListAddress(a), TableListAddress(last), row.width, "", "", "",
                             addrOS, "", options, row.title});
      a = last + 1;
      continue;
    }
    if (view.byte(a) < 0 || view.code(a)) {
      result.entered |= view.byte(a) >= 0;
      ++a;
      continue;
    }
    // The data runs up to the next table at most.
    const auto next = tables.upper_bound(a);
    const std::int32_t stop = next == tables.end() ? r.end + 1 : std::min(next->first, r.end + 1);
    std::int32_t b = a;
    while (b + 1 < stop && view.byte(b + 1) >= 0 && !view.code(b + 1)) ++b;
    DataRows(view, a, b, rows);
    a = b + 1;
  }
  if (!result.entered) {
    std::string note = "Nothing the trace follows enters " + HexWord(r.start) + "-" +
                       HexWord(r.end) + ", so all of it is listed as data.";
    const std::vector<std::int32_t> candidates = Candidates(view, r, tables);
    if (!candidates.empty()) {
      note += " Code may start at";
      for (const std::int32_t c : candidates) note += " " + HexWord(c);
      note += "; give such points with --entry.";
    }
    result.notes.push_back(note);
  }
  std::string text = kTableListHeader;
  for (const std::string& n : result.notes) text += "; " + n + kLineEnd;
  return text + rows;
}

}  // namespace morvane
