// What a job needs from whoever runs it: the window, the command line or a test.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace morvane {

// The seven file dialogs of the main window.
enum class Dialog { OpenNES, OpenTBL, OpenTXT, OpenTableTXT, OpenSJS, OpenFDS, OpenBmp };

struct DialogSpec {
  const char* name;         // control name, e.g. "cdbOpenNES"
  const char* title;        // dialog title
  const char* filter;       // "Description|*.ext|..." pairs
  const char* defaultName;  // file name offered the first time, or ""
};

const DialogSpec& SpecOf(Dialog dialog);

// How a job ended.
enum class Outcome { Done, Cancelled, Failed, Warned };

struct JobResult {
  Outcome outcome = Outcome::Done;
  std::vector<std::string> written;  // files the job created or replaced
};

class JobHost {
 public:
  virtual ~JobHost() = default;

  // The file chosen in the dialog; nullopt means the user pressed Cancel.
  virtual std::optional<std::string> askFile(Dialog dialog) = 0;
  // Enable_Controls(False) / Enable_Controls(True): busy and idle state.
  virtual void enterBusy() = 0;
  virtual void leaveBusy() = 0;
  // Status label lbl(20).
  virtual void setStatus(const std::string& text) = 0;
  // Labels lbl(30) to lbl(41) of the Insert frame.
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
};

}  // namespace morvane
