// The Tiles window's table maker: typing over tiles, the text box, the
// control bytes, and what the list and the tiles show.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringDecoder>
#include <QStringEncoder>

#include "gui/FrmTiles.h"
#include "shell/Values.h"

namespace morvane {

namespace {

bool ShiftJis(const QComboBox* encoding) {
  return encoding->currentIndex() == 1;
}

QString HexText(long long value, int width) {
  const QString digits =
      QString::number(value < 0 ? -value : value, 16).toUpper().rightJustified(width, '0');
  return value < 0 ? "-" + digits : digits;
}

}  // namespace

std::string FrmTiles::encode(const QString& text) const {
  if (ShiftJis(cboEncoding_)) {
    QStringEncoder encoder("Shift_JIS");
    if (encoder.isValid()) return QByteArray(encoder(text)).toStdString();
  }
  return text.toStdString();
}

QString FrmTiles::decode(const std::string& bytes) const {
  const QByteArray raw = QByteArray::fromStdString(bytes);
  if (ShiftJis(cboEncoding_)) {
    QStringDecoder decoder("Shift_JIS");
    if (decoder.isValid()) return decoder(raw);
  }
  return QString::fromUtf8(raw);
}

std::vector<std::string> FrmTiles::characters(const QString& text) const {
  std::vector<std::string> result;
  for (const char32_t c : text.toUcs4()) result.push_back(encode(QString::fromUcs4(&c, 1)));
  return result;
}

void FrmTiles::view_Type(const QString& text) {
  const auto chars = characters(text);
  if (!maker_.setRun(view_->byteAt(view_->cursor()), chars)) return;
  // The cursor moves on past the tiles just named.
  const std::size_t next = view_->cursor() + chars.size() * view_->tileBytes();
  if (next < view_->file().size()) view_->select(next, next);
  showTable();
}

void FrmTiles::view_Erase() {
  for (std::size_t at = view_->selectionFirst(); at <= view_->selectionLast();
       at += view_->tileBytes()) {
    maker_.setText(view_->byteAt(at), "");
  }
  showTable();
}

void FrmTiles::txtText_Enter() {
  if (!view_->hasSelection()) return;
  const int first = view_->byteAt(view_->selectionFirst());
  const bool run = view_->selectionFirst() != view_->selectionLast();
  // A run takes one character a tile; one tile takes the whole text.
  const bool done = run ? maker_.setRun(first, characters(txtText_->text()))
                        : maker_.setText(first, encode(txtText_->text()));
  if (done) txtText_->clear();
  showTable();
}

void FrmTiles::txtControl_Edited() {
  for (QLineEdit* box : {txtEndPhrase_, txtNewLine_}) {
    const std::string text = box->text().trimmed().toStdString();
    const int byte = IsHex(text) ? HexToLong(text) : -1;
    if (!text.empty() && byte < 0) continue;  // shown again as it was
    (box == txtEndPhrase_ ? maker_.setEndPhrase(byte) : maker_.setNewLine(byte));
  }
  showTable();
}

void FrmTiles::view_Hover(long long at) {
  if (at < 0) {
    lblHover_->clear();
    return;
  }
  const auto tb = static_cast<long long>(view_->tileBytes());
  const long long distance = at - static_cast<long long>(view_->origin());
  const long long index = distance >= 0 ? distance / tb : -((-distance + tb - 1) / tb);
  const int byte = view_->byteAt(static_cast<std::size_t>(at));
  QString text = QString("Tile %1   byte %2   offset %3")
                     .arg(HexText(index, 3), HexText(byte, 2), HexText(at, 5));
  const std::string& entry = maker_.table().text[static_cast<std::size_t>(byte)];
  if (!entry.empty()) text += "   = " + decode(entry);
  lblHover_->setText(text);
}

void FrmTiles::adoptEncoding() {
  const TableEncoding guess = GuessEncoding(maker_.table());
  if (guess != TableEncoding::Unknown) {
    cboEncoding_->setCurrentIndex(guess == TableEncoding::ShiftJis ? 1 : 0);
  }
}

void FrmTiles::showTable() {
  lstTable_->clear();
  for (const auto& line : maker_.lines()) lstTable_->addItem(decode(line));
  const CharTable& table = maker_.table();
  txtEndPhrase_->setText(table.endPhraseByte < 0 ? "" : HexText(table.endPhraseByte, 2));
  txtNewLine_->setText(table.newLineByte < 0 ? "" : HexText(table.newLineByte, 2));
  view_->setTable(table, [this](const std::string& bytes) { return decode(bytes); });
}

void FrmTiles::showPosition() {
  txtOffset_->setText(HexText(static_cast<long long>(view_->offset()), 5));
}

void FrmTiles::txtOffset_Enter() {
  const std::string text = txtOffset_->text().trimmed().toStdString();
  if (IsHex(text) && text.size() <= 8) view_->setOffset(std::stoll(text, nullptr, 16));
  showPosition();
}

}  // namespace morvane
