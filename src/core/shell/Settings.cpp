#include "shell/Settings.h"

#include <cmath>

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

std::int32_t Settings::origin() const {
  const double raw = static_cast<double>(base) - (header ? 16.0 : 0.0) - 16384.0 * block;
  const double rounded = std::nearbyint(raw);  // default rounding: halves to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw JobError(kErrOverflow);
  return static_cast<std::int32_t>(rounded);
}

void CorrectRangeForJob(Settings& settings) {
  if (settings.start < settings.base) {
    settings.startText = HexWord(settings.base);
    settings.start = settings.base;
  }
  if (settings.end < settings.start) {
    settings.endText = settings.startText;
    settings.end = settings.start;
  }
}

}  // namespace morvane
