#include "SampleTranslation.h"

namespace morvane {

const std::string kFrenchSampleText =
    "BONJOUR MONDE!\xFF"
    "CECI EST UN\xFE"
    "EXEMPLE.\xFF"
    "APPUYEZ START\xFF"
    "FIN.\xFF";

std::string FrenchSample(std::string original) {
  original.replace(0x5C, 8, "\x54\x80\x63\x80\x78\x80\x86\x80");
  original.replace(0x64, kFrenchSampleText.size(), kFrenchSampleText);
  return original;
}

}  // namespace morvane
