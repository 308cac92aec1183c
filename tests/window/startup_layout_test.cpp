// Start-up and layout of the main window on a fake 1024 x 768 screen.
#include <QAccessible>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QToolTip>
#include <cmath>

#include "app/window/control_inventory.h"
#include "app/window/decimal_text.h"
#include "core/settings.h"
#include "form_fixture.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/line_sample.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

TEST_F(FormTest, StartsAtEightyPercentOfTheScreenWithOutputSizeAndCaption) {
    EXPECT_DOUBLE_EQ(form->widthTwips(), 12288.0);
    EXPECT_DOUBLE_EQ(form->heightTwips(), 9216.0);
    EXPECT_EQ(form->size(), QSize(819, 614));
    EXPECT_FLOAT_EQ(form->layoutScale(), 12288.0f / 9870.0f);
    EXPECT_EQ(form->Label16->text(), "266");
    EXPECT_EQ(form->HScroll6->maximum(), 768);
    EXPECT_EQ(form->HScroll6->value(), form->Picture1->innerWidth());
    EXPECT_EQ(form->Label16->text(), QString::number(form->Picture1->innerWidth()));
    EXPECT_EQ(form->model.viewRadius, int(std::nearbyint(form->Picture1->innerWidth() / 2.0)));

    QString folder = QDir::currentPath();
    if (folder.endsWith('/'))
        folder.chop(1);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("SOLIFA V1.3   ") + folder);
}

TEST_F(FormTest, ExactlyTheDesignedControlsAreHiddenAtStart) {
    const QStringList hidden = {"Label9",      "Check4",      "Label5(0)", "Label5(1)",
                                "HScroll3",    "Picture2(1)", "Label6(0)", "Label6(1)",
                                "Picture6(0)", "Picture6(1)", "Check3(0)", "Check3(1)",
                                "ProgressBar2"};
    for (const ControlDesign& d : ControlInventory()) {
        const QString name = QString::fromUtf8(d.name);
        EXPECT_EQ(!shown(form->control(name)), hidden.contains(name)) << name.toStdString();
    }
    EXPECT_TRUE(form->Picture7->isHidden());
    EXPECT_EQ(form->Timer1->interval(), 0);
}

TEST_F(FormTest, FirstPictureIsTheYellowOutlineSphereOnBlue) {
    const QImage img = view();
    EXPECT_EQ(img.pixel(0, 0) & 0xffffff, 0x0000ffu);
    EXPECT_TRUE(contains(img, qRgb(255, 255, 0)));
    EXPECT_EQ(form->model.currentBody, Kugel);
    EXPECT_EQ(form->Label1[7]->text(), "18");
    EXPECT_EQ(form->Label1[8]->text(), "18");
    EXPECT_EQ(form->SSCommand1[0]->captionColor(), QColor(192, 0, 0));
    EXPECT_EQ(form->SSCommand1[7]->captionColor(), QColor(192, 0, 0));
}

// Nothing copies the bars into their labels at start: each label's design caption already
// shows what its bar (or the marked digit button) starts with.
TEST_F(FormTest, EveryValueLabelStartsWithTheValueOfItsControl) {
    const struct {
        const QLabel* label;
        QString shown;
    } values[] = {
        {form->Label1[6], QString::number(form->HScroll1[0]->value())},
        {form->Label1[5], QString::number(form->VScroll1->value())},
        {form->Label1[9], QString::number(form->model.selectedDigitButton - kFirstDigitButton)},
        {form->Label1[7], QString::number(form->HScroll1[1]->value())},
        {form->Label1[8], QString::number(form->HScroll1[2]->value())},
        {form->Label5[1], QString::number(form->HScroll3->value())},
        {form->Label7[2], QString::number(form->HScroll2->value())},
        {form->Label7[3], QString::number(-form->VScroll2->value())},
        {form->Label8[1], FormatDecimal(form->HScroll4->value() / 100.0)},
    };
    for (const auto& v : values)
        EXPECT_EQ(v.label->text(), v.shown) << v.label->objectName().toStdString();
}

struct ScaleCase {
    double widthTwips, heightTwips;
    double s; // the smaller of the two ratios to the design
    int f9, f8, f7;
};

class LayoutScale : public FormTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(LayoutScale, ScalesEveryControlAndRoundsFontsHalfToEven) {
    const ScaleCase c = GetParam();
    form->setSizeTwips(c.widthTwips, c.heightTwips);
    const double s = c.s;
    EXPECT_FLOAT_EQ(form->layoutScale(), float(s));
    EXPECT_EQ(form->lastFonts().f9, c.f9);
    EXPECT_EQ(form->lastFonts().f8, c.f8);
    EXPECT_EQ(form->lastFonts().f7, c.f7);
    EXPECT_NEAR(form->lastFonts().title, 48 * s, 1e-4);
    for (const ControlDesign& d : ControlInventory()) {
        const QWidget* w = form->control(QString::fromUtf8(d.name));
        const QRect want(qRound(d.left * s / 15), qRound(d.top * s / 15), qRound(d.width * s / 15),
                         qRound(d.height * s / 15));
        if (d.kind == ControlKind::ValueLabel) {
            // A number label keeps its right edge and may grow to the left for its text.
            EXPECT_EQ(w->geometry().right(), want.right()) << d.name;
            EXPECT_EQ(w->geometry().top(), want.top()) << d.name;
        } else if (d.kind == ControlKind::Label || d.kind == ControlKind::FrameLabel ||
                   d.kind == ControlKind::Title) {
            // A caption may extend to the right when its font has outgrown its box.
            EXPECT_EQ(w->geometry().topLeft(), want.topLeft()) << d.name;
            EXPECT_GE(w->width(), want.width()) << d.name;
        } else {
            EXPECT_EQ(w->geometry(), want) << d.name;
        }
    }
    EXPECT_EQ(form->HScroll6->value(), form->Picture1->innerWidth());
    EXPECT_EQ(form->model.viewRadius, int(std::nearbyint(form->Picture1->innerWidth() / 2.0)));
}

INSTANTIATE_TEST_SUITE_P(Widths, LayoutScale,
                         ::testing::Values(ScaleCase{9870, 6675, 1, 9, 8, 7},
                                           ScaleCase{14805, 20000, 1.5, 14, 12, 10},
                                           ScaleCase{10486.875, 9000, 1.0625, 10, 8, 7},
                                           ScaleCase{30000, 10012.5, 1.5, 14, 12, 10},
                                           ScaleCase{9870, 7091.71875, 1, 9, 8, 7}));

TEST_F(FormTest, DesignWidthGivesTheDesignedViewAndRadius) {
    form->setSizeTwips(9870, 6675);
    EXPECT_EQ(form->Picture1->width(), 217);
    EXPECT_EQ(form->Picture1->innerWidth(), 213);
    EXPECT_EQ(form->Picture1->innerWidth(), kStartViewWidth);
    EXPECT_EQ(form->model.viewRadius, 106);
    EXPECT_EQ(form->Label17->text(), "5,63");
}

TEST_F(FormTest, NarrowWindowLeavesEveryControlAsItWas) {
    std::map<QString, QRect> before;
    for (const ControlDesign& d : ControlInventory())
        before[d.name] = form->control(d.name)->geometry();
    form->setSizeTwips(kDesignFormWidth * 0.2, 3000);
    for (const ControlDesign& d : ControlInventory())
        EXPECT_EQ(form->control(d.name)->geometry(), before[d.name]) << d.name;
}

TEST_F(FormTest, TallerWindowKeepsGeometryButRedraws) {
    const QRect view = form->Picture1->geometry();
    form->Picture1->image().fill(Qt::black);
    form->setSizeTwips(form->widthTwips(), form->heightTwips() + 1500);
    EXPECT_EQ(form->Picture1->geometry(), view);
    EXPECT_TRUE(contains(form->Picture1->image(), qRgb(255, 255, 0)));
}

// What a screen reader is told: every control that acts has a name (its caption, or what it
// sets), a tooltip that says what it sets and how, and that tooltip as its description. Hidden
// controls count too: they show while a body or the turn needs them.
TEST_F(FormTest, EveryActingControlHasATooltipAndAnAccessibleName) {
    QStringList lacking;
    for (const ControlDesign& d : ControlInventory()) {
        const bool acts = d.kind == ControlKind::Button || d.kind == ControlKind::PlainButton ||
                          d.kind == ControlKind::CheckBox || d.kind == ControlKind::Picture ||
                          d.kind == ControlKind::LineSample || d.kind == ControlKind::HScroll ||
                          d.kind == ControlKind::VScroll;
        if (!acts)
            continue;
        QWidget* w = form->control(QString::fromUtf8(d.name));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (w->toolTip().isEmpty())
            lacking << QString::fromUtf8(d.name) + " tooltip";
        // A tooltip does not wrap its lines: each must fit on the window.
        for (const QString& line : w->toolTip().split('\n'))
            if (QFontMetrics(QToolTip::font()).horizontalAdvance(line) > form->width())
                lacking << QString::fromUtf8(d.name) + " tooltip line too wide";
        if (a == nullptr || a->text(QAccessible::Name).trimmed().isEmpty())
            lacking << QString::fromUtf8(d.name) + " name";
        else if (a->text(QAccessible::Description) != w->toolTip())
            lacking << QString::fromUtf8(d.name) + " description";
    }
    EXPECT_EQ(lacking, QStringList());
}

// Controls without a caption, or with one that says nothing alone, are named by what they set.
TEST_F(FormTest, ControlsWithoutACaptionAreNamedByWhatTheySet) {
    const struct {
        QWidget* control;
        QAccessible::Role role;
        const char* name;
        const char* tipStart;
    } named[] = {
        {form->VScroll1, QAccessible::ScrollBar, "Kippwinkel", "Kippwinkel"},
        {form->HScroll4, QAccessible::ScrollBar, "Zoomfaktor", "Zoomfaktor"},
        {form->Picture5, QAccessible::Button, "Hintergrundfarbe", "Klicken: Hintergrundfarbe"},
        {form->Picture3[0], QAccessible::Button, "Linienart hinten",
         "Klicken: nächste Linienart (alle Linienarten auch im Kontextmenü der Ansicht)"},
        {form->Check4, QAccessible::CheckBox, "Drehrichtung umkehren",
         "Drehrichtung umkehren: spiegelt den Körper (bleibt nach „aus“ bestehen)"},
        {form->Picture1, QAccessible::Graphic, "Ansicht",
         "Ansicht des Körpers\nRechtsklick: Kontextmenü"},
        {form->SSCommand9, QAccessible::Button, "Datei erzeugen", "Datei erzeugen (Strg+S)"},
        {form->SSCommand11, QAccessible::Button, "Programm beenden", "Programm beenden (Strg+Q)"},
    };
    for (const auto& n : named) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(n.control);
        ASSERT_NE(a, nullptr) << n.name;
        EXPECT_EQ(a->role(), n.role) << n.name;
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(n.name));
        EXPECT_TRUE(n.control->toolTip().startsWith(QString::fromUtf8(n.tipStart)))
            << n.control->toolTip().toStdString();
    }
    // The bar tells its value; a screen reader's press reaches the control's own handler.
    form->VScroll1->setValue(30);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->VScroll1)
                  ->valueInterface()
                  ->currentValue()
                  .toInt(),
              30);
    const int style = form->Picture3[0]->borderStyle();
    QAccessible::queryAccessibleInterface(form->Picture3[0])
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form->Picture3[0]->borderStyle(), style % 5 + 1);
}

// Tab visits the controls as the window is laid out; controls the body hides are left out.
struct TabCase {
    int body;
    QStringList walk;
};

class TabOrderTest : public FormTest, public ::testing::WithParamInterface<TabCase> {};

const QStringList kBodyButtons = {"SSCommand1(0)", "SSCommand1(1)", "SSCommand1(2)",
                                  "SSCommand1(3)", "SSCommand1(4)", "SSCommand1(5)",
                                  "SSCommand1(6)"};
const QStringList kViewAndBars = {"Picture1", "VScroll1", "HScroll1(0)"};
const QStringList kDigits = {"SSCommand1(7)",  "SSCommand1(8)",  "SSCommand1(9)",
                             "SSCommand1(10)", "SSCommand1(11)", "SSCommand1(12)",
                             "SSCommand1(13)", "SSCommand1(14)"};
const QStringList kFaces = {"Picture5",  "Check2(1)",   "Check1(1)", "Picture4(1)", "Picture3(1)",
                            "Check2(0)", "Picture2(0)", "Check1(0)", "Picture4(0)", "Picture3(0)"};
const QStringList kCaps = {"Picture6(1)", "Check3(0)", "Picture6(0)", "Check3(1)"};
const QStringList kOutputAndBottomRow = {"HScroll6",    "SSCommand6", "SSCommand5", "SSCommand9",
                                         "SSCommand10", "SSCommand8", "SSCommand3", "SSCommand2",
                                         "HScroll2",    "VScroll2",   "SSCommand4", "HScroll4",
                                         "SSCommand11"};

TEST_P(TabOrderTest, FollowsTheLayout) {
    form->SSCommand1[GetParam().body]->click();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->SSCommand1[0]->setFocus(Qt::TabFocusReason);
    QStringList walk;
    for (int i = 0; i < 100; ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        if (!walk.isEmpty() && focused == form->SSCommand1[0])
            break;
        walk << focused->objectName();
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(walk, GetParam().walk);
}

INSTANTIATE_TEST_SUITE_P(Bodies, TabOrderTest,
                         ::testing::Values(
                             // The sphere shows its corner and level bars, no cap controls.
                             TabCase{Kugel, kBodyButtons + kViewAndBars + kDigits +
                                                QStringList{"HScroll1(1)", "HScroll1(2)"} + kFaces +
                                                kOutputAndBottomRow},
                             // The cube shows its caps instead, and neither bar.
                             TabCase{Wuerfel, kBodyButtons + kViewAndBars + kDigits + kFaces +
                                                  kCaps + kOutputAndBottomRow}));

// A focused button pressed from the keyboard does what a click does; the focus then goes back
// to the view where a click would send it.
TEST_F(FormTest, KeysOnAFocusedControlActAsTheMouseAndTheFocusReturnsToTheView) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->SSCommand1[1]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->SSCommand1[1], Qt::Key_Return);
    EXPECT_EQ(form->model.currentBody, Wuerfel);
    EXPECT_EQ(QApplication::focusWidget(), form->Picture1);

    // Moving a focused bar by a key sends the focus to the view, as the design wants.
    form->VScroll1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->VScroll1, Qt::Key_Down);
    EXPECT_EQ(form->Label1[5]->text(), "1");
    EXPECT_EQ(QApplication::focusWidget(), form->Picture1);
}

} // namespace
} // namespace solifa
