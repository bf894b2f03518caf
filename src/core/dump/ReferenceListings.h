// The seven reference listings that close an 8-bit Code dump, and the
// starting Table List ("Tables.txt") written when no Table List was given.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

struct CodeDump;
class OutFile;

void WriteReferenceListings(OutFile& out, const CodeDump& dump);

// The text of Tables.txt for the dump's range; raw rows only with rawRows.
std::string TablesTxtText(const CodeDump& dump, bool rawRows);

}  // namespace morvane
