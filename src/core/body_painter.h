#pragma once
// Paints a projected body in two passes, the faces facing away first and then the faces
// facing the viewer, each face as a filled polygon or, for an outline-only group, as a
// closed polyline; in the textbook look a face of a curved surface is filled on its own and
// outlined only where it meets a face on the other side or a cap. Painting the front over the back
// is the whole hidden-surface treatment. Used unchanged for the view and for the output picture.
#include "core/model_state.h"
#include "core/surface.h"

namespace solifa {

// Settings of one face group (0 = back faces, 1 = front faces).
struct FaceGroupStyle {
    ColorRef faceColor = 0;
    ColorRef lineColor = 0;
    int dashStyle = DashStyleOf(Solid); // as the sample line shows it: DrawStyleOfBorder
    bool transparent = false;           // outline only
    bool visible = true;
};

// Settings of the end caps.
struct CapStyle {
    ColorRef color[2] = {0, 0};     // by pass: [0] seen from inside, [1] seen from outside
    bool topTransparent = false;    // top cap outline only
    bool bottomTransparent = false; // bottom cap outline only
};

// Where the painter reads the appearance: once for the passes to run, then once per pass.
class AppearanceSource {
public:
    virtual ~AppearanceSource() = default;
    virtual bool groupVisible(int group) const = 0;
    virtual FaceGroupStyle group(int group) const = 0;
    virtual CapStyle caps() const = 0;
};

// A fixed appearance, for callers that have the values at hand.
class FixedAppearance : public AppearanceSource {
public:
    FaceGroupStyle groups[2];
    CapStyle capStyle;
    bool groupVisible(int g) const override { return groups[g].visible; }
    FaceGroupStyle group(int g) const override { return groups[g]; }
    CapStyle caps() const override { return capStyle; }
};

// The projected body to paint: ring points and apexes in pixels (axis 0 x, axis 2 y).
struct PaintInput {
    int body = Kugel;
    int corners = 18; // N
    int levels = 18;  // L
    const Grid3<float>* points = nullptr;
    const float (*apex)[3] = nullptr;
    const Grid2<uint8_t>* faceSide = nullptr;
    // The textbook look: on a curved surface a line between two neighbouring faces on the
    // same side is left out, so only the body's outline, its rims and its caps are drawn.
    bool smooth = false;
};

// What to paint of the record: its body, its face orientations, and the ring points and
// apexes given (the view's, or the output picture's scaled copy).
PaintInput BodyPaintInput(const ModelState& m, int corners, int levels, const Grid3<float>& points,
                          const float (*apex)[3]);
// The same with the view's points and apexes.
PaintInput ViewPaintInput(const ModelState& m, int corners, int levels);

// Paints the body onto the surface; polyPoints is the point buffer reused for every face.
void PaintBody(DrawingSurface& surface, const PaintInput& in, const AppearanceSource& appearance,
               std::array<PolyPoint, kPolyPointCount>& polyPoints);

} // namespace solifa
