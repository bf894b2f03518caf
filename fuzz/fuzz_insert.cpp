// Script insertion and strip over random scripts, into a copy of the bundled
// sample ROM through its character table.
#include "FuzzSupport.h"
#include "insert/Insert.h"
#include "insert/Strip.h"

namespace {

// The sample copied into the private folder: the modified ROM is written beside it.
std::string Copied(const char* name) {
  const auto to = morvane::fuzz::Folder() / name;
  std::filesystem::copy_file(std::string(MORVANE_SOURCE_SAMPLES_DIR) + "/" + name, to,
                             std::filesystem::copy_options::overwrite_existing);
  return to.string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const std::string rom = Copied("sample.nes");
  static const std::string table = Copied("sample.tbl");
  QuietHost host;
  host.files[Dialog::OpenNES] = {rom};
  host.files[Dialog::OpenTBL] = {table};
  host.files[Dialog::OpenSJS] = {fuzz::WriteInput("script.txt", data, size)};
  InsertJob(Settings{}, host);
  StripJob(Settings{}, host);
  return 0;
}
