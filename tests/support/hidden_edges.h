#pragma once
// The hidden edges of a painted body and how much of each is inked in a picture, for tests
// that check what a worksheet reader sees: a dashed hidden edge about two thirds inked, a
// dotted one about a third, and never the fuller ink of two shifted patterns on one edge.
#include <QImage>

#include <functional>
#include <vector>

#include "core/body_painter.h"

namespace solifa::test {

struct Edge {
    PolyPoint a;
    PolyPoint b;
};

struct BodyEdges {
    std::vector<Edge> hidden; // drawn only by faces of the back pass: all of them face away
    std::vector<Edge> all;    // every edge either pass draws
};
BodyEdges EdgesOf(const PaintInput& in, const AppearanceSource& appearance);

// Of an edge's samples (one per pixel along its longer axis), the share that is inked: a
// pixel on or next to the line that is at least half black. Left out are samples within
// 2.5 pixels of another edge, where lines meet or run close, and samples where a blue line
// crosses. Offset shifts the edge, for pictures that hold the view at an offset.
struct InkMeasure {
    double share = 0;
    int samples = 0;
};
InkMeasure InkedShare(const QImage& image, const Edge& edge, const std::vector<Edge>& others,
                      int offsetX = 0, int offsetY = 0);

// The share of a pattern's length that is ink: solid 1, dash 2/3, dot 1/3 ...
double PatternDuty(DrawStyle style);

using Painting = std::function<void(QPaintDevice*)>;

// What painting puts on a white image of the given size: straight into the image, or as an
// SVG drawing rendered 1:1, as a viewer shows it.
QImage Rasterised(const Painting& paint, QSize size, bool viaSvg);

// Every hidden edge long enough to show its pattern is inked as one stroke of the style alone
// inks it, and (in a bitmap) as the pattern says: a second stroke in another phase, from the
// other face on the edge, inks a dash edge up to 100 % and a dot edge up to 67 %. Offset is
// where the picture's origin lies in the image; lineWidth how wide its lines are drawn.
// Returns how many edges were checked.
int ExpectPatternOnHiddenEdges(const QImage& image, const BodyEdges& edges, DrawStyle style,
                               bool viaSvg, QPoint offset = {}, int lineWidth = 1);

// Along every hidden edge, the dashes of a drawing rendered 1:1 begin within one pixel of where
// the bitmap's dashes of the same picture begin, and the other way round; lineWidth is how wide
// both draw their lines. Returns how many dash starts were compared.
int ExpectDashesWhereTheBitmapHasThem(const QImage& bitmap, const QImage& drawing,
                                      const BodyEdges& edges, int lineWidth);

} // namespace solifa::test
