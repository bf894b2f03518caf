#include "gui/FrmHowTo.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/HelpText.h"
#include "gui/Twips.h"
#include "gui/Widgets.h"

namespace morvane {

namespace {
const char* const kParts[] = {"Part 1 - How to Use Quenby's Morvane Pro",
                              "Part 2 - File Formats: GAME OpCodes.txt and GAME.tbl",
                              "Part 3 - File Formats: GAME Tables.txt and GAME Text.txt"};
const QColor kShapes[] = {QColor(0, 128, 0), QColor(0, 0, 128), QColor(128, 0, 0)};
}  // namespace

FrmHowTo::FrmHowTo(QWidget* parent) : QDialog(parent) {
  setObjectName("frmHowTo");
  setWindowTitle("How To Use Morvane");
  setFont(PlainFont());
  setFixedSize(Px(10800) + kPanelWidth, Px(8280));
  for (int i = 0; i < 3; ++i) {
    shape_[i] = new QFrame(this);
    shape_[i]->setObjectName(QString("Shape(%1)").arg(i));
    shape_[i]->setGeometry(TwRect(60, 60, 10680, 6480));
    Paint(shape_[i], kShapes[i], Qt::white);
    txtHowTo_[i] = new QPlainTextEdit(this);
    txtHowTo_[i]->setObjectName(QString("txtHowTo(%1)").arg(i));
    txtHowTo_[i]->setGeometry(TwRect(120, 120, 10560, 6360));
    txtHowTo_[i]->setFont(BoxFont(9));
    txtHowTo_[i]->setReadOnly(true);
    txtHowTo_[i]->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtHowTo_[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHowTo_[i]->setPlainText(HelpText(QString("HowTo%1.txt").arg(i + 1)));
    optPart_[i] = new QRadioButton(kParts[i], this);
    optPart_[i]->setObjectName(QString("optPart(%1)").arg(i));
    optPart_[i]->setGeometry(TwRect(120, 6660 + 300 * i, 7200, 255));
    connect(optPart_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) optPart_Click(i);
    });
  }
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setGeometry(TwRect(8880, 6900, 1695, 615));
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
  optPart_[0]->setChecked(true);
  optPart_Click(0);
  buildPanel();
}

void FrmHowTo::optPart_Click(int index) {
  part_ = index;
  if (!optPart_[index]->isChecked()) optPart_[index]->setChecked(true);
  for (int i = 0; i < 3; ++i) {
    shape_[i]->setVisible(i == index);
    txtHowTo_[i]->setVisible(i == index);
  }
}

}  // namespace morvane
