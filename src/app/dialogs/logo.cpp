#include "app/dialogs/logo.h"

#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/model_state.h"
#include "qtpaint/qt_painter_surface.h"

namespace solifa {
namespace {

constexpr ColorRef kEdgeColor = MakeColorRef(0, 0, 160);
constexpr ColorRef kInsideColor = MakeColorRef(255, 236, 140);

// The far faces are filled and drawn with dashed edges; the near faces are outlines only, so
// the far faces show through them as through glass.
FixedAppearance LogoAppearance() {
    FixedAppearance a;
    a.groups[0].faceColor = kInsideColor;
    a.groups[0].lineColor = kEdgeColor;
    a.groups[0].dashStyle = DashStyleOf(Dash);
    a.groups[1].faceColor = kInsideColor;
    a.groups[1].lineColor = kEdgeColor;
    a.groups[1].dashStyle = DashStyleOf(Solid);
    a.groups[1].transparent = true;
    a.capStyle.color[0] = kInsideColor;
    a.capStyle.color[1] = kInsideColor;
    a.capStyle.topTransparent = true;
    return a;
}

} // namespace

void PaintLogo(QPaintDevice* device, int size) {
    BodyScene scene;
    scene.body = Wuerfel;
    scene.radius = ViewRadiusFor(size);
    scene.shape = ShapeValues{kDefaultCorners[Wuerfel], kDefaultLevels[Wuerfel]};
    scene.view.tilt = 25;
    scene.view.rotation = 20;
    // A turned cube reaches beyond its radius; the smallest zoom keeps it inside the picture.
    scene.view.zoom = kZoomSetting.min;
    ModelState m = SetUpScene(scene);
    QtPainterSurface surface(device);
    PaintBody(surface, ViewPaintInput(m, scene.shape.corners, scene.shape.levels), LogoAppearance(),
              m.polyPoints);
}

QImage DrawLogo(int size) {
    if (size <= 0)
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    PaintLogo(&image, size);
    return image;
}

} // namespace solifa
