// Tools > Import Tiles...: a sheet the tiles job wrote, read by Qt's own PNG
// reader, and put back through the window with the patch Write Patches asks for.
#include <QAction>
#include <QImage>

#include "JobFixture.h"
#include "support/ScriptedHost.h"
#include "tiles/TileSheet.h"
#include "tiles/TilesImportJob.h"
#include "tiles/TilesJob.h"

namespace morvane {
namespace {

TEST_F(JobTest, ImportTilesFromTheToolsMenu) {
  const std::string rom = copySample("sample.nes");
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  Settings tall;
  tall.options.add("layout", "8x16");
  ASSERT_EQ(TilesJob(tall, host).outcome, Outcome::Done);

  // Qt reads the colour numbers and the four colours the sheet was drawn with.
  const QImage sheet(QString::fromStdString(dir.file("sample Tiles.png")));
  ASSERT_EQ(sheet.format(), QImage::Format_Indexed8);
  EXPECT_EQ(sheet.colorTable(), (QList<QRgb>{0xFF000000, 0xFF555555, 0xFFAAAAAA, 0xFFFFFFFF}));
  SheetLayout layout;
  layout.offset = 0x8010;
  layout.count = 512;
  layout.shape = TileShape::Tall;
  const IndexedImage expected = RenderSheet(Slurp(rom), layout);
  ASSERT_EQ(sheet.size(), QSize(expected.width, expected.height));
  int differ = 0;
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) differ += sheet.pixelIndex(x, y) != expected.at(x, y);
  }
  EXPECT_EQ(differ, 0);

  // The window's import takes the defaults: an 8x16 sheet read as 8x8 changes tiles.
  find<QAction>("mnuWritePatchesbps")->trigger();
  answer(Dialog::OpenNES, rom);
  answer(kOpenPng, dir.file("sample Tiles.png"));
  find<QAction>("mnuImportTiles")->trigger();
  find<QAction>("mnuWritePatchesnone")->trigger();
  expectRanCleanly();
  const QStringList statuses = takeStatuses();
  ASSERT_FALSE(statuses.isEmpty());
  EXPECT_TRUE(statuses.back().startsWith("Tiles Import Done: ")) << statuses.back().toStdString();
  EXPECT_FALSE(statuses.back().startsWith("Tiles Import Done: 0 of"));
  EXPECT_TRUE(dir.exists("sample_Modified.nes"));
  EXPECT_TRUE(dir.exists("sample_Modified.bps"));
}

}  // namespace
}  // namespace morvane
