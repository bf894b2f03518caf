// The step of a pseudo-code dump mode: a heading before each block of script,
// whose first line carries the block's address.
#pragma once

#include "dump/DumpStep.h"
#include "shell/Values.h"

namespace morvane {

class PseudoCodeStep : public DumpStep {
 public:
  void beginLine(DumpContext& ctx) override {
    if (!newBlock_) return;
    newBlock_ = false;
    ctx.out->line(";----");
    heading(*ctx.out);
    ctx.out->line(";");
    ctx.out->line(";----");
    ctx.line = HexWord(ctx.address) + ":";
  }

 protected:
  // Lines of the heading after its opening rule.
  virtual void heading(OutFile&) {}

  bool newBlock_ = true;  // set when a statement ends a block
};

}  // namespace morvane
