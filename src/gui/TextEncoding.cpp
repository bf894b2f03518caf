#include "gui/TextEncoding.h"

#include <QStringDecoder>
#include <algorithm>

namespace morvane {

namespace {

struct Named {
  TextEncoding encoding;
  const char* name;
};
constexpr Named kNames[] = {{TextEncoding::Bytes, "Bytes (Latin-1)"},
                            {TextEncoding::Utf8, "UTF-8"},
                            {TextEncoding::ShiftJis, "Shift-JIS"}};

QStringDecoder DecoderFor(TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return QStringDecoder(QStringDecoder::Utf8);
  if (encoding == TextEncoding::ShiftJis) return QStringDecoder("Shift_JIS");
  return QStringDecoder(QStringDecoder::Latin1);
}

bool DecodesCleanly(const QByteArray& bytes, TextEncoding encoding) {
  QStringDecoder decoder = DecoderFor(encoding);
  if (!decoder.isValid()) return false;
  const QString text = decoder(bytes);
  return !decoder.hasError() && !text.contains(QChar(0x1A));
}

}  // namespace

QString EncodingName(TextEncoding encoding) {
  for (const Named& n : kNames) {
    if (n.encoding == encoding) return QString::fromLatin1(n.name);
  }
  return {};
}

std::optional<TextEncoding> EncodingNamed(const QString& name) {
  for (const Named& n : kNames) {
    if (name == QLatin1String(n.name)) return n.encoding;
  }
  return std::nullopt;
}

TextEncoding GuessEncoding(const QByteArray& bytes) {
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return TextEncoding::Bytes;
  if (DecodesCleanly(bytes, TextEncoding::Utf8)) return TextEncoding::Utf8;
  if (DecodesCleanly(bytes, TextEncoding::ShiftJis)) return TextEncoding::ShiftJis;
  return TextEncoding::Bytes;
}

QString DecodeText(const QByteArray& bytes, TextEncoding encoding) {
  QStringDecoder decoder = DecoderFor(encoding);
  if (!decoder.isValid()) decoder = DecoderFor(TextEncoding::Bytes);
  QString text = decoder(bytes);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return text;
}

}  // namespace morvane
