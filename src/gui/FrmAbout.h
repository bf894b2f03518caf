// Seven information pages shown in turn.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace morvane {

class ClickLabel;

struct AboutPage {
  const char* text;
  QColor background;
  const char* nextCaption;  // caption of the page button while this page shows
};
inline constexpr int kAboutPages = 7;
const AboutPage& AboutPageAt(int index);  // 0 to 6

class FrmAbout : public QDialog {
 public:
  explicit FrmAbout(QWidget* parent = nullptr);

  // Shows the stored page and stores the one after it.
  void cmdWindow_Click();
  // The page on show, 1 to 7.
  int shownPage() const { return shown_ + 1; }

 private:
  void showPage(int index);

  QLabel* lbl2_ = nullptr;
  QPushButton* cmdWindow_ = nullptr;
  ClickLabel* lbl_ = nullptr;
  int next_ = 0;  // the page the next press shows, 0 to 6
  int shown_ = 0;
};

}  // namespace morvane
