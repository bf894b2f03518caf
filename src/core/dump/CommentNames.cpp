#include "dump/CommentNames.h"

#include "dump/CodeDump.h"
#include "shell/Values.h"

namespace morvane {

void AppendOperand(std::string& out, std::string_view format, std::string_view placeholder, int hi,
                   std::uint32_t lo, int width) {
  const auto pos = format.find(placeholder);
  if (pos == std::string_view::npos) {
    out.append(format);
    return;
  }
  out.append(format.substr(0, pos));
  if (hi >= 0) {
    AppendHex(out, static_cast<std::uint32_t>(hi), 0, true);
    AppendHex(out, lo, 2, true);
  } else {
    AppendHex(out, lo, width, true);
  }
  out.append(format.substr(pos + placeholder.size()));
}

namespace {
std::string LabelOf(std::int32_t n, int flags) {
  std::string label;
  if (flags & kFlagTbl) {
    label = kTableLabelPrefix;
  } else if (flags & kFlagVbl) {
    label = kVariableLabelPrefix;
  }
  AppendHex(label, static_cast<std::uint32_t>(n), 0, (flags & kFlagLCase) != 0);
  return label;
}
}  // namespace

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
// Appends text with every placeholder replaced by name(), which is worked out
// only when the placeholder is there.
template <class Name>
void AppendReplaced(std::string& out, std::string_view text, std::string_view placeholder,
                    const Name& name) {
  auto pos = text.find(placeholder);
  if (pos == std::string_view::npos) {
    out.append(text);
    return;
  }
  const std::string with = name();
  std::size_t from = 0;
  for (; pos != std::string_view::npos; pos = text.find(placeholder, from)) {
    out.append(text.substr(from, pos - from));
    out.append(with);
    from = pos + placeholder.size();
  }
  out.append(text.substr(from));
}

// The names of n + 1 (within its page) and of n, in that order: a name put
// first is searched again for the second placeholder.
void AppendBothNames(std::string& out, const CodeDump& dump, std::string_view comment,
                     std::string_view nextPlaceholder, std::int32_t next,
                     std::string_view placeholder, std::int32_t n, int flags) {
  const auto name = [&] { return AddressName(dump, n, flags); };
  if (comment.find(nextPlaceholder) == std::string_view::npos) {
    AppendReplaced(out, comment, placeholder, name);
    return;
  }
  std::string first;
  AppendReplaced(first, comment, nextPlaceholder, [&] { return AddressName(dump, next, flags); });
  AppendReplaced(out, first, placeholder, name);
}
}  // namespace

void AppendCommentNames(std::string& out, const CodeDump& dump, std::string_view comment,
                        OperandKind kind, std::int32_t value, int flags) {
  if (kind == OperandKind::Byte) {
    AppendBothNames(out, dump, comment, "[uu+1]", (value + 1) & 0xFF, "uu", value, flags);
  } else if (kind == OperandKind::Word) {
    AppendBothNames(out, dump, comment, "[wwuu+1]", (value & 0xFF00) | ((value + 1) & 0xFF), "wwuu",
                    value, flags);
  } else if (kind == OperandKind::Relative) {
    AppendReplaced(out, comment, "rrrr", [&] { return RelativeName(dump, value, flags); });
  } else {
    out.append(comment);
  }
}

void AppendGivenComment(std::string& out, const std::string& comment) {
  for (const char c : comment) {
    if (c == '\n') {
      out += kLineEnd;
      out += "\t\t\t\t;";
    } else if (c != '\r') {
      out += c;
    }
  }
}

}  // namespace morvane
