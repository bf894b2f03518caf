// Writes the tables of a Table List as data inside an 8-bit Code dump. The
// code step calls open() at a table's first byte, count() before the label of
// every byte of the table and write() after it.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct CodeDump;

class TableRenderer {
 public:
  explicit TableRenderer(CodeDump& dump) : d_(dump) {}

  // Starts the table at a and appends its header to line.
  void open(std::int32_t a, std::string& line);
  // Row, group and skip counters for byte b at a.
  void count(std::int32_t a, std::uint8_t b, std::string& line);
  // The byte's ".byte" text and comment; closes the table at its last byte.
  void write(std::int32_t a, std::uint8_t b, std::string& line);

 private:
  void renderRow(std::int32_t a, std::uint8_t b, std::string& line);
  void addressRow(std::int32_t a);
  void textRow(std::int32_t a, std::uint8_t b, std::string& line);
  std::int32_t partnerByte(std::int32_t a) const;

  CodeDump& d_;
};

}  // namespace morvane
