// The job buttons. Each handler hands its core job to runJob, which runs it
// inside the click with a snapshot of the settings and the window as host.
#include "dump/DumpDriver.h"
#include "dump/DumpStep.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "gui/FrmMorvane.h"

namespace morvane {

void FrmMorvane::cmdDump_Click() {
  runJob(&morvane::cmdDump_Click);
}
void FrmMorvane::cmdInsert_Click() {
  runJob(nullptr);
}
void FrmMorvane::cmdStrip_Click() {
  runJob(nullptr);
}
void FrmMorvane::cmdInsertPortopia_Click() {
  runJob(&morvane::cmdInsertPortopia_Click);
}
void FrmMorvane::cmdInsertGraphics_Click() {
  runJob(&morvane::cmdInsertGraphics_Click);
}
void FrmMorvane::cmdSearch_Click() {
  runJob(nullptr);
}
void FrmMorvane::cmdCompare_Click() {
  runJob(nullptr);
}
void FrmMorvane::cmdFDSSplit_Click() {
  runJob(nullptr);
}
void FrmMorvane::cmdFDSMerge_Click() {
  runJob(nullptr);
}

void FrmMorvane::runJob(WindowJob job) {
  if (model_.busy()) return;
  const bool dumpWithoutStep =
      job == &morvane::cmdDump_Click && !MakeDumpStep(model_.settings().mode);
  if (job == nullptr || dumpWithoutStep) {
    dialogs_->noticeBox(this, windowTitle(), "This function is not available yet.");
    return;
  }
  const Settings snapshot = model_.settings();
  job(snapshot, host_);
  // A job that left without its idle state must not leave the window locked.
  if (model_.busy()) Enable_Controls(true);
  if (closePending_) close();
}

}  // namespace morvane
