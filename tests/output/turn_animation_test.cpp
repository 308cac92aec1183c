// The turn about the body axis and its frame series, with the timer ticked by hand.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <cmath>

#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/scroll_bar.h"
#include "window/form_fixture.h"

namespace solifa {
namespace {

class TurnTest : public FormTest {
protected:
    void startTurn() {
        ASSERT_EQ(form->model.turnRunning, 0);
        form->SSCommand3->click();
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i)
            form->Timer1_Timer();
    }
    // Confirms the file button's dialog with `name` in the temporary folder.
    QString startSeries(const QString& name) {
        const QString path = dir.filePath(name);
        fake.saveDialog.answer(path);
        form->SSCommand9->click();
        return path;
    }
    QStringList writtenFiles() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    QTemporaryDir dir;
};

TEST_F(TurnTest, StartingAndStoppingSwitchTheControlsWithoutRedrawing) {
    const QImage before = view();
    startTurn();
    EXPECT_EQ(form->SSCommand3->text(), "aus");
    EXPECT_EQ(form->SSCommand9->text(), " 8 Dateien erzeugen");
    EXPECT_EQ(form->Timer1->interval(), 1);
    for (QWidget* w :
         {static_cast<QWidget*>(form->HScroll3), static_cast<QWidget*>(form->Label5[0]),
          static_cast<QWidget*>(form->Label5[1]), static_cast<QWidget*>(form->ProgressBar2),
          static_cast<QWidget*>(form->Check4)})
        EXPECT_TRUE(shown(w)) << w->objectName().toStdString();
    EXPECT_FALSE(shown(form->SSCommand5));
    EXPECT_FALSE(shown(form->SSCommand6));
    for (int i = kFirstDigitButton; i <= kLastDigitButton; ++i)
        EXPECT_FALSE(shown(form->SSCommand1[i]));
    EXPECT_EQ(view(), before);

    tick(3);
    form->SSCommand3->click();
    EXPECT_EQ(form->SSCommand3->text(), "ein");
    EXPECT_EQ(form->SSCommand9->text(), "Datei erzeugen");
    EXPECT_EQ(form->Timer1->interval(), 0);
    EXPECT_EQ(form->model.frameIndex, 3); // kept for the next start
    EXPECT_TRUE(shown(form->SSCommand5));
    EXPECT_TRUE(shown(form->SSCommand1[7]));
    EXPECT_FALSE(shown(form->Check4));
}

TEST_F(TurnTest, FrameCounterRunsThroughTheFrameCountAndStaysInRange) {
    startTurn();
    form->HScroll3->setValue(3);
    EXPECT_EQ(form->Label5[1]->text(), "3");
    EXPECT_EQ(form->SSCommand9->text(), " 3 Dateien erzeugen");
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        tick();
        seen.push_back(form->model.frameIndex);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1}));

    form->HScroll3->setValue(32);
    tick(20);
    EXPECT_EQ(form->model.frameIndex, 21);
    form->HScroll3->setValue(5); // lowered below the current frame
    EXPECT_GE(form->model.frameIndex, 0);
    EXPECT_LT(form->model.frameIndex, 5);
    for (int i = 0; i < 12; ++i) {
        tick();
        EXPECT_LT(form->model.frameIndex, 5);
    }
}

TEST_F(TurnTest, SeriesWritesNumberedFilesWithProgressThenTheMessage) {
    startTurn();
    const QString path = startSeries("wuerfel.bmp");
    EXPECT_EQ(form->model.framesToWrite, 8);
    std::vector<int> progress;
    for (int i = 0; i < 8; ++i) {
        tick();
        progress.push_back(form->ProgressBar2->value());
    }
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(writtenFiles(), (QStringList{"wuerfel_01.bmp", "wuerfel_02.bmp", "wuerfel_03.bmp",
                                           "wuerfel_04.bmp", "wuerfel_05.bmp", "wuerfel_06.bmp",
                                           "wuerfel_07.bmp", "wuerfel_08.bmp"}));
    ASSERT_FALSE(fake.messageBox.messages.empty());
    const auto& last = fake.messageBox.messages.back();
    EXPECT_EQ(last.title, "Datei erzeugen");
    EXPECT_TRUE(last.text.startsWith(" 8 Dateien ")) << last.text.toStdString();
    EXPECT_TRUE(last.text.contains("wuerfel_xy.bmp"));
    EXPECT_EQ(form->model.framesToWrite, 0);
    tick(2); // the turn goes on without writing
    EXPECT_EQ(writtenFiles().size(), 8);
}

TEST_F(TurnTest, PauseResumesTheNumberingAndConfirmingAgainRestarts) {
    startTurn();
    startSeries("bild.bmp");
    tick(3);
    form->SSCommand3->click(); // pause
    tick(0);
    EXPECT_EQ(form->model.framesToWrite, 5);
    form->SSCommand3->click(); // resume
    tick();
    EXPECT_TRUE(QFile::exists(dir.filePath("bild_04.bmp")));
    EXPECT_EQ(form->ProgressBar2->value(), 4);

    startSeries("neu.bmp"); // confirming again starts over at 01
    EXPECT_EQ(form->model.framesToWrite, 8);
    tick();
    EXPECT_TRUE(QFile::exists(dir.filePath("neu_01.bmp")));
    EXPECT_EQ(form->ProgressBar2->value(), 1);
}

TEST_F(TurnTest, AFrameCountChangedDuringASeriesKeepsItsNumbering) {
    startTurn();
    startSeries("s.bmp");
    tick(2);
    form->HScroll3->setValue(3);
    tick(6);
    EXPECT_EQ(writtenFiles().size(), 8);
    EXPECT_TRUE(QFile::exists(dir.filePath("s_08.bmp")));
    EXPECT_EQ(form->ProgressBar2->value(), 0);
}

// The frame count of a pending series is the body's step as well as the files' numbering: a
// count changed in the middle of a series leaves its files the very loop an unchanged series
// writes, and takes effect once the series has ended.
TEST_F(TurnTest, AFrameCountChangedDuringASeriesLeavesItOneSeamlessLoop) {
    form->SSCommand1[1]->click(); // the cube, whose frames all differ
    startTurn();
    startSeries("a.bmp");
    tick(2);
    form->HScroll3->setValue(4);
    EXPECT_EQ(form->Label5[1]->text(), "4");
    tick(6);
    EXPECT_EQ(form->model.frameCount, 4) << "the new count applies once the series ended";
    form->HScroll3->setValue(8);
    ASSERT_EQ(form->model.frameIndex, 0);
    startSeries("b.bmp");
    tick(8);
    for (int k = 1; k <= 8; ++k) {
        QFile a(dir.filePath(QStringLiteral("a_%1.bmp").arg(k, 2, 10, QChar('0'))));
        QFile b(dir.filePath(QStringLiteral("b_%1.bmp").arg(k, 2, 10, QChar('0'))));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << k;
        EXPECT_EQ(a.readAll(), b.readAll()) << "frame " << k;
    }
}

TEST_F(TurnTest, AnUnwritableFrameStopsTheSeriesButNotTheTurn) {
    startTurn();
    const QString path = dir.filePath("fehlt/ordner/x.bmp");
    fake.saveDialog.answer(path);
    form->SSCommand9->click();
    tick();
    EXPECT_EQ(form->model.framesToWrite, 0);
    ASSERT_FALSE(fake.messageBox.messages.empty());
    const auto& m = fake.messageBox.messages.back();
    EXPECT_EQ(m.kind, FakeMessageBox::Kind::Error);
    EXPECT_TRUE(m.text.contains(dir.filePath("fehlt/ordner/x_01.bmp")));
    EXPECT_EQ(form->model.turnRunning, 1);
    const int frame = form->model.frameIndex;
    tick();
    EXPECT_EQ(form->model.frameIndex, (frame + 1) % 8);
}

TEST_F(TurnTest, OneTurnStepJoinsTheLoopWithoutAJump) {
    // One frame past the last the body has turned by one corner step: every corner stands
    // where its neighbour stood in frame 0.
    form->SSCommand1[1]->click(); // the cube: 4 corners
    startTurn();
    auto ring = [&](int frame) {
        form->model.frameIndex = int16_t(frame);
        form->ProjectBody();
        std::vector<std::pair<float, float>> pts;
        for (int j = 0; j <= 4; ++j)
            pts.emplace_back(form->model.viewPoints.at(0, j, 0),
                             form->model.viewPoints.at(0, j, 2));
        return pts;
    };
    const auto first = ring(0);
    const auto second = ring(1);
    const auto pastLast = ring(8);
    double largestStep = 0;
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(pastLast[j + 1].first, first[j].first, 1.0) << j;
        EXPECT_NEAR(pastLast[j + 1].second, first[j].second, 1.0) << j;
        largestStep = std::max<double>(largestStep, std::hypot(second[j].first - first[j].first,
                                                               second[j].second - first[j].second));
    }
    EXPECT_GT(largestStep, 5.0);
}

TEST_F(TurnTest, MirrorBoxActsFromTheNextFrameAndOutlivesTheTurn) {
    startTurn();
    tick();
    const QImage plain = view();
    form->Check4->setValue(1);
    EXPECT_EQ(form->model.turnSign, -1);
    EXPECT_EQ(view(), plain); // nothing is redrawn until the next frame
    form->model.frameIndex = 0;
    tick(); // frame 1 again, now mirrored
    EXPECT_NE(view(), plain);
    form->SSCommand3->click();
    EXPECT_EQ(form->model.turnSign, -1);
    EXPECT_EQ(form->Check4->value(), 1);
}

} // namespace
} // namespace solifa
