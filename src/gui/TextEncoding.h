// How the viewer turns a file's bytes into characters. Our files are bytes:
// scripts and reports may carry UTF-8 or Shift-JIS text, or neither.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace morvane {

enum class TextEncoding { Bytes, Utf8, ShiftJis };

inline constexpr TextEncoding kTextEncodings[] = {TextEncoding::Bytes, TextEncoding::Utf8,
                                                  TextEncoding::ShiftJis};

// "Bytes (Latin-1)", "UTF-8", "Shift-JIS": the names the viewer offers and stores.
QString EncodingName(TextEncoding encoding);
std::optional<TextEncoding> EncodingNamed(const QString& name);

// UTF-8 when the bytes are valid UTF-8 beyond plain ASCII, else Shift-JIS when
// they are valid Shift-JIS beyond ASCII, else one character per byte.
TextEncoding GuessEncoding(const QByteArray& bytes);

// The text with CR LF line ends made plain line feeds. Bytes that do not
// decode are shown as replacement characters; nothing is dropped.
QString DecodeText(const QByteArray& bytes, TextEncoding encoding);

}  // namespace morvane
