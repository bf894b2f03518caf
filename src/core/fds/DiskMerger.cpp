#include "fds/DiskMerger.h"

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane::fds {

namespace {
constexpr std::string_view kSizeReport =
    "Problem with finding the EMPTY SPACE Size, remember to separate the list and Size with a tab";
}  // namespace

DiskMerger::DiskMerger(JobHost& host, std::string listingPath, std::string listingText,
                       std::string& image, std::string imagePath)
    : host_(host),
      listingPath_(std::move(listingPath)),
      folder_(FolderOf(listingPath_)),
      reader_(std::move(listingText)),
      out_(image),
      imagePath_(std::move(imagePath)),
      file_(listingPath_) {}

std::string DiskMerger::Part(const std::string& text, std::size_t pos, std::size_t length) {
  return pos < text.size() ? text.substr(pos, length) : std::string();
}

void DiskMerger::fail(std::string text, int number) {
  report_ = std::move(text);
  throw JobError(number);
}

void DiskMerger::put(int byte) {
  out_.push_back(static_cast<char>(byte));
}

// The row's value: what follows its label and one separator.
std::string DiskMerger::valueOf(std::string_view label) {
  report_ = "Can't find " + std::string(label) + " row";
  return Part(reader_.find(label), label.size() + 1);
}

std::uint8_t DiskMerger::byteValue(std::string_view label) {
  const std::string two = valueOf(label).substr(0, 2);
  if (!IsHex(two)) fail(std::string(label) + " \"" + two + "\" is not a hex byte value");
  return static_cast<std::uint8_t>(HexToLong(two));
}

std::uint8_t DiskMerger::oneByte(std::string_view label) {
  const std::uint8_t b = byteValue(label);
  put(b);
  return b;
}

DiskMerger::ListValue DiskMerger::byteList(std::string_view label) {
  std::string rest = valueOf(label);
  int count = 0;
  // A list of no bytes: only the empty space of a side filled to its end.
  if (rest.starts_with('\t')) return {count, rest};
  while (!rest.empty()) {
    const std::string two = rest.substr(0, 2);
    ++count;
    if (!IsHex(two)) {
      fail(std::string(label) + " byte #" + std::to_string(count) + ": '" + two +
           "' is not a hex value");
    }
    put(HexToLong(two));
    if (rest.size() > 2 && rest[2] == '\t') return {count, rest.substr(2)};
    rest = Part(rest, 3);
  }
  return {count, rest};
}

void DiskMerger::exactList(std::string_view label, int width) {
  const int count = byteList(label).count;
  if (count != width) {
    fail(std::string(label) + " row needs to be " + std::to_string(width) + " bytes but is " +
         std::to_string(count) + " bytes");
  }
}

void DiskMerger::date(std::string_view label) {
  const std::string value = valueOf(label);
  report_ = "Error writing " + std::string(label);
  const std::optional<std::uint8_t> year = YearByte(Part(value, 6));
  const std::int32_t month = HexToLong(value.substr(0, 2));
  const std::int32_t day = HexToLong(Part(value, 3, 2));
  if (!year || month < 0 || day < 0) fail(report_, kErrOverflow);
  put(*year);
  put(month);
  put(day);
}

void DiskMerger::field(const Field& f) {
  switch (f.kind) {
    case FieldKind::Byte:
      oneByte(f.label);
      return;
    case FieldKind::List:
      exactList(f.label, f.width);
      return;
    case FieldKind::Date:
      date(f.label);
      return;
    case FieldKind::GameName:
      gameName(f.label);
      return;
  }
}

void DiskMerger::run() {
  report_ = "Can't find fwNES (w/ Header) or BLOCK ID (w/o Header) row";
  if (!reader_.findAny({kFwnesLabel, kBlockIdLabel})) throw JobError(kErrPastEnd);
  if (reader_.current().starts_with(kFwnesLabel)) {
    for (const char c : kHeaderMagic) put(static_cast<unsigned char>(c));
    for (const Field& f : kHeaderFields) field(f);
  } else {
    reader_.keep();
  }
  for (;;) {
    side();
    if (!reader_.findAny({kBlockIdLabel})) return;
    reader_.keep();
    ++sideIndex_;
  }
}

void DiskMerger::side() {
  const std::size_t start = out_.size();
  oneByte(kBlockIdLabel);
  sideLength(start);
  fcDisk();
  for (const Field& f : kVolumeFields) field(f);
  oneByte(kBlockIdLabel);
  const int count = oneByte(kFileCountLabel);
  int present = count;
  if (reader_.nextIs(kFilesFoundLabel)) {
    present = byteValue(kFilesFoundLabel);
    if (present > count) {
      fail(std::string(kFilesFoundLabel) + " can't be more than " + std::string(kFileCountLabel));
    }
  }
  for (int n = 0; n < present; ++n) file(n);
  emptySpace();
  if (sideEnd_ == 0) return;
  report_ = "The SIDE LENGTH row gives more bytes than the side's rows";
  if (out_.size() < sideEnd_) fail(report_);
  out_.resize(sideEnd_);
  sideEnd_ = 0;
}

// A side the image ended inside: it is built whole and then cut to the
// length the row gives.
void DiskMerger::sideLength(std::size_t start) {
  if (!reader_.nextIs(kSideLengthLabel)) return;
  report_ = "Problem with the " + std::string(kSideLengthLabel) + " row";
  const std::string value = valueOf(kSideLengthLabel).substr(0, 4);
  const std::int32_t length = value.size() == 4 ? HexToLong(value) : -1;
  if (length <= 0 || length > kSideSize) fail(report_ + ": \"" + value + "\" is not a length");
  sideEnd_ = start + static_cast<std::size_t>(length);
}

void DiskMerger::fcDisk() {
  report_ = "Can't find FC DISK row";
  const std::string& line = reader_.find(kFcDiskLabel);
  if (line.size() < 11) fail(report_, kErrInvalidCall);
  out_.append(std::string_view(line).substr(10, line.size() - 11));
}

void DiskMerger::gameName(std::string_view label) {
  report_ = "Can't find " + std::string(label) + " row";
  const std::string& line = reader_.find(label);
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string two = Part(line, 10 + 3 * i, 2);
    if (!IsHex(two)) fail(std::string(label) + " byte " + two + " is not a hex value");
    put(HexToLong(two));
  }
}

void DiskMerger::emptySpace() {
  const ListValue list = byteList(kEmptySpaceLabel);
  report_ = kSizeReport;
  const std::size_t at = list.rest.find_first_not_of('\t');
  const std::int32_t size =
      HexToLong(at == std::string::npos ? std::string() : list.rest.substr(at, 4));
  if (size < 0) fail(report_);
  for (int i = list.count; i < size; ++i) put(0);
}

}  // namespace morvane::fds
