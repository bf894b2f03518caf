// The tables of a Table List inside an 8-bit Code dump. Every pass reads
// them: open() at a table's first byte, count() before the label of every
// byte and advance() after it move the cursor through the table's rows and
// record what the rows name (sub-tables, code). The writing pass then puts
// the text in: header() at the table's first byte, breaks() before the label
// and append() for the byte's ".byte" line.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct CodeDump;

class TableRenderer {
 public:
  explicit TableRenderer(CodeDump& dump) : d_(dump) {}

  // Starts the table at a.
  void open(std::int32_t a);
  // Row, group and skip counters for byte b at a.
  void count(std::int32_t a, std::uint8_t b);
  // The row byte b at a completes; closes the table at its last byte.
  void advance(std::int32_t a, std::uint8_t b);

  // The table's header.
  void header(std::int32_t a, std::string& line);
  // The line ends the counters put before the byte's label.
  void breaks(std::string& line) const;
  // The byte's ".byte" text and comment, and the rule after the table.
  void append(std::int32_t a, std::uint8_t b, std::string& line) const;

 private:
  void renderRow(std::int32_t a, std::uint8_t b);
  void addressRow(std::int32_t a);
  void textRow(std::int32_t a, std::uint8_t b);
  std::int32_t partnerByte(std::int32_t a) const;

  CodeDump& d_;
};

}  // namespace morvane
