// The program as a user runs it: wrong input ends with one line on stderr naming the option and
// status 2, and leaves the folder empty; good input writes exactly the files asked for, under
// exactly the names given, or to standard output.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <dirent.h>
#include <set>
#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli_test_support.h"
#include "core/model_state.h"
#include "support/picture_resolution.h"
#include "version.h"

namespace solifa {
namespace {

using Args = std::vector<std::string>;

// The names in a folder as the bytes the file system holds.
std::set<std::string> NamesIn(const QString& folder) {
    std::set<std::string> names;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.insert(name);
    }
    closedir(dir);
    return names;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // A folder to aim at, and a picture name that is taken by a folder.
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("taken.bmp"));
    }
    void TearDown() override { test::EmptyFolder(dir.path()); }
    test::ProgramRun run(const Args& args) { return test::RunRender(args, dir.path()); }
    // Every name in the folder beside the two made at the start.
    std::set<std::string> written() const {
        std::set<std::string> names = NamesIn(dir.path());
        names.erase("sub");
        names.erase("taken.bmp");
        for (const std::string& name : NamesIn(dir.filePath("sub")))
            names.insert("sub/" + name);
        return names;
    }
    QTemporaryDir dir;
};

struct WrongInput {
    Args args;
    std::string names; // what the line must name, as it shows it
};

std::vector<WrongInput> WrongInputs() {
    std::vector<WrongInput> cases = {
        {{"--body", "Quader", "-o", "a.bmp"}, "Kugel/sphere"},
        {{"--body", "Kugel", "--levels", "1", "-o", "a.bmp"}, "2..36"},
        {{"--zoom", "79", "-o", "a.bmp"}, "80..300"},
        {{"-y", "-101", "-o", "a.bmp"}, "-100..100"},
        {{"--corners", "12.5", "-o", "a.bmp"}, "3..36"},
        {{"--line-width", "17", "-o", "a.bmp"}, "1..16"},
        {{"-o", "a.bmp", "--corners"}, "--corners"},
        {{"--background", "#0000zz", "-o", "a.bmp"}, "--background"},
        {{"--mirror=1", "-o", "a.bmp"}, "--mirror"},
        {{"--smooth=1", "-o", "a.bmp"}, "--smooth"},
        {{"--unknown", "-o", "a.bmp"}, "unknown"},
        {{"-o", "a.bmp", "kugel"}, "kugel"},
        {{"-o", "a.tiff"}, ".bmp, .png, .svg, .pdf, .gif"},
        {{"--tilt", "10"}, "-o"},
        {{"--dump-json", "m.json", "--frames", "8"}, "--frames"},
        {{"--frames", "8", "--delay-ms", "50", "-o", "a.png"}, "--delay-ms"},
        // Each option once: a second value is not silently taken.
        {{"--zoom", "90", "--zoom", "120", "-o", "a.png"}, "--zoom"},
        {{"-o", "a.png", "--output", "b.png"}, "-o"},
        {{"--mirror", "--mirror", "-o", "a.png"}, "--mirror"},
        {{"--smooth", "--body", "cone", "--smooth", "-o", "a.png"}, "--smooth"},
        // Standard output takes one picture of a named format.
        {{"-o", "-"}, "--format"},
        {{"-o", "-", "--format", "png", "--dump-json", "-"}, "standard output"},
        {{"-o", "-", "--format", "png", "--frames", "3"}, "--frames"},
        {{"--format", "tiff", "-o", "a.png"}, "bmp|png|svg|pdf|gif"},
        {{"--format", "png", "--dump-json", "m.json"}, "--format"},
        // What cannot be written is found before anything is.
        {{"-o", "missing/a.bmp"}, "-o"},
        {{"-o", "taken.bmp"}, "-o"},
        {{"--frames", "4", "-o", "missing/a.png"}, "-o"},
        {{"-o", "a.svg", "--dump-json", "missing/m.json"}, "--dump-json"},
        {{"-o", "sub/a.pdf", "--dump-json", "sub"}, "--dump-json"},
        {{"-o", "a.bmp", "--dump-json", std::string(300, 'm') + ".json"}, "name is too long"},
        // Values echoed with their line breaks, controls and stray bytes escaped.
        {{"--body", "W\xc3\xbc\nrfel", "-o", "a.png"}, "\"W\xc3\xbc\\nrfel\""},
        {{"--zoom", "9\r0\x1b", "-o", "a.png"}, "9\\r0\\x1b"},
        {{"--a\nb", "-o", "a.png"}, "a\\nb"},
        {{"-o", "a\xff\n.tiff"}, "\"a\\xff\\n.tiff\""},
        {{"-o", "missing\xff/a.png"}, "\"missing\\xff/a.png\""},
    };
    // Only the sphere has levels to choose; the window offers them for it alone.
    const char* others[] = {"Würfel", "octahedron", "Zylinder", "pyramid", "Kegel", "funnel"};
    for (const char* body : others)
        cases.push_back({{"--body", body, "--levels", "5", "-o", "a.png"}, "--levels"});
    return cases;
}

TEST_F(Program, EveryWrongInputGivesStatusTwoAndOneLineAndWritesNothing) {
    for (const WrongInput& c : WrongInputs()) {
        const test::ProgramRun r = run(c.args);
        SCOPED_TRACE(r.err.toStdString());
        EXPECT_EQ(r.exitCode, kExitWrongInput);
        EXPECT_TRUE(r.err.startsWith("solifa-render: "));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.names))) << c.names;
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_TRUE(r.err.endsWith('\n'));
        EXPECT_TRUE(r.outBytes.isEmpty());
        EXPECT_EQ(written(), std::set<std::string>());
    }
}

TEST_F(Program, HelpAnywhereAndVersionGoToStandardOutputWithStatusZero) {
    const std::string version = std::string("solifa-render ") + kVersion + "\n";
    const struct {
        Args args;
        std::string starts;
    } cases[] = {
        {{"--help"}, "Usage: solifa-render"},
        {{"--body", "Quader", "-o", "x.tiff", "-h"}, "Usage: solifa-render"},
        {{"--zoom", "5", "--zoom", "6", "--help", "-o", "a.png"}, "Usage: solifa-render"},
        {{"--version"}, version},
        {{"-o", "a.png", "-v"}, version},
    };
    for (const auto& c : cases) {
        const test::ProgramRun r = run(c.args);
        EXPECT_EQ(r.exitCode, kExitOk);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_TRUE(r.outBytes.startsWith(QByteArray::fromStdString(c.starts)))
            << r.out.toStdString();
        EXPECT_EQ(written(), std::set<std::string>());
    }
    const QString help = run({"--help"}).out;
    EXPECT_TRUE(help.contains("Exit status:"));
    EXPECT_TRUE(help.contains("2  wrong input"));
}

TEST_F(Program, WritesExactlyTheFilesAskedForWithoutADisplayOrNoise) {
    const Args runs[] = {
        {"--body", "cube", "--tilt", "30", "-o", "sub/w.svg"},
        {"--body", "cone", "--frames", "3", "-o", "k.pdf", "--dump-json", "k.json"},
        {"--body", "Zylinder", "--frames", "3", "-o", "z.PNG"},
        {"--body", "Kugel", "-o", "bild.dat", "--format", "png"},
        {"--body", "cube", "-o", "w.bmp"}};
    for (const Args& args : runs) {
        const test::ProgramRun r = run(args);
        EXPECT_EQ(r.exitCode, kExitOk);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
        EXPECT_TRUE(r.outBytes.isEmpty());
    }
    EXPECT_EQ(written(),
              std::set<std::string>({"bild.dat", "k.json", "k_01.pdf", "k_02.pdf", "k_03.pdf",
                                     "sub/w.svg", "w.bmp", "z_01.PNG", "z_02.PNG", "z_03.PNG"}));
    // The format given wins over the name.
    EXPECT_EQ(QImage(dir.filePath("bild.dat"), "PNG").size(), QSize(213, 213));
    // Bitmaps are 96 pixels to the inch, as the vector pictures, though no screen is there.
    for (const char* name : {"bild.dat", "z_02.PNG", "w.bmp"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(test::StatedPixelsPerMetre(file.readAll()), std::pair(3780, 3780)) << name;
    }
}

// What goes to standard output is what the same options write into a file.
TEST_F(Program, StandardOutputTakesThePictureOrTheModel) {
    const struct {
        Args args;
        QByteArray starts;
        const char* file; // the same picture written to a file, to compare; or nullptr
    } cases[] = {
        {{"--body", "cube", "--format", "png"}, "\x89PNG\r\n\x1a\n", "same.png"},
        {{"--view-width", "50", "--format", "bmp"}, "BM", "same.bmp"},
        {{"--frames", "3", "--format", "gif"}, "GIF89a", "same.gif"},
        {{"--body", "cone", "--format", "svg"}, "<?xml", nullptr},
        {{"--format", "pdf"}, "%PDF-", nullptr},
    };
    for (const auto& c : cases) {
        Args args = c.args;
        args.insert(args.end(), {"-o", "-"});
        const test::ProgramRun r = run(args);
        SCOPED_TRACE(r.err.toStdString());
        EXPECT_EQ(r.exitCode, kExitOk);
        EXPECT_TRUE(r.err.isEmpty());
        EXPECT_TRUE(r.outBytes.startsWith(c.starts)) << r.outBytes.left(16).toHex().toStdString();
        if (c.file != nullptr) {
            args.back() = c.file;
            ASSERT_EQ(run(args).exitCode, kExitOk);
            EXPECT_EQ(r.outBytes, test::FileBytes(dir.filePath(c.file)));
            QFile::remove(dir.filePath(c.file));
        }
    }
    EXPECT_EQ(written(), std::set<std::string>());

    // The model beside a picture file, and alone.
    for (const Args& args : {Args{"--body", "cube", "--dump-json", "-", "-o", "w.png"},
                             Args{"--body", "cube", "--dump-json", "-"}}) {
        const test::ProgramRun r = run(args);
        ASSERT_EQ(r.exitCode, kExitOk) << r.err.toStdString();
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(r.outBytes, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_EQ(json.object()["body"].toInt(), Wuerfel);
        EXPECT_EQ(json.object()["viewPoints"].toArray().size(), 2);
    }
    EXPECT_EQ(written(), std::set<std::string>({"w.png"}));

    // With standard output closed the picture has nowhere to go, which is found before writing.
    QProcess closed;
    closed.start("/bin/sh", {"-c", "exec \"$0\" --format png -o - >&-", SOLIFA_RENDER_PROGRAM});
    ASSERT_TRUE(closed.waitForFinished(60000));
    EXPECT_EQ(closed.exitCode(), kExitWrongInput);
    EXPECT_EQ(closed.readAllStandardError(),
              "solifa-render: -o: cannot write standard output: it is closed or open for reading "
              "only\n");
}

// A name is the bytes typed: bytes that are no UTF-8 (a name from an older system, say) are
// written as they are, never under a name made up in their place.
TEST_F(Program, FileNamesAreWrittenByteForByte) {
    const struct {
        Args args;
        std::set<std::string> files;
    } cases[] = {
        {{"-o", "n\xff.png"}, {"n\xff.png"}},
        {{"-o", "n\xfe.png"}, {"n\xff.png", "n\xfe.png"}},
        // An overlong slash stays a byte of the name and makes no folder of it.
        {{"-o", "a\xc0\xaf.bmp"}, {"n\xff.png", "n\xfe.png", "a\xc0\xaf.bmp"}},
        {{"--frames", "3", "-o", "t\xff.bmp", "--dump-json", "m\xe4\x80.json"},
         {"n\xff.png", "n\xfe.png", "a\xc0\xaf.bmp", "t\xff_01.bmp", "t\xff_02.bmp", "t\xff_03.bmp",
          "m\xe4\x80.json"}},
    };
    for (const auto& c : cases) {
        const test::ProgramRun r = run(c.args);
        EXPECT_EQ(r.exitCode, kExitOk) << r.err.toStdString();
        EXPECT_EQ(written(), c.files);
    }
}

} // namespace
} // namespace solifa
