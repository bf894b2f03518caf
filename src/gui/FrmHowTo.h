// The user manual in three parts, one shown at a time, with a contents list
// of the parts' headings beside them and Ctrl+F to find a text in all three.
#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;

namespace morvane {

class FrmHowTo : public QDialog {
 public:
  explicit FrmHowTo(QWidget* parent = nullptr);

  void optPart_Click(int index);
  // The part on show, 0 to 2.
  int part() const { return part_; }
  // Shows the part and line of the contents list's entry.
  void lstContents_Click(int row);
  // The next place of text after the cursor, through the parts in turn and
  // round again; false when no part holds it.
  bool find(const QString& text);

  // Width in pixels of the contents and find panel beside the parts.
  static constexpr int kPanelWidth = 250;

 private:
  void buildPanel();
  QPlainTextEdit* shown() const { return txtHowTo_[static_cast<std::size_t>(part_)]; }
  void showLine(int part, int line);

  QListWidget* lstContents_ = nullptr;
  QLineEdit* txtFind_ = nullptr;
  QLabel* lblFound_ = nullptr;
  std::array<QPlainTextEdit*, 3> txtHowTo_{};
  std::array<QFrame*, 3> shape_{};
  std::array<QRadioButton*, 3> optPart_{};
  int part_ = 0;
};

}  // namespace morvane
