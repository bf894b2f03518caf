// The per-byte work of one dump mode, plugged into the driver's byte loop.
#pragma once

#include <memory>

#include "dump/DumpContext.h"

namespace morvane {

class DumpStep {
 public:
  virtual ~DumpStep() = default;

  // Asks for and reads the mode's definition files before the output opens.
  // Returns false when a reader rejected its file (it has shown its message
  // and set the status text if its failure calls for one).
  virtual bool prepare(DumpContext&) { return true; }
  // True when the dump needs the character table (asked after prepare).
  virtual bool needsCharTable(const DumpContext&) const { return false; }
  // The first pass; passes run from it up to pass 1, which writes.
  virtual int firstPass(const DumpContext&) const { return 1; }
  // Start of each pass, after the ROM is positioned at the start offset.
  virtual void beginPass(DumpContext&) {}
  // Before each byte is read: ctx.address is set and ctx.line empty. A mode
  // may start the line (a label) or write lines of its own (a heading).
  virtual void beginLine(DumpContext&) {}
  // After the byte is read: puts its ".byte" column into ctx.line.
  virtual void listByte(DumpContext& ctx);
  // One byte: the driver has read ctx.byte at ctx.address and built ctx.line.
  virtual void step(DumpContext&) = 0;
  // Whether ctx.line is written in pass 1.
  virtual bool writesLine(const DumpContext&) const { return true; }
  // After the last byte of the last pass, before the closing rule.
  virtual void endPasses(DumpContext&) {}
  // After the closing ";--------------------", output still open.
  virtual void finish(DumpContext&) {}
  // After the output file has been closed.
  virtual void afterClose(DumpContext&) {}
};

struct ModeRange;  // shell/SettingsModel.h

using DumpStepMaker = std::unique_ptr<DumpStep> (*)();

// Adds the step of a dump mode (a Feature number) made outside dump/, such as
// a game's pseudo-code; the modes of dump/ itself are always there. A mode
// with a range of its own puts it in place when it is chosen (SettingsModel).
void RegisterDumpMode(int mode, DumpStepMaker make, const ModeRange* range = nullptr);
// The step of a mode, or nullptr when no step is registered for it.
std::unique_ptr<DumpStep> MakeDumpStep(int mode);

}  // namespace morvane
