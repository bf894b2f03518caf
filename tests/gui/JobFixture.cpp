#include "JobFixture.h"

#include <QThread>

namespace morvane {

const std::vector<const char*> JobTest::kJobButtons = {
    "cmdDump",   "cmdInsert",  "cmdStrip",    "cmdInsertPortopia", "cmdInsertGraphics",
    "cmdSearch", "cmdCompare", "cmdFDSSplit", "cmdFDSMerge"};

void JobTest::SetUp() {
  WindowTest::SetUp();
  window->setStatusWatcher([this](const QString& text) {
    statuses << text;
    // Make sure the job's next yield turns the event loop, where the click
    // is made.
    if (clicker_ != nullptr && clicker_->isActive() && prompt_ && when_()) {
      QThread::msleep(WindowHost::kYieldIntervalMs + 1);
    }
  });
  dialogs->onOpen = [this] {
    BusyLook look;
    look.busy = window->model().busy();
    look.size = window->size();
    look.status = status();
    look.jobsDisabled = true;
    for (const char* name : kJobButtons) look.jobsDisabled &= !button(name)->isEnabled();
    look.optionsDisabled = true;
    for (int i = 0; i < 6; ++i) look.optionsDisabled &= !option("opAddress", i)->isEnabled();
    for (int i = 0; i < 5; ++i) look.optionsDisabled &= !option("opFeatures", i)->isEnabled();
    for (const char* name : {"chkHeader", "chkAsTable", "chkConcat", "chkwTables", "chkRaw"}) {
      look.optionsDisabled &= !check(name)->isEnabled();
    }
    look.boxesLocked = true;
    for (const char* name : {"txtBlock", "txtStart", "txtEnd", "txtAddress", "txtSearch"}) {
      look.boxesLocked &= box(name)->isReadOnly();
    }
    look.cancelEnabled = button("cmdCancel")->isEnabled();
    look.showStringsEnabled = check("chkShowStrings")->isEnabled();
    looks.push_back(look);
  };
}

void JobTest::TearDown() {
  window.reset();
}

std::string JobTest::copySample(const std::string& name) {
  const std::string from = name == "Op_Codes_NES.txt"
                               ? std::string(MORVANE_SOURCE_DATA_DIR) + "/" + name
                               : std::string(MORVANE_SAMPLES_DIR) + "/" + name;
  const std::string bytes = Slurp(from);
  EXPECT_FALSE(bytes.empty()) << from;
  return dir.write(name, bytes);
}

void JobTest::answer(Dialog dialog, const std::string& path) {
  dialogs->answers[dialog].push_back(QString::fromStdString(path));
}

QStringList JobTest::takeStatuses() {
  QStringList taken;
  taken.swap(statuses);
  return taken;
}

void JobTest::expectRanCleanly() {
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("\n").toStdString();
  EXPECT_TRUE(dialogs->warnings.isEmpty()) << dialogs->warnings.join("\n").toStdString();
  EXPECT_TRUE(dialogs->notices.isEmpty()) << dialogs->notices.join("\n").toStdString();
  ASSERT_FALSE(looks.empty()) << "no dialog was shown";
  for (const BusyLook& look : looks) {
    EXPECT_TRUE(look.busy);
    EXPECT_EQ(look.size, window->WindowSize(kBusyHeight));
    EXPECT_TRUE(look.jobsDisabled);
    EXPECT_TRUE(look.optionsDisabled);
    EXPECT_TRUE(look.boxesLocked);
    EXPECT_TRUE(look.cancelEnabled);
    EXPECT_TRUE(look.showStringsEnabled);
  }
  // The first dialog comes before any progress.
  EXPECT_EQ(looks.front().status, "Select Files...");
  looks.clear();
  expectIdle();
}

void JobTest::expectIdle() {
  EXPECT_FALSE(window->model().busy());
  EXPECT_FALSE(window->host().cancelRequested());
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
  for (const char* name : kJobButtons) EXPECT_TRUE(button(name)->isEnabled()) << name;
  EXPECT_FALSE(button("cmdInsertPortopia")->isVisible());
  EXPECT_FALSE(button("cmdInsertGraphics")->isVisible());
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(option("opAddress", i)->isEnabled());
  for (const char* name : {"txtBlock", "txtStart", "txtEnd", "txtSearch"}) {
    EXPECT_FALSE(box(name)->isReadOnly()) << name;
  }
  bool idleText = false;
  for (const auto& text : kIdleTexts) idleText |= status() == QString::fromLatin1(text.data());
  EXPECT_TRUE(idleText) << status().toStdString();
}

void JobTest::clickWhen(QAbstractButton* target, std::function<bool()> when, bool prompt) {
  clicked_ = false;
  prompt_ = prompt;
  when_ = std::move(when);
  clicker_ = new QTimer(window.get());
  clicker_->setInterval(0);
  QObject::connect(clicker_, &QTimer::timeout, window.get(), [this, target] {
    if (!window->model().busy() || !when_()) return;
    click(target);
    clicked_ = true;
    clicker_->stop();
  });
  clicker_->start();
}

}  // namespace morvane
