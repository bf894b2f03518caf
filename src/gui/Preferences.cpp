#include "gui/Preferences.h"

#include <QFileInfo>
#include <QSettings>

namespace morvane::Preferences {

namespace {
QString RecentKey(Dialog dialog) {
  return QStringLiteral("recent/") + QString::fromLatin1(SpecOf(dialog).name);
}
// Paths hold slashes, which QSettings reads as groups: store them as a list
// of path and name pairs instead.
constexpr const char* kEncodings = "viewer/encodings";
}  // namespace

QStringList RecentFiles(Dialog dialog) {
  return QSettings().value(RecentKey(dialog)).toStringList();
}

void AddRecentFile(Dialog dialog, const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles(dialog);
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentFiles) files.removeLast();
  QSettings().setValue(RecentKey(dialog), files);
}

std::optional<TextEncoding> EncodingOf(const QString& path) {
  const QStringList pairs = QSettings().value(kEncodings).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
    if (pairs[i] == absolute) return EncodingNamed(pairs[i + 1]);
  }
  return std::nullopt;
}

void SetEncodingOf(const QString& path, TextEncoding encoding) {
  QSettings settings;
  const QStringList old = settings.value(kEncodings).toStringList();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList pairs = {absolute, EncodingName(encoding)};
  // The most recent choices first; a few hundred files are plenty.
  for (qsizetype i = 0; i + 1 < old.size() && pairs.size() < 400; i += 2) {
    if (old[i] != absolute) pairs << old[i] << old[i + 1];
  }
  settings.setValue(kEncodings, pairs);
}

QByteArray Geometry(const QString& window) {
  return QSettings().value(QStringLiteral("geometry/") + window).toByteArray();
}

void SetGeometry(const QString& window, const QByteArray& geometry) {
  QSettings().setValue(QStringLiteral("geometry/") + window, geometry);
}

bool ResultsShown() {
  return QSettings().value(QStringLiteral("results/shown"), true).toBool();
}

void SetResultsShown(bool shown) {
  QSettings().setValue(QStringLiteral("results/shown"), shown);
}

bool ResultsOwnWindow() {
  return QSettings().value(QStringLiteral("results/ownWindow"), false).toBool();
}

void SetResultsOwnWindow(bool own) {
  QSettings().setValue(QStringLiteral("results/ownWindow"), own);
}

QString WritePatches() {
  return QSettings().value(QStringLiteral("patches/write")).toString();
}

void SetWritePatches(const QString& format) {
  QSettings().setValue(QStringLiteral("patches/write"), format);
}

QStringList TilePalettes() {
  return QSettings().value(QStringLiteral("tiles/palettes")).toStringList();
}

void AddTilePalette(const QString& palette) {
  QStringList palettes = TilePalettes();
  palettes.removeAll(palette);
  palettes.prepend(palette);
  while (palettes.size() > kTilePalettes) palettes.removeLast();
  QSettings().setValue(QStringLiteral("tiles/palettes"), palettes);
}

QString TableFormat() {
  return QSettings().value(QStringLiteral("tables/format"), QStringLiteral("classic")).toString();
}

void SetTableFormat(const QString& format) {
  QSettings().setValue(QStringLiteral("tables/format"), format);
}

}  // namespace morvane::Preferences
