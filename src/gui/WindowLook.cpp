#include "gui/WindowLook.h"

#include <string_view>

namespace morvane {

namespace {

struct NamedLook {
  std::string_view job;
  JobLook look;
};

constexpr NamedLook kLooks[] = {
    {"dump", {"cmdDump", "Dump / Disassemble ", nullptr}},
    {"insert", {"cmdInsert", "Text", nullptr}},
    {"strip", {"cmdStrip", "Strip Text", nullptr}},
    {"search", {"cmdSearch", "Relative Search", nullptr}},
    {"compare", {"cmdCompare", "Compare Two Files", nullptr}},
    {"pointers", {"mnuFindPointers", "Find Pointers...", "&Tools"}},
    {"fds-split", {"cmdFDSSplit", "Split FDS", nullptr}},
    {"fds-merge", {"cmdFDSMerge", "Merge FDS", nullptr}},
    {"portopia-insert", {"cmdInsertPortopia", "Portopia Text ", nullptr}},
    {"romancia-graphics", {"cmdInsertGraphics", "Romancia Graphics", nullptr}},
    {"tiles-import", {"mnuImportTiles", "Import Tiles...", "&Tools"}},
    {"patch-create", {"mnuCreatePatch", "Create Patch...", "&Tools"}},
    {"patch-apply", {"mnuApplyPatch", "Apply Patch...", "&Tools"}},
    {"export-ca65", {"mnuExportCa65", "Export as ca65 Project...", "&Tools"}},
};

}  // namespace

JobLook LookOf(const JobSpec& job) {
  for (const NamedLook& entry : kLooks) {
    if (entry.job == job.name) return entry.look;
  }
  return {job.name, job.name, nullptr};
}

}  // namespace morvane
