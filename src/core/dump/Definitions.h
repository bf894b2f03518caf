// The reader of the Op_Codes file: the processor definitions an 8-bit Code
// dump works from (model/OpcodeSet.h).
#pragma once

#include <string>

#include "model/OpcodeSet.h"

namespace morvane {

// Reads the Op_Codes file into set (whose names may already hold Table List
// titles). Throws JobError::Minor (the problem as title, the path as message)
// for a file it rejects, JobError for an unreadable file or a name address
// above 10000h.
void ReadOpCodes(const std::string& path, OpcodeSet& set);
// Reads only the name lines of an Op_Codes file ReadOpCodes has accepted
// into set, as ReadOpCodes would: for a dump that has its definitions from
// an earlier reading and only the Table List's titles to name over.
void ReadOpCodeNames(const std::string& path, OpcodeSet& set);

}  // namespace morvane
