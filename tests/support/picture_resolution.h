#pragma once
// The resolution a PNG or BMP file states in its header, in pixels per metre across and down;
// nullopt when it states none. Read from the bytes: a QImage loaded from a file without one
// takes the screen's resolution and would hide the gap.
#include <QByteArray>
#include <QtEndian>

#include <optional>
#include <utility>

namespace solifa::test {

inline std::optional<std::pair<int, int>> StatedPixelsPerMetre(const QByteArray& file) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    if (file.startsWith("BM") && file.size() >= 46)
        return std::pair(qFromLittleEndian<qint32>(bytes + 38),
                         qFromLittleEndian<qint32>(bytes + 42));
    if (!file.startsWith("\x89PNG\r\n\x1a\n"))
        return std::nullopt;
    // Chunks after the signature: length, type, data, checksum. pHYs comes before the image
    // data; its unit 1 is the metre.
    for (qsizetype at = 8; at + 8 <= file.size();) {
        const quint32 length = qFromBigEndian<quint32>(bytes + at);
        const QByteArray type = file.mid(at + 4, 4);
        if (type == "pHYs" && length == 9 && at + 17 <= file.size() && bytes[at + 16] == 1)
            return std::pair(qFromBigEndian<qint32>(bytes + at + 8),
                             qFromBigEndian<qint32>(bytes + at + 12));
        if (type == "IDAT")
            return std::nullopt;
        at += 12 + qsizetype(length);
    }
    return std::nullopt;
}

} // namespace solifa::test
