// The "Search Options..." dialog beside Relative Search: its choices go with
// the searches that follow, and "Classic Search" brings the classic one back.
#include <QComboBox>

#include "JobFixture.h"
#include "analysis/SearchOptions.h"

namespace morvane {
namespace {

class SearchOptionsTest : public JobTest {
 protected:
  // Opens the dialog, lets change set it (through the widgets themselves:
  // the dialog is laid out only once it is painted) and presses OK.
  void choose(const std::function<void()>& change) {
    click(button("cmdSearchOptions"));
    ASSERT_NE(window->searchOptions(), nullptr);
    ASSERT_TRUE(window->searchOptions()->isVisible());
    change();
    window->searchOptions()->accept();
  }
  const std::string rom = copySample("sample.nes");
};

TEST_F(SearchOptionsTest, ChoicesGoWithTheSearchUntilClassicIsChosen) {
  choose([this] {
    check("chkWildcard")->click();
    find<QComboBox>("cboOrder")->setCurrentIndex(1);
    EXPECT_FALSE(check("chkMixedCase")->isEnabled());  // an order has no cases
    find<QComboBox>("cboOrder")->setCurrentIndex(0);
  });
  EXPECT_EQ(window->searchChoices(), (SearchChoices{{"wildcard", ""}}));
  EXPECT_EQ(button("cmdSearchOptions")->toolTip(), "--wildcard");

  retype("txtSearch", "Sa*ple");
  answer(Dialog::OpenNES, rom);
  click(button("cmdSearch"));
  expectRanCleanly();
  EXPECT_EQ(text("txtSearch"), "Sa*ple");  // kept as typed: the * counts
  const std::string report = Slurp(dir.file("sample Output.txt"));
  EXPECT_NE(report.find("\r\n1 SA*PLE found @ 0007B = SAMPLE = 53_41_4D_50_4C_45\r\n"
                        "Relation: 41=A; draft: sample Search 1.tbl\r\n"),
            std::string::npos)
      << report;
  EXPECT_TRUE(dir.exists("sample Search 1.tbl"));

  // The dialog shows what was chosen; an order file is picked through the window's dialogs.
  const std::string order = dir.write("font.txt", "A\r\nB\r\n");
  answer(kOpenOrder, order);
  choose([&] {
    EXPECT_TRUE(check("chkWildcard")->isChecked());
    button("cmdBrowseOrder")->click();
    EXPECT_EQ(text("txtOrder").toStdString(), order);
    EXPECT_EQ(find<QComboBox>("cboOrder")->currentIndex(), 5);
    find<QComboBox>("cboWidth")->setCurrentIndex(1);
  });
  EXPECT_EQ(window->searchChoices(),
            (SearchChoices{{"wildcard", ""}, {"width", "16"}, {"order", order}}));
  looks.clear();  // the order's dialog came while no job ran

  choose([this] { button("cmdClassicSearch")->click(); });
  EXPECT_TRUE(window->searchChoices().empty());
  retype("txtSearch", "The");
  answer(Dialog::OpenNES, rom);
  click(button("cmdSearch"));
  expectRanCleanly();
  EXPECT_EQ(text("txtSearch"), "THE");
  EXPECT_NE(Slurp(dir.file("sample Output.txt"))
                .find("\r\n1 THE found @ 0009B = THE = 54_48_45\r\n41=A\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace morvane
