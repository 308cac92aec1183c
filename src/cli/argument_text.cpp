#include "cli/argument_text.h"

#include <cstdio>

namespace solifa {

namespace {

// The code points that carry a byte which is no part of well-formed UTF-8.
constexpr char16_t kByteBase = 0xdc00;
constexpr char16_t kFirstByte = 0xdc80;
constexpr char16_t kLastByte = 0xdcff;

void AppendUtf8(std::string& out, char32_t cp) {
    out += QString::fromUcs4(&cp, 1).toStdString();
}

// One character of the text from position i on: a code point, or a carried byte (as its
// code point in U+DC80..U+DCFF); i moves past it.
char32_t NextOf(const QString& text, qsizetype& i) {
    const char16_t u = text[i].unicode();
    ++i;
    if (QChar::isHighSurrogate(u) && i < text.size() && QChar::isLowSurrogate(text[i].unicode()))
        return QChar::surrogateToUcs4(u, text[i++].unicode());
    return u;
}

bool IsCarriedByte(char32_t cp) {
    return cp >= kFirstByte && cp <= kLastByte;
}

} // namespace

QString ArgumentText(std::string_view bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t least = 0; // the smallest code point of that length: shorter forms are wrong
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if ((lead & 0xe0) == 0xc0) {
            length = 2;
            cp = lead & 0x1f;
            least = 0x80;
        } else if ((lead & 0xf0) == 0xe0) {
            length = 3;
            cp = lead & 0x0f;
            least = 0x800;
        } else if ((lead & 0xf8) == 0xf0) {
            length = 4;
            cp = lead & 0x07;
            least = 0x10000;
        }
        bool wellFormed = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; wellFormed && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            wellFormed = (next & 0xc0) == 0x80;
            cp = (cp << 6) | (next & 0x3f);
        }
        wellFormed = wellFormed && cp >= least && cp <= 0x10ffff && !(cp >= 0xd800 && cp <= 0xdfff);
        if (!wellFormed) {
            text += QChar(char16_t(kByteBase + lead));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            text += QChar(QChar::highSurrogate(cp));
            text += QChar(QChar::lowSurrogate(cp));
        } else {
            text += QChar(char16_t(cp));
        }
        i += length;
    }
    return text;
}

std::string ArgumentBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size();) {
        const char32_t cp = NextOf(text, i);
        if (IsCarriedByte(cp))
            bytes += static_cast<char>(cp - kByteBase);
        else
            AppendUtf8(bytes, cp);
    }
    return bytes;
}

std::string EchoText(const QString& text) {
    std::string out;
    char escape[12];
    for (qsizetype i = 0; i < text.size();) {
        const char32_t cp = NextOf(text, i);
        if (IsCarriedByte(cp)) {
            std::snprintf(escape, sizeof escape, "\\x%02x", unsigned(cp - kByteBase));
            out += escape;
        } else if (cp == '\\') {
            out += "\\\\";
        } else if (cp == '\n') {
            out += "\\n";
        } else if (cp == '\r') {
            out += "\\r";
        } else if (cp == '\t') {
            out += "\\t";
        } else if (cp < 0x20 || cp == 0x7f) {
            std::snprintf(escape, sizeof escape, "\\x%02x", unsigned(cp));
            out += escape;
        } else if ((cp >= 0x80 && cp < 0xa0) || cp == 0x2028 || cp == 0x2029 ||
                   (cp >= 0xd800 && cp <= 0xdfff)) {
            // C1 controls and the Unicode line and paragraph separators break lines too.
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(cp));
            out += escape;
        } else {
            AppendUtf8(out, cp);
        }
    }
    return out;
}

std::string EchoBytes(std::string_view bytes) {
    return EchoText(ArgumentText(bytes));
}

std::string InQuotes(std::string text) {
    // Built in place: GCC 12 at -O3 warns falsely about "literal" + string temporaries.
    text.insert(text.begin(), '"');
    text.push_back('"');
    return text;
}

} // namespace solifa
