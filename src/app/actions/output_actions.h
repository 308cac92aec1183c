#pragma once
// The output picture and what goes out of it: the view's projection scaled to the chosen
// output size and painted with the view's algorithm onto the hidden output picture, and that
// picture as a file, on the clipboard and on the printer.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/model_state.h"
#include "files/picture_files.h"
#include "platform/platform.h"

class QWidget;

namespace solifa {

class PictureBox;

// How the lines of a picture are drawn beyond what the appearance controls hold: the textbook
// look of round bodies, and every line this many pixels wide.
struct LineLook {
    bool smooth = false;
    int lineWidth = 1;
};

// The controls the output actions touch.
struct OutputControls {
    QWidget* window = nullptr;    // owner of the dialogs and messages
    PictureBox* view = nullptr;   // Picture1, whose projection is scaled
    PictureBox* output = nullptr; // Picture7, the hidden output picture
    // The output size in pixels, as the window's size bar (HScroll6) holds it.
    std::function<int()> outputSize;
    // The look of the output picture's lines; the design's plain one-pixel lines when unset.
    std::function<LineLook()> look;
};

class OutputActions {
public:
    // shape gives the corner and level counts as the captions show them; appearance is read
    // from the controls whenever the picture is painted.
    OutputActions(ModelState& model, const Platform& platform, const OutputControls& controls,
                  std::function<ShapeValues()> shape, const AppearanceSource& appearance);

    // Sizes the output picture to the output size and takes the scale from the view.
    void RenderOutput();
    void ScaleToOutput();
    void DrawOutput();

    // The save dialog, offering the name chosen last time; the name and filter chosen are kept
    // for the next time and for the frames of a series. Nothing when cancelled.
    std::optional<QString> chooseFile();
    // The format a file of this name gets: the one its extension names, in any letter case;
    // for a name without an extension, the one of the filter chosen in the dialog; otherwise a
    // Windows bitmap.
    PictureFormat formatFor(const QString& path) const;
    // Renders the output picture and writes it to path in the format of its name; on failure
    // the message to show, memory running out included.
    std::optional<QString> writePicture(const QString& path);
    // Renders the output picture and gives its image, for the frames of an animation. Throws
    // std::bad_alloc when the picture could not be allocated.
    const QImage& renderFrame();
    // The colours the output picture can contain.
    std::vector<QRgb> pictureColours() const;
    // The output picture as an SVG drawing; RenderOutput comes first.
    QByteArray drawingSvg();
    // Writes one file and says how it went; false when it failed.
    bool writeAndReport(const QString& path);
    // "Bitmap in Ablage" and "Bitmap drucken".
    void copyToClipboard();
    void print();

    // The file name the save dialog keeps between uses.
    const QString& fileName() const { return dialogFileName_; }

private:
    LineLook look() const { return controls_.look ? controls_.look() : LineLook{}; }
    // The output picture in a format; RenderOutput comes first.
    QByteArray encodePicture(PictureFormat format);
    // The output picture as the encoders take it.
    PictureSource pictureSource();
    // The output picture's body as the painter draws it, and where its corners lie.
    PaintInput outputPaintInput() const;

    ModelState& model_;
    const Platform& platform_;
    OutputControls controls_;
    std::function<ShapeValues()> shape_;
    const AppearanceSource& appearance_;
    // The file name the save dialog keeps between uses, and the filter chosen with it.
    QString dialogFileName_;
    int dialogFilter_ = -1;
};

// Paints the body of the record with the appearance onto a picture's image: ring points and
// apexes given, the view's or the output picture's scaled copy.
void PaintBodyOnPicture(PictureBox& picture, ModelState& model, const ShapeValues& shape,
                        const Grid3<float>& points, const float (*apex)[3],
                        const AppearanceSource& appearance, const LineLook& look = {});

} // namespace solifa
