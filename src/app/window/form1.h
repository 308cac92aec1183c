#pragma once
// The main window: the body buttons, the view, the parameter, view and appearance controls,
// output and turn controls, and the operations that recompute and redraw the body.
// Values live where the user sees them: the shape parameters in the captions of their value
// labels, position and zoom in their scroll bars, the appearance in the colour boxes, check
// boxes and sample lines. The operations read them when they run.
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/actions/info_actions.h"
#include "app/actions/output_actions.h"
#include "app/actions/turn.h"
#include "app/window/form1_controls.h"
#include "core/body_geometry.h"
#include "core/body_painter.h"
#include "core/model_state.h"
#include "platform/platform.h"

class QAction;
class QActionGroup;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QProgressBar;

namespace solifa {

class Button3D;
class CheckBox;
struct ControlDesign;
class IntervalTimer;
class LayoutStyle;
class LineSample;
class PictureBox;
class ScrollBar;
class ValueLabel;
// A look of the appearance controls, as the view's menu sets it.
struct ControlLook;

// The window's outer rectangle at start, in twips of the screen.
struct StartRect {
    float left = 0, top = 0, width = 0, height = 0;
};
StartRect StartFrame(const ScreenMetrics& screen);

// The window keeps its controls, its record, the output actions and the turn to itself; the
// actions reach it through the small interfaces they are handed. The tests' TestForm1 names
// those parts for the tests.
class Form1 : public QWidget, private Form1Controls, private TurnView {
    Q_OBJECT
public:
    explicit Form1(const Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: tables, defaults, size and place on the screen, layout, first body, output
    // size and caption. The splash is shown by the caller afterwards.
    void Form_Load();

    // --- operations ---
    void GenerateBody();
    void ProjectBody();
    void DrawView();
    void LayoutControls();
    void Form_Resize();
    // The factor of the last layout: the whole design fits the inner area.
    float layoutScale() const;

    // --- handlers ---
    void SSCommand1_Click(int index);
    void HScroll1_Change(int index);
    void HScroll2_Change();
    void HScroll2_Scroll();
    void VScroll2_Change();
    void HScroll4_Change();
    void HScroll4_Scroll();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void SSCommand2_Click();
    void SSCommand4_Click();
    void ChooseColor(PictureBox* box);
    // What follows a colour chosen for a colour box, and for the background.
    void ColorChosen(PictureBox* box, ColorRef color);
    void Picture5_Click();
    void BackColorChosen(ColorRef color);
    void Picture3_MouseDown(int index);
    void Check1_Click(int index);
    void Check2_Click(int index);
    void Check3_Click(int index);
    void HScroll6_Change();
    void HScroll6_Scroll();

    // --- output picture and output actions, handed on to `output` ---
    void RenderOutput();
    void ScaleToOutput();
    void DrawOutput();
    void SSCommand9_Click(); // "Datei erzeugen"
    void SSCommand5_Click(); // "Bitmap in Ablage"
    void SSCommand6_Click(); // "Bitmap drucken"

    // --- turn about the body axis, handed on to `turn` ---
    void SSCommand3_Click();
    void HScroll3_Change();
    void HScroll3_Scroll();
    void Check4_Click();
    void Timer1_Timer();

    // --- auxiliary windows and exit ---
    void SSCommand10_Click(); // "Info"
    void SSCommand8_Click();  // "Programme"
    void SSCommand11_Click(); // "Programm beenden"
    // Leaving the program, at once and without a question: the turn stops, no further frame
    // of a series is written, the information window closes, and endProcess runs.
    void EndProgram();
    // Ends the process. Leaves the application's event loops unless replaced (tests do).
    std::function<void()> endProcess;
    // The information and further-programs windows.
    InfoActions info;

    // The window's size in twips. Qt sizes windows in pixels; the size last set in twips is
    // kept as long as the pixel size still matches it, so the layout sees the exact value.
    double widthTwips() const;
    double heightTwips() const;
    void setSizeTwips(double width, double height);

    // The shape values as the captions show them.
    ShapeValues shapeValues() const;
    ViewValues viewValues() const;

    // The splash window's part in the start-up; set by whoever owns the splash.
    std::function<void()> centreSplash;
    std::function<void(int)> setSplashInterval;

    // Every control by its design name ("HScroll1(2)", "Frame3").
    QWidget* control(const QString& name) const;

    // --- beyond the design: the view's menu, the window's shortcuts and the keys in the view.
    // They act through the controls, so the design's handlers run as after the user's own use.
    // The look of the output picture's lines, as the view's menu holds it.
    LineLook outputLook() const;
    // The view's lines: as wide, relative to the view, as the output picture's to that picture.
    LineLook viewLook() const;
    // The view's menu, made when first asked for.
    QMenu* viewMenu();

    const Platform& platform() const { return platform_; }
    // The font sizes the last layout pass gave: F9, F8, F7 and the title's.
    struct Fonts {
        int f9 = 9, f8 = 8, f7 = 7;
        double title = 48;
    };
    Fonts lastFonts() const { return fonts_; }

    // The faults that ended an event's work: computation faults, and any other exception.
    struct SwallowedFaults {
        int computation = 0;
        int other = 0;
        std::string lastOther;
    };
    SwallowedFaults swallowedFaults;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class TestForm1;

    ModelState model;
    // The output picture with the file, clipboard and print actions, and the turn.
    std::unique_ptr<OutputActions> output;
    std::unique_ptr<Turn> turn;

    void createControls();
    // Builds, names and places the control of one row of the table.
    QWidget* makeControl(const ControlDesign& d);
    // Sizes and places the window at start: its outer rectangle (StartFrame).
    void placeAtStart();
    // Fits the inner area so that the outer window, frame included, takes the start rectangle.
    // False while the window manager has not framed the window yet.
    bool fitFrame();
    void connectHandlers();
    // --- what the turn sees of the window ---
    QWidget* messageParent() override { return this; }
    int chosenFrameCount() const override;
    bool mirrored() const override;
    void runTimer(bool running) override;
    void showTurnControls(bool running, const QString& toggleCaption) override;
    void setFileButtonCaption(const QString& caption) override;
    void setFramesValue(int count) override;
    void setProgress(int value, int maximum) override;
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    void showFrame() override;
    void setLabelCaption(QLabel* label, const QString& text);
    void placeControl(QWidget* w, const QRect& r);
    // A design rectangle in twips, scaled, in pixels of the screen.
    QRect pixelRect(const DesignRect& twips, float scale) const;
    // The output size: at most the screen height, otherwise the view's inner width.
    void ResetOutputSize();
    void focusView();
    void clearAndDrawView();
    // Runs one event's work; a computation fault ends that work and nothing more.
    void guarded(const std::function<void()>& work);
    void applyBodyControls(int body);
    void markButton(Button3D* button, bool marked);
    int captionNumber(const QLabel* label) const;

    const Platform& platform_;
    std::map<QString, QWidget*> controls_;
    std::unique_ptr<AppearanceSource> appearance_; // read from the controls
    ColorRef lastChosenColor_ = 0;
    double widthTwips_ = 0;
    double heightTwips_ = 0;
    Fonts fonts_;
    bool loaded_ = false;
    std::optional<StartRect> startFrame_;
    // Sizes the inner parts of frames, check boxes and scroll bars with the layout; a child.
    LayoutStyle* layoutStyle_ = nullptr;

    // --- the view's menu, the shortcuts and the keys in the view ---
    void createViewMenu();
    void createLookEntries();
    void createLineEntries();
    void createButtonEntries();
    // Draws the view anew, as a handler does.
    void redrawView();
    void popUpViewMenu(const QPoint& globalPos);
    // Sets the appearance controls to a look, each as the user would set it.
    void applyLook(const ControlLook& look);
    void setBoxColor(PictureBox* box, ColorRef color);
    // Steps the sample line on as its clicks do, until it shows the style.
    void stepDashStyleTo(int group, int style);
    // Presses a button as a click does, while the window shows it.
    void pressButton(Button3D* button);
    bool viewKeyPressed(const QKeyEvent& event);
    QMenu* viewMenu_ = nullptr;
    QAction* worksheetLook_ = nullptr;
    QAction* colourLook_ = nullptr;
    QAction* textbookLook_ = nullptr;
    std::array<std::array<QAction*, kDrawStyleCount>, 2> lineStyles_{};
    QActionGroup* lineWidths_ = nullptr;
    // The actions that press a button of the design, with it: first the three output buttons,
    // which the menu shows, then "Programm beenden" and "Info", which are keys alone.
    std::vector<std::pair<QAction*, Button3D*>> buttonEntries_;
};

} // namespace solifa
