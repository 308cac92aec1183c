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
#include "app/window/control_appearance.h"
#include "app/window/control_inventory.h"
#include "core/body_geometry.h"
#include "core/errors.h"
#include "core/rounding.h"
#include "qtpaint/qt_color.h"
#include "qtpaint/qt_painter_surface.h"
#include "version.h"
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
const QString kStartCaption = QStringLiteral("SOLIFA V%1   ").arg(QLatin1String(kVersion));

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
    appearance_ = std::make_unique<ControlAppearance>(*this);
    output = std::make_unique<OutputActions>(
        model, platform_,
        OutputControls{.window = this, .view = Picture1, .output = Picture7, .sizeBar = HScroll6},
        [this] { return shapeValues(); }, *appearance_);
    std::vector<QWidget*> stillOnly{SSCommand5, SSCommand6};
    for (int i = kFirstDigitButton; i <= kLastDigitButton; ++i)
        stillOnly.push_back(SSCommand1[i]);
    turn = std::make_unique<Turn>(model, platform_,
                                  TurnControls{.window = this,
                                               .toggle = SSCommand3,
                                               .framesBar = HScroll3,
                                               .framesCaption = Label5[0],
                                               .framesValue = Label5[1],
                                               .mirror = Check4,
                                               .fileButton = SSCommand9,
                                               .progress = ProgressBar2,
                                               .stillOnly = stillOnly,
                                               .timer = Timer1,
                                               .view = Picture1},
                                  *output, [this] { ProjectBody(); });
    connectHandlers();
}

Form1::~Form1() = default;

QWidget* Form1::control(const QString& name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

QRect Form1::pixelRect(const DesignRect& twips, float scale) const {
    const double tppX = platform_.screen->twipsPerPixelX();
    const double tppY = platform_.screen->twipsPerPixelY();
    return QRect(qRound(twips.left * scale / tppX), qRound(twips.top * scale / tppY),
                 qRound(twips.width * scale / tppX), qRound(twips.height * scale / tppY));
}

void Form1::createControls() {
    const double tppX = platform_.screen->twipsPerPixelX();
    const double tppY = platform_.screen->twipsPerPixelY();
    auto place = [&](QWidget* w, const ControlDesign& d) {
        placeControl(w, pixelRect(DesignRect{d.left, d.top, d.width, d.height}, 1.0f));
    };
    auto make = [&](const ControlDesign& d) -> QWidget* {
        QWidget* parent = this;
        if (d.container[0] != '\0')
            parent = controls_.at(QString::fromUtf8(d.container));
        const QString caption = QString::fromUtf8(d.caption);
        QWidget* w = nullptr;
        switch (d.kind) {
        case ControlKind::Button:
        case ControlKind::PlainButton: {
            auto* b = new Button3D(caption, parent);
            b->setFont(Arial(9, d.kind == ControlKind::Button));
            b->setFocusPolicy(Qt::TabFocus);
            if (d.color != 0)
                b->setCaptionColor(ToQColor(d.color));
            w = b;
            break;
        }
        case ControlKind::Label:
        case ControlKind::FrameLabel: {
            // Captions sit at the top of their box, as the design places them.
            auto* l = new QLabel(caption, parent);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setFont(d.kind == ControlKind::Label ? Arial(9, true) : Arial(8.25, false));
            w = l;
            break;
        }
        case ControlKind::ValueLabel:
            w = new ValueLabel(caption, parent);
            w->setFont(Arial(9, true));
            break;
        case ControlKind::Title: {
            auto* l = new QLabel(caption, parent);
            l->setFont(Arial(48, true, true));
            SetTextColor(l, QColor(0, 0, 255));
            w = l;
            break;
        }
        case ControlKind::Frame:
            w = new QGroupBox(caption, parent);
            w->setFont(Arial(8.25, false));
            w->setStyle(layoutStyle_);
            break;
        case ControlKind::CheckBox: {
            auto* c = new CheckBox(caption, parent);
            c->setFont(Arial(6.75, false));
            c->setValue(d.checked ? 1 : 0);
            c->setFocusPolicy(Qt::TabFocus);
            c->setStyle(layoutStyle_);
            w = c;
            break;
        }
        case ControlKind::Picture: {
            auto* pb = new PictureBox(parent);
            pb->setBackColor(d.color);
            w = pb;
            break;
        }
        case ControlKind::LineSample: {
            auto* ls = new LineSample(parent);
            ls->setBackColor(d.color);
            w = ls;
            break;
        }
        case ControlKind::HScroll:
        case ControlKind::VScroll: {
            auto* sb = new ScrollBar(d.kind == ControlKind::HScroll ? Qt::Horizontal : Qt::Vertical,
                                     parent);
            sb->setRange(d.minimum, d.maximum);
            sb->setValue(d.value);
            sb->setSmallChange(d.smallChange);
            sb->setLargeChange(d.largeChange);
            sb->setFocusPolicy(Qt::StrongFocus);
            sb->setStyle(layoutStyle_);
            w = sb;
            break;
        }
        case ControlKind::Progress: {
            auto* pr = new QProgressBar(parent);
            pr->setRange(d.minimum, d.maximum);
            pr->setValue(0);
            pr->setTextVisible(false);
            w = pr;
            break;
        }
        }
        w->setObjectName(QString::fromUtf8(d.name));
        place(w, d);
        if (d.hidden)
            w->hide();
        controls_[QString::fromUtf8(d.name)] = w;
        return w;
    };
    for (const ControlDesign& d : ControlInventory())
        make(d);
    make(kPicture7Design);

    // The caption of the lower cap row has an opaque background in the frame's grey.
    if (auto* l = qobject_cast<QLabel*>(controls_.at(QStringLiteral("Label6(1)")))) {
        l->setAutoFillBackground(true);
        QPalette p = l->palette();
        p.setColor(QPalette::Window, kGrey);
        l->setPalette(p);
    }

    bind(controls_);

    for (const LineDesign& l : LineInventory()) {
        auto* sample = qobject_cast<LineSample*>(controls_.at(QString::fromUtf8(l.picture)));
        sample->setBorderStyle(l.style);
        sample->setLine(l.x1 / tppX, l.y1 / tppY, l.x2 / tppX, l.y2 / tppY);
    }

    // The output picture counts pixels; the view is drawn anew on a screen of another density.
    Picture7->setFollowsDeviceRatio(false);
    connect(
        Picture1, &PictureBox::imageRatioChanged, this,
        [this] { guarded([&] { clearAndDrawView(); }); }, Qt::QueuedConnection);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Timer1 = new IntervalTimer(this);
    Timer1->setInterval(0);
}

void Form1::placeControl(QWidget* w, const QRect& r) {
    if (auto* v = qobject_cast<ValueLabel*>(w)) {
        v->setLayoutGeometry(r);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        // Fonts grow in whole points while boxes grow smoothly; a caption whose box has become
        // too tight extends to the right rather than being cut off.
        const QFontMetrics fm(l->font());
        const int width = std::max(r.width(), fm.horizontalAdvance(l->text()) + 2);
        const int height = std::max(r.height(), fm.height());
        l->setGeometry(r.x(), r.y(), width, height);
    } else if (auto* b = qobject_cast<Button3D*>(w)) {
        b->setGeometry(r);
        // A caption too wide for its box at the design's 9 pt shrinks in whole points, to no
        // less than 6 pt, or the labels' size where that is smaller still.
        b->fitCaption(9, std::min(6, fonts_.f9));
    } else {
        w->setGeometry(r);
        // The style's measures follow the layout factor.
        if (w->style() == layoutStyle_)
            w->update();
    }
}

double Form1::widthTwips() const {
    const double tpp = platform_.screen->twipsPerPixelX();
    if (widthTwips_ > 0 && qRound(widthTwips_ / tpp) == width())
        return widthTwips_;
    return width() * tpp;
}

double Form1::heightTwips() const {
    const double tpp = platform_.screen->twipsPerPixelY();
    if (heightTwips_ > 0 && qRound(heightTwips_ / tpp) == height())
        return heightTwips_;
    return height() * tpp;
}

void Form1::setSizeTwips(double w, double h) {
    widthTwips_ = w;
    heightTwips_ = h;
    resize(qRound(w / platform_.screen->twipsPerPixelX()),
           qRound(h / platform_.screen->twipsPerPixelY()));
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

StartRect StartFrame(const ScreenMetrics& screen) {
    // Four fifths of the area the desktop leaves free, but no wider than the design's
    // proportions at that height, so that the whole design fits at the largest scale; centred
    // in that area. In twips in single precision, like every size of the layout.
    const ScreenArea area = screen.availablePixels();
    const float areaW = float(area.width * screen.twipsPerPixelX());
    const float areaH = float(area.height * screen.twipsPerPixelY());
    StartRect r;
    r.height = 0.8f * areaH;
    r.width = std::min(0.8f * areaW, r.height * float(kDesignFormWidth) / float(kDesignFormHeight));
    r.left = float(area.left * screen.twipsPerPixelX()) + (areaW - r.width) / 2;
    r.top = float(area.top * screen.twipsPerPixelY()) + (areaH - r.height) / 2;
    return r;
}

void Form1::placeAtStart() {
    const StartRect frame = StartFrame(*platform_.screen);
    setSizeTwips(frame.width, frame.height);
    // A window's position is that of its frame, its size that of its inner area. Until the
    // window manager has framed the window the frame is not known, so the inner area is fitted
    // to the chosen outer size once it is (fitFrame).
    move(qRound(frame.left / platform_.screen->twipsPerPixelX()),
         qRound(frame.top / platform_.screen->twipsPerPixelY()));
    startFrame_ = frame;
}

bool Form1::fitFrame() {
    if (!startFrame_)
        return true;
    const ScreenMetrics& screen = *platform_.screen;
    const std::optional<FrameMargins> m = screen.frameOf(*this);
    if (!m)
        return false;
    const StartRect frame = *startFrame_;
    startFrame_.reset();
    const double w = frame.width - (m->left + m->right) * screen.twipsPerPixelX();
    const double h = frame.height - (m->top + m->bottom) * screen.twipsPerPixelY();
    if (w > 0 && h > 0)
        setSizeTwips(w, h);
    move(qRound(frame.left / screen.twipsPerPixelX()), qRound(frame.top / screen.twipsPerPixelY()));
    return true;
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fitFrame())
        return;
    // The frame arrives a little after the window is mapped; look for it for two seconds.
    auto* poll = new QTimer(this);
    poll->setInterval(50);
    connect(poll, &QTimer::timeout, this, [this, poll, ticks = 0]() mutable {
        if (fitFrame() || ++ticks >= 40) {
            startFrame_.reset();
            poll->deleteLater();
        }
    });
    poll->start();
}

float Form1::layoutScale() const {
    // The whole design inside the inner area: the smaller of the two ratios. On a window wider
    // than the design's proportions the controls keep their size and a band stays free at the
    // right; on a taller one the band is at the bottom.
    return std::min(float(widthTwips()) / float(model.designFormWidth),
                    float(heightTwips()) / float(model.designFormHeight));
}

void Form1::LayoutControls() {
    const float s = layoutScale();
    if (!(s >= 0.25f))
        return;
    layoutStyle_->setScale(s);
    fonts_.f9 = int(roundHalfEven(9 * s));
    fonts_.f8 = int(roundHalfEven(8 * s));
    fonts_.f7 = int(roundHalfEven(7 * s));
    fonts_.title = 48 * s;
    const double tppX = platform_.screen->twipsPerPixelX();
    const double tppY = platform_.screen->twipsPerPixelY();

    for (const ControlDesign& d : ControlInventory()) {
        QWidget* w = controls_.at(QString::fromUtf8(d.name));
        const QRect r = pixelRect(model.designGeometry.at(d.name), s);
        QFont f = w->font();
        switch (EffectiveFontGroup(d)) {
        case FontGroup::F9:
            f.setPointSize(fonts_.f9);
            break;
        case FontGroup::F8:
            f.setPointSize(fonts_.f8);
            break;
        case FontGroup::F7:
            f.setPointSize(fonts_.f7);
            break;
        case FontGroup::Title:
            f.setPointSizeF(fonts_.title);
            break;
        default:
            break;
        }
        w->setFont(f);
        placeControl(w, r);
    }
    for (const LineDesign& l : LineInventory()) {
        const DesignLine& g = model.designLines.at(l.name);
        auto* sample = qobject_cast<LineSample*>(controls_.at(QString::fromUtf8(l.picture)));
        sample->setLine(g.x1 * s / tppX, g.y1 * s / tppY, g.x2 * s / tppX, g.y2 * s / tppY);
    }

    ResetOutputSize();
    model.viewRadius = ViewRadiusFor(Picture1->innerWidth());
}

void Form1::ResetOutputSize() {
    // The output size follows the view; it cannot exceed the screen height.
    HScroll6->setMaximum(int(roundHalfEven(platform_.screen->heightPixels())));
    HScroll6->setValue(std::min(int(roundHalfEven(Picture1->innerWidth())), HScroll6->maximum()));
}

void Form1::Form_Resize() {
    guarded([&] {
        LayoutControls();
        GenerateBody();
    });
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (loaded_)
        Form_Resize();
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
                       *appearance_);
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
