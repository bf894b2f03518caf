// The main window: the address settings, the dump modes and options, one
// button per job, Cancel and the status label. The rules live in
// SettingsModel; the window forwards every event to it and shows the result.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "gui/DialogHost.h"
#include "gui/FrmAbout.h"
#include "gui/FrmHowTo.h"
#include "gui/FrmLicense.h"
#include "gui/FrmTiles.h"
#include "gui/FrmViewer.h"
#include "gui/ResultsPanel.h"
#include "gui/SearchOptionsDialog.h"
#include "gui/WindowHost.h"
#include "gui/WindowLook.h"
#include "shell/JobSpec.h"
#include "shell/SettingsModel.h"

class QAction;
class QMenu;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace morvane {

// Pixels of the window's title bar and borders, which the twips of its
// height and width include but the client area does not.
inline constexpr int kFrameAllowanceWidth = 8;
inline constexpr int kFrameAllowanceHeight = 32;

class FrmMorvane : public QMainWindow {
 public:
  explicit FrmMorvane(IdleTextChooser chooser = {}, QWidget* parent = nullptr);
  ~FrmMorvane() override;

  // Replaces the file dialogs and message boxes (tests answer them from a script).
  void setDialogHost(std::unique_ptr<DialogHost> dialogs);
  DialogHost& dialogs() { return *dialogs_; }
  WindowHost& host() { return host_; }
  const SettingsModel& model() const { return model_; }

  // Client size for a window height in twips.
  static QSize ClientSize(int heightTwips);
  // The whole window for a height in twips: the client and the results panel below it.
  QSize WindowSize(int heightTwips) const;

  // The busy state of a running job (false) or the idle state (true): the
  // model's rules, the status text and the window's height.
  void Enable_Controls(bool enable);
  void setStatusText(const std::string& text);
  // Sees every text a job writes into the status label, also those that the
  // next change replaces before the window gets to paint them.
  void setStatusWatcher(std::function<void(const QString&)> watcher) {
    statusWatcher_ = std::move(watcher);
  }
  void setInsertLabel(int index, const std::string& text);
  QLabel* lbl(int index) const;

  // Event handlers.
  void opAddress_Click(int index);
  void opFeatures_Click(int index);
  void cmdCancel_Click();
  // The click of a job's button or menu item: runs the job inside the click
  // with a snapshot of the settings and the window as host.
  void runJob(const JobSpec& job);
  // Opens the "Search Options..." dialog; its choices go with every search.
  void cmdSearchOptions_Click();
  const SearchChoices& searchChoices() const { return searchChoices_; }
  SearchOptionsDialog* searchOptions() const { return searchOptions_; }
  void mnuExit_Click();
  void mnuTiles_Click();
  void mnuHowTo_Click();
  void mnuLicense_Click();
  void mnuAbout_Click();

  // Additions around the window: the results panel below it, the viewer,
  // recent files and dropped files.
  ResultsPanel* results() const { return results_; }
  // Adds the running job's entry to the results panel (the host's report of its end).
  void recordJob(const JobResult& result);
  // Opens path in a viewer (the open one when it shows that file already);
  // a new viewer opens kViewerStep pixels right of and below the last.
  static constexpr int kViewerStep = 32;
  FrmViewer* openViewer(const QString& path);
  // "Open" on a written file: the viewer for text, else the desktop's handler.
  void openOutput(const QString& path);
  // View > Results in Own Window: the panel in a resizable window of its
  // own (own) or below the main window's controls.
  void setResultsOwnWindow(bool own);
  QWidget* resultsWindow() const { return resultsWindow_; }
  // Files dropped on target: a job button runs its job with the first file;
  // elsewhere each file becomes the next file its dialog offers.
  void dropFiles(const QStringList& paths, QWidget* target);
  // A menu placed before Help, for further tools.
  QMenu* addMenu(const QString& title, const QString& name);
  // Window geometry and panel state, kept between runs.
  void restoreSettings();
  void saveSettings() const;
  const std::vector<QPointer<FrmViewer>>& viewers() const { return viewers_; }

  // The help windows while they are open, else nullptr.
  FrmHowTo* howTo() const { return howTo_; }
  FrmAbout* about() const { return about_; }
  FrmLicense* license() const { return license_; }
  FrmTiles* tiles() const { return tiles_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  void buildMenus();
  void connectControls();
  // The button of the registry's job with this control name, if the window
  // offers that job as a button; jobs left without a place go to the Jobs menu.
  void addJobButton(QWidget* frame, const char* control, QRect twips);
  void addJobMenu();
  void addSearchOptionsButton(QWidget* frame, QRect twips);
  // The search choices the job takes as its own options.
  void addSearchChoices(const JobSpec& job, Settings& snapshot) const;
  // Puts the results panel below the client area and adds the extra menu items.
  void buildAdditions();
  void fillRecentMenu(QMenu* menu);
  // Each job button's job and the dialogs it may ask, for drops on it.
  struct ButtonJob {
    QPushButton* button;
    const JobSpec* job;
    std::vector<Dialog> dialogs;
  };
  std::vector<ButtonJob> buttonJobs() const;
  // What a job's entry in the results panel adds to its caption: the dump mode.
  QString jobDetail(const JobSpec& job) const;
  // The menu of that title (nullptr: Jobs), made with addMenu when missing.
  QMenu* jobMenu(const char* title);
  // None, IPS or BPS: the patch the jobs that change a ROM also write, kept
  // between runs.
  void addWritePatchesMenu(QMenu* tools);
  // Tools > Table Files (kept between runs) and Tools > Text Dump Pointer Table...
  void addTextToolsMenus(QMenu* tools);
  void askDumpPointers();
  // Adds the options of the text tools that job takes to snapshot; false
  // when the user cancelled a question it asked.
  bool addTextJobOptions(const JobSpec& job, Settings& snapshot);
  // Writes the model's state into the widgets.
  void showModel();
  void applySize();
  // One of the idle texts, as the chooser picks.
  std::string idleText();
  void setBoxText(QLineEdit* box, const std::string& text);

  SettingsModel model_;
  IdleTextChooser chooser_;
  WindowHost host_;
  std::unique_ptr<DialogHost> dialogs_;
  bool syncing_ = false;
  bool closePending_ = false;
  std::function<void(const QString&)> statusWatcher_;

  std::array<QRadioButton*, 6> opAddress_{};
  std::array<QRadioButton*, kModeCount> opFeatures_{};
  std::map<int, QLabel*> lbl_;
  QCheckBox *chkHeader_ = nullptr, *chkAsTable_ = nullptr, *chkConcat_ = nullptr;
  QCheckBox *chkwTables_ = nullptr, *chkRaw_ = nullptr, *chkShowStrings_ = nullptr;
  QCheckBox* chkTrace_ = nullptr;
  QCheckBox* chkWindow_ = nullptr;  // the traced dump finds the window the bank runs at
  QLineEdit *txtAddress_ = nullptr, *txtBlock_ = nullptr, *txtStart_ = nullptr;
  QLineEdit *txtEnd_ = nullptr, *txtPhrase_ = nullptr, *txtLength_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
  // The job buttons and menu items, each with its registry entry.
  std::vector<std::pair<const JobSpec*, QPushButton*>> jobButtons_;
  std::vector<std::pair<const JobSpec*, QAction*>> jobActions_;
  std::string writePatches_;  // "", "ips" or "bps"
  QPushButton* cmdSearchOptions_ = nullptr;
  SearchChoices searchChoices_;
  QPointer<SearchOptionsDialog> searchOptions_;
  std::string tableFormat_ = "classic";
  QCheckBox* chkVerify_ = nullptr;
  struct DumpPointers {
    std::string low, high, step, count, base;
  } dumpPointers_;

  ResultsPanel* results_ = nullptr;
  QVBoxLayout* resultsDock_ = nullptr;
  QPointer<QWidget> resultsWindow_;
  const JobSpec* running_ = nullptr;
  QString runningDetail_;  // e.g. "8-bit Code, traced": what the entry adds to the job's name
  QMenu* mnuHelp_ = nullptr;
  std::vector<QPointer<FrmViewer>> viewers_;

  QPointer<FrmHowTo> howTo_;
  QPointer<FrmAbout> about_;
  QPointer<FrmLicense> license_;
  QPointer<FrmTiles> tiles_;
};

}  // namespace morvane
