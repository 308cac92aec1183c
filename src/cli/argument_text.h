#pragma once
// The command line's arguments are bytes; Qt's parser takes text. Well-formed UTF-8 becomes
// its characters, and every other byte stands for itself as one of the code points
// U+DC80..U+DCFF, which no well-formed UTF-8 yields. So the bytes of a file name come back
// exactly as they were typed, whatever they are.
#include <QString>

#include <string>
#include <string_view>

namespace solifa {

QString ArgumentText(std::string_view bytes);

// The bytes ArgumentText took the text from.
std::string ArgumentBytes(const QString& text);

// Text to show inside an error line, in UTF-8: control characters, line breaks, backslashes and
// bytes that are not UTF-8 as escapes (\n, \t, \\, \x1b, \xff, \u0085), so that the message
// stays one line and shows exactly what was given.
std::string EchoText(const QString& text);

// EchoText of the bytes of a name.
std::string EchoBytes(std::string_view bytes);

// Text in double quotes, as an error line shows a value or a name.
std::string InQuotes(std::string text);

} // namespace solifa
