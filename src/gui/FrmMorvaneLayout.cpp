// The controls of the main window, placed in twips as designed.
#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>

#include "gui/FrmMorvane.h"
#include "gui/Twips.h"
#include "gui/Widgets.h"
#include "shell/Reports.h"

namespace morvane {

namespace {

template <typename W>
W* Place(W* widget, const QString& name, QRect twips) {
  widget->setObjectName(name);
  widget->setGeometry(twips);
  return widget;
}

QString Indexed(const char* name, int index) {
  return QString("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QLineEdit* Box(QWidget* parent, const char* name, const char* text, QRect twips, int maxLength,
               bool centred) {
  auto* box = Place(new QLineEdit(text, parent), name, twips);
  box->setFont(BoxFont());
  if (maxLength > 0) box->setMaxLength(maxLength);
  if (centred) box->setAlignment(Qt::AlignCenter);
  return box;
}

QFrame* Line(QWidget* parent, QRect twips) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Plain);
  line->setGeometry(twips);
  return line;
}

QFrame* Rectangle(QWidget* parent, QRect twips) {
  auto* shape = new QFrame(parent);
  shape->setFrameShape(QFrame::Box);
  shape->setFrameShadow(QFrame::Plain);
  shape->setGeometry(twips);
  return shape;
}

QFont Underlined() {
  QFont font = PlainFont();
  font.setUnderline(true);
  return font;
}

const QColor kBlue(128, 128, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(128, 0, 0);
const QColor kNavy(0, 0, 128);

}  // namespace

void FrmMorvane::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName("frmMorvane");
  setCentralWidget(client);
  auto label = [this](QWidget* parent, int index, const QString& caption, QRect twips) {
    auto* l = Place(new QLabel(caption, parent), Indexed("lbl", index), twips);
    // Status and Insert texts carry bytes of the user's files: never markup.
    l->setTextFormat(Qt::PlainText);
    lbl_[index] = l;
    return l;
  };

  // First, Specify Addresses...
  auto* addresses = new ColourFrame("First, Specify Addresses...", kBlue, client);
  Place(addresses, "fraAddresses", TwRect(120, 120, 2535, 2175));
  label(addresses, 2, "1st Byte of Block", TwRect(120, 240, 1335, 225))->setFont(Underlined());
  chkHeader_ =
      Place(new QCheckBox("16 Byte Header", addresses), "chkHeader", TwRect(1020, 480, 1470, 255));
  const char* presets[] = {"6000", "8000", "C000", "A000", "E000", " "};
  for (int i = 0; i < 6; ++i) {
    const int width = i == 5 ? 255 : 780;
    opAddress_[i] = Place(new QRadioButton(presets[i], addresses), Indexed("opAddress", i),
                          TwRect(120, 480 + 270 * i, width, 255));
  }
  txtAddress_ = Box(addresses, "txtAddress", "F000", TwRect(390, 1785, 705, 345), 4, false);
  label(addresses, 3, "16kB Block:", TwRect(810, 795, 915, 225))->setAlignment(Qt::AlignRight);
  txtBlock_ = Box(addresses, "txtBlock", "0.0", TwRect(1770, 705, 690, 345), 0, true);
  label(addresses, 0, "Start:", TwRect(810, 1335, 915, 225))->setAlignment(Qt::AlignRight);
  txtStart_ = Box(addresses, "txtStart", "8000", TwRect(1770, 1245, 690, 345), 4, false);
  label(addresses, 1, "End:", TwRect(810, 1875, 915, 225))->setAlignment(Qt::AlignRight);
  txtEnd_ = Box(addresses, "txtEnd", "BFFF", TwRect(1770, 1785, 690, 345), 4, false);

  // Dump ROM
  auto* dump = new ColourFrame("Dump ROM", kBlue, client);
  Place(dump, "fraDump", TwRect(2760, 120, 2775, 3645));
  const char* modes[] = {"Table Only", "Text", "Speech Pseudo-Code", "Menu Pseudo-Code",
                         "8-bit Code"};
  const QRect modePlaces[] = {TwRect(120, 300, 1455, 255), TwRect(120, 840, 1215, 255),
                              TwRect(120, 1860, 2535, 255), TwRect(120, 2130, 2535, 255),
                              TwRect(120, 2430, 1455, 255)};
  static_assert(std::size(modes) == kModeCount && std::size(modePlaces) == kModeCount);
  for (int i = 0; i < kModeCount; ++i) {
    opFeatures_[i] =
        Place(new QRadioButton(modes[i], dump), Indexed("opFeatures", i), modePlaces[i]);
  }
  label(dump, 22, "1st Phrase", TwRect(1680, 240, 975, 225))->setAlignment(Qt::AlignCenter);
  txtPhrase_ = Box(dump, "txtPhrase", "0", TwRect(1680, 465, 975, 345), 4, true);
  chkAsTable_ = Place(new QCheckBox("as Table", dump), "chkAsTable", TwRect(360, 570, 1215, 255));
  label(dump, 11, "Length", TwRect(1680, 840, 975, 225))->setAlignment(Qt::AlignCenter);
  chkConcat_ = Place(new QCheckBox("Concat", dump), "chkConcat", TwRect(360, 1110, 1215, 255));
  txtLength_ = Box(dump, "txtLength", "0", TwRect(1680, 1065, 975, 345), 4, true);
  label(dump, 4, "Disassemble", TwRect(120, 1500, 1455, 225))->setFont(Underlined());
  Line(dump, TwRect(60, 1725, 2655, 15));
  chkwTables_ = Place(new QCheckBox("w/Tables", dump), "chkwTables", TwRect(1680, 2310, 975, 255));
  chkRaw_ = Place(new QCheckBox("+ Raw", dump), "chkRaw", TwRect(1680, 2580, 975, 255));
  chkTrace_ = Place(new QCheckBox("Trace", dump), "chkTrace", TwRect(360, 2700, 1215, 255));
  // Under Trace: the window the bank runs at, found; unchecked, the preset
  // and range above.
  chkWindow_ = Place(new QCheckBox("Find Window", dump), "chkWindow", TwRect(600, 2955, 2055, 255));
  addJobButton(dump, "cmdDump", TwRect(120, 3225, 2535, 375));

  // Insert
  auto* insert = new ColourFrame("Insert", kGreen, client);
  Place(insert, "fraInsert", TwRect(120, 2400, 2535, 3855));
  addJobButton(insert, "cmdInsert", TwRect(120, 300, 495, 495));
  addJobButton(insert, "cmdInsertPortopia", TwRect(675, 300, 555, 495));
  addJobButton(insert, "cmdInsertGraphics", TwRect(1290, 300, 555, 495));
  addJobButton(insert, "cmdStrip", TwRect(1920, 300, 495, 495));
  // Where the hidden game buttons stand.
  chkVerify_ = Place(new QCheckBox("Verify", insert), "chkVerify", TwRect(675, 420, 1170, 255));
  struct Panel {
    int heading, headingLabel, leftLabel, phraseLabel, first;
  };
  const Panel panels[] = {
      {5, 0, 6, 25, 30}, {7, 1, 8, 26, 33}, {9, 2, 10, 18, 36}, {12, 3, 13, 16, 39}};
  for (int p = 0; p < 4; ++p) {
    const int top = 900 + 705 * p;
    const Panel& panel = panels[p];
    Line(insert, TwRect(60, top, 2415, 15));
    Rectangle(insert, TwRect(90, top + 45, 2355, 630));
    label(insert, panel.heading, QString("Block %1:   Bytes Used:").arg(panel.headingLabel),
          TwRect(150, top + 75, 1620, 195));
    label(insert, panel.leftLabel, "Bytes Left:", TwRect(150, top + 285, 1620, 195))
        ->setAlignment(Qt::AlignRight);
    label(insert, panel.phraseLabel, "Last Phrase Inserted:", TwRect(150, top + 480, 1620, 195))
        ->setAlignment(Qt::AlignRight);
    for (int v = 0; v < 3; ++v) {
      label(insert, panel.first + v, "-----", TwRect(1800, top + 75 + 205 * v, 615, 195));
    }
  }
  Line(insert, TwRect(60, 900 + 705 * 4, 2415, 15));

  // Other Functions
  auto* other = new ColourFrame("Other Functions", kRed, client);
  Place(other, "fraOther", TwRect(2760, 3870, 2775, 2385));
  addJobButton(other, "cmdSearch", TwRect(120, 300, 1215, 615));
  chkShowStrings_ =
      Place(new QCheckBox("Show Strings", other), "chkShowStrings", TwRect(1440, 240, 1290, 255));
  addJobButton(other, "cmdCompare", TwRect(1440, 510, 1215, 405));
  label(other, 21, "Search String:", TwRect(120, 1020, 2535, 225));
  txtSearch_ = Box(other, "txtSearch", "THE", TwRect(120, 1245, 2535, 345), 33, true);
  addSearchOptionsButton(other, TwRect(1320, 960, 1335, 270));
  addJobButton(other, "cmdFDSSplit", TwRect(120, 1710, 1215, 345));
  addJobButton(other, "cmdFDSMerge", TwRect(1440, 1710, 1215, 345));
  label(other, 19, QString::fromLatin1(kVersionLabel.data(), kVersionLabel.size()),
        TwRect(120, 2085, 2535, 225))
      ->setAlignment(Qt::AlignCenter);

  // Bottom strip
  cmdCancel_ = Place(new WrapButton("Cancel", client), "cmdCancel", TwRect(120, 6360, 5415, 255));
  QLabel* status = label(client, 20, "Yes, I know you can pull the window down and view this.",
                         TwRect(120, 6600, 5175, 615));
  Paint(status, kNavy, Qt::white);
  status->setWordWrap(true);
  status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FrmMorvane::buildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("mnuFile");
  QAction* exit = file->addAction("E&xit", this, [this] { mnuExit_Click(); });
  exit->setObjectName("mnuExit");
  exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->setObjectName("mnuTools");
  QAction* tiles = tools->addAction("&Tiles...", this, [this] { mnuTiles_Click(); });
  tiles->setObjectName("mnuTiles");

  QMenu* help = menuBar()->addMenu("&Help");
  mnuHelp_ = help;
  help->setObjectName("mnuHelp");
  QAction* howTo = help->addAction("&How To Use Morvane...", this, [this] { mnuHowTo_Click(); });
  howTo->setObjectName("mnuHowTo");
  howTo->setShortcut(QKeySequence(Qt::Key_F1));
  help->addSeparator();
  QAction* license =
      help->addAction("Display License File...", this, [this] { mnuLicense_Click(); });
  license->setObjectName("mnuLicense");
  help->addSeparator();
  QAction* about = help->addAction("&About Morvane...", this, [this] { mnuAbout_Click(); });
  about->setObjectName("mnuAbout");
  about->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
}

}  // namespace morvane
