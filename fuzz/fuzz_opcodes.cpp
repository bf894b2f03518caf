// The Op_Codes reader over any bytes.
#include "FuzzSupport.h"
#include "dump/Definitions.h"
#include "shell/JobError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static OpcodeSet* set = new OpcodeSet();
  *set = OpcodeSet();
  try {
    ReadOpCodes(fuzz::WriteInput("opcodes.txt", data, size), *set);
  } catch (const JobError&) {
  }
  return 0;
}
