// The user manual in three parts, one shown at a time.
#pragma once

#include <QDialog>
#include <array>

class QFrame;
class QPlainTextEdit;
class QRadioButton;

namespace morvane {

class FrmHowTo : public QDialog {
 public:
  explicit FrmHowTo(QWidget* parent = nullptr);

  void optPart_Click(int index);
  // The part on show, 0 to 2.
  int part() const { return part_; }

 private:
  std::array<QPlainTextEdit*, 3> txtHowTo_{};
  std::array<QFrame*, 3> shape_{};
  std::array<QRadioButton*, 3> optPart_{};
  int part_ = 0;
};

}  // namespace morvane
