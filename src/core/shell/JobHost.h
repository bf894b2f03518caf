// What a job needs from whoever runs it: the window, the command line or a test.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

struct DialogSpec {
  const char* name;         // control name, e.g. "cdbOpenNES"
  const char* title;        // dialog title
  const char* filter;       // "Description|*.ext|..." pairs
  const char* defaultName;  // file name offered the first time, or ""
};

// One file dialog: which kind of file a job asks for. The seven dialogs of the
// main window are named here; a job may declare its own from a DialogSpec of
// static storage. Dialogs compare by identity, not by text.
class Dialog {
 public:
  constexpr explicit Dialog(const DialogSpec& spec) : spec_(&spec) {}
  const DialogSpec& spec() const { return *spec_; }

  friend bool operator==(Dialog a, Dialog b) { return a.spec_ == b.spec_; }
  friend bool operator<(Dialog a, Dialog b) {
    return std::less<const DialogSpec*>()(a.spec_, b.spec_);
  }

  static const Dialog OpenNES, OpenTBL, OpenTXT, OpenTableTXT, OpenSJS, OpenFDS, OpenBmp;

 private:
  const DialogSpec* spec_;
};

namespace dialogs {
inline constexpr DialogSpec kOpenNES{
    "cdbOpenNES", "Select ROM File to Read",
    "NES Files|*.nes|FDS Files|*.fds|Binary Files|*.bin|Text Files|*.txt|All Files|*.*", ""};
inline constexpr DialogSpec kOpenTBL{"cdbOpenTBL", "Select Character Map Table File to Read",
                                     "Table Files|*.tbl", ""};
inline constexpr DialogSpec kOpenTXT{"cdbOpenTXT", "Select Op Codes Text File to Read",
                                     "Text Files|*.txt", "Op_Codes_NES.txt"};
inline constexpr DialogSpec kOpenTableTXT{"cdbOpenTableTXT", "Select Table List Text File To Read",
                                          "Text Files|*.txt", ""};
inline constexpr DialogSpec kOpenSJS{
    "cdbOpenSJS", "Select Script Text File to Read",
    "Shift-JIS or UTF-8 Files|*.sjs;*.txt|Shift-JIS Files|*.sjs|Text Files|*.txt|All Files|*.*",
    ""};
inline constexpr DialogSpec kOpenFDS{"cdbOpenFDS", "Select Famicom Disk Image File to Read",
                                     "FDS Files|*.fds|NES Files|*.nes|All Files|*.*", ""};
inline constexpr DialogSpec kOpenBmp{"cdbOpenBmp", "Select 16 Color Bitmat File to Read",
                                     "Bitmap Files|*.bmp", ""};
}  // namespace dialogs

inline constexpr Dialog Dialog::OpenNES{dialogs::kOpenNES};
inline constexpr Dialog Dialog::OpenTBL{dialogs::kOpenTBL};
inline constexpr Dialog Dialog::OpenTXT{dialogs::kOpenTXT};
inline constexpr Dialog Dialog::OpenTableTXT{dialogs::kOpenTableTXT};
inline constexpr Dialog Dialog::OpenSJS{dialogs::kOpenSJS};
inline constexpr Dialog Dialog::OpenFDS{dialogs::kOpenFDS};
inline constexpr Dialog Dialog::OpenBmp{dialogs::kOpenBmp};

inline const DialogSpec& SpecOf(Dialog dialog) {
  return dialog.spec();
}

// How a job ended.
enum class Outcome { Done, Cancelled, Failed, Warned };

struct JobResult {
  Outcome outcome = Outcome::Done;
  std::vector<std::string> written;     // files the job created or replaced
  std::vector<std::string> incomplete;  // those of them that hold a partial result
};

class JobHost {
 public:
  virtual ~JobHost() = default;

  // The file chosen in the dialog; nullopt means the user pressed Cancel.
  virtual std::optional<std::string> askFile(Dialog dialog) = 0;
  // Whether askText can ask the user (the window can, the command line takes
  // options instead), and the text typed in answer to prompt; nullopt for Cancel.
  virtual bool asksText() const { return false; }
  virtual std::optional<std::string> askText(const std::string& /*title*/,
                                             const std::string& /*prompt*/) {
    return std::nullopt;
  }
  // The busy state of a running job and the idle state after it.
  virtual void enterBusy() = 0;
  virtual void leaveBusy() = 0;
  // The status line.
  virtual void setStatus(const std::string& text) = 0;
  // The insert progress labels, numbered 30 to 41.
  virtual void setLabel(int index, const std::string& text) = 0;
  // Hand control to the message loop so the window repaints and Cancel is seen.
  virtual void yield() = 0;
  // True once Cancel has been pressed since the job entered its busy state.
  virtual bool cancelRequested() = 0;
  // The live "Show Strings" check box.
  virtual bool showStrings() = 0;
  // Job error box (title "Error") and warning box.
  virtual void errorBox(const std::string& text) = 0;
  virtual void warningBox(const std::string& title, const std::string& text) = 0;
  // A warning that neither stops the job nor changes how it ends: the status
  // text, which the command line also writes to stderr.
  virtual void note(const std::string& text) { setStatus(text); }
  // The job has ended, after its idle state is back: how, and the files it
  // wrote (also those it left incomplete). Called once per job by RunJob.
  virtual void jobFinished(const JobResult&) {}
};

}  // namespace morvane
