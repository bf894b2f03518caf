#include "gui/FileKinds.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "jobs/JobRegistry.h"

namespace morvane {

namespace {

QByteArray Head(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
}

std::vector<Dialog> TextDialogs(const QString& path) {
  const QString name = QFileInfo(path).fileName().toLower();
  const QByteArray head = Head(path);
  const QList<QByteArray> lines = head.split('\n');
  const auto line = [&](int i) { return i < lines.size() ? lines[i] : QByteArray(); };
  if (line(0).startsWith("Start\tEnd\t")) return {Dialog::OpenTableTXT};
  if (line(1).startsWith("Phrases\t")) return {Dialog::OpenSJS};
  if (name.contains("op_codes") || name.contains("opcodes") || head.contains("\nA\t") ||
      head.contains("\nO\t")) {
    return {Dialog::OpenTXT};
  }
  if (name.endsWith(" fds files.txt")) return {Dialog::OpenTXT};
  return {};
}

}  // namespace

std::vector<Dialog> DialogsFor(const QString& path) {
  struct ByExtension {
    const char* extension;
    std::vector<Dialog> dialogs;
  };
  static const ByExtension kTable[] = {
      {"nes", {Dialog::OpenNES, Dialog::OpenFDS}},
      {"bin", {Dialog::OpenNES}},
      {"fds", {Dialog::OpenFDS, Dialog::OpenNES}},
      {"tbl", {Dialog::OpenTBL}},
      {"sjs", {Dialog::OpenSJS}},
      {"bmp", {Dialog::OpenBmp}},
  };
  const QString extension = QFileInfo(path).suffix().toLower();
  for (const ByExtension& row : kTable) {
    if (extension == QLatin1String(row.extension)) return row.dialogs;
  }
  if (extension == QLatin1String("txt")) return TextDialogs(path);
  std::vector<Dialog> dialogs;
  for (Dialog dialog : JobDialogs()) {
    const QStringList filter =
        QString::fromLatin1(SpecOf(dialog).filter).split(QRegularExpression("[|;]"));
    if (filter.contains("*." + extension, Qt::CaseInsensitive)) dialogs.push_back(dialog);
  }
  return dialogs;
}

std::vector<Dialog> JobDialogs() {
  std::vector<Dialog> dialogs;
  for (const JobSpec& job : Jobs()) {
    for (const FileSpec& file : job.files) {
      if (std::find(dialogs.begin(), dialogs.end(), file.dialog) == dialogs.end()) {
        dialogs.push_back(file.dialog);
      }
    }
  }
  return dialogs;
}

bool IsTextFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && !file.read(4096).contains('\0');
}

}  // namespace morvane
