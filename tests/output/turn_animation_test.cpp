// The turn about the body axis and its frame series, with the timer ticked by hand.
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

#include "app/actions/messages.h"
#include "files/bitmap_file.h"
#include "files/output_texts.h"
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

// A series driven through the real controls and the fake dialogs, as a script of steps:
//   ein, aus      the start/stop button
//   save NAME     the file button, its dialog confirmed with NAME in the temporary folder
//   tick N        N timer ticks
//   bilder N      the frame count bar moved to N
//   start FOLDER  the window started afresh with FOLDER as the current folder
struct SeriesCase {
    const char* name;
    const char* steps;
    const char* files;   // the folder afterwards, by name; "a_01..03.bmp" stands for a range
    const char* message; // the last message: "series COUNT NAME", "file NAME", "error NAME", ""
    int gifFrames;       // the frames of the one animation among the files; 0 for none
    std::vector<int> progressWhileShown; // the progress bar while each message is open
    const char* button;                  // the file button afterwards
    const char* frames;                  // the count beside "Bilder:" afterwards
    const char* caption;                 // {dir}: the temporary folder, {cwd}: the start folder
};

void PrintTo(const SeriesCase& c, std::ostream* os) {
    *os << c.steps;
}

class SeriesScript : public TurnTest, public ::testing::WithParamInterface<SeriesCase> {
protected:
    void run(const QString& steps) {
        for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
            const QStringList w = step.split(' ', Qt::SkipEmptyParts);
            if (w[0] == "ein" || w[0] == "aus") {
                ASSERT_EQ(form->model.turnRunning, w[0] == "ein" ? 0 : 1) << step.toStdString();
                form->SSCommand3->click();
            } else if (w[0] == "save") {
                startSeries(w[1]);
            } else if (w[0] == "tick") {
                tick(w[1].toInt());
            } else if (w[0] == "bilder") {
                form->HScroll3->setValue(w[1].toInt());
            } else if (w[0] == "start") {
                const QString before = QDir::currentPath();
                ASSERT_TRUE(QDir::setCurrent(w[1]));
                form = std::make_unique<TestForm1>(platformView);
                form->Form_Load();
                QDir::setCurrent(before);
            } else {
                FAIL() << "unknown step " << step.toStdString();
            }
        }
    }
    static QStringList expand(const QString& files) {
        static const QRegularExpression range(R"((.*_)(\d+)\.\.(\d+)(\..*))");
        QStringList out;
        for (const QString& f : files.split(' ', Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = range.match(f);
            if (!m.hasMatch()) {
                out << f;
                continue;
            }
            for (int k = m.captured(2).toInt(); k <= m.captured(3).toInt(); ++k)
                out << m.captured(1) + QStringLiteral("%1").arg(k, 2, 10, QChar('0')) +
                           m.captured(4);
        }
        out.sort();
        return out;
    }
    QString placeholders(QString text) const {
        return text.replace("{dir}", dir.path()).replace("{cwd}", QDir::currentPath());
    }
};

TEST_P(SeriesScript, WritesTheFilesItNamesAndKeepsCountProgressAndCaptionTrue) {
    const SeriesCase& c = GetParam();
    std::vector<int> progress;
    fake.messageBox.whileOpen = [&] { progress.push_back(form->ProgressBar2->value()); };
    run(QString::fromUtf8(c.steps));

    EXPECT_EQ(writtenFiles(), expand(QString::fromUtf8(c.files)));
    const QStringList m = QString::fromUtf8(c.message).split(' ', Qt::SkipEmptyParts);
    if (m.isEmpty()) {
        EXPECT_TRUE(fake.messageBox.messages.empty());
    } else {
        ASSERT_FALSE(fake.messageBox.messages.empty());
        const FakeMessageBox::Message& last = fake.messageBox.messages.back();
        EXPECT_EQ(last.title, "Datei erzeugen");
        EXPECT_EQ(last.kind, m[0] == "error" ? FakeMessageBox::Kind::Error
                                             : FakeMessageBox::Kind::Information);
        if (m[0] == "series")
            EXPECT_EQ(last.text, SeriesCreatedMessage(m[1].toInt(), dir.filePath(m[2])));
        else if (m[0] == "file")
            EXPECT_EQ(last.text, FileCreatedMessage(dir.filePath(m[1])));
        else
            EXPECT_TRUE(last.text.startsWith(FileWriteFailedMessage(dir.filePath(m[1]), "")))
                << last.text.toStdString();
    }
    if (c.gifFrames > 0) {
        const QStringList gifs = writtenFiles().filter(".gif");
        ASSERT_EQ(gifs.size(), 1);
        QImageReader reader(dir.filePath(gifs[0]));
        EXPECT_EQ(reader.imageCount(), c.gifFrames);
    }
    EXPECT_EQ(progress, c.progressWhileShown);
    EXPECT_EQ(form->ProgressBar2->value(), 0);
    EXPECT_EQ(form->SSCommand9->text(), QString::fromUtf8(c.button));
    EXPECT_EQ(form->Label5[1]->text(), QString::fromUtf8(c.frames));
    EXPECT_EQ(form->windowTitle(), placeholders(QString::fromUtf8(c.caption)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    PauseCountProgressCaption, SeriesScript,
    ::testing::Values(
        // After a pause the rest goes under the dialog's current name: an animation whole.
        SeriesCase{"GifResumedIntoAGif", "ein; save alt.gif; tick 3; aus; save neu.gif; ein; tick 5",
                   "neu.gif", "file neu.gif", 8, {3, 8}, " 8 Dateien erzeugen", "8", "SOLIFA V1.0    {dir}"},
        SeriesCase{"GifResumedIntoABitmap", "ein; save alt.gif; tick 3; aus; save single.bmp; ein; tick 5",
                   "single.bmp single_04..08.bmp", "series 8 single.bmp", 0, {3, 8}, " 8 Dateien erzeugen", "8", "SOLIFA V1.0    {dir}"},
        SeriesCase{"BitmapsResumedUnderANewName", "ein; save alt.bmp; tick 3; aus; save single.bmp; ein; tick 5",
                   "alt_01..03.bmp single.bmp single_04..08.bmp", "series 8 single.bmp", 0, {3, 8}, " 8 Dateien erzeugen", "8", "SOLIFA V1.0    {dir}"},
        SeriesCase{"BitmapsResumedIntoAGif", "ein; save alt.bmp; tick 3; aus; save neu.gif; ein; tick 5",
                   "alt_01..03.bmp neu.gif", "file neu.gif", 5, {3, 8}, " 8 Dateien erzeugen", "8", "SOLIFA V1.0    {dir}"},
        // The count lowered during a paused series: the series ends with its own count, the
        // button offers the new one throughout, and the next series writes it.
        SeriesCase{"CountLoweredWhilePaused", "ein; save s.bmp; tick 2; bilder 7; aus; ein; tick 6; save t.bmp; tick 7",
                   "s_01..08.bmp t_01..07.bmp", "series 7 t.bmp", 0, {8, 7}, " 7 Dateien erzeugen", "7", "SOLIFA V1.0    {dir}"},
        // A drawing for LaTeX is a numbered series as a bitmap is.
        SeriesCase{"TikzPictures", "ein; save s.tikz; tick 8",
                   "s_01..08.tikz", "series 8 s.tikz", 0, {8}, " 8 Dateien erzeugen", "8", "SOLIFA V1.0    {dir}"},
        SeriesCase{"CountRaisedWhileWriting", "ein; save s.bmp; tick 1; bilder 9; tick 7",
                   "s_01..08.bmp", "series 8 s.bmp", 0, {8}, " 9 Dateien erzeugen", "9", "SOLIFA V1.0    {dir}"},
        // The caption changes with the first file on the disk, not with the dialog.
        SeriesCase{"NothingWrittenYet", "ein; save a.bmp; aus",
                   "", "", 0, {}, "Datei erzeugen", "8", "SOLIFA V1.3   {cwd}"},
        SeriesCase{"BitmapsIntoAMissingFolder", "ein; save fehlt/x.bmp; tick 1",
                   "", "error fehlt/x_01.bmp", 0, {0}, " 8 Dateien erzeugen", "8", "SOLIFA V1.3   {cwd}"},
        SeriesCase{"GifIntoAMissingFolder", "ein; save fehlt/x.gif; tick 1",
                   "", "error fehlt/x.gif", 0, {0}, " 8 Dateien erzeugen", "8", "SOLIFA V1.3   {cwd}"},
        SeriesCase{"StartedInTheRoot", "start /",
                   "", "", 0, {}, "Datei erzeugen", "8", "SOLIFA V1.3   /"}),
    [](const ::testing::TestParamInfo<SeriesCase>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace solifa
