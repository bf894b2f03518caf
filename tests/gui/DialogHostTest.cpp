#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "gui/DialogHost.h"
#include "support/TempDir.h"

namespace morvane {

TEST(DialogHost, FiltersBecomeNameFilters) {
  EXPECT_EQ(NameFilters(SpecOf(Dialog::OpenSJS).filter),
            QStringList({"Shift-JIS or UTF-8 Files (*.sjs *.txt)", "Shift-JIS Files (*.sjs)",
                         "Text Files (*.txt)", "All Files (*.*)"}));
  EXPECT_EQ(NameFilters(SpecOf(Dialog::OpenTBL).filter), QStringList{"Table Files (*.tbl)"});
}

TEST(DialogHost, ALongWarningTitleIsReadInFullInTheBody) {
  const QString shortage = "Not enough op codes in the Op_Codes file.\r\nNeed 256.  Have only 0.";
  const struct {
    QString title, text, barTitle, body;
  } cases[] = {
      {"Error during Strip", "Line 4", "Error during Strip", "Line 4"},
      {shortage, "/x/Op.txt", "Not enough op codes in the Op_Codes file.",
       "Not enough op codes in the Op_Codes file.\nNeed 256.  Have only 0.\n\n/x/Op.txt"},
      {QString(50, 'T'), "b", QString(50, 'T'), QString(50, 'T') + "\n\nb"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BoxTitle(c.title), c.barTitle);
    EXPECT_EQ(BoxBody(c.title, c.text), c.body);
  }
}

// Answers the file dialog that opens next, after checking what it shows.
void AnswerNextDialog(const QString& title, const QString& choose, QStringList* filters) {
  QTimer::singleShot(0, [=] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), title);
    *filters = dialog->nameFilters();
    if (choose.isEmpty()) {
      dialog->reject();
    } else {
      dialog->selectFile(choose);
      QMetaObject::invokeMethod(dialog, "accept");
    }
  });
}

TEST(DialogHost, FileDialogShowsTitleAndFiltersAndOffersTheLastFile) {
  TempDir dir;
  const QString rom = QString::fromStdString(dir.write("game.nes", "NES"));
  QtDialogHost host;
  QStringList filters;
  AnswerNextDialog("Select ROM File to Read", rom, &filters);
  EXPECT_EQ(host.openFile(nullptr, Dialog::OpenNES, ""), rom);
  EXPECT_EQ(filters.size(), 5);
  EXPECT_EQ(filters.front(), "NES Files (*.nes)");

  // Offered again, the same file is chosen by just accepting.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  EXPECT_EQ(host.openFile(nullptr, Dialog::OpenNES, rom), rom);

  AnswerNextDialog("Select Character Map Table File to Read", "", &filters);
  EXPECT_EQ(host.openFile(nullptr, Dialog::OpenTBL, ""), std::nullopt);
}

// Box texts carry bytes of the user's files: control characters show as
// {XX}, and markup stays text.
TEST(DialogHost, BoxesShowControlBytesAsHexAndNoMarkup) {
  QtDialogHost host;
  for (int box = 0; box < 3; ++box) {
    QString shown;
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, [&] {
      auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(message, nullptr);
      shown = message->text();
      format = message->textFormat();
      message->accept();
    });
    const QString text = "Line 5\r\n<b>\x1b]0;PWNED\x07</b>";
    if (box == 0) host.errorBox(nullptr, text);
    if (box == 1) host.warningBox(nullptr, "Title", text);
    if (box == 2) host.noticeBox(nullptr, "Title", text);
    EXPECT_EQ(shown, "Line 5\n<b>{1B}]0;PWNED{07}</b>") << box;
    EXPECT_EQ(format, Qt::PlainText) << box;
  }
}

}  // namespace morvane
