#include "gui/FrmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "gui/Twips.h"
#include "gui/Widgets.h"
#include "shell/Reports.h"

namespace morvane {

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About Morvane");
  setFont(PlainFont());
  setFixedSize(Px(9360), Px(7560));

  lbl2_ = new QLabel(this);
  lbl2_->setObjectName("lbl2");
  lbl2_->setGeometry(TwRect(120, 120, 9120, 1080));
  lbl2_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  QFont heading = PlainFont();
  heading.setBold(true);
  lbl2_->setFont(heading);

  auto* push = new QLabel("Push This Button To: --->", this);
  push->setObjectName("Label1");
  push->setGeometry(TwRect(120, 1320, 3000, 375));
  push->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  cmdWindow_ = new WrapButton("", this);
  cmdWindow_->setObjectName("cmdWindow");
  cmdWindow_->setGeometry(TwRect(3240, 1260, 3960, 495));
  connect(cmdWindow_, &QPushButton::clicked, this, &FrmAbout::cmdWindow_Click);

  lbl_ = new ClickLabel(this);
  lbl_->setObjectName("lbl");
  lbl_->setGeometry(TwRect(120, 1920, 9120, 4800));
  lbl_->setFont(BoxFont(9));
  lbl_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbl_->setWordWrap(true);
  lbl_->setMargin(8);
  connect(lbl_, &ClickLabel::clicked, this, &FrmAbout::cmdWindow_Click);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setGeometry(TwRect(3840, 6900, 1695, 495));
  connect(ok, &QPushButton::clicked, this, &QDialog::close);

  lbl2_->setText(QString::fromLatin1(kCaption.data(), kCaption.size()) + " - " +
                 QString::fromLatin1(kVersionLabel.data(), kVersionLabel.size()) +
                 "\nA powerful utility for doing all sorts of things to ROM files!\n\n"
                 "Written by Quenby");
  showPage(0);
}

void FrmAbout::cmdWindow_Click() {
  showPage(next_);
}

void FrmAbout::showPage(int index) {
  const AboutPage& page = AboutPageAt(index);
  Paint(lbl_, page.background, Qt::white);
  lbl_->setText(QString::fromUtf8(page.text));
  cmdWindow_->setText(page.nextCaption);
  shown_ = index;
  next_ = (index + 1) % kAboutPages;
}

}  // namespace morvane
