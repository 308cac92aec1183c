// Files that fail for real while they are written, whose picture does not fit into memory, or
// whose writer is killed: the old file stays byte for byte, no temporary is left, and the window
// says why instead of "wurde erzeugt!".
#include <QProgressBar>
#include <QRegularExpression>
#include <QtEndian>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/actions/messages.h"
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
const QString kOutOfMemory = QStringLiteral("Nicht genug Arbeitsspeicher.");

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

// Address space of this process in bytes.
rlim_t AddressSpaceBytes() {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    return pages * rlim_t(sysconf(_SC_PAGESIZE));
}

// Memory running out for real: a child of the test process, with the window up, gets little
// more address space than it has, then writes at an output size whose picture does not fit
// (4096 pixels, some 67 MB), in each format and as an animation, then at a small size again.
// What it saw comes back through a pipe, one line for each thing that was not as it should be.
TEST_F(OutputTest, OutOfMemoryFailsEachWriteAndTheWindowGoesOn) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#endif
    const QStringList names = {"keep.bmp", "keep.png", "keep.svg", "keep.pdf", "keep.gif"};
    for (const QString& name : names)
        ASSERT_TRUE(PutFile(dir.filePath(name), kOldFile));
    const QString animation = dir.filePath("dreh.gif");
    ASSERT_TRUE(PutFile(animation, kOldFile));
    const QStringList before = EntriesOf(dir.path());
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(report[0]);
        QByteArray wrong;
        const auto expectMessage = [&](const QString& path, bool failed) {
            const auto& m = fake.messageBox.messages;
            const QString text =
                failed ? FileWriteFailedMessage(path, kOutOfMemory) : FileCreatedMessage(path);
            if (m.empty() || m.back().text != text)
                wrong += "not shown: " + text.toUtf8() + '\n';
            fake.messageBox.messages.clear();
        };
        const rlimit limit{AddressSpaceBytes() + (48 << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        form->HScroll6->setMaximum(4096);
        form->HScroll6->setValue(4096);
        for (const QString& name : names) {
            saveAs(dir.filePath(name));
            expectMessage(dir.filePath(name), true);
        }
        form->SSCommand3->click();
        saveAs(animation);
        form->Timer1_Timer();
        expectMessage(animation, true);
        form->SSCommand3->click();
        // Still running, and the output picture takes the next size as before.
        form->HScroll6->setValue(200);
        saveAs(dir.filePath("neu.bmp"));
        expectMessage(dir.filePath("neu.bmp"), false);
        if (QImage(dir.filePath("neu.bmp")).size() != QSize(206, 222))
            wrong += "the picture after the failures is not 206 x 222\n";
        if (form->swallowedFaults.other != 0)
            wrong += "a fault was swallowed\n";
        QFile::remove(dir.filePath("neu.bmp"));
        [[maybe_unused]] const ssize_t n = write(report[1], wrong.constData(), wrong.size());
        _exit(0);
    }
    close(report[1]);
    QByteArray wrong;
    char buffer[4096];
    for (ssize_t n; (n = read(report[0], buffer, sizeof buffer)) > 0;)
        wrong.append(buffer, n);
    close(report[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(QString::fromUtf8(wrong), QString());
    for (const QString& name : names)
        EXPECT_EQ(FileBytes(dir.filePath(name)), kOldFile) << name.toStdString();
    EXPECT_EQ(FileBytes(animation), kOldFile);
    EXPECT_EQ(EntriesOf(dir.path()), before);
}

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

// Killed while a series is written, the window leaves nothing behind: a file has no name until
// it is complete, so each frame is the old one or a whole new one.
using KilledSeriesTest = OutputTest;

TEST_F(KilledSeriesTest, LeavesNoTemporaryAndEveryFrameWhole) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The child that runs this test again writes into the folder of the test that started it.
    static const char kFolder[] = "SOLIFA_TEST_KILLED_SERIES_FOLDER";
    const QByteArray given = qgetenv(kFolder);
    const QString folder = given.isEmpty() ? dir.path() : QString::fromUtf8(given);
    const QString series = folder + "/serie.bmp";
    const QString first = folder + "/serie_01.bmp";
    if (given.isEmpty()) {
        ASSERT_TRUE(PutFile(first, kOldFile));
        qputenv(kFolder, folder.toUtf8());
    } else {
        dir.remove();
    }
    EXPECT_EXIT(
        {
            // Killed from within once a frame's file is open, whatever the machine's speed.
            std::thread([folder] {
                while (test::OpenFilesIn(getpid(), folder).isEmpty())
                    usleep(1000);
                kill(getpid(), SIGKILL);
            }).detach();
            form->HScroll6->setValue(600);
            form->SSCommand3->click();
            saveAs(series);
            for (int i = 0; i < 40; ++i)
                form->Timer1_Timer();
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGKILL), "");
    qunsetenv(kFolder);

    for (const QString& name : EntriesOf(folder)) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(QRegularExpression("^serie_0[1-8]\\.bmp$").match(name).hasMatch());
        const QString path = folder + "/" + name;
        const QByteArray bytes = FileBytes(path);
        if (bytes != kOldFile) {
            // A whole new frame: the picture of the output size with its margins, and exactly as
            // long as its header says.
            EXPECT_EQ(QImage(path).size(), QSize(606, 622));
            ASSERT_GE(bytes.size(), 6);
            EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 2), quint32(bytes.size()));
        }
    }
}

} // namespace
} // namespace solifa
