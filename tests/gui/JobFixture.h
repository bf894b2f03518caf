// Whole jobs run through the real window: the bundled sample copied into a
// private folder, every text a job writes into the status label recorded, the
// window's state checked whenever a job asks for a file, and Cancel pressed
// from the event loop while a job yields.
#pragma once

#include <QTimer>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "support/TempDir.h"

namespace morvane {

// The window as a job's file dialog found it.
struct BusyLook {
  bool busy = false;
  QSize size;
  QString status;
  bool jobsDisabled = false;     // every job button
  bool optionsDisabled = false;  // presets, modes and their check boxes
  bool boxesLocked = false;      // the five address and search boxes
  bool cancelEnabled = false;
  bool showStringsEnabled = false;
};

class JobTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies a bundled file into the test's folder; returns its path there.
  std::string copySample(const std::string& name);
  // Queues a dialog answer.
  void answer(Dialog dialog, const std::string& path);
  // The texts jobs wrote into the status label since the last call.
  QStringList takeStatuses();
  // Checks that every dialog saw the busy window and that it is idle and
  // usable now, with no box shown.
  void expectRanCleanly();
  void expectIdle();
  // Clicks target at the first turn of the event loop during a job at which
  // when() holds. When prompt, a status text for which it holds brings that
  // turn on at once; else the job's own pace decides.
  void clickWhen(QAbstractButton* target, std::function<bool()> when, bool prompt = true);
  void cancelWhen(std::function<bool()> when, bool prompt = true) {
    clickWhen(button("cmdCancel"), std::move(when), prompt);
  }
  bool clicked() const { return clicked_; }
  QString status() const { return window->lbl(20)->text(); }
  QString label(int index) const { return window->lbl(index)->text(); }

  static const std::vector<const char*> kJobButtons;

  TempDir dir;
  QStringList statuses;
  std::vector<BusyLook> looks;

 private:
  QTimer* clicker_ = nullptr;
  std::function<bool()> when_;
  bool prompt_ = true;
  bool clicked_ = false;
};

}  // namespace morvane
