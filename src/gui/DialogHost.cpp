#include "gui/DialogHost.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace morvane {

namespace {
// Box texts break lines with CR LF; the box wants plain line feeds. Other
// control characters, which come from the user's files, show as {XX}.
QString Shown(QString text) {
  text.replace("\r\n", "\n");
  QString shown;
  shown.reserve(text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u < 0x20 && u != '\n') || u == 0x7F) {
      shown += QString("{%1}").arg(static_cast<int>(u), 2, 16, QChar('0')).toUpper();
    } else {
      shown += c;
    }
  }
  return shown;
}

// A message box whose text is never read as markup.
void Show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, Shown(text), QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}
}  // namespace

QStringList NameFilters(const char* filter) {
  const QStringList parts = QString::fromLatin1(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << parts[i] + " (" + patterns + ")";
  }
  return filters;
}

std::optional<QString> QtDialogHost::openFile(QWidget* parent, Dialog dialog,
                                              const QString& offered) {
  const DialogSpec& spec = SpecOf(dialog);
  QFileDialog box(parent, QString::fromLatin1(spec.title));
  box.setObjectName(QString::fromLatin1(spec.name));
  box.setFileMode(QFileDialog::ExistingFile);
  box.setAcceptMode(QFileDialog::AcceptOpen);
  box.setNameFilters(NameFilters(spec.filter));
  if (!offered.isEmpty()) {
    const QFileInfo info(offered);
    if (info.isAbsolute()) box.setDirectory(info.absolutePath());
    box.selectFile(info.fileName());
  }
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
  return box.selectedFiles().constFirst();
}

void QtDialogHost::errorBox(QWidget* parent, const QString& text) {
  Show(parent, QMessageBox::Critical, "Error", text);
}

void QtDialogHost::warningBox(QWidget* parent, const QString& title, const QString& text) {
  // BoxBody gives the text as shown already; Shown leaves such text as it is.
  Show(parent, QMessageBox::Warning, BoxTitle(title), BoxBody(title, text));
}

QString BoxTitle(const QString& title) {
  return Shown(title).section('\n', 0, 0);
}

QString BoxBody(const QString& title, const QString& text) {
  // A title bar shows one short line: a longer title, such as a reader's
  // message, is repeated in full above the text.
  constexpr qsizetype kTitleBarChars = 40;
  if (title.contains('\n') || title.size() > kTitleBarChars) {
    return Shown(title) + "\n\n" + Shown(text);
  }
  return Shown(text);
}

void QtDialogHost::noticeBox(QWidget* parent, const QString& title, const QString& text) {
  Show(parent, QMessageBox::Information, title, text);
}

}  // namespace morvane
