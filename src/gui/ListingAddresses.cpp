#include "gui/ListingAddresses.h"

#include <QRegularExpression>

namespace morvane {

namespace {

std::optional<int> Hex(QStringView digits) {
  if (digits.isEmpty() || digits.size() > 4) return std::nullopt;
  bool ok = false;
  const int value = digits.toInt(&ok, 16);
  return ok ? std::optional<int>(value) : std::nullopt;
}

// The address a label names, by the prefixes the disassembler writes.
std::optional<int> LabelAddress(QStringView label) {
  for (const char* prefix : {"lbl_", "tbl_", "vbl_", "_"}) {
    if (label.startsWith(QLatin1String(prefix))) return Hex(label.mid(qstrlen(prefix)));
  }
  return Hex(label);
}

bool IsBranch(QStringView mnemonic) {
  static const QStringList kBranches = {"bcc", "bcs", "beq", "bmi", "bne",
                                        "bpl", "bvc", "bvs", "bra"};
  return kBranches.contains(mnemonic.toString().toLower());
}

// Bytes of ".byte $12" (one per value) or an instruction: one byte, and one or
// two more for the operand as the number of its digits shows ("$5" a zero
// page byte, "$305" a word); a branch names its target but holds one byte.
int SizeOf(QStringView body) {
  const qsizetype end = body.indexOf(QLatin1Char('\t'));
  const QStringView code = end < 0 ? body : body.left(end);
  const qsizetype space = code.indexOf(QLatin1Char(' '));
  const QStringView mnemonic = space < 0 ? code : code.left(space);
  const QStringView operand = space < 0 ? QStringView() : code.mid(space + 1).trimmed();
  if (mnemonic.startsWith(QLatin1Char('.'))) return static_cast<int>(operand.count(u',')) + 1;
  if (operand.isEmpty() || operand.compare(QLatin1String("a"), Qt::CaseInsensitive) == 0) return 1;
  if (operand.startsWith(QLatin1Char('#')) || IsBranch(mnemonic)) return 2;
  const qsizetype dollar = operand.indexOf(QLatin1Char('$'));
  int digits = 0;
  for (qsizetype i = dollar + 1; i < operand.size() && operand[i].isLetterOrNumber(); ++i) ++digits;
  return digits > 2 ? 3 : 2;
}

}  // namespace

std::optional<ListingAddresses::Place> ListingAddresses::next(QStringView line) {
  static const QRegularExpression kRange(
      QStringLiteral("^; (?:Lines|Table) ([0-9A-Fa-f]{1,4}) thru "));
  static const QRegularExpression kPhrase(QStringLiteral("^[0-9A-Fa-f]+:([0-9A-Fa-f]{1,4}):$"));
  if (line.startsWith(QLatin1Char(';'))) {
    if (const auto m = kRange.match(line); m.hasMatch()) {
      counter_ = Hex(m.capturedView(1));
      inListing_ = true;
    } else if (line.startsWith(QLatin1String(";External Code References"))) {
      inListing_ = false;
    }
    return std::nullopt;
  }
  if (const auto m = kPhrase.match(line); m.hasMatch()) {
    return Place{*Hex(m.capturedView(1)), 0};
  }
  if (!inListing_) return std::nullopt;
  const qsizetype tab = line.indexOf(QLatin1Char('\t'));
  if (tab < 0) return std::nullopt;
  const QStringView label = line.left(tab);
  if (label.endsWith(QLatin1Char(':'))) {
    if (auto at = LabelAddress(label.chopped(1))) counter_ = at;
  } else if (!label.isEmpty()) {
    return std::nullopt;
  }
  const QStringView body = line.mid(tab).trimmed();
  if (body.isEmpty() || body.startsWith(QLatin1Char(';')) || !counter_) return std::nullopt;
  const Place place{*counter_, SizeOf(body)};
  counter_ = place.address + place.size;
  return place;
}

int LineOfAddress(int count, const std::function<QString(int)>& line, int address) {
  ListingAddresses addresses;
  int heading = -1, headingAddress = -1;
  for (int i = 0; i < count; ++i) {
    const auto place = addresses.next(line(i));
    if (!place) continue;
    if (place->size == 0) {
      // A script's phrase heading stands for the bytes up to the next one.
      if (place->address <= address && place->address >= headingAddress) {
        heading = i;
        headingAddress = place->address;
      }
    } else if (address >= place->address && address < place->address + place->size) {
      return i;
    }
  }
  return heading;
}

std::optional<int> ParseAddress(const QString& text) {
  QString digits = text.trimmed();
  if (digits.startsWith(QLatin1Char('$'))) digits.remove(0, 1);
  return Hex(digits);
}

}  // namespace morvane
