// A read-only window on one of our text files: listings, scripts, tables,
// reports and disk listings, in a monospaced font with tabs every 6
// characters. Big files are added in slices so the window stays responsive.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <optional>

#include "gui/TextEncoding.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSyntaxHighlighter;

namespace morvane {

class FrmViewer final : public QMainWindow {
 public:
  explicit FrmViewer(QWidget* parent = nullptr);

  // Shows the file, in the encoding chosen for it before (else a guess);
  // false, with the reason shown, when it cannot be read.
  bool open(const QString& path, std::optional<TextEncoding> encoding = std::nullopt);
  const QString& path() const { return path_; }
  TextEncoding encoding() const { return encoding_; }
  // Shows the text in another encoding and remembers the choice for the file.
  void setEncoding(TextEncoding encoding);

  bool loading() const { return !pending_.isEmpty(); }
  // Adds whatever is still waiting at once.
  void finishLoading();

  // Ctrl+G: a hex CPU address; false when no line of the file holds it.
  bool goToAddress(const QString& text);
  // Ctrl+F and F3: the next (or previous) match, wrapping around the end.
  bool find(const QString& text, bool backward = false);

  QPlainTextEdit* view() const { return txtView_; }
  int currentLine() const;

  // Characters added per turn of the event loop while a file loads.
  static constexpr qsizetype kSliceChars = 128 * 1024;
  // Files beyond this are refused rather than read whole into memory.
  static constexpr qint64 kMaxBytes = qint64{256} << 20;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildBar();
  void addSlice();
  void showLine(int line);
  void say(const QString& text);

  QString path_;
  TextEncoding encoding_ = TextEncoding::Bytes;
  QString pending_;
  qsizetype pendingAt_ = 0;
  QTimer slicer_;
  QPlainTextEdit* txtView_ = nullptr;
  QLineEdit* txtFind_ = nullptr;
  QLineEdit* txtGoTo_ = nullptr;
  QComboBox* cboEncoding_ = nullptr;
  QSyntaxHighlighter* highlighter_ = nullptr;
};

}  // namespace morvane
