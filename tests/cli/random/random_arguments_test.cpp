// Seeded random command lines against the real program, valid and wrong options and values
// mixed: it ends only with status 0, 1 or 2 and never by a signal; wrong input prints one line
// and writes nothing, and no temporary file is ever left behind.
// SOLIFA_RANDOM_RUNS and SOLIFA_RANDOM_SEED choose how many lines and which.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "cli/argument_text.h"
#include "cli_test_support.h"

#ifndef SOLIFA_RANDOM_RUNS_DEFAULT
#define SOLIFA_RANDOM_RUNS_DEFAULT 300
#endif

namespace solifa {
namespace {

using Args = std::vector<std::string>;

int FromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

// One option and values to try with it: some right, some wrong.
struct Choice {
    const char* option;
    std::vector<std::string> values; // empty: a switch
};

const std::vector<Choice>& Choices() {
    static const std::vector<Choice> choices = {
        {"--body",
         {"Kugel", "cube", "Würfel", "wuerfel", "OKTAEDER", "cylinder", "Pyramide", "cone",
          "Trichter", "Quader", "", "K\nugel"}},
        {"--corners", {"3", "4", "7", "36", "2", "37", "-1", "x", "+5", "1e3"}},
        {"--levels", {"2", "3", "18", "36", "1", "37", "0"}},
        {"--rotation", {"0", "20", "359", "360", "-1"}},
        {"--tilt", {"0", "30", "90", "91"}},
        {"--offset", {"0", "3", "7", "8"}},
        {"--zoom", {"80", "150", "300", "79", "301", "99999999999"}},
        {"-x", {"-100", "0", "42", "101", "--5"}},
        {"-y", {"100", "-30", "-101"}},
        {"--mirror", {}},
        {"--front-face-color", {"#000000", "#ff8000", "#FFFFFF", "#12345", "red", "#gggggg"}},
        {"--back-line-color", {"#000000", "#00ff00", "000000"}},
        {"--front-dash", {"1", "3", "5", "0", "6"}},
        {"--back-dash", {"2", "4", "9"}},
        {"--front-transparent", {"0", "1", "2"}},
        {"--back-visible", {"0", "1", "-1"}},
        {"--background", {"#ffffff", "#0000ff", "#"}},
        {"--top-cap-transparent", {"0", "1"}},
        {"--view-width", {"38", "64", "100", "37", "4097", "0"}},
        {"--line-width", {"1", "2", "3", "16", "0", "17"}},
        {"--format", {"bmp", "png", "svg", "pdf", "gif", "PNG", "tiff", ""}},
        {"--frames", {"3", "4", "2", "33"}},
        {"--delay-ms", {"10", "100", "9", "10001"}},
        {"-o",
         {"a.png", "b.bmp", "c.svg", "d.pdf", "e.gif", "f.PNG", "g.tiff", "noext", "-", "sub/h.png",
          "missing/i.png", "taken", "n\xff.bmp", "", "./a.png", "sub/../a.png"}},
        {"--dump-json", {"m.json", "-", "a.png", "sub", "missing/m.json", "", "j\xfe.json"}},
    };
    return choices;
}

// Arguments that are no option of the program, or options where a value should be.
const std::vector<std::string>& Strays() {
    static const std::vector<std::string> strays = {"-",
                                                    "--",
                                                    "---",
                                                    "-h-",
                                                    "-oh",
                                                    "--zoom=",
                                                    "--mirror=1",
                                                    "=",
                                                    "kugel",
                                                    "-q",
                                                    "--body=",
                                                    "\xff",
                                                    "\n",
                                                    "",
                                                    "-vx",
                                                    "--unknown",
                                                    std::string(600, 'z'),
                                                    "--help",
                                                    "--version"};
    return strays;
}

const Choice& OutputChoice() {
    for (const Choice& c : Choices())
        if (std::string(c.option) == "-o")
            return c;
    return Choices().front();
}

// A command line of options with their values in random order, now and then with a stray
// argument or a missing value.
Args RandomArgs(std::mt19937& random) {
    const auto pick = [&random](std::size_t n) { return std::size_t(random() % n); };
    std::vector<Args> groups;
    // Nearly always a picture to write, so that many runs reach the writing; its first names
    // are the ones that can be written.
    if (pick(10) != 0)
        groups.push_back({"-o", OutputChoice().values[pick(9)]});
    // Small pictures keep the runs short.
    if (pick(3) != 0)
        groups.push_back({"--view-width", "40"});
    const int count = int(pick(6));
    for (int i = 0; i < count; ++i) {
        if (pick(12) == 0) {
            groups.push_back({Strays()[pick(Strays().size())]});
            continue;
        }
        const Choice& c = Choices()[pick(Choices().size())];
        Args group{c.option};
        if (!c.values.empty() && pick(25) != 0) {
            const std::string value = c.values[pick(c.values.size())];
            if (pick(4) == 0 && std::string(c.option).starts_with("--"))
                group.back() += "=" + value;
            else
                group.push_back(value);
        }
        groups.push_back(group);
    }
    std::shuffle(groups.begin(), groups.end(), random);
    Args args;
    for (const Args& g : groups)
        args.insert(args.end(), g.begin(), g.end());
    return args;
}

std::string Shown(const Args& args) {
    std::string line;
    for (const std::string& a : args)
        line += " '" + EchoBytes(a) + "'";
    return line;
}

TEST(RandomArguments, EndWithStatusZeroOneOrTwoAndWrongInputWritesNothing) {
    const int runs = FromEnvironment("SOLIFA_RANDOM_RUNS", SOLIFA_RANDOM_RUNS_DEFAULT);
    const int seed = FromEnvironment("SOLIFA_RANDOM_SEED", 16);
    std::mt19937 random(static_cast<unsigned>(seed));
    int statuses[3] = {0, 0, 0};
    for (int n = 0; n < runs; ++n) {
        const Args args = RandomArgs(random);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
        ASSERT_TRUE(QDir(dir.path()).mkdir("taken"));
        const QStringList before = test::FilesBelow(dir.path());

        const test::ProgramRun r = test::RunRender(args, dir.path());
        SCOPED_TRACE("seed " + std::to_string(seed) + ", run " + std::to_string(n) + ":" +
                     Shown(args) + "\nstderr: " + r.err.toStdString());
        ASSERT_TRUE(r.exitCode >= 0 && r.exitCode <= 2) << "status " << r.exitCode;
        ++statuses[r.exitCode];
        const QStringList after = test::FilesBelow(dir.path());
        EXPECT_TRUE(after.filter(".solifa-").isEmpty());
        if (r.exitCode == 0)
            EXPECT_TRUE(r.err.isEmpty());
        else
            EXPECT_TRUE(r.err.startsWith("solifa-render: ") && r.err.count('\n') == 1 &&
                        r.err.endsWith('\n'));
        if (r.exitCode == 2) {
            EXPECT_EQ(after, before);
            EXPECT_TRUE(r.outBytes.isEmpty());
        }
        test::EmptyFolder(dir.path());
        if (HasFatalFailure() || HasNonfatalFailure())
            return;
    }
    std::printf("seed %d, %d runs: status 0 %d times, 1 %d times, 2 %d times\n", seed, runs,
                statuses[0], statuses[1], statuses[2]);
    // The mixture reaches both the writing and the refusals.
    if (runs >= 100) {
        EXPECT_GT(statuses[0], runs / 10);
        EXPECT_GT(statuses[2], runs / 10);
    }
}

} // namespace
} // namespace solifa
