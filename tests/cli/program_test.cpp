// The program as a user runs it: wrong input ends with one line on stderr naming the option and
// status 2, and leaves the folder empty; good input writes exactly the files asked for.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "cli/render_job.h"
#include "cli_test_support.h"

namespace solifa {
namespace {

using Args = std::vector<std::string>;

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // A folder to aim at, and a picture name that is taken by a folder.
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("taken.bmp"));
    }
    test::ProgramRun run(const Args& args) { return test::RunRender(args, dir.path()); }
    QTemporaryDir dir;
};

TEST_F(Program, EveryWrongInputGivesStatusTwoAndOneLineAndWritesNothing) {
    const struct {
        Args args;
        const char* names; // what the line must name
    } cases[] = {
        {{"--body", "Quader", "-o", "a.bmp"}, "Kugel/sphere"},
        {{"--body", "Kugel", "--levels", "1", "-o", "a.bmp"}, "2..36"},
        {{"--zoom", "79", "-o", "a.bmp"}, "80..300"},
        {{"--y", "-101", "-o", "a.bmp"}, "-100..100"},
        {{"--corners", "12.5", "-o", "a.bmp"}, "3..36"},
        {{"-o", "a.bmp", "--corners"}, "3..36"},
        {{"--background", "#0000zz", "-o", "a.bmp"}, "--background"},
        {{"--mirror=1", "-o", "a.bmp"}, "--mirror"},
        {{"--unknown", "-o", "a.bmp"}, "--unknown"},
        {{"-o", "a.bmp", "kugel"}, "kugel"},
        {{"-o", "a.tiff"}, ".bmp, .png, .svg, .pdf, .gif"},
        {{"--tilt", "10"}, "-o"},
        {{"--dump-json", "m.json", "--frames", "8"}, "--frames"},
        {{"--frames", "8", "--delay-ms", "50", "-o", "a.png"}, "--delay-ms"},
        {{"-o", "missing/a.bmp"}, "-o"},
        {{"-o", "taken.bmp"}, "-o"},
        {{"--frames", "4", "-o", "missing/a.png"}, "-o"},
        {{"-o", "a.svg", "--dump-json", "missing/m.json"}, "--dump-json"},
        {{"-o", "sub/a.pdf", "--dump-json", "sub"}, "--dump-json"},
        {{"--body", "Oktaeder", "--levels", "1", "-o", "a.bmp", "--dump-json", "m.json"},
         "Oktaeder"},
        // Checked before the picture is written, which it follows.
        {{"-o", "a.bmp", "--dump-json", std::string(300, 'm') + ".json"}, "name is too long"},
    };
    for (const auto& c : cases) {
        const test::ProgramRun r = run(c.args);
        SCOPED_TRACE(r.err.toStdString());
        EXPECT_EQ(r.exitCode, kExitWrongInput);
        EXPECT_TRUE(r.err.startsWith("solifa-render: "));
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.names)));
        EXPECT_EQ(r.err.count('\n'), 1);
        EXPECT_TRUE(r.err.endsWith('\n'));
        EXPECT_TRUE(test::FilesBelow(dir.path()).isEmpty())
            << test::FilesBelow(dir.path()).join(' ').toStdString();
    }
}

TEST_F(Program, WritesExactlyTheFilesAskedForWithoutADisplayOrNoise) {
    const Args runs[] = {
        {"--body", "cube", "--tilt", "30", "-o", "sub/w.svg"},
        {"--body", "cone", "--frames", "3", "-o", "k.pdf", "--dump-json", "k.json"},
        {"--body", "Zylinder", "--frames", "3", "-o", "z.PNG"}};
    for (const Args& args : runs) {
        const test::ProgramRun r = run(args);
        EXPECT_EQ(r.exitCode, kExitOk);
        EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    }
    EXPECT_EQ(test::FilesBelow(dir.path()),
              QStringList({"k.json", "k_01.pdf", "k_02.pdf", "k_03.pdf", "sub/w.svg", "z_01.PNG",
                           "z_02.PNG", "z_03.PNG"}));
}

} // namespace
} // namespace solifa
