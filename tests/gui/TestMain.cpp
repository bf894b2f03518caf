// The window's tests need one QApplication; they run offscreen unless told
// otherwise, and keep their settings in a private folder, never in the
// user's own configuration. Each test starts from empty settings, so that
// what one remembers (recent files, palettes, window geometry) never shows in
// the next.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

class FreshSettings : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
    QSettings settings;
    settings.clear();
    settings.sync();
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  const QTemporaryDir settings;
  for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, settings.path());
    QSettings::setPath(format, QSettings::SystemScope, settings.path());
  }
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName("MorvaneTests");
  QCoreApplication::setApplicationName("test_gui");
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshSettings);
  return RUN_ALL_TESTS();
}
