// The viewer on a 10 MB compare report: how long until the first screen
// shows, and how long the whole file takes while the event loop keeps
// turning, with the longest single turn (the longest the window is deaf).
// Then a 64 MiB binary, which the viewer reads and decodes on a thread of
// its own: the longest turn of the event loop while it opens and loads.
//   QT_QPA_PLATFORM=offscreen morvane_gui_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <random>

#include "analysis/FileCompare.h"
#include "gui/FrmViewer.h"
#include "shell/QuietHost.h"

namespace morvane {
namespace {

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

// Two files of random bytes differ almost everywhere: about 32 bytes of
// report per byte compared, so 330 000 bytes give a 10 MB report.
QString CompareReport() {
  static const QString report = [] {
    std::mt19937 rng(7);
    std::string a(330'000, '\0'), b(a.size(), '\0');
    for (std::size_t i = 0; i < a.size(); ++i)
      a[i] = static_cast<char>(rng()), b[i] = static_cast<char>(rng());
    const QString one = Folder().filePath("a.bin"), two = Folder().filePath("b.bin");
    for (const auto& [path, bytes] : {std::pair{one, &a}, std::pair{two, &b}}) {
      QFile file(path);
      file.open(QIODevice::WriteOnly);
      file.write(bytes->data(), static_cast<qint64>(bytes->size()));
    }
    QuietHost host;
    host.files[Dialog::OpenNES] = {one.toStdString(), two.toStdString()};
    CompareJob(Settings{}, host);
    return Folder().filePath("a Compare.txt");
  }();
  return report;
}

void BM_ViewerFirstScreen10MB(benchmark::State& state) {
  const QString report = CompareReport();
  FrmViewer viewer;
  for (auto _ : state) {
    viewer.open(report);
    while (viewer.view()->document()->isEmpty()) QCoreApplication::processEvents();
  }
  state.counters["bytes"] = static_cast<double>(QFileInfo(report).size());
}

QString Binary64MiB() {
  static const QString path = [] {
    std::mt19937 rng(11);
    QByteArray bytes(64 << 20, '\0');
    for (char& b : bytes) b = static_cast<char>(rng());
    const QString binary = Folder().filePath("big.bin");
    QFile file(binary);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return binary;
  }();
  return path;
}

// The longest gap between two turns of the event loop, from the click that
// opens the file to its last line, as a 1 ms timer of the window would see it.
void BM_ViewerBinary64MiB(benchmark::State& state) {
  const QString binary = Binary64MiB();
  qint64 longest = 0;
  for (auto _ : state) {
    FrmViewer viewer;
    viewer.show();
    QElapsedTimer gap;
    QTimer watchdog;
    watchdog.setInterval(1);
    QObject::connect(&watchdog, &QTimer::timeout,
                     [&] { longest = std::max(longest, gap.restart()); });
    gap.start();
    watchdog.start();
    viewer.open(binary);
    longest = std::max(longest, gap.restart());
    while (viewer.loading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  state.counters["longest_gap_ms"] = static_cast<double>(longest);
}

void BM_ViewerWholeFile10MB(benchmark::State& state) {
  const QString report = CompareReport();
  FrmViewer viewer;
  viewer.show();
  qint64 longest = 0;
  for (auto _ : state) {
    viewer.open(report);
    while (viewer.loading()) {
      QElapsedTimer turn;
      turn.start();
      QCoreApplication::processEvents();
      longest = std::max(longest, turn.nsecsElapsed());
    }
  }
  state.counters["longest_turn_ms"] = static_cast<double>(longest) / 1e6;
  state.counters["lines"] = viewer.view()->document()->blockCount();
}

BENCHMARK(BM_ViewerFirstScreen10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewerWholeFile10MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ViewerBinary64MiB)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The viewer reads its settings; keep them out of the user's own.
  for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, morvane::Folder().path());
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
