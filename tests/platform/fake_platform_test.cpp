// The fakes that stand in for the desktop in window tests answer as scripted.
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace solifa {
namespace {

TEST(FakePlatformTest, ScreenIsTheCommonDisplayUnlessChanged) {
    FakePlatform fake;
    const Platform p = fake.platform();
    EXPECT_EQ(p.screen->widthPixels(), 1024);
    EXPECT_EQ(p.screen->heightPixels(), 768);
    EXPECT_DOUBLE_EQ(p.screen->twipsPerPixelX(), 15.0);
    fake.screen.logicalDpiY = 120.0;
    EXPECT_DOUBLE_EQ(p.screen->twipsPerPixelY(), 12.0);
}

TEST(FakePlatformTest, DialogsAnswerInTurnAndCancelWhenNothingIsLeft) {
    FakePlatform fake;
    fake.colorDialog.answer(MakeColorRef(1, 2, 3));
    fake.colorDialog.cancel();
    EXPECT_EQ(fake.colorDialog.choose(nullptr, 7), MakeColorRef(1, 2, 3));
    EXPECT_EQ(fake.colorDialog.choose(nullptr, 8), std::nullopt);
    EXPECT_EQ(fake.colorDialog.choose(nullptr, 9), std::nullopt);
    EXPECT_EQ(fake.colorDialog.presets, (std::vector<ColorRef>{7, 8, 9}));

    int ranWhileOpen = 0;
    fake.saveDialog.whileOpen = [&] { ++ranWhileOpen; };
    fake.saveDialog.answer("/tmp/wuerfel.bmp");
    EXPECT_EQ(fake.saveDialog.choose(nullptr, "/tmp/alt.bmp", {"A (*)", "B (*.BMP)"}, 1),
              (SaveChoice{"/tmp/wuerfel.bmp", 1}));
    EXPECT_EQ(fake.saveDialog.choose(nullptr, "/tmp/wuerfel.bmp", {}, 0), std::nullopt);
    ASSERT_EQ(fake.saveDialog.calls.size(), 2u);
    EXPECT_EQ(fake.saveDialog.calls[0].presetPath, "/tmp/alt.bmp");
    EXPECT_EQ(fake.saveDialog.calls[0].filters, (QStringList{"A (*)", "B (*.BMP)"}));
    EXPECT_EQ(fake.saveDialog.calls[0].selectedFilter, 1);
    EXPECT_EQ(ranWhileOpen, 2);
}

TEST(FakePlatformTest, PrinterDialogPrintsToThePdfFileOfItsAnswer) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FakePlatform fake;
    fake.printerDialog.answer(dir.filePath("seite.pdf"));
    std::unique_ptr<QPrinter> printer = fake.printerDialog.choose(nullptr);
    ASSERT_NE(printer, nullptr);
    {
        QPainter painter(printer.get());
        painter.drawLine(0, 0, 100, 100);
    }
    EXPECT_GT(QFileInfo(dir.filePath("seite.pdf")).size(), 0);
    EXPECT_EQ(fake.printerDialog.choose(nullptr), nullptr);
    EXPECT_EQ(fake.printerDialog.calls, 2);
}

} // namespace
} // namespace solifa
