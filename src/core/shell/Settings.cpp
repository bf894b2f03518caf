#include "shell/Settings.h"

#include <cmath>

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

std::string JobOptions::value(const std::string& name, const std::string& fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<std::string> JobOptions::values(const std::string& name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::int32_t Settings::origin() const {
  const double raw = static_cast<double>(base) - (header ? 16.0 : 0.0) - 16384.0 * block;
  const double rounded = std::nearbyint(raw);  // default rounding: halves to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) throw JobError(kErrOverflow);
  return static_cast<std::int32_t>(rounded);
}

std::int64_t BlockOffset(double block, bool withHeader) {
  const double rounded = std::nearbyint(block * 16384.0);
  if (!(rounded >= 0.0 && rounded <= 2147483647.0)) throw JobError(kErrOverflow);
  return static_cast<std::int64_t>(rounded) + (withHeader ? 16 : 0);
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
