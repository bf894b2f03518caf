#include "patch/Ips.h"
#include "patch/PatchFormat.h"
#include "shell/Values.h"

namespace morvane {

namespace {

class IpsReader {
 public:
  explicit IpsReader(std::string_view patch) : patch_(patch) {}

  bool atEof() {
    need(3);
    if (patch_.substr(pos_, 3) != "EOF") return false;
    pos_ += 3;
    return true;
  }
  std::size_t number(int bytes) {
    need(static_cast<std::size_t>(bytes));
    const std::size_t value = GetBigEndian(patch_, pos_, bytes);
    pos_ += static_cast<std::size_t>(bytes);
    return value;
  }
  std::string_view bytes(std::size_t count) {
    need(count);
    pos_ += count;
    return patch_.substr(pos_ - count, count);
  }
  std::size_t left() const { return patch_.size() - pos_; }

 private:
  void need(std::size_t count) const {
    if (left() < count)
      PatchFault("The IPS patch is cut short: it ends at byte " + Hex(patch_.size()) +
                 "h inside a record, before \"EOF\".");
  }

  std::string_view patch_;
  std::size_t pos_ = 5;
};

}  // namespace

std::string ApplyIps(std::string_view source, std::string_view patch) {
  if (!patch.starts_with("PATCH"))
    PatchFault("This is not an IPS patch: it does not begin with \"PATCH\".");
  IpsReader in(patch);
  std::string out(source);
  while (!in.atEof()) {
    const std::size_t offset = in.number(3);
    std::size_t size = in.number(2);
    const bool run = size == 0;
    if (run) size = in.number(2);
    const std::string_view data = in.bytes(run ? 1 : size);
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
