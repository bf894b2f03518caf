#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "shell/JobError.h"
#include "shell/SettingsModel.h"

namespace morvane {

TEST(BlockNumber, ReadsDecimalsWhateverTheLocale) {
  // The window runs under the user's locale; a comma locale must not cut 1.5
  // to 1. Machines without such a locale check the C locale only.
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
  }
  SettingsModel model;
  EXPECT_TRUE(model.setBlock("1.5"));
  EXPECT_EQ(model.settings().block, 1.5);
  EXPECT_TRUE(model.setBlock("1."));
  EXPECT_EQ(model.settings().block, 1.0);
  EXPECT_TRUE(model.setBlock(".25"));
  EXPECT_EQ(model.settings().block, 0.25);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(BlockNumber, TooManyDigitsOverflowAtTheJobNotSilently) {
  SettingsModel model;
  EXPECT_TRUE(model.setBlock(std::string(400, '9')));
  EXPECT_THROW(model.settings().origin(), JobError);
  EXPECT_TRUE(model.setBlock("0." + std::string(400, '0') + "1"));
  EXPECT_EQ(model.settings().block, 0.0);
  EXPECT_EQ(model.settings().origin(), 0x8000 - 16);
}

}  // namespace morvane
