#include "gui/FrmTiles.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSpinBox>
#include <QTimer>

#include "gui/Preferences.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"
#include "tiles/SearchDrafts.h"

namespace morvane {

namespace {

// The text a failed file step shows in its warning box.
QString Problem(const JobError& error, const std::string& path) {
  const std::string text = error.kind() == JobError::Kind::Minor
                               ? error.message()
                               : ErrorMessage(error.number()) + ": " + path;
  return QString::fromStdString(text);
}

}  // namespace

FrmTiles::FrmTiles(QWidget* parent) : QWidget(parent, Qt::Window), dialogs_(new QtTilesDialogs) {
  setObjectName("frmTiles");
  setWindowTitle("Tiles");
  buildControls();
  showTable();
  showEdits();
  setAcceptDrops(true);
  resize(1120, 620);
}

void FrmTiles::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void FrmTiles::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  const QString path = urls.front().toLocalFile();
  // The drop finishes first, so the program the file came from is not kept waiting.
  QTimer::singleShot(0, this, [this, path] {
    if (path.endsWith(".tbl", Qt::CaseInsensitive)) {
      loadTable(path);
    } else {
      openRom(path);
    }
  });
}

FrmTiles::~FrmTiles() = default;

void FrmTiles::setDialogs(std::unique_ptr<TilesDialogs> dialogs) {
  dialogs_ = std::move(dialogs);
}

void FrmTiles::warn(const QString& text) {
  dialogs_->warningBox(this, "Tiles", text);
}

bool FrmTiles::attempt(const QString& path, const std::function<bool()>& step) {
  try {
    return step();
  } catch (const JobError& e) {
    warn(Problem(e, path.toStdString()));
    return false;
  }
}

bool FrmTiles::openRom(const QString& path) {
  return attempt(path, [&] {
    std::string bytes = ReadBinaryFile(path.toStdString());
    if (bytes.empty()) {
      warn("The file is empty: it holds no tiles.\n" + path);
      return false;
    }
    if (!mayDiscardEdits()) return false;
    std::size_t origin = ChrRomStart(bytes).value_or(0);
    if (origin >= bytes.size()) origin = 0;
    romPath_ = path.toStdString();
    lblFile_->setText(QString::fromStdString(FileNameOf(romPath_)));
    setWindowTitle("Tiles - " + lblFile_->text() + "[*]");
    edits_ = TileEdits(bytes);
    view_->setFile(std::move(bytes), origin);
    showEdits();
    return true;
  });
}

bool FrmTiles::mayDiscard() {
  return maker_.fileText() == savedText_ || dialogs_->confirmDiscard(this);
}

void FrmTiles::closeEvent(QCloseEvent* event) {
  if (mayDiscard() && mayDiscardEdits()) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool FrmTiles::loadTable(const QString& path) {
  return attempt(path, [&] {
    TableMaker loaded = TableMaker::Load(path.toStdString());
    if (!mayDiscard()) return false;
    maker_ = std::move(loaded);
    savedText_ = maker_.fileText();
    tablePath_ = path.toStdString();
    adoptEncoding();
    showTable();
    return true;
  });
}

bool FrmTiles::saveTable(const QString& path) {
  if (!romPath_.empty() && SameFile(path.toStdString(), romPath_)) {
    warn("The table can't be saved over the ROM it is made for:\n" + path);
    return false;
  }
  return attempt(path, [&] {
    maker_.save(path.toStdString());
    savedText_ = maker_.fileText();
    tablePath_ = path.toStdString();
    // The main window's Recent Files offers it as a character table.
    Preferences::AddRecentFile(Dialog::OpenTBL, path);
    lblSaved_->setText("Table saved to " + QDir::toNativeSeparators(path));
    return true;
  });
}

bool FrmTiles::openSearchReport(const QString& path) {
  return attempt(path, [&] {
    const auto drafts = ReadSearchDrafts(path.toStdString());
    if (drafts.empty()) {
      warn("The search output holds no hit with a table:\n" + path);
      return false;
    }
    QStringList hits;
    for (const auto& d : drafts) hits << decode(d.match);
    const auto chosen =
        drafts.size() == 1 ? std::optional<int>(0) : dialogs_->chooseHit(this, hits);
    if (!chosen || *chosen < 0 || !mayDiscard()) return false;
    maker_ = TableMaker(drafts[static_cast<std::size_t>(*chosen)].table);
    savedText_.clear();  // a draft is not saved anywhere yet
    tablePath_.clear();
    adoptEncoding();
    showTable();
    return true;
  });
}

void FrmTiles::cmdOpenRom_Click() {
  if (const auto path = dialogs_->openFile(this, TilesDialogs::Open::Rom)) openRom(*path);
}

void FrmTiles::cmdLoadTable_Click() {
  if (const auto path = dialogs_->openFile(this, TilesDialogs::Open::Table)) loadTable(*path);
}

void FrmTiles::cmdSearchHit_Click() {
  if (const auto path = dialogs_->openFile(this, TilesDialogs::Open::SearchReport)) {
    openSearchReport(*path);
  }
}

void FrmTiles::cmdSaveTable_Click() {
  const std::string offered =
      !tablePath_.empty()
          ? tablePath_
          : (romPath_.empty() ? std::string("Table") : StripExtension(romPath_)) + ".tbl";
  if (const auto path = dialogs_->saveTable(this, QString::fromStdString(offered)))
    saveTable(*path);
}

}  // namespace morvane
