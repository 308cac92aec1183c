#include "app/window/form1.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QTimer>
#include <cmath>

#include "app/actions/output_actions.h"
#include "app/actions/turn.h"
#include "app/texts.h"
#include "app/window/control_appearance.h"
#include "app/window/control_factory.h"
#include "app/window/control_help.h"
#include "app/window/control_inventory.h"
#include "app/window/twips.h"
#include "core/body_geometry.h"
#include "core/errors.h"
#include "core/rounding.h"
#include "qtpaint/qt_color.h"
#include "qtpaint/qt_painter_surface.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/layout_style.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/text_style.h"
#include "widgets/value_label.h"

namespace solifa {
namespace {

const QColor kGrey(192, 192, 192);
const QString kStartCaption = texts::Q(texts::kStartCaption);

} // namespace

Form1::Form1(const Platform& platform, QWidget* parent)
    : QWidget(parent), info(*this, *platform.screen), platform_(platform) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kStartCaption.trimmed());
    QPalette p = palette();
    p.setColor(QPalette::Window, kGrey);
    setPalette(p);
    setAutoFillBackground(true);
    layoutStyle_ = new LayoutStyle;
    layoutStyle_->setParent(this);
    createControls();
    appearance_ = std::make_unique<ControlAppearance>(static_cast<const Form1Controls&>(*this));
    output = std::make_unique<OutputActions>(
        model, platform_,
        OutputControls{.window = this,
                       .view = Picture1,
                       .output = Picture7,
                       .outputSize = [this] { return HScroll6->value(); },
                       .look = [this] { return outputLook(); }},
        [this] { return shapeValues(); }, *appearance_);
    turn = std::make_unique<Turn>(model, platform_, static_cast<TurnView&>(*this), *output);
    connectHandlers();
    createViewMenu();
}

Form1::~Form1() = default;

QWidget* Form1::control(const QString& name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QRect Form1::pixelRect(const DesignRect& twips, float scale) const {
    return Twips(*platform_.screen).rect(twips, scale);
}

QWidget* Form1::makeControl(const ControlDesign& d) {
    QWidget* parent = this;
    if (d.container[0] != '\0')
        parent = controls_.at(QString::fromUtf8(d.container));
    QWidget* w = MakeControl(d, parent, layoutStyle_);
    w->setObjectName(QString::fromUtf8(d.name));
    placeControl(w, pixelRect(DesignRect{d.left, d.top, d.width, d.height}, 1.0f));
    if (d.hidden)
        w->hide();
    controls_[QString::fromUtf8(d.name)] = w;
    return w;
}

void Form1::createControls() {
    for (const ControlDesign& d : ControlInventory())
        makeControl(d);
    makeControl(kPicture7Design);

    // The caption of the lower cap row has an opaque background in the frame's grey.
    if (auto* l = qobject_cast<QLabel*>(controls_.at(QStringLiteral("Label6(1)")))) {
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, kGrey);
        l->setPalette(p);
    }

    bind(controls_);
    // The colour boxes and line samples act on a click, so the keyboard can press them too.
    for (int i = 0; i < 2; ++i)
        for (PictureBox* p :
             {Picture2[i], static_cast<PictureBox*>(Picture3[i]), Picture4[i], Picture6[i]})
            p->setPressable(true);
    Picture5->setPressable(true);
    ApplyControlHelp(controls_);

    const Twips twips(*platform_.screen);
    for (const LineDesign& l : LineInventory()) {
        auto* sample = qobject_cast<LineSample*>(controls_.at(QString::fromUtf8(l.picture)));
        sample->setBorderStyle(l.style);
        sample->setLine(twips.x(l.x1), twips.y(l.y1), twips.x(l.x2), twips.y(l.y2));
    }

    // The output picture counts pixels; the view is drawn anew on a screen of another density.
    Picture7->setFollowsDeviceRatio(false);
    connect(
        Picture1, &PictureBox::imageRatioChanged, this, [this] { redrawView(); },
        Qt::QueuedConnection);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Timer1 = new IntervalTimer(this);
    Timer1->setInterval(0);
}

void Form1::guarded(const std::function<void()>& work) {
    // A fault ends the work of this event; what was drawn so far stays. Our own computation
    // faults are expected at the edges of the ranges; any other one is a fault of the program,
    // kept for the tests to see.
    try {
        work();
    } catch (const ComputationError&) {
        ++swallowedFaults.computation;
    } catch (const std::exception& e) {
        ++swallowedFaults.other;
        swallowedFaults.lastOther = e.what();
    }
}

void Form1::Form_Load() {
    // The first steps prepare what everything else needs; a fault here ends the start-up.
    FillAngleTables(model);
    model.designFormWidth = kDesignFormWidth;
    model.designFormHeight = kDesignFormHeight;
    model.designGeometry.clear();
    model.designLines.clear();
    for (const ControlDesign& d : ControlInventory())
        model.designGeometry[d.name] = DesignRect{d.left, d.top, d.width, d.height};
    for (const LineDesign& l : LineInventory())
        model.designLines[l.name] = DesignLine{l.x1, l.x2, l.y1, l.y2};
    ResetModelDefaults(model);
    model.viewRadius = ViewRadiusFor(Picture1->innerWidth());
    Timer1->setInterval(0);
    model.startFolder = QDir::currentPath().toStdString();
    // A trailing separator goes, but the root keeps its one.
    if (model.startFolder.size() > 1 && model.startFolder.back() == '/')
        model.startFolder.pop_back();

    // From here on a step that fails is skipped and the next one still runs.
    guarded([&] { placeAtStart(); });
    guarded([&] { LayoutControls(); });
    guarded([&] {
        if (centreSplash)
            centreSplash();
    });
    guarded([&] { GenerateBody(); });
    guarded([&] { ResetOutputSize(); });
    guarded([&] {
        if (setSplashInterval)
            setSplashInterval(3000);
    });
    guarded([&] { setWindowTitle(kStartCaption + QString::fromStdString(model.startFolder)); });
    loaded_ = true;
}

int Form1::captionNumber(const QLabel* label) const {
    bool ok = false;
    const int v = label->text().toInt(&ok);
    if (!ok)
        throw ComputationError("caption is not a number");
    return v;
}

ShapeValues Form1::shapeValues() const {
    return ShapeValues{captionNumber(Label1[7]), captionNumber(Label1[8])};
}

ViewValues Form1::viewValues() const {
    ViewValues v;
    v.tilt = captionNumber(Label1[5]);
    v.rotation = captionNumber(Label1[6]);
    v.offset = captionNumber(Label1[9]);
    v.zoom = HScroll4->value();
    v.positionX = HScroll2->value();
    v.positionY = VScroll2->value();
    return v;
}

void Form1::GenerateBody() {
    GenerateBodyPoints(model, shapeValues());
    ProjectBody();
}

void Form1::ProjectBody() {
    if (!ProjectBodyPoints(model, shapeValues(), viewValues()))
        return;
    Picture1->clear();
    DrawView();
}

void Form1::DrawView() {
    PaintBodyOnPicture(*Picture1, model, shapeValues(), model.viewPoints, model.viewApex,
                       *appearance_, viewLook());
    Picture1->update();
}

void Form1::clearAndDrawView() {
    Picture1->clear();
    DrawView();
}

void Form1::setLabelCaption(QLabel* label, const QString& text) {
    SetLabelCaption(label, text);
}

void Form1::focusView() {
    Picture1->setFocus(Qt::OtherFocusReason);
}

} // namespace solifa
