// The job buttons. Each handler hands its core job to runJob, which runs it
// inside the click with a snapshot of the settings and the window as host.
#include <QLineEdit>
#include <QPushButton>

#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "analysis/SearchWord.h"
#include "dump/DumpDriver.h"
#include "dump/DumpStep.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "gui/FrmMorvane.h"
#include "insert/Insert.h"
#include "insert/Strip.h"

namespace morvane {

void FrmMorvane::cmdDump_Click() {
  runJob(&morvane::cmdDump_Click);
}
void FrmMorvane::cmdInsert_Click() {
  runJob(&morvane::cmdInsert_Click);
}
void FrmMorvane::cmdStrip_Click() {
  runJob(&morvane::cmdStrip_Click);
}
void FrmMorvane::cmdInsertPortopia_Click() {
  runJob(&morvane::cmdInsertPortopia_Click);
}
void FrmMorvane::cmdInsertGraphics_Click() {
  runJob(&morvane::cmdInsertGraphics_Click);
}
void FrmMorvane::cmdSearch_Click() {
  if (model_.busy()) return;
  // The job works on a snapshot of the settings: the box is rewritten here
  // to the word the search looks for (The cat becomes THECAT).
  const QString shown = ToQ(SearchBoxText(model_.settings().searchText));
  if (txtSearch_->text() != shown) txtSearch_->setText(shown);
  runJob(&morvane::cmdSearch_Click);
}
void FrmMorvane::cmdCompare_Click() {
  runJob(&morvane::cmdCompare_Click);
}
void FrmMorvane::cmdFDSSplit_Click() {
  runJob(&morvane::cmdFDSSplit_Click);
}
void FrmMorvane::cmdFDSMerge_Click() {
  runJob(&morvane::cmdFDSMerge_Click);
}

std::vector<FrmMorvane::ButtonJob> FrmMorvane::buttonJobs() const {
  using D = Dialog;
  return {
      {cmdDump_, &morvane::cmdDump_Click, {D::OpenNES, D::OpenTXT, D::OpenTableTXT, D::OpenTBL}},
      {cmdInsert_, &morvane::cmdInsert_Click, {D::OpenNES, D::OpenSJS, D::OpenTBL}},
      {cmdStrip_, &morvane::cmdStrip_Click, {D::OpenSJS}},
      {cmdInsertPortopia_, &morvane::cmdInsertPortopia_Click, {D::OpenNES, D::OpenSJS, D::OpenTBL}},
      {cmdInsertGraphics_, &morvane::cmdInsertGraphics_Click, {D::OpenNES, D::OpenBmp}},
      {cmdSearch_, &morvane::cmdSearch_Click, {D::OpenNES}},
      {cmdCompare_, &morvane::cmdCompare_Click, {D::OpenNES, D::OpenTBL}},
      {cmdFDSSplit_, &morvane::cmdFDSSplit_Click, {D::OpenFDS}},
      {cmdFDSMerge_, &morvane::cmdFDSMerge_Click, {D::OpenTXT}},
  };
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
  const JobResult result = job(snapshot, host_);
  host_.forgetAnswer();
  recordJob(job, result);
  // A job that left without its idle state must not leave the window locked.
  if (model_.busy()) Enable_Controls(true);
  if (closePending_) close();
}

}  // namespace morvane
