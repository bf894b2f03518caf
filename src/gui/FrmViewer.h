// A read-only window on one of our text files: listings, scripts, tables,
// reports and disk listings, in a monospaced font with tabs every 6
// characters. A file is read and decoded on a thread of its own and added in
// slices, with its progress in the status bar, so that the windows stay
// responsive. Escape and Ctrl+W close it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "gui/TextEncoding.h"

class QComboBox;
class QLabel;
class QThread;
class QLineEdit;
class QPlainTextEdit;
class QSyntaxHighlighter;

namespace morvane {

class FrmViewer final : public QMainWindow {
 public:
  explicit FrmViewer(QWidget* parent = nullptr);
  ~FrmViewer() override;

  // Shows the file, in the encoding chosen for it before (else a guess);
  // false, with the reason shown, when it cannot be read.
  bool open(const QString& path, std::optional<TextEncoding> encoding = std::nullopt);
  const QString& path() const { return path_; }
  // The file's encoding, once it has been read (waits for the reading).
  TextEncoding encoding();
  // Shows the text in another encoding and remembers the choice for the file.
  void setEncoding(TextEncoding encoding);

  // While the file is read or its text added.
  bool loading() const { return loaded_ != nullptr || !pending_.isEmpty(); }
  // Waits for the reading and adds whatever is still waiting at once.
  void finishLoading();

  // Ctrl+G: a hex CPU address in a listing, a file offset of any size in a
  // compare or search report; false when no line of the file holds it.
  bool goToAddress(const QString& text);
  bool isReport() const { return report_; }
  // Ctrl+F and F3: the next (or previous) match, wrapping around the end.
  bool find(const QString& text, bool backward = false);

  QPlainTextEdit* view() const { return txtView_; }
  int currentLine() const;

  // Characters added per turn of the event loop while a file loads.
  static constexpr qsizetype kSliceChars = 32 * 1024;
  // Files beyond this are refused rather than read whole into memory.
  static constexpr qint64 kMaxBytes = qint64{256} << 20;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Ctrl+End while the file loads goes on to the end once it has loaded.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the reading thread hands over.
  struct Loaded {
    QString text;
    TextEncoding encoding = TextEncoding::Bytes;
    qint64 bytes = 0;
    QString error;
  };

  void buildBar();
  // Takes the reading thread's result and starts adding its text.
  void takeLoaded();
  // Waits for the reading thread, if it runs, and takes its result.
  void waitForReading();
  void addSlice();
  bool goToOffset(const QString& text);
  // Loads the whole file and returns the line find picks, reading lines in order.
  int findLine(const std::function<int(int, const std::function<QString(int)>&)>& find);
  void showLine(int line);
  void say(const QString& text);

  QString path_;
  TextEncoding encoding_ = TextEncoding::Bytes;
  std::shared_ptr<Loaded> loaded_;  // set while the thread reads
  QPointer<QThread> loader_;
  QString pending_;
  qsizetype pendingAt_ = 0;
  qint64 bytes_ = 0;
  bool report_ = false;
  bool endWhenLoaded_ = false;
  QTimer slicer_;
  QPlainTextEdit* txtView_ = nullptr;
  QLineEdit* txtFind_ = nullptr;
  QLineEdit* txtGoTo_ = nullptr;
  QLabel* lblGoTo_ = nullptr;
  QComboBox* cboEncoding_ = nullptr;
  QSyntaxHighlighter* highlighter_ = nullptr;
};

}  // namespace morvane
