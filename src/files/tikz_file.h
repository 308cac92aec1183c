#pragma once
// A picture as TikZ for LaTeX: a complete document whose one page is the picture, or the
// tikzpicture alone, to be \input into a worksheet. The picture has the size of the SVG (96
// pixels per inch), its background, fills and lines in the picture's colours, line width and
// dashes, each edge one \draw; every corner of the body is a named \coordinate, so a teacher
// labels it with one line: \node[below left] at (A) {$A$};
#include <QByteArray>

#include "files/picture_formats.h"

namespace solifa {

enum class TikzKind { Document, Picture };

// The TikZ text of the picture; empty for a source that cannot draw its body apart.
QByteArray EncodeTikz(const PictureSource& source, TikzKind kind);

} // namespace solifa
