#include "tables/StandardTable.h"

#include <algorithm>
#include <limits>

#include "shell/Values.h"

namespace morvane {

namespace {

constexpr int kUnreachable = std::numeric_limits<int>::max();

std::uint32_t Packed(std::string_view key) {
  std::uint32_t value = 0;
  for (const char c : key) value = value << 8 | static_cast<unsigned char>(c);
  return value;
}

}  // namespace

int RawByteAt(std::string_view row, std::size_t pos, std::size_t& length) {
  const std::string_view rest = row.substr(std::min(pos, row.size()));
  if (rest.size() >= 5 && rest.starts_with("<$") && rest[4] == '>' && IsHex(rest.substr(2, 2)) &&
      rest[2] != '-') {
    length = 5;
    return HexToLong(rest.substr(2, 2));
  }
  if (rest.size() >= 4 && rest[0] == '{' && rest[3] == '}' && IsHex(rest.substr(1, 2)) &&
      rest[1] != '-') {
    length = 4;
    return HexToLong(rest.substr(1, 2));
  }
  length = 0;
  return -1;
}

const TableEntry* StandardTable::match(std::string_view bytes) const {
  if (bytes.empty()) return nullptr;
  const std::size_t longest = longest_[static_cast<unsigned char>(bytes[0])];
  for (std::size_t n = std::min(bytes.size(), longest); n > 0; --n) {
    const auto& keys = byKey_[n - 1];
    const auto found = keys.find(Packed(bytes.substr(0, n)));
    if (found != keys.end()) return &entries_[static_cast<std::size_t>(found->second)];
  }
  return nullptr;
}

std::int16_t StandardTable::widthOf(const TableEntry& entry) const {
  return entry.key.size() == 1 ? widths_[static_cast<unsigned char>(entry.key[0])] : 0;
}

void StandardTable::set(TableEntry entry) {
  trie_.clear();
  auto drop = [this](int index) {
    if (index < 0) return;
    TableEntry& old = entries_[static_cast<std::size_t>(index)];
    if (!old.key.empty()) byKey_[old.key.size() - 1].erase(Packed(old.key));
    if (index == end_) end_ = -1;
    if (index == newLine_) newLine_ = -1;
    old = TableEntry{};
  };
  if (entry.kind == EntryKind::End) drop(end_);
  if (entry.kind == EntryKind::NewLine) drop(newLine_);
  if (!entry.key.empty()) {
    const auto found = byKey_[entry.key.size() - 1].find(Packed(entry.key));
    if (found != byKey_[entry.key.size() - 1].end()) drop(found->second);
  }
  if (entry.kind == EntryKind::Text && entry.text.empty()) return;
  const int index = static_cast<int>(entries_.size());
  if (!entry.key.empty()) {
    byKey_[entry.key.size() - 1][Packed(entry.key)] = index;
    auto& longest = longest_[static_cast<unsigned char>(entry.key[0])];
    longest = std::max<std::uint8_t>(longest, static_cast<std::uint8_t>(entry.key.size()));
  }
  if (entry.kind == EntryKind::End) end_ = index;
  if (entry.kind == EntryKind::NewLine) newLine_ = index;
  entries_.push_back(std::move(entry));
}

// Of two entries with the same text, the shorter key, then the lower one.
bool StandardTable::better(int candidate, int current) const {
  if (current < 0) return true;
  const std::string& a = entries_[static_cast<std::size_t>(candidate)].key;
  const std::string& b = entries_[static_cast<std::size_t>(current)].key;
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

int StandardTable::child(int node, unsigned char c) const {
  if (node == 0) return root_[c];
  const auto& next = trie_[static_cast<std::size_t>(node)].next;
  const auto it = std::lower_bound(next.begin(), next.end(), std::make_pair(c, 0),
                                   [](const auto& x, const auto& y) { return x.first < y.first; });
  return it != next.end() && it->first == c ? it->second : -1;
}

void StandardTable::buildTrie() const {
  trie_.assign(1, Node{});
  root_.fill(-1);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const TableEntry& e = entries_[i];
    if (e.text.empty()) continue;
    int node = 0;
    for (const char ch : e.text) {
      const auto c = static_cast<unsigned char>(ch);
      int next = child(node, c);
      if (next < 0) {
        next = static_cast<int>(trie_.size());
        if (node == 0) root_[c] = next;
        auto& list = trie_[static_cast<std::size_t>(node)].next;
        list.insert(
            std::lower_bound(list.begin(), list.end(), std::make_pair(c, 0),
                             [](const auto& x, const auto& y) { return x.first < y.first; }),
            {c, next});
        trie_.emplace_back();
      }
      node = next;
    }
    int& best = trie_[static_cast<std::size_t>(node)].entry;
    if (better(static_cast<int>(i), best)) best = static_cast<int>(i);
  }
}

bool StandardTable::encode(std::string_view row, std::vector<RowToken>& tokens,
                           std::size_t& badPos) const {
  if (trie_.empty()) buildTrie();
  const std::size_t n = row.size();
  // The choice at each place: an entry, or a raw byte (-1 - its value).
  struct Step {
    int what = 0;
    std::size_t length = 0;
  };
  std::vector<int> cost(n + 1, kUnreachable);
  std::vector<Step> choice(n);
  cost[n] = 0;
  for (std::size_t i = n; i-- > 0;) {
    std::size_t rawLength = 0;
    const int raw = RawByteAt(row, i, rawLength);
    if (raw >= 0) {  // a raw byte is always read as one
      if (cost[i + rawLength] != kUnreachable) {
        cost[i] = 1 + cost[i + rawLength];
        choice[i] = {-1 - raw, rawLength};
      }
      continue;
    }
    int node = 0;
    const std::string* best = nullptr;
    for (std::size_t j = i; j < n && (node = child(node, static_cast<unsigned char>(row[j]))) >= 0;
         ++j) {
      const int e = trie_[static_cast<std::size_t>(node)].entry;
      if (e < 0 || cost[j + 1] == kUnreachable) continue;
      const std::string& key = entries_[static_cast<std::size_t>(e)].key;
      const int c = static_cast<int>(key.size()) + cost[j + 1];
      if (c < cost[i] || (c == cost[i] && key < *best)) {
        cost[i] = c;
        choice[i] = {e, j + 1 - i};
        best = &key;
      }
    }
  }
  tokens.clear();
  if (cost[0] == kUnreachable) {
    // Where the furthest run stops.
    std::vector<bool> reached(n + 1, false);
    reached[0] = true;
    badPos = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (!reached[i]) continue;
      badPos = i;
      std::size_t rawLength = 0;
      if (RawByteAt(row, i, rawLength) >= 0) {
        reached[i + rawLength] = true;
        continue;
      }
      int node = 0;
      for (std::size_t j = i;
           j < n && (node = child(node, static_cast<unsigned char>(row[j]))) >= 0; ++j) {
        if (trie_[static_cast<std::size_t>(node)].entry >= 0) reached[j + 1] = true;
      }
    }
    return false;
  }
  for (std::size_t i = 0; i < n; i += choice[i].length) {
    const int what = choice[i].what;
    tokens.push_back({what >= 0 ? what : -1, i, choice[i].length,
                      what >= 0 ? entries_[static_cast<std::size_t>(what)].key
                                : std::string(1, static_cast<char>(-1 - what))});
  }
  return true;
}

bool StandardTable::encodeGreedy(std::string_view row, std::string& bytes) const {
  if (trie_.empty()) buildTrie();
  bytes.clear();
  for (std::size_t i = 0; i < row.size();) {
    std::size_t length = 0;
    const int raw = RawByteAt(row, i, length);
    if (raw >= 0) {
      bytes += static_cast<char>(raw);
      i += length;
      continue;
    }
    int node = 0;
    int best = -1;
    for (std::size_t j = i;
         j < row.size() && (node = child(node, static_cast<unsigned char>(row[j]))) >= 0; ++j) {
      if (trie_[static_cast<std::size_t>(node)].entry >= 0) {
        best = trie_[static_cast<std::size_t>(node)].entry;
        length = j + 1 - i;
      }
    }
    if (best < 0) return false;
    bytes += entries_[static_cast<std::size_t>(best)].key;
    i += length;
  }
  return true;
}

CharTable StandardTable::oneByteView() const {
  CharTable table;
  for (const TableEntry& e : entries_) {
    if (e.key.size() != 1) continue;
    const auto b = static_cast<unsigned char>(e.key[0]);
    if (e.kind == EntryKind::End) {
      table.endPhraseByte = b;
    } else if (e.kind == EntryKind::NewLine) {
      table.newLineByte = b;
    } else {
      table.text[b] = e.text;
      if (IsEndPhrase2Mark(e.text)) {
        table.endPhrase2Byte = b;
        table.endPhrase2Text = e.text;
      }
      if (e.text == kNewPageText) table.newPageByte = b;
    }
  }
  table.glyphWidth = widths_;
  return table;
}

StandardTable StandardTable::FromClassic(const CharTable& classic) {
  StandardTable table;
  for (int b = 0; b < 256; ++b) {
    if (!classic.text[b].empty()) {
      table.set({std::string(1, static_cast<char>(b)), classic.text[b], EntryKind::Text, 0});
    }
  }
  if (classic.endPhraseByte >= 0) {
    table.set({std::string(1, static_cast<char>(classic.endPhraseByte)), "", EntryKind::End, 0});
  }
  if (classic.newLineByte >= 0) {
    table.set({std::string(1, static_cast<char>(classic.newLineByte)), "", EntryKind::NewLine, 0});
  }
  table.widths_ = classic.glyphWidth;
  return table;
}

}  // namespace morvane
