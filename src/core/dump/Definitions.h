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

}  // namespace morvane
