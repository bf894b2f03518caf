// What the window keeps between runs (QSettings): recent files per dialog,
// the viewer's encoding per file, window geometry, the results panel and
// the patches the jobs that change a ROM write.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "gui/TextEncoding.h"
#include "shell/JobHost.h"

namespace morvane {

namespace Preferences {

inline constexpr int kRecentFiles = 8;

// Newest first.
QStringList RecentFiles(Dialog dialog);
void AddRecentFile(Dialog dialog, const QString& path);

std::optional<TextEncoding> EncodingOf(const QString& path);
void SetEncodingOf(const QString& path, TextEncoding encoding);

QByteArray Geometry(const QString& window);
void SetGeometry(const QString& window, const QByteArray& geometry);

bool ResultsShown();
void SetResultsShown(bool shown);
// View > Results in Own Window.
bool ResultsOwnWindow();
void SetResultsOwnWindow(bool own);

// Tools > Write Patches: "", "ips" or "bps".
QString WritePatches();
void SetWritePatches(const QString& format);

// The Tiles window's palettes the user made, newest first (RRGGBB,... texts).
inline constexpr int kTilePalettes = 10;
QStringList TilePalettes();
void AddTilePalette(const QString& palette);

// Tools > Table Files: "classic" or "standard".
QString TableFormat();
void SetTableFormat(const QString& format);

}  // namespace Preferences

}  // namespace morvane
