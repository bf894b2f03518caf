// Which pieces of a dumped row the shortest encoding would write otherwise.
// The encoding's programme runs from the row's end; where a piece starts,
// its choice is compared with the piece, and a piece it would not take
// becomes raw bytes, which nothing on its left may reach into. The places
// on its right are settled already, so one pass finds them all.
#include <algorithm>
#include <limits>

#include "tables/StandardTable.h"

namespace morvane {

void StandardTable::markDeparting(std::string_view row, std::vector<Piece>& pieces) const {
  constexpr int kUnreachable = std::numeric_limits<int>::max();
  if (trie_.empty()) buildTrie();
  const std::size_t n = row.size();
  std::vector<int> cost(n + 1, kUnreachable);
  cost[n] = 0;
  std::size_t barrier = n;  // nothing may reach past here
  std::size_t next = pieces.size();
  for (std::size_t i = n; i-- > 0;) {
    while (next > 0 && pieces[next - 1].pos > i) --next;
    Piece* piece = next > 0 && pieces[next - 1].pos == i ? &pieces[next - 1] : nullptr;
    std::size_t rawLength = 0;
    if (RawByteAt(row, i, rawLength) >= 0) {
      if (cost[i + rawLength] != kUnreachable) cost[i] = 1 + cost[i + rawLength];
      barrier = i;
      continue;
    }
    std::string_view bestKey;
    std::size_t bestLength = 0;
    int node = 0;
    for (std::size_t j = i;
         j < barrier && (node = child(node, static_cast<unsigned char>(row[j]))) >= 0; ++j) {
      const int e = trie_[static_cast<std::size_t>(node)].entry;
      if (e < 0 || cost[j + 1] == kUnreachable) continue;
      const std::string& key = entries_[static_cast<std::size_t>(e)].key;
      const int c = static_cast<int>(key.size()) + cost[j + 1];
      if (c < cost[i] || (c == cost[i] && key < bestKey)) {
        cost[i] = c;
        bestKey = key;
        bestLength = j + 1 - i;
      }
    }
    if (piece == nullptr || (bestKey == piece->key && bestLength == piece->length)) continue;
    piece->departs = true;
    const std::size_t after = std::min(i + piece->length, n);
    cost[i] = cost[after] == kUnreachable ? kUnreachable
                                          : static_cast<int>(piece->key.size()) + cost[after];
    barrier = i;
  }
}

}  // namespace morvane
