// The notifications and pictures of the small control classes that the main window relies on.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <QAccessible>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>

#include "app/window/control_factory.h"
#include "app/window/control_inventory.h"
#include "qtpaint/qt_color.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/focus_frame.h"
#include "widgets/interval_timer.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "widgets/value_label.h"

namespace solifa {
namespace {

std::vector<int> Values(const QSignalSpy& spy) {
    std::vector<int> values;
    for (const QList<QVariant>& args : spy)
        values.push_back(args.at(0).toInt());
    return values;
}

// Centre of one part of a bar (arrow, track, thumb) in the current style.
QPoint CentreOf(ScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

// A horizontal bar 0..100 at 50, steps 1 and 10, shown so that mouse events reach it.
class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar.setRange(0, 100);
        bar.setValue(50);
        bar.setSmallChange(1);
        bar.setLargeChange(10);
        bar.resize(300, 20);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    ScrollBar bar{Qt::Horizontal};
};

struct NonDragCase {
    std::string name;
    std::function<void(ScrollBar&)> act;
    std::vector<int> changes;
};

class ScrollBarNonDragTest : public ScrollBarTest,
                             public ::testing::WithParamInterface<NonDragCase> {};

TEST_P(ScrollBarNonDragTest, NotifiesChangeOnceAndSynchronouslyWhenTheValueMoves) {
    QSignalSpy changed(&bar, &ScrollBar::changed);
    QSignalSpy scrolled(&bar, &ScrollBar::scrolled);
    GetParam().act(bar);
    EXPECT_EQ(Values(changed), GetParam().changes);
    EXPECT_EQ(scrolled.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ScrollBarNonDragTest,
    ::testing::Values(
        NonDragCase{"ValueFromCode", [](ScrollBar& b) { b.setValue(60); }, {60}},
        NonDragCase{"SameValueFromCode", [](ScrollBar& b) { b.setValue(50); }, {}},
        NonDragCase{"MinimumAboveValue", [](ScrollBar& b) { b.setMinimum(70); }, {70}},
        NonDragCase{"MinimumBelowValue", [](ScrollBar& b) { b.setMinimum(10); }, {}},
        NonDragCase{"MaximumBelowValue", [](ScrollBar& b) { b.setMaximum(40); }, {40}},
        NonDragCase{"RightKey", [](ScrollBar& b) { QTest::keyClick(&b, Qt::Key_Right); }, {51}},
        NonDragCase{"LeftKey", [](ScrollBar& b) { QTest::keyClick(&b, Qt::Key_Left); }, {49}},
        NonDragCase{"PageKey", [](ScrollBar& b) { QTest::keyClick(&b, Qt::Key_PageDown); }, {60}},
        NonDragCase{"ArrowClick",
                    [](ScrollBar& b) {
                        QTest::mouseClick(&b, Qt::LeftButton, {},
                                          CentreOf(b, QStyle::SC_ScrollBarAddLine));
                    },
                    {51}},
        NonDragCase{"TrackClick",
                    [](ScrollBar& b) {
                        QTest::mouseClick(&b, Qt::LeftButton, {},
                                          CentreOf(b, QStyle::SC_ScrollBarAddPage));
                    },
                    {60}}),
    [](const auto& info) { return info.param.name; });

TEST_F(ScrollBarTest, DragScrollsForEveryValueAndChangesOnceAtTheEnd) {
    QSignalSpy changed(&bar, &ScrollBar::changed);
    QSignalSpy scrolled(&bar, &ScrollBar::scrolled);
    bar.setSliderDown(true);
    bar.setValue(55);
    bar.setValue(58);
    EXPECT_EQ(changed.count(), 0);
    bar.setSliderDown(false);
    EXPECT_EQ(Values(scrolled), (std::vector<int>{55, 58}));
    EXPECT_EQ(Values(changed), std::vector<int>{58});
}

TEST_F(ScrollBarTest, DragBackToItsStartValueEndsWithoutChange) {
    QSignalSpy changed(&bar, &ScrollBar::changed);
    QSignalSpy scrolled(&bar, &ScrollBar::scrolled);
    bar.setSliderDown(true);
    bar.setValue(53);
    bar.setValue(50);
    bar.setSliderDown(false);
    EXPECT_EQ(Values(scrolled), (std::vector<int>{53, 50}));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(ScrollBarTest, MouseDragOfTheThumbScrollsThenChangesOnce) {
    QSignalSpy changed(&bar, &ScrollBar::changed);
    QSignalSpy scrolled(&bar, &ScrollBar::scrolled);
    const QPoint start = CentreOf(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, start);
    for (int dx = 10; dx <= 40; dx += 10)
        QTest::mouseMove(&bar, start + QPoint(dx, 0));
    EXPECT_EQ(changed.count(), 0);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, start + QPoint(40, 0));
    EXPECT_GE(scrolled.count(), 2);
    EXPECT_GT(bar.value(), 50);
    EXPECT_EQ(Values(changed), std::vector<int>{bar.value()});
    EXPECT_EQ(Values(scrolled).back(), bar.value());
}

TEST(ScrollBarFocusTest, AClickGivesTheBarTheKeyboardFocus) {
    QWidget window;
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    auto* bar = new ScrollBar(Qt::Vertical, &window);
    bar->setGeometry(0, 0, 20, 120);
    window.resize(100, 120);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    ASSERT_TRUE(other->hasFocus());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_TRUE(bar->hasFocus());
}

// Controls whose style draws no focus mark draw a frame in the highlight colour while they
// have the focus; the view, a picture that does not act on a click, draws none.
struct FocusFrameCase {
    std::string name;
    std::function<QWidget*(QWidget*)> make;
    bool framed;
};

class FocusFrameTest : public ::testing::TestWithParam<FocusFrameCase> {};

TEST_P(FocusFrameTest, ShowsTheFrameOnlyWhileFocused) {
    QWidget window;
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    QWidget* w = GetParam().make(&window);
    w->setGeometry(10, 10, 40, 120);
    window.resize(60, 140);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QColor highlight = w->palette().color(QPalette::Active, QPalette::Highlight);
    // The middle of each edge, on the frame's inner line.
    const int in = kFocusFrameWidth - 1;
    const QPoint edges[] = {{20, in}, {20, 119 - in}, {in, 60}, {39 - in, 60}};
    auto framed = [&] {
        const QImage shot = w->grab().toImage();
        int n = 0;
        for (const QPoint p : edges)
            n += shot.pixelColor(p) == highlight ? 1 : 0;
        return n;
    };
    other->setFocus();
    EXPECT_EQ(framed(), 0);
    w->setFocus();
    ASSERT_TRUE(w->hasFocus());
    EXPECT_EQ(framed(), GetParam().framed ? 4 : 0);
    other->setFocus();
    EXPECT_EQ(framed(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FocusFrameTest,
    ::testing::Values(
        FocusFrameCase{"VerticalBar",
                       [](QWidget* p) -> QWidget* { return new ScrollBar(Qt::Vertical, p); }, true},
        FocusFrameCase{"HorizontalBar",
                       [](QWidget* p) -> QWidget* { return new ScrollBar(Qt::Horizontal, p); },
                       true},
        FocusFrameCase{"ColourBox",
                       [](QWidget* p) -> QWidget* {
                           auto* box = new PictureBox(p);
                           box->setBackColor(MakeColorRef(255, 0, 0));
                           box->setPressable(true);
                           return box;
                       },
                       true},
        FocusFrameCase{"View", [](QWidget* p) -> QWidget* { return new PictureBox(p); }, false}),
    [](const auto& info) { return info.param.name; });

// Which keys press a focused control: Return, Enter and Space press a button and a picture that
// acts on a click, as a left click would; Space toggles a check box.
enum class Pressed : uint8_t { Button, Picture, View, Check };
struct KeyPressCase {
    std::string name;
    Pressed control;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int presses;
};

class KeyPressTest : public ::testing::TestWithParam<KeyPressCase> {};

TEST_P(KeyPressTest, PressesTheFocusedControlOnce) {
    const KeyPressCase& c = GetParam();
    QWidget window;
    window.resize(120, 40);
    int presses = 0;
    int pointerNotices = 0;
    QWidget* w = nullptr;
    if (c.control == Pressed::Button) {
        auto* b = new Button3D("Würfel", &window);
        QObject::connect(b, &QPushButton::clicked, [&] { ++presses; });
        QObject::connect(b, &Button3D::pointerUsed, [&] { ++pointerNotices; });
        w = b;
    } else if (c.control == Pressed::Check) {
        auto* box = new CheckBox("transparent", &window);
        QObject::connect(box, &CheckBox::stateClicked, [&] { ++presses; });
        w = box;
    } else {
        auto* box =
            c.control == Pressed::Picture ? new LineSample(&window) : new PictureBox(&window);
        box->setPressable(c.control == Pressed::Picture);
        QObject::connect(box, &PictureBox::mousePressed, [&](Qt::MouseButton b) {
            EXPECT_EQ(b, Qt::LeftButton);
            ++pointerNotices;
        });
        QObject::connect(box, &PictureBox::clicked, [&] { ++presses; });
        w = box;
    }
    w->setGeometry(0, 0, 120, 40);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    w->setFocus();
    ASSERT_TRUE(w->hasFocus());
    QTest::keyClick(w, c.key, c.modifiers);
    EXPECT_EQ(presses, c.presses);
    // A key is no pointer: buttons do not report one; a picture reports its press as a click.
    EXPECT_EQ(pointerNotices, c.control == Pressed::Picture ? c.presses : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPressTest,
    ::testing::Values(
        KeyPressCase{"ButtonReturn", Pressed::Button, Qt::Key_Return, {}, 1},
        KeyPressCase{"ButtonEnter", Pressed::Button, Qt::Key_Enter, Qt::KeypadModifier, 1},
        KeyPressCase{"ButtonSpace", Pressed::Button, Qt::Key_Space, {}, 1},
        KeyPressCase{"ButtonCtrlReturn", Pressed::Button, Qt::Key_Return, Qt::ControlModifier, 0},
        KeyPressCase{"ButtonLetter", Pressed::Button, Qt::Key_A, {}, 0},
        KeyPressCase{"PictureSpace", Pressed::Picture, Qt::Key_Space, {}, 1},
        KeyPressCase{"PictureReturn", Pressed::Picture, Qt::Key_Return, {}, 1},
        KeyPressCase{"PictureLetter", Pressed::Picture, Qt::Key_A, {}, 0},
        KeyPressCase{"ViewSpace", Pressed::View, Qt::Key_Space, {}, 0},
        KeyPressCase{"ViewReturn", Pressed::View, Qt::Key_Return, {}, 0},
        KeyPressCase{"CheckSpace", Pressed::Check, Qt::Key_Space, {}, 1},
        KeyPressCase{"CheckReturn", Pressed::Check, Qt::Key_Return, {}, 0}),
    [](const auto& info) { return info.param.name; });

TEST(CheckBoxTest, StateClickedFollowsEveryChangeOfState) {
    CheckBox box("sichtbar");
    box.resize(120, 24);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QSignalSpy stateClicked(&box, &CheckBox::stateClicked);
    QSignalSpy released(&box, &CheckBox::mouseReleased);

    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 12));
    EXPECT_EQ(box.value(), 1);
    EXPECT_EQ(stateClicked.count(), 1);
    EXPECT_EQ(released.count(), 1);

    box.setValue(1); // unchanged
    EXPECT_EQ(stateClicked.count(), 1);
    box.setValue(0);
    EXPECT_EQ(box.value(), 0);
    EXPECT_EQ(stateClicked.count(), 2);
    box.setValue(1);
    EXPECT_EQ(stateClicked.count(), 3);
    EXPECT_EQ(released.count(), 1);
}

TEST(Button3DTest, KeepsItsCaptionColourAndReportsThePointerAfterTheClick) {
    Button3D button("Kugel");
    button.setCaptionColor(QColor(192, 0, 0));
    EXPECT_EQ(button.captionColor(), QColor(192, 0, 0));
    button.setCaptionColor(Qt::black);
    EXPECT_EQ(button.captionColor(), QColor(Qt::black));

    button.resize(100, 25);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    std::vector<std::string> events;
    QObject::connect(&button, &QPushButton::clicked, [&] { events.push_back("clicked"); });
    QObject::connect(&button, &Button3D::pointerUsed, [&] { events.push_back("pointer"); });
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(50, 12));
    EXPECT_EQ(events, (std::vector<std::string>{"clicked", "pointer"}));
    button.click(); // from the keyboard or code: no pointer
    EXPECT_EQ(events.size(), 3u);
}

constexpr ColorRef kBlue = MakeColorRef(0, 0, 255);
constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

TEST(PictureBoxTest, ImageIsTheInnerAreaAndFollowsResizesWhileHidden) {
    PictureBox box;
    box.setBackColor(kBlue);
    box.setOuterSize(30, 20);
    EXPECT_EQ(box.innerWidth(), 26);
    EXPECT_EQ(box.innerHeight(), 16);
    EXPECT_EQ(box.image().size(), QSize(26, 16));
    EXPECT_EQ(box.image().format(), QImage::Format_RGB32);

    box.image().setPixelColor(1, 1, Qt::white);
    box.resize(50, 40); // hidden: Qt holds back the resize event
    ASSERT_FALSE(box.isVisible());
    EXPECT_EQ(box.image().size(), QSize(46, 36));
    EXPECT_EQ(box.image().pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(ToColorRef(box.image().pixelColor(40, 30)), kBlue);

    box.setOuterSize(10, 10);
    EXPECT_EQ(box.image().size(), QSize(6, 6));
    EXPECT_EQ(box.image().pixelColor(1, 1), QColor(Qt::white));
}

TEST(PictureBoxTest, SettingTheBackColourClearsThePicture) {
    PictureBox box;
    box.setOuterSize(20, 20);
    box.image().fill(Qt::white);
    box.setBackColor(kRed);
    EXPECT_EQ(box.backColor(), kRed);
    const QImage& image = box.image();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(ToColorRef(image.pixelColor(x, y)), kRed) << x << "," << y;

    box.image().fill(Qt::white);
    box.clear();
    EXPECT_EQ(ToColorRef(box.image().pixelColor(7, 7)), kRed);
}

TEST(PictureBoxTest, ShowsTheImageInsideItsBorder) {
    PictureBox box;
    box.setBackColor(kBlue);
    box.setOuterSize(24, 18);
    box.image().setPixelColor(0, 0, Qt::white);
    box.image().setPixelColor(19, 13, Qt::yellow);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QImage shown = box.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(24, 18));
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(21, 15), QColor(Qt::yellow));
    EXPECT_EQ(ToColorRef(shown.pixelColor(10, 8)), kBlue);
    for (const QPoint border : {QPoint(0, 0), QPoint(1, 9), QPoint(23, 17), QPoint(12, 16)})
        EXPECT_NE(ToColorRef(shown.pixelColor(border)), kBlue) << border.x() << "," << border.y();
}

TEST(PictureBoxTest, ReportsPressesOfAnyButtonAndLeftClicksInside) {
    PictureBox box;
    box.setOuterSize(40, 40);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QSignalSpy clicked(&box, &PictureBox::clicked);
    QSignalSpy pressed(&box, &PictureBox::mousePressed);

    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(20, 20));
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(60, 20)); // let go outside
    ASSERT_EQ(pressed.count(), 3);
    EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(pressed.at(1).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

// Pixels of the sample line in its picture, as a string of '#' (line) and '.' per column of
// the row that holds the line.
std::string LineRow(LineSample& sample) {
    const QImage& image = sample.image();
    std::string best;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += image.pixelColor(x, y) == QColor(Qt::black) ? '#' : '.';
        if (std::count(row.begin(), row.end(), '#') > std::count(best.begin(), best.end(), '#'))
            best = row;
    }
    return best;
}

TEST(LineSampleTest, EachBorderStyleDrawsItsOwnPattern) {
    LineSample sample;
    sample.setLineColor(Qt::black);
    sample.setOuterSize(64, 15);
    sample.setLine(0, 6, 60, 6);
    EXPECT_EQ(sample.borderStyle(), 1);
    EXPECT_EQ(LineRow(sample), std::string(60, '#'));

    std::set<std::string> patterns;
    for (int style = 2; style <= 5; ++style) {
        sample.setBorderStyle(style);
        EXPECT_EQ(sample.borderStyle(), style);
        const std::string row = LineRow(sample);
        EXPECT_NE(row.find('#'), std::string::npos) << "style " << style;
        EXPECT_NE(row.find('.'), std::string::npos) << "style " << style;
        patterns.insert(row);
    }
    EXPECT_EQ(patterns.size(), 4u);

    sample.setBorderStyle(0);
    EXPECT_EQ(LineRow(sample), "");
}

TEST(LineSampleTest, RedrawsTheLineAfterAResizeAndAfterAClear) {
    LineSample sample;
    sample.setLineColor(Qt::black);
    sample.setOuterSize(24, 15);
    sample.setLine(0, 6, 100, 6);
    sample.setOuterSize(104, 15);
    EXPECT_EQ(LineRow(sample), std::string(100, '#'));
    sample.clear();
    EXPECT_EQ(LineRow(sample), "");
    sample.redrawSample();
    EXPECT_EQ(LineRow(sample), std::string(100, '#'));
}

struct TimerCase {
    int set;
    int interval;
    int effective;
};

class IntervalTimerTest : public ::testing::TestWithParam<TimerCase> {};

TEST_P(IntervalTimerTest, RunsNoFasterThanADisplayFrame) {
    IntervalTimer timer;
    timer.setInterval(GetParam().set);
    EXPECT_EQ(timer.interval(), GetParam().interval);
    EXPECT_EQ(timer.effectiveInterval(), GetParam().effective);
    EXPECT_EQ(timer.isActive(), GetParam().effective != 0);
}

INSTANTIATE_TEST_SUITE_P(Intervals, IntervalTimerTest,
                         ::testing::Values(TimerCase{1, 1, 16}, TimerCase{16, 16, 16},
                                           TimerCase{40, 40, 40}, TimerCase{0, 0, 0},
                                           TimerCase{-3, 0, 0}));

TEST(IntervalTimerTickTest, TicksUntilTheIntervalIsZero) {
    IntervalTimer timer;
    QSignalSpy ticks(&timer, &IntervalTimer::tick);
    QElapsedTimer clock;
    clock.start();
    timer.setInterval(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 3; }, 5000));
    EXPECT_GE(clock.elapsed(), 3 * IntervalTimer::kShortestPeriodMs - 3);

    timer.setInterval(0);
    const int stoppedAt = ticks.count();
    QTest::qWait(3 * IntervalTimer::kShortestPeriodMs);
    EXPECT_EQ(ticks.count(), stoppedAt);
}

// Every kind of control of the window's table is built by its own factory: the class, the
// design's font and the caption, range or state the table gives it.
struct FactoryCase {
    ControlKind kind;
    const char* className;
    double points; // 0: no font of its own
    bool bold;
    bool italic;
    QAccessible::Role role; // what assistive technology is told the control is
};

class ControlFactoryTest : public ::testing::TestWithParam<FactoryCase> {};

TEST_P(ControlFactoryTest, BuildsTheClassFontAndStartStateOfItsKind) {
    const FactoryCase& c = GetParam();
    const ControlDesign d{.name = "X",
                          .kind = c.kind,
                          .container = "",
                          .caption = "Äb",
                          .left = 0,
                          .top = 0,
                          .width = 300,
                          .height = 300,
                          .minimum = 0,
                          .maximum = 40,
                          .value = 7,
                          .checked = true};
    QWidget parent;
    QWidget* w = MakeControl(d, &parent, nullptr);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->parent(), &parent);
    EXPECT_STREQ(w->metaObject()->className(), c.className);
    if (c.points > 0) {
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), c.points);
        EXPECT_EQ(w->font().bold(), c.bold);
        EXPECT_EQ(w->font().italic(), c.italic);
    }
    if (auto* l = qobject_cast<QLabel*>(w)) {
        EXPECT_EQ(l->text(), "Äb");
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        EXPECT_EQ(b->text(), "Äb");
    }
    if (auto* sb = qobject_cast<ScrollBar*>(w)) {
        EXPECT_EQ(sb->orientation(),
                  c.kind == ControlKind::HScroll ? Qt::Horizontal : Qt::Vertical);
        EXPECT_EQ(std::make_tuple(sb->minimum(), sb->maximum(), sb->value()),
                  std::make_tuple(0, 40, 7));
    }
    if (auto* p = qobject_cast<QProgressBar*>(w)) {
        EXPECT_EQ(std::make_tuple(p->minimum(), p->maximum(), p->value()),
                  std::make_tuple(0, 40, 0));
    }
    if (auto* cb = qobject_cast<CheckBox*>(w)) {
        EXPECT_EQ(cb->value(), 1);
    }
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), c.role);
    if (a->role() == QAccessible::CheckBox) {
        EXPECT_TRUE(a->state().checked);
    }
    if (a->role() == QAccessible::ScrollBar) {
        ASSERT_NE(a->valueInterface(), nullptr);
        EXPECT_EQ(a->valueInterface()->currentValue().toInt(), 7);
        EXPECT_EQ(a->valueInterface()->maximumValue().toInt(), 40);
    }
    if (auto* p = qobject_cast<PictureBox*>(w)) {
        // A picture that acts on a click is a button a screen reader can press.
        p->setPressable(true);
        EXPECT_EQ(a->role(), QAccessible::Button);
        QSignalSpy clicked(p, &PictureBox::clicked);
        ASSERT_TRUE(a->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicked.count(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ControlFactoryTest,
    ::testing::Values(
        FactoryCase{ControlKind::Button, "solifa::Button3D", 9, true, false, QAccessible::Button},
        FactoryCase{ControlKind::PlainButton, "solifa::Button3D", 9, false, false,
                    QAccessible::Button},
        FactoryCase{ControlKind::Label, "QLabel", 9, true, false, QAccessible::StaticText},
        FactoryCase{ControlKind::FrameLabel, "QLabel", 8.25, false, false, QAccessible::StaticText},
        FactoryCase{ControlKind::ValueLabel, "solifa::ValueLabel", 9, true, false,
                    QAccessible::StaticText},
        FactoryCase{ControlKind::Frame, "QGroupBox", 8.25, false, false, QAccessible::Grouping},
        FactoryCase{ControlKind::CheckBox, "solifa::CheckBox", 6.75, false, false,
                    QAccessible::CheckBox},
        FactoryCase{ControlKind::Picture, "solifa::PictureBox", 0, false, false,
                    QAccessible::Graphic},
        FactoryCase{ControlKind::LineSample, "solifa::LineSample", 0, false, false,
                    QAccessible::Graphic},
        FactoryCase{ControlKind::HScroll, "solifa::ScrollBar", 0, false, false,
                    QAccessible::ScrollBar},
        FactoryCase{ControlKind::VScroll, "solifa::ScrollBar", 0, false, false,
                    QAccessible::ScrollBar},
        FactoryCase{ControlKind::Progress, "QProgressBar", 0, false, false,
                    QAccessible::ProgressBar},
        FactoryCase{ControlKind::Title, "QLabel", 48, true, true, QAccessible::StaticText}));

} // namespace
} // namespace solifa
