#include "model/ListingModel.h"

namespace morvane {

namespace {
const std::string kNoName;
}  // namespace

const std::string& ListingModel::readName(std::int32_t a) const {
  return a >= 0 && a < kNameSlots ? ops.ReadNames[static_cast<std::size_t>(a)] : kNoName;
}

const std::string& ListingModel::writeName(std::int32_t a) const {
  return a >= 0 && a < kNameSlots ? ops.WriteNames[static_cast<std::size_t>(a)] : kNoName;
}

const std::string* ListingModel::givenName(std::int32_t a) const {
  if (!naming || !dumped(a) || !given.contains(a - origin)) return nullptr;
  const auto it = labels.labels.find(a - origin);
  return it == labels.labels.end() ? nullptr : &it->second;
}

const std::string* ListingModel::givenComment(std::int32_t a) const {
  if (!naming || !dumped(a)) return nullptr;
  const auto it = labels.comments.find(a - origin);
  return it == labels.comments.end() ? nullptr : &it->second;
}

std::string ListingModel::labelFor(std::int32_t a, const std::string& fallback) {
  if (!naming || !dumped(a)) return fallback;
  return labels.name(a - origin, fallback);
}

}  // namespace morvane
