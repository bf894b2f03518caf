// Pieces of the patch tests: patches spelt in hex, and source and target
// pairs, named cases and random edits.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "patch/Crc32.h"

namespace morvane::test {

// Bytes from hex pairs; spaces are ignored.
inline std::string B(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); ++i) {
    if (hex[i] == ' ') continue;
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(i++, 2)), nullptr, 16));
  }
  return bytes;
}

// The patch with the source, target and patch CRC32 values appended.
inline std::string Footer(std::string_view source, std::string_view target, std::string patch) {
  for (const std::uint32_t crc : {Crc32(source), Crc32(target)})
    for (int i = 0; i < 4; ++i) patch += static_cast<char>(crc >> (8 * i));
  const std::uint32_t crc = Crc32(patch);
  for (int i = 0; i < 4; ++i) patch += static_cast<char>(crc >> (8 * i));
  return patch;
}

struct PatchPair {
  std::string name;
  std::string source;
  std::string target;
};

// Bytes that look like a ROM: some text, some code-like noise, some fill.
inline std::string RomLike(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t zone = (i / 4096) % 4;
    bytes[i] = zone == 3 ? '\xFF' : static_cast<char>(zone == 1 ? 'A' + rng() % 26 : rng());
  }
  return bytes;
}

// Moves size bytes at from to before offset to (in the bytes with them removed).
inline std::string MoveBlock(std::string bytes, std::size_t from, std::size_t size,
                             std::size_t to) {
  const std::string block = bytes.substr(from, size);
  bytes.erase(from, size);
  bytes.insert(to, block);
  return bytes;
}

// count bytes changed, spread evenly from offset 7 on.
inline std::string Scatter(std::string bytes, std::size_t count) {
  for (std::size_t k = 0; k < count && !bytes.empty(); ++k) {
    const std::size_t at = (7 + k * (bytes.size() / count)) % bytes.size();
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5A);
  }
  return bytes;
}

// The 4 MiB pair of the speed target: scattered changes and a moved 64 KiB block.
inline PatchPair BigPair() {
  const std::string source = RomLike(4 << 20, 1);
  return {"4 MiB", source, Scatter(MoveBlock(source, 0x100000, 0x10000, 0x300000), 300)};
}

// A random edit history over a random source.
inline PatchPair RandomPair(unsigned seed) {
  std::mt19937 rng(seed);
  const auto pick = [&](std::size_t n) { return n ? static_cast<std::size_t>(rng() % n) : 0; };
  PatchPair pair{"random " + std::to_string(seed), RomLike(pick(3000), seed), {}};
  std::string t = pair.source;
  for (int edits = 1 + static_cast<int>(pick(6)); edits-- > 0;) {
    const std::size_t at = pick(t.size() + 1), len = 1 + pick(300);
    switch (pick(6)) {
      case 0:
        t.insert(at, RomLike(len, seed + 99));
        break;
      case 1:
        t.erase(at, len);
        break;
      case 2:
        t.insert(at, len, static_cast<char>(rng()));
        break;
      case 3:
        t.insert(at, t.substr(pick(t.size()), len));
        break;
      case 4:
        t = at < t.size() ? MoveBlock(t, at, len, pick(t.size() - std::min(len, t.size() - at)))
                          : t;
        break;
      default:
        t = Scatter(t, len % 20 + 1);
    }
  }
  pair.target = t;
  return pair;
}

}  // namespace morvane::test
