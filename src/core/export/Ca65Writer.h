// The ca65 project of a whole ROM: the source, the ld65 configuration that
// lays its banks out in file order, and the CHR ROM it includes.
#pragma once

#include <string>

#include "export/Disassembly.h"

namespace morvane {

// The assembler source; stem names the files beside it (<stem>.chr, the
// configuration and the object file in the commands at its top).
std::string Ca65Source(const Disassembly& d, const std::string& stem);
// The ld65 configuration: one memory area per part of the file, in order.
std::string Ld65Config(const Disassembly& d);
// The CHR ROM the source includes, as the file holds it ("" for none).
std::string ChrBytes(const Disassembly& d);

}  // namespace morvane
