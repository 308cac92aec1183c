// The renderer's files when writing fails for real or memory runs out, into special files,
// under two names of one file, and when the program is interrupted: old files stay byte for byte
// or are replaced whole, no temporary is left, special files stay what they were, clashes are
// wrong input.
#include <gtest/gtest.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "cli/render_job.h"
#include "cli_test_support.h"
#include "files/output_texts.h"

namespace solifa {
namespace {

using Args = std::vector<std::string>;
using test::EntriesOf;
using test::FileBytes;

QByteArray OldContent(const char* name) {
    return QByteArray("the old ") + name + " that must stay";
}

struct FailingRender {
    const char* name;
    Args args;
    std::vector<const char*> oldFiles;
    const char* failing; // the file the error line names
    rlim_t limit;        // file-size limit; 0: a full disk instead
};

class FailingRenderTest : public ::testing::TestWithParam<FailingRender> {
protected:
    QTemporaryDir dir;
};

TEST_P(FailingRenderTest, ExitsOneNamingTheFileAndReasonAndChangesNoOldFile) {
    const FailingRender c = GetParam();
    std::optional<test::SmallDisk> disk;
    if (c.limit == 0 && !disk.emplace(256 * 1024).mounted())
        GTEST_SKIP() << disk->whyNot().toStdString();
    const QString folder = disk ? disk->path() : dir.path();
    for (const char* name : c.oldFiles)
        ASSERT_TRUE(test::PutFile(folder + "/" + name, OldContent(name)));
    if (disk) {
        ASSERT_TRUE(disk->fill(".filler", 4096));
    }
    const QStringList before = EntriesOf(folder);

    const test::ProgramRun r = test::RunRender(c.args, folder, c.limit);

    EXPECT_EQ(r.exitCode, kExitWriteFailed);
    EXPECT_EQ(r.err,
              QStringLiteral("solifa-render: writing \"%1\" failed: %2\n")
                  .arg(c.failing, c.limit > 0 ? "the file would be larger than the system allows"
                                              : "no space left on the device"));
    for (const char* name : c.oldFiles)
        EXPECT_EQ(FileBytes(folder + "/" + name), OldContent(name)) << name;
    EXPECT_EQ(EntriesOf(folder), before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FailingRenderTest,
    ::testing::Values(
        FailingRender{"Png", {"--view-width", "400", "-o", "p.png"}, {"p.png"}, "p.png", 4000},
        FailingRender{"Svg", {"-o", "s.svg"}, {"s.svg"}, "s.svg", 8000},
        // The frames fit under the limit, the JSON written after them does not: no frame
        // may have replaced its old file.
        FailingRender{
            "JsonAfterFrames",
            {"--view-width", "38", "--frames", "3", "-o", "f.bmp", "--dump-json", "m.json"},
            {"f_01.bmp", "f_02.bmp", "f_03.bmp", "m.json"},
            "m.json",
            8000},
        FailingRender{"FullDisk",
                      {"--view-width", "73", "-o", "old.bmp", "--dump-json", "old.json"},
                      {"old.bmp", "old.json"},
                      "old.bmp",
                      0}),
    [](const auto& info) { return std::string(info.param.name); });

// Memory running out, for real: the program gets an address space limit a little above what
// it needs with a small picture of the same kind, measured first, so that starting works and
// the large picture does not fit. A vector drawing needs about as much memory at any size, so
// it gets a megabyte less than its small one needed.
struct OutOfMemoryRender {
    const char* name;
    Args args; // -o and the size follow
    const char* output;
    int slackMegabytes; // above (or below) the small picture's need
};

class OutOfMemoryTest : public ::testing::TestWithParam<OutOfMemoryRender> {
protected:
    static constexpr rlim_t kMegabyte = 1 << 20;

    test::ProgramRun run(const char* viewWidth, rlim_t limit) const {
        Args args = GetParam().args;
        args.insert(args.end(), {"--view-width", viewWidth, "-o", GetParam().output});
        return test::RunRender(args, dir.path(), 0, true, {}, limit);
    }
    // The least address space, in megabytes, with which the small picture is written.
    rlim_t smallestSufficient() const {
        rlim_t low = 16, high = 2048; // fails at low, works at high
        if (run("38", high * kMegabyte).exitCode != kExitOk)
            return 0;
        while (high - low > 1) {
            const rlim_t middle = (low + high) / 2;
            (run("38", middle * kMegabyte).exitCode == kExitOk ? high : low) = middle;
        }
        return high;
    }

    QTemporaryDir dir;
};

TEST_P(OutOfMemoryTest, ExitsOneNamingTheFileAndKeepsEveryOldFile) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#endif
    const OutOfMemoryRender c = GetParam();
    const rlim_t needed = smallestSufficient();
    ASSERT_GT(needed, 0u) << "the small picture is not written even without a limit";
    test::EmptyFolder(dir.path());
    const bool series = std::find(c.args.begin(), c.args.end(), "--frames") != c.args.end() &&
                        !QString(c.output).endsWith(".gif");
    QStringList old;
    for (int k = 1; k <= (series ? 32 : 1); ++k)
        old << (series ? FrameSeriesFileName(c.output, k) : QString(c.output));
    for (const QString& name : old)
        ASSERT_TRUE(test::PutFile(dir.filePath(name), OldContent(qPrintable(name))));

    const test::ProgramRun r = run("4096", (needed + c.slackMegabytes) * kMegabyte);

    EXPECT_EQ(r.exitCode, kExitWriteFailed) << r.err.toStdString();
    EXPECT_EQ(r.err, QStringLiteral("solifa-render: writing \"%1\" failed: not enough memory\n")
                         .arg(old.front()));
    for (const QString& name : old)
        EXPECT_EQ(FileBytes(dir.filePath(name)), OldContent(qPrintable(name)))
            << name.toStdString();
    EXPECT_EQ(EntriesOf(dir.path()), old);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, OutOfMemoryTest,
    ::testing::Values(OutOfMemoryRender{"Bmp", {}, "bild.bmp", 8},
                      OutOfMemoryRender{"Png", {}, "bild.png", 8},
                      OutOfMemoryRender{"Svg", {}, "bild.svg", -1},
                      OutOfMemoryRender{"Pdf", {}, "bild.pdf", -1},
                      OutOfMemoryRender{"Gif", {}, "bild.gif", 8},
                      OutOfMemoryRender{"Animation", {"--frames", "32"}, "dreh.gif", 8},
                      OutOfMemoryRender{"BmpSeries", {"--frames", "32"}, "dreh.bmp", 8}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Special { Fifo, CharacterDevice };

class SpecialTargetTest : public ::testing::TestWithParam<Special> {
protected:
    QTemporaryDir dir;
};

TEST_P(SpecialTargetTest, IsWrittenInPlaceAndStaysWhatItWas) {
    const Args picture = {"--view-width", "38", "-o", "bild.bmp", "--dump-json"};
    const std::string target = QFile::encodeName(dir.filePath("ziel.json")).toStdString();
    const dev_t device = makedev(1, 3); // a sink, as /dev/null is, but made here
    if (GetParam() == Special::Fifo) {
        ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
    } else {
        if (mknod(target.c_str(), S_IFCHR | 0600, device) != 0)
            GTEST_SKIP() << "mknod is not allowed here: " << std::strerror(errno);
        const int fd = open(target.c_str(), O_WRONLY);
        if (fd < 0)
            GTEST_SKIP() << "a device made here cannot be opened: " << std::strerror(errno);
        close(fd);
    }
    // The reader is there before the program: a FIFO's writer waits for one. The JSON fits
    // into the FIFO's buffer, so the program need not wait for it to be read.
    int reader = -1;
    if (GetParam() == Special::Fifo) {
        reader = open(target.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
    }
    Args args = picture;
    args.push_back("ziel.json");
    const test::ProgramRun r = test::RunRender(args, dir.path());
    QByteArray received;
    if (reader >= 0) {
        char buffer[4096];
        for (ssize_t n; (n = read(reader, buffer, sizeof buffer)) > 0;)
            received.append(buffer, n);
        close(reader);
    }
    EXPECT_EQ(r.exitCode, kExitOk) << r.err.toStdString();

    struct stat st {};
    ASSERT_EQ(lstat(target.c_str(), &st), 0);
    if (GetParam() == Special::Fifo) {
        EXPECT_TRUE(S_ISFIFO(st.st_mode));
        args.back() = "vergleich.json";
        ASSERT_EQ(test::RunRender(args, dir.path()).exitCode, kExitOk);
        EXPECT_EQ(received, FileBytes(dir.filePath("vergleich.json")));
    } else {
        EXPECT_TRUE(S_ISCHR(st.st_mode));
        EXPECT_EQ(st.st_rdev, device);
    }
    EXPECT_EQ(EntriesOf(dir.path()).filter(".solifa-"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialTargetTest,
                         ::testing::Values(Special::Fifo, Special::CharacterDevice),
                         [](const auto& info) {
                             return info.param == Special::Fifo ? "Fifo" : "CharacterDevice";
                         });

TEST(Clashes, TwoNamesOfOneFileAreWrongInputAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString old = dir.filePath("alt.bmp");
    ASSERT_TRUE(test::PutFile(old, "old"));
    ASSERT_TRUE(QFile::link("a.bmp", dir.filePath("zu_a.json")));     // a.bmp is not there
    ASSERT_TRUE(QFile::link("alt.bmp", dir.filePath("zu_alt.json"))); // alt.bmp is
    const QStringList before = EntriesOf(dir.path());
    const Args cases[] = {
        {"-o", "a.bmp", "--dump-json", "./a.bmp"},
        {"-o", "a.bmp", "--dump-json", "zu_a.json"},
        {"-o", "alt.bmp", "--dump-json", "zu_alt.json"},
        {"--frames", "3", "-o", "k.bmp", "--dump-json", "k_02.bmp"},
    };
    for (const Args& args : cases) {
        const test::ProgramRun r = test::RunRender(args, dir.path());
        SCOPED_TRACE(r.err.toStdString());
        EXPECT_EQ(r.exitCode, kExitWrongInput);
        EXPECT_TRUE(r.err.contains("names the same file as -o"));
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_EQ(EntriesOf(dir.path()), before);
        EXPECT_EQ(FileBytes(old), "old");
    }
}

// --- series that are interrupted or fail part-way ---

// A folder with an older series of `count` frames, each frame bytes of its own.
struct OldSeries {
    explicit OldSeries(int count) : count(count) {
        for (int k = 1; k <= count; ++k)
            test::PutFile(frame(k), old(k));
        before = EntriesOf(dir.path());
    }
    QString frame(int k, const QString& in = {}) const {
        return QStringLiteral("%1/serie_%2.bmp")
            .arg(in.isEmpty() ? dir.path() : in)
            .arg(k, 2, 10, QLatin1Char('0'));
    }
    static QByteArray old(int k) { return OldContent(qPrintable(QString::number(k))); }
    QTemporaryDir dir;
    int count;
    QStringList before;
};

struct Interruption {
    const char* name;
    int signal;
    bool unnamedFiles; // false: a file system without them, so the temporaries have names
};

class InterruptedSeriesTest : public ::testing::TestWithParam<Interruption> {};

TEST_P(InterruptedSeriesTest, LeavesNoTemporaryAndEachOldFrameAsItWasOrReplacedWhole) {
    const Interruption c = GetParam();
    const OldSeries series(16);
    const Args args = {"--view-width", "2000", "--frames", "16", "-o", "serie.bmp"};
    QProcess render;
    render.setWorkingDirectory(series.dir.path());
    if (!c.unnamedFiles)
        render.setChildProcessModifier([] {
            if (!test::RefuseUnnamedFilesInChild())
                _exit(126);
        });
    QStringList programArgs;
    for (const std::string& a : args)
        programArgs << QString::fromStdString(a);
    render.start(SOLIFA_RENDER_PROGRAM, programArgs);
    // The signal comes while the program holds its first temporary, however slow the machine.
    QStringList open;
    while (open.isEmpty() && !render.waitForFinished(2))
        open = test::OpenFilesIn(render.processId(), series.dir.path());
    ASSERT_EQ(open.size(), 1) << "the program ended before it wrote";
    // The system shows a file without a name by its inode.
    EXPECT_EQ(open.front().contains("/.solifa-"), !c.unnamedFiles) << open.front().toStdString();
    EXPECT_EQ(open.front().endsWith(" (deleted)"), c.unnamedFiles) << open.front().toStdString();
    ASSERT_EQ(::kill(pid_t(render.processId()), c.signal), 0);
    ASSERT_TRUE(render.waitForFinished(120000));

    EXPECT_EQ(render.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(render.exitCode(), c.signal);
    EXPECT_EQ(EntriesOf(series.dir.path()), series.before);
    std::optional<QTemporaryDir> clean; // a run to its end, made only when a frame was replaced
    for (int k = 1; k <= series.count; ++k) {
        const QByteArray now = FileBytes(series.frame(k));
        if (now == series.old(k))
            continue;
        if (!clean) {
            ASSERT_EQ(test::RunRender(args, clean.emplace().path()).exitCode, kExitOk);
        }
        EXPECT_EQ(now, FileBytes(series.frame(k, clean->path()))) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedSeriesTest,
                         ::testing::Values(Interruption{"Interrupt", SIGINT, false},
                                           Interruption{"Terminate", SIGTERM, false},
                                           Interruption{"HangUp", SIGHUP, false},
                                           Interruption{"Kill", SIGKILL, true},
                                           Interruption{"TerminateUnnamed", SIGTERM, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The eighth renaming fails, as on a failing disk: the frames already in place get their old
// versions back. Then a run to its end replaces every frame, on a file system without unnamed
// files too.
class FailingSeriesTest : public ::testing::TestWithParam<bool> {};

TEST_P(FailingSeriesTest, PutsBackEveryOldFrameWhenTheEighthRenameFails) {
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    const OldSeries series(32);
    const Args args = {"--view-width", "38", "--frames", "32", "-o", "serie.bmp"};
    // Leak checking of a sanitizer build cannot run under a tracer.
    const QString renames = QStringLiteral("rename,renameat,renameat2");
    const test::ProgramRun r = test::RunRender(
        args, series.dir.path(), 0, GetParam(),
        "env \"ASAN_OPTIONS=$ASAN_OPTIONS:detect_leaks=0\" " + strace +
            " -o /dev/null -e trace=" + renames + " -e inject=" + renames + ":error=EIO:when=8");
    EXPECT_EQ(r.exitCode, kExitWriteFailed);
    EXPECT_EQ(r.err, "solifa-render: writing \"serie_08.bmp\" failed: input/output error on the "
                     "device\n");
    EXPECT_EQ(EntriesOf(series.dir.path()), series.before);
    for (int k = 1; k <= series.count; ++k)
        EXPECT_EQ(FileBytes(series.frame(k)), series.old(k)) << k;

    EXPECT_EQ(test::RunRender(args, series.dir.path(), 0, GetParam()).exitCode, kExitOk);
    EXPECT_EQ(EntriesOf(series.dir.path()), series.before);
    for (int k = 1; k <= series.count; ++k)
        EXPECT_EQ(QImage(series.frame(k)).size(), QSize(38, 38)) << k;
}

INSTANTIATE_TEST_SUITE_P(FileSystems, FailingSeriesTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

} // namespace
} // namespace solifa
