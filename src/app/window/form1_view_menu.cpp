// The view's context menu, the window's shortcuts and the keys in the view. Each acts through
// the controls: it sets a colour box, a check box, a sample line or a scroll bar, or presses a
// button, so the design's handlers run, the controls show the result, and every later change
// starts from there.
#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QShortcut>
#include <algorithm>
#include <iterator>
#include <optional>

#include "app/texts.h"
#include "app/window/form1.h"
#include "core/rounding.h"
#include "core/settings.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"

namespace solifa {

// What a look sets of the appearance controls. A face colour left unset stays as it is: the
// worksheet draws outlines only, and the user's colours come back with the faces.
struct ControlLook {
    struct Group {
        std::optional<ColorRef> face;
        ColorRef line;
        int dash;
        bool transparent;
    };
    ColorRef background;
    Group groups[2]; // by face group: 0 back, 1 front
    std::optional<ColorRef> caps[2];
    bool capsTransparent;
};

namespace {

constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);

// White paper, black lines, every face an outline, hidden lines dashed, caps open.
const ControlLook kWorksheetLook{
    .background = kWhite,
    .groups = {{.face = {}, .line = kBlack, .dash = DashStyleOf(Dash), .transparent = true},
               {.face = {}, .line = kBlack, .dash = DashStyleOf(Solid), .transparent = true}},
    .caps = {},
    .capsTransparent = true,
};

// The look the window starts with.
const ControlLook kColourLook{
    .background = kStartBackground,
    .groups = {{.face = kStartBackFaces.faceColor,
                .line = kStartBackFaces.lineColor,
                .dash = kStartBackFaces.dashStyle,
                .transparent = kStartBackFaces.transparent},
               {.face = kStartFrontFaces.faceColor,
                .line = kStartFrontFaces.lineColor,
                .dash = kStartFrontFaces.dashStyle,
                .transparent = kStartFrontFaces.transparent}},
    .caps = {kStartCapInside, kStartCapOutside},
    .capsTransparent = false,
};

static_assert(std::size(texts::kMenuLineStyles) == kDrawStyleCount);

// The line widths the menu offers, in pixels of the output picture; the first is the design's.
constexpr int kLineWidths[] = {1, 2, 3, 4, 6};

} // namespace

void Form1::createViewMenu() {
    // The entries hold the textbook look and the line width from the start; the menu itself is
    // made when it is first shown.
    createLookEntries();
    createLineEntries();
    createButtonEntries();
    // The keyboard's ways to the menu; a right click arrives as a context menu event.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(keys, Picture1);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this] { popUpViewMenu(Picture1->mapToGlobal(Picture1->rect().center())); });
    }
    Picture1->installEventFilter(this);
}

void Form1::createLookEntries() {
    worksheetLook_ = new QAction(texts::Q(texts::kMenuWorksheetLook), this);
    connect(worksheetLook_, &QAction::triggered, this, [this] { applyLook(kWorksheetLook); });
    colourLook_ = new QAction(texts::Q(texts::kMenuColourLook), this);
    connect(colourLook_, &QAction::triggered, this, [this] { applyLook(kColourLook); });
    textbookLook_ = new QAction(texts::Q(texts::kMenuTextbookLook), this);
    textbookLook_->setCheckable(true);
    connect(textbookLook_, &QAction::toggled, this, [this] { redrawView(); });
}

void Form1::createLineEntries() {
    // The sample lines' styles by name.
    for (int g = 0; g < 2; ++g) {
        auto* group = new QActionGroup(this);
        for (int k = 0; k < kDrawStyleCount; ++k) {
            QAction* a = group->addAction(texts::Q(texts::kMenuLineStyles[k]));
            a->setCheckable(true);
            lineStyles_[g][k] = a;
            const int style = kFirstDashStyle + k;
            connect(a, &QAction::triggered, this, [this, g, style] { stepDashStyleTo(g, style); });
        }
    }
    lineWidths_ = new QActionGroup(this);
    for (int w : kLineWidths) {
        QAction* a = lineWidths_->addAction(texts::MenuLineWidth(w));
        a->setCheckable(true);
        a->setChecked(w == kLineWidths[0]);
        a->setData(w);
    }
    connect(lineWidths_, &QActionGroup::triggered, this, [this] { redrawView(); });
    // The view's wide lines follow the output size; the design's one-pixel lines need no redraw.
    for (auto notification : {&ScrollBar::changed, &ScrollBar::scrolled})
        connect(HScroll6, notification, this, [this] {
            if (outputLook().lineWidth > 1)
                redrawView();
        });
}

void Form1::createButtonEntries() {
    // The output buttons' entries and the window's shortcuts press the design's buttons. They
    // are actions of the window, so their keys work wherever its focus is.
    struct Entry {
        QString text;
        QKeySequence keys;
        Button3D* button;
    };
    const Entry entries[] = {
        {texts::Q(texts::kMenuCopy), QKeySequence(Qt::CTRL | Qt::Key_C), SSCommand5},
        {texts::Q(texts::kMenuSave), QKeySequence(Qt::CTRL | Qt::Key_S), SSCommand9},
        {texts::Q(texts::kMenuPrint), QKeySequence(Qt::CTRL | Qt::Key_P), SSCommand6},
        {SSCommand11->text(), QKeySequence(Qt::CTRL | Qt::Key_Q), SSCommand11},
        {SSCommand10->text(), QKeySequence(Qt::Key_F1), SSCommand10},
    };
    for (const Entry& e : entries) {
        auto* a = new QAction(e.text, this);
        a->setShortcut(e.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        Button3D* button = e.button;
        connect(a, &QAction::triggered, this, [this, button] { pressButton(button); });
        buttonEntries_.emplace_back(a, button);
    }
}

void Form1::redrawView() {
    guarded([&] { clearAndDrawView(); });
}

QMenu* Form1::viewMenu() {
    if (viewMenu_ != nullptr)
        return viewMenu_;
    viewMenu_ = new QMenu(this);
    viewMenu_->setObjectName(QStringLiteral("viewMenu"));
    viewMenu_->addActions({worksheetLook_, colourLook_, textbookLook_});
    viewMenu_->addSeparator();
    // Front first, as the frames stand.
    for (int g : {1, 0}) {
        QMenu* styles =
            viewMenu_->addMenu(texts::Q(g == 1 ? texts::kMenuFrontLines : texts::kMenuBackLines));
        for (QAction* a : lineStyles_[g])
            styles->addAction(a);
    }
    viewMenu_->addMenu(texts::Q(texts::kMenuLineWidth))->addActions(lineWidths_->actions());
    viewMenu_->addSeparator();
    constexpr int kOutputEntries = 3; // the output buttons'; the others are keys alone
    for (int i = 0; i < kOutputEntries; ++i)
        viewMenu_->addAction(buttonEntries_[std::size_t(i)].first);

    // The menu shows the controls as they are when it opens.
    connect(viewMenu_, &QMenu::aboutToShow, this, [this] {
        for (int g = 0; g < 2; ++g)
            for (int k = 0; k < kDrawStyleCount; ++k)
                lineStyles_[g][k]->setChecked(Picture3[g]->borderStyle() == kFirstDashStyle + k);
        for (const auto& [action, button] : buttonEntries_)
            action->setEnabled(button->isVisibleTo(this));
    });
    return viewMenu_;
}

void Form1::popUpViewMenu(const QPoint& globalPos) {
    viewMenu()->popup(globalPos);
}

LineLook Form1::outputLook() const {
    LineLook look;
    look.smooth = textbookLook_ != nullptr && textbookLook_->isChecked();
    if (lineWidths_ != nullptr && lineWidths_->checkedAction() != nullptr)
        look.lineWidth = lineWidths_->checkedAction()->data().toInt();
    return look;
}

LineLook Form1::viewLook() const {
    LineLook look = outputLook();
    // The design's one-pixel lines stay one pixel in the view at any output size.
    if (look.lineWidth > 1 && HScroll6->value() > 0)
        look.lineWidth = std::max(1, int(roundHalfEven(double(Picture1->innerWidth()) *
                                                       look.lineWidth / HScroll6->value())));
    return look;
}

void Form1::setBoxColor(PictureBox* box, ColorRef color) {
    if (box->backColor() == color)
        return;
    if (box == Picture5)
        BackColorChosen(color);
    else
        ColorChosen(box, color);
}

void Form1::stepDashStyleTo(int group, int style) {
    for (int i = 0; i < kDrawStyleCount && Picture3[group]->borderStyle() != style; ++i)
        Picture3_MouseDown(group);
}

void Form1::applyLook(const ControlLook& look) {
    setBoxColor(Picture5, look.background);
    // Front faces first: their boxes decide whether the back faces' boxes are shown at all.
    Check2[1]->setValue(1);
    Check1[1]->setValue(look.groups[1].transparent ? 1 : 0);
    if (Check2[0]->isVisibleTo(this)) {
        Check2[0]->setValue(1);
        Check1[0]->setValue(look.groups[0].transparent ? 1 : 0);
    }
    for (int g : {1, 0}) {
        const ControlLook::Group& group = look.groups[g];
        if (group.face)
            setBoxColor(Picture2[g], *group.face);
        setBoxColor(Picture4[g], group.line);
        stepDashStyleTo(g, group.dash);
    }
    for (int k = 0; k < 2; ++k) {
        if (look.caps[k])
            setBoxColor(Picture6[k], *look.caps[k]);
        Check3[k]->setValue(look.capsTransparent ? 1 : 0);
    }
    // A cap's box follows its check box only where the body has that cap.
    guarded([&] { applyBodyControls(model.currentBody); });
    focusView();
}

void Form1::pressButton(Button3D* button) {
    // A hidden button cannot be pressed: while the body turns the clipboard and print buttons
    // are away, as their actions are then.
    if (button->isVisibleTo(this) && button->isEnabled())
        button->click();
}

bool Form1::viewKeyPressed(const QKeyEvent& event) {
    const bool shift = event.modifiers().testFlag(Qt::ShiftModifier);
    const auto move = [](ScrollBar* bar, int by) {
        bar->setValue(std::clamp(bar->value() + by, bar->minimum(), bar->maximum()));
    };
    const int step = shift ? 10 : 1;
    switch (event.key()) {
    case Qt::Key_Left:
        move(HScroll1[0], -step);
        return true;
    case Qt::Key_Right:
        move(HScroll1[0], step);
        return true;
    // The tilt bar's thumb moves with the arrow, as the bar's own keys move it.
    case Qt::Key_Up:
        move(VScroll1, -step);
        return true;
    case Qt::Key_Down:
        move(VScroll1, step);
        return true;
    case Qt::Key_Plus:
        move(HScroll4, HScroll4->smallChange());
        return true;
    case Qt::Key_Minus:
        move(HScroll4, -HScroll4->smallChange());
        return true;
    default:
        break;
    }
    const int digit = event.key() - Qt::Key_0;
    if (digit >= 0 && digit <= kLastDigitButton - kFirstDigitButton) {
        pressButton(SSCommand1[kFirstDigitButton + digit]);
        return true;
    }
    return false;
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1) {
        if (event->type() == QEvent::ContextMenu) {
            const auto* e = static_cast<QContextMenuEvent*>(event);
            popUpViewMenu(e->reason() == QContextMenuEvent::Mouse
                              ? e->globalPos()
                              : Picture1->mapToGlobal(Picture1->rect().center()));
            return true;
        }
        if (event->type() == QEvent::KeyPress && viewKeyPressed(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace solifa
