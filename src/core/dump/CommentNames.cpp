#include "dump/CommentNames.h"

#include "dump/CodeDump.h"
#include "shell/Values.h"

namespace morvane {

std::string ReplaceFirst(std::string text, std::string_view placeholder, std::string_view with) {
  const auto pos = text.find(placeholder);
  if (pos != std::string::npos) text.replace(pos, placeholder.size(), with);
  return text;
}

std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view with) {
  std::string out;
  std::size_t from = 0;
  for (auto pos = text.find(placeholder); pos != std::string_view::npos;
       pos = text.find(placeholder, from)) {
    out.append(text.substr(from, pos - from));
    out.append(with);
    from = pos + placeholder.size();
  }
  out.append(text.substr(from));
  return out;
}

namespace {
const std::string kNoName;

std::string LabelOf(std::int32_t n, int flags) {
  std::string label = Hex(n);
  if (flags & kFlagLCase) label = LowerCase(label);
  if (flags & kFlagTbl) return "tbl_" + label;
  if (flags & kFlagVbl) return "vbl_" + label;
  return label;
}
}  // namespace

const std::string& CodeDump::readName(std::int32_t a) const {
  return a >= 0 && a < kNameSlots ? ops.ReadNames[static_cast<std::size_t>(a)] : kNoName;
}

const std::string& CodeDump::writeName(std::int32_t a) const {
  return a >= 0 && a < kNameSlots ? ops.WriteNames[static_cast<std::size_t>(a)] : kNoName;
}

std::string AddressName(const CodeDump& dump, std::int32_t n, int flags) {
  if (flags & kFlagConstant) return LabelOf(n, flags);
  if (flags & kFlagRead) {
    const std::string& name = dump.readName(n);
    return name.empty() ? LabelOf(n, flags) : name;
  }
  if (flags & kFlagWrite) {
    const std::string& name = dump.writeName(n);
    return name.empty() ? LabelOf(n, flags) : name;
  }
  const std::string& r = dump.readName(n);
  const std::string& w = dump.writeName(n);
  if (r == w) return r.empty() ? LabelOf(n, flags) : r;
  if (r.empty()) return LabelOf(n, flags) + "-->" + w;
  if (w.empty()) return r + "-->" + LabelOf(n, flags);
  return r + "-->" + w;
}

std::string RelativeName(const CodeDump& dump, std::int32_t target, int flags) {
  const std::string& name = dump.readName(target);
  if (!name.empty()) return name;
  std::string hex = HexWord(target);
  return flags & kFlagLCase ? LowerCase(hex) : hex;
}

namespace {
// Replaces placeholder by the name of n, computed only when it is needed.
std::string Put(const CodeDump& dump, const std::string& comment, std::string_view placeholder,
                std::int32_t n, int flags) {
  if (comment.find(placeholder) == std::string::npos) return comment;
  return ReplaceAll(comment, placeholder, AddressName(dump, n, flags));
}
}  // namespace

std::string FillCommentNames(const CodeDump& dump, std::string comment, int kind,
                             std::int32_t value, int flags) {
  if (comment.empty()) return comment;
  if (kind == 1) {
    comment = Put(dump, comment, "[uu+1]", (value + 1) & 0xFF, flags);
    return Put(dump, comment, "uu", value, flags);
  }
  if (kind == 2) {
    comment = Put(dump, comment, "[wwuu+1]", (value & 0xFF00) | ((value + 1) & 0xFF), flags);
    return Put(dump, comment, "wwuu", value, flags);
  }
  if (kind == -1 && comment.find("rrrr") != std::string::npos) {
    return ReplaceAll(comment, "rrrr", RelativeName(dump, value, flags));
  }
  return comment;
}

}  // namespace morvane
