// Arguments as bytes through Qt's text: every byte string comes back unchanged, UTF-8 reads as
// its characters, and what an error line echoes stays on one line.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "cli/argument_text.h"

namespace solifa {
namespace {

TEST(ArgumentText, EveryByteStringComesBackUnchanged) {
    // Single bytes, the edges of each UTF-8 length, overlong forms, encoded surrogates, code
    // points past U+10FFFF, cut sequences, and the code points that carry stray bytes.
    std::vector<std::string> cases = {
        "",
        "plain.png",
        "W\xc3\xbc"
        "rfel",
        "\xc0\xaf",
        "\xe0\x80\xaf",
        "\xed\xa0\x80",
        "\xed\xb3\xbf",
        "\xf4\x90\x80\x80",
        "\xf0\x9f\x98",
        "a\xe2\x82",
        "\xf0\x9f\x98\x80\xff",
        "\x80\xbf\xfe\xff",
    };
    for (int b = 1; b < 256; ++b)
        cases.push_back(std::string(1, static_cast<char>(b)));
    std::mt19937 random(16);
    for (int n = 0; n < 2000; ++n) {
        std::string s(random() % 12, '\0');
        for (char& c : s)
            c = static_cast<char>(1 + random() % 255);
        cases.push_back(s);
    }
    for (const std::string& bytes : cases)
        EXPECT_EQ(ArgumentBytes(ArgumentText(bytes)), bytes) << EchoBytes(bytes);
}

TEST(ArgumentText, ReadsUtf8AsItsCharactersAndStrayBytesAsNoCharacter) {
    EXPECT_EQ(ArgumentText("W\xc3\xbc"
                           "rfel"),
              QStringLiteral("Würfel"));
    EXPECT_EQ(ArgumentText("\xf0\x9f\x98\x80"), QString::fromUtf8("\xf0\x9f\x98\x80"));
    // Two names that differ only in a stray byte stay two names.
    EXPECT_NE(ArgumentText("n\xff"), ArgumentText("n\xfe"));
    EXPECT_FALSE(ArgumentText("n\xff").contains(QChar::ReplacementCharacter));
    EXPECT_FALSE(ArgumentText("a\xc0\xaf").contains('/'));
}

TEST(EchoText, KeepsTheLineOneLineAndShowsWhatWasGiven) {
    const struct {
        std::string bytes;
        std::string echoed;
    } cases[] = {
        {"Würfel 10 %", "Würfel 10 %"}, {"a\nb\rc\td", "a\\nb\\rc\\td"},
        {"\x1b[31m", "\\x1b[31m"},      {"del\x7f", "del\\x7f"},
        {"n\xff.png", "n\\xff.png"},    {"back\\slash", "back\\\\slash"},
        {"c1\xc2\x85", "c1\\u0085"},    {"ls\xe2\x80\xa8ps\xe2\x80\xa9", "ls\\u2028ps\\u2029"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EchoBytes(c.bytes), c.echoed);
}

} // namespace
} // namespace solifa
