#include "patch/Ips.h"
#include "patch/PatchFormat.h"
#include "patch/PatchInput.h"
#include "shell/Values.h"

namespace morvane {

namespace {

class IpsReader {
 public:
  explicit IpsReader(PatchInput& patch) : patch_(patch) { patch_.seek(5); }

  bool atEof() {
    if (bytes(3) != "EOF") return false;
    patch_.skip(3);
    return true;
  }
  std::size_t number(int count) {
    const std::size_t value = GetBigEndian(bytes(static_cast<std::size_t>(count)), 0, count);
    patch_.skip(static_cast<std::uint64_t>(count));
    return value;
  }
  // The next count bytes (at most a record's), valid until the next read.
  std::string_view take(std::size_t count) {
    const std::string_view data = bytes(count);
    patch_.skip(count);
    return data;
  }
  std::size_t left() const { return static_cast<std::size_t>(patch_.left()); }

 private:
  std::string_view bytes(std::size_t count) {
    if (left() < count)
      PatchFault("The IPS patch is cut short: it ends at byte " +
                 Hex(static_cast<std::int64_t>(patch_.size())) +
                 "h inside a record, before \"EOF\".");
    return patch_.ahead(count);
  }

  PatchInput& patch_;
};

}  // namespace

std::string ApplyIps(std::string_view source, std::string_view patch) {
  PatchInput in(patch);
  return ApplyIps(std::string(source), in);
}

std::string ApplyIps(std::string source, PatchInput& patch) {
  patch.seek(0);
  if (!patch.ahead(5).starts_with("PATCH"))
    PatchFault("This is not an IPS patch: it does not begin with \"PATCH\".");
  IpsReader in(patch);
  std::string out = std::move(source);
  while (!in.atEof()) {
    const std::size_t offset = in.number(3);
    std::size_t size = in.number(2);
    const bool run = size == 0;
    if (run) size = in.number(2);
    const std::string_view data = in.take(run ? 1 : size);
    if (offset + size > kIpsLimit)
      PatchFault("The IPS record at offset " + Hex(offset) + "h reaches past 16 MiB.");
    if (size == 0) continue;  // an empty run
    if (offset + size > out.size()) out.resize(offset + size, '\0');
    if (run)
      out.replace(offset, size, size, data[0]);
    else
      out.replace(offset, size, data);
  }
  if (in.left() == 3) {
    const std::size_t size = in.number(3);
    if (size > out.size())
      PatchFault("The IPS patch truncates to " + Hex(size) + "h bytes, more than the " +
                 Hex(out.size()) + "h bytes it makes.");
    out.resize(size);
  } else if (in.left() != 0) {
    PatchFault("The IPS patch has " + std::to_string(in.left()) +
               " bytes after \"EOF\"; only a 3-byte truncation size may follow.");
  }
  return out;
}

}  // namespace morvane
