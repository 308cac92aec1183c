// Files that fail for real while they are written, or whose writer is killed: the old file stays
// byte for byte, no temporary is left, and the window says why instead of "wurde erzeugt!".
#include <QProgressBar>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "files/bitmap_file.h"
#include "files/output_texts.h"
#include "files/safe_write.h"
#include "output_fixture.h"
#include "support/write_failures.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

using test::EntriesOf;
using test::FileBytes;
using test::PutFile;

const QByteArray kOldFile = "das alte Bild, das bleiben muss";
const QString kFileTooLarge = QStringLiteral("Die Datei wäre größer, als das System erlaubt.");
const QString kDiskFull = QStringLiteral("Auf dem Datenträger ist nicht genug Platz.");

struct FailingWrite {
    const char* name;
    int pixels;   // "Pixel:"
    bool series;  // the second frame of a series fails, the first is written
    rlim_t limit; // file-size limit; 0: a full disk instead
};

class FailingWriteTest : public OutputTest, public ::testing::WithParamInterface<FailingWrite> {};

TEST_P(FailingWriteTest, KeepsTheOldFileAndSaysWhy) {
    const FailingWrite c = GetParam();
    std::optional<test::SmallDisk> disk;
    if (c.limit == 0 && !disk.emplace(512 * 1024).mounted())
        GTEST_SKIP() << disk->whyNot().toStdString();
    const QString folder = disk ? disk->path() : dir.path();
    const QString base = folder + "/keep.bmp";
    const QString failing = c.series ? FrameSeriesFileName(base, 2) : base;
    ASSERT_TRUE(PutFile(failing, kOldFile));
    form->HScroll6->setValue(c.pixels);
    if (c.series) {
        form->SSCommand3->click();
        saveAs(base);
        form->Timer1_Timer(); // frame 01 is written
    }
    if (disk) {
        ASSERT_TRUE(disk->fill(".filler", 4096));
    }
    const QStringList before = EntriesOf(folder);
    const QString caption = form->windowTitle();
    {
        std::optional<test::FileSizeLimit> limit;
        if (c.limit > 0)
            limit.emplace(c.limit);
        if (c.series)
            form->Timer1_Timer();
        else
            saveAs(base);
    }

    EXPECT_EQ(FileBytes(failing), kOldFile);
    EXPECT_EQ(EntriesOf(folder), before);
    if (c.series) {
        EXPECT_EQ(QImage(FrameSeriesFileName(base, 1)).size(), QSize(c.pixels + 6, c.pixels + 22));
        EXPECT_EQ(form->model.framesToWrite, 0);
        EXPECT_EQ(form->ProgressBar2->value(), 0);
        EXPECT_EQ(form->model.turnRunning, 1);
    }
    ASSERT_FALSE(fake.messageBox.messages.empty());
    const auto& m = fake.messageBox.messages.back();
    EXPECT_EQ(m.kind, FakeMessageBox::Kind::Error);
    EXPECT_EQ(m.title, "Datei erzeugen");
    EXPECT_EQ(m.text, FileWriteFailedMessage(failing, c.limit > 0 ? kFileTooLarge : kDiskFull));
    EXPECT_EQ(m.text.count("konnte nicht geschrieben werden"), 1);
    EXPECT_EQ(fake.messageBox.count(FakeMessageBox::Kind::Information), 0);
    EXPECT_EQ(form->windowTitle(), caption);
}

INSTANTIATE_TEST_SUITE_P(Writes, FailingWriteTest,
                         ::testing::Values(FailingWrite{"SmallFile", 38, false, 4096},
                                           FailingWrite{"LargeFile", 600, false, 256 * 1024},
                                           FailingWrite{"FrameOfASeries", 38, true, 4096},
                                           FailingWrite{"FullDisk", 200, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeWrite, FollowsLinksAndKeepsTheReplacedFilesPermissions) {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    const std::string file = folder + "/bild.bmp";
    const std::string link = folder + "/verweis.bmp";
    const std::string dangling = folder + "/ins_leere.bmp";
    ASSERT_TRUE(PutFile(dir.filePath("bild.bmp"), kOldFile));
    ASSERT_EQ(chmod(file.c_str(), 0604), 0);
    ASSERT_EQ(symlink("bild.bmp", link.c_str()), 0);
    ASSERT_EQ(symlink("neu.bmp", dangling.c_str()), 0);

    ASSERT_EQ(WriteFileSafely(link, "neu", 3), 0);
    ASSERT_EQ(WriteFileSafely(dangling, "leer", 4), 0);

    struct stat st {};
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(lstat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
    EXPECT_EQ(FileBytes(dir.filePath("bild.bmp")), "neu");
    EXPECT_EQ(FileBytes(dir.filePath("neu.bmp")), "leer");
    EXPECT_EQ(EntriesOf(dir.path()),
              (QStringList{"bild.bmp", "ins_leere.bmp", "neu.bmp", "verweis.bmp"}));
}

// Killed while its animation is written, the window leaves nothing behind: the file has no name
// until its last frame is in, so the old one stays as it was.
using KilledSeriesTest = OutputTest;

TEST_F(KilledSeriesTest, LeavesNoTemporaryAndTheOldAnimation) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child that runs this test again writes into the folder of the test that started it.
    static const char kFolder[] = "SOLIFA_TEST_KILLED_SERIES_FOLDER";
    const QByteArray given = qgetenv(kFolder);
    const QString folder = given.isEmpty() ? dir.path() : QString::fromUtf8(given);
    const QString gif = folder + "/serie.gif";
    if (given.isEmpty()) {
        ASSERT_TRUE(PutFile(gif, kOldFile));
        qputenv(kFolder, folder.toUtf8());
    } else {
        dir.remove();
    }
    EXPECT_EXIT(
        {
            // Killed from within once the animation's file is open, whatever the machine's speed.
            std::thread([folder] {
                while (test::OpenFilesIn(getpid(), folder).isEmpty())
                    usleep(1000);
                kill(getpid(), SIGKILL);
            }).detach();
            form->HScroll6->setValue(600);
            form->SSCommand3->click();
            saveAs(gif);
            for (int i = 0; i < 40; ++i)
                form->Timer1_Timer();
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    qunsetenv(kFolder);

    EXPECT_EQ(EntriesOf(folder), QStringList{"serie.gif"});
    EXPECT_EQ(FileBytes(gif), kOldFile);
}

} // namespace
} // namespace solifa
