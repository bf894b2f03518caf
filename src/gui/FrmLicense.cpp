#include "gui/FrmLicense.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/HelpText.h"
#include "gui/Twips.h"
#include "gui/Widgets.h"

namespace morvane {

FrmLicense::FrmLicense(QWidget* parent) : QDialog(parent) {
  setObjectName("frmLicense");
  setWindowTitle("Morvane Pro Licensing");
  setFont(PlainFont());
  setFixedSize(Px(9600), Px(7200));
  auto* text = new QPlainTextEdit(this);
  text->setObjectName("txtLicense");
  text->setGeometry(TwRect(120, 120, 9360, 6120));
  text->setFont(BoxFont(9));
  text->setReadOnly(true);
  text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette palette = text->palette();
  palette.setColor(QPalette::Base, QColor(255, 255, 192));
  palette.setColor(QPalette::Text, Qt::black);
  text->setPalette(palette);
  text->setPlainText(HelpText("License.txt"));
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  ok->setGeometry(TwRect(3960, 6420, 1695, 495));
  connect(ok, &QPushButton::clicked, this, &QDialog::close);
}

}  // namespace morvane
