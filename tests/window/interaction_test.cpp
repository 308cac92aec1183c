// Body selection, value entry, view controls and appearance, driven through the real controls.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "core/body_topology.h"
#include "form_fixture.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

TEST_F(FormTest, CornersAndLevelsAreKeptPerBody) {
    form->HScroll1[1]->setValue(12);
    form->HScroll1[2]->setValue(7);
    form->SSCommand1[1]->click();
    EXPECT_EQ(form->Label1[7]->text(), "4");
    EXPECT_EQ(form->Label1[8]->text(), "1");
    for (int i : {0, 2, 3, 4, 5, 6})
        EXPECT_EQ(form->SSCommand1[i]->captionColor(), QColor(0, 0, 0)) << i;
    EXPECT_EQ(form->SSCommand1[1]->captionColor(), QColor(192, 0, 0));

    std::vector<int> levelChanges;
    QObject::connect(form->HScroll1[2], &ScrollBar::changed,
                     [&](int v) { levelChanges.push_back(v); });
    form->SSCommand1[0]->click();
    EXPECT_EQ(form->Label1[7]->text(), "12");
    EXPECT_EQ(form->Label1[8]->text(), "7");
    // Raising the minimum for the sphere moves the levels to 2 before the saved value comes.
    ASSERT_EQ(levelChanges.size(), 2u);
    EXPECT_EQ(levelChanges[0], 2);
    EXPECT_EQ(levelChanges[1], 7);
    EXPECT_EQ(form->model.recomputeSuppressed, 0);
}

TEST_F(FormTest, PressingTheSelectedBodyAgainChangesNoPixel) {
    form->HScroll1[0]->setValue(33);
    form->VScroll1->setValue(20);
    const QImage before = view();
    form->SSCommand1[0]->click();
    EXPECT_EQ(view(), before);
}

// What a body shows follows from its faces: the corners bar for the round bodies, whose
// corner count is a choice (the polyhedra keep theirs, and the title fills the bar's place),
// the levels bar for the sphere, and for each end cap the body has its "transparent" box; the
// colour boxes and captions of the caps whenever it has one, the captions naming the caps.
class BodyControlsTest : public FormTest, public ::testing::WithParamInterface<int> {};

TEST_P(BodyControlsTest, FollowFromTheFacesOfTheBody) {
    const int body = GetParam();
    const BodyTopology& faces = kBodyTopology[body];
    const bool top = faces.topCapRing >= 0;
    const bool bottom = faces.bottomCapRing >= 0;
    const bool round = body == Kugel || body == Zylinder || body == Kegel || body == Trichter;
    form->SSCommand1[body]->click();

    EXPECT_EQ(shown(form->HScroll1[1]), round);
    EXPECT_EQ(shown(form->Label9), !round);
    EXPECT_EQ(shown(form->HScroll1[2]), body == Kugel);
    EXPECT_TRUE(shown(form->HScroll1[0]));
    EXPECT_EQ(shown(form->Check3[0]), top);
    EXPECT_EQ(shown(form->Check3[1]), bottom);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(shown(form->Picture6[k]), top || bottom) << k;
        EXPECT_EQ(shown(form->Label6[k]), top || bottom) << k;
    }
    if (top || bottom) {
        EXPECT_EQ(form->Label6[0]->text(), top ? "außen / oben" : "außen");
        EXPECT_EQ(form->Label6[1]->text(), bottom ? "innen / unten" : "innen");
    } else { // the design's captions stay
        EXPECT_EQ(form->Label6[0]->text(), "außen/oben");
        EXPECT_EQ(form->Label6[1]->text(), "innen/unten");
    }
    EXPECT_EQ(form->model.currentBody, body);
}

INSTANTIATE_TEST_SUITE_P(SevenBodies, BodyControlsTest, ::testing::Range(0, kBodyCount));

TEST_F(FormTest, DigitButtonTurnsByEighthsOfACornerStepWithoutNewPoints) {
    form->SSCommand1[1]->click(); // the cube: corner 0 at (0, R, z)
    const int16_t x0 = form->model.bodyPoints.at(0, 0, 0);
    const float before = form->model.viewPoints.at(0, 0, 0);
    form->SSCommand1[12]->click();
    EXPECT_EQ(form->Label1[9]->text(), "5");
    EXPECT_EQ(form->SSCommand1[12]->captionColor(), QColor(192, 0, 0));
    EXPECT_EQ(form->SSCommand1[7]->captionColor(), QColor(0, 0, 0));
    EXPECT_EQ(form->model.selectedDigitButton, 12);
    EXPECT_EQ(form->model.bodyPoints.at(0, 0, 0), x0);
    EXPECT_NE(form->model.viewPoints.at(0, 0, 0), before);
    // 5/8 of a quarter turn: corner 0 of the top ring moves to R * sin(5 * 90 / 8) off centre.
    const double R = form->model.viewRadius;
    const double spin = 5 * 3.1415926535 / 16;
    const double x = -std::sin(spin) * R; // turned about the axis: x = -sin * y
    const double f = 1 - (R + std::cos(spin) * R) / (8 * R);
    EXPECT_NEAR(form->model.viewPoints.at(0, 0, 0), x * f + R, 0.6);
}

TEST_F(FormTest, DraggingTheCornersThumbRegeneratesAtEveryReportedValue) {
    std::vector<int> seen;
    QObject::connect(form->HScroll1[1], &ScrollBar::scrolled, [&](int v) {
        EXPECT_EQ(form->Label1[7]->text(), QString::number(v));
        EXPECT_EQ(form->model.bodyPoints.maxCorner(), v);
        seen.push_back(v);
    });
    form->HScroll1[1]->setSliderDown(true);
    for (int v = 17; v >= 3; --v)
        form->HScroll1[1]->setValue(v);
    form->HScroll1[1]->setSliderDown(false);
    EXPECT_EQ(seen.size(), 15u);
    EXPECT_EQ(form->Label1[7]->text(), "3");
}

TEST_F(FormTest, ViewBarLabelsAndStandardButtons) {
    struct ZoomText {
        int value;
        const char* text;
    };
    for (const ZoomText z : {ZoomText{80, "0,8"}, {100, "1"}, {125, "1,25"}, {300, "3"}}) {
        form->HScroll4->setValue(z.value);
        EXPECT_EQ(form->Label8[1]->text(), z.text);
    }
    form->VScroll2->setValue(-100);
    EXPECT_EQ(form->Label7[3]->text(), "100");
    form->VScroll2->setValue(35);
    EXPECT_EQ(form->Label7[3]->text(), "-35");
    form->HScroll2->setValue(-100);
    EXPECT_EQ(form->Label7[2]->text(), "-100");
    form->VScroll1->setValue(45);
    EXPECT_EQ(form->Label1[5]->text(), "45");

    form->SSCommand2->click();
    form->SSCommand4->click();
    EXPECT_EQ(form->HScroll2->value(), 0);
    EXPECT_EQ(form->VScroll2->value(), 0);
    EXPECT_EQ(form->Label8[1]->text(), "1");
}

TEST_F(FormTest, PositionAndZoomWaitForTheNextFrameWhileTheTurnRuns) {
    form->model.turnRunning = 1;
    const QImage before = view();
    form->HScroll2->setValue(40);
    form->HScroll4->setValue(200);
    EXPECT_EQ(view(), before);
    EXPECT_EQ(form->Label7[2]->text(), "40");
    form->VScroll1->setValue(30);
    EXPECT_NE(view(), before);
}

TEST_F(FormTest, OpaqueFrontFacesPutAwayTheBackFrame) {
    form->Check1[1]->setValue(0); // front faces filled
    EXPECT_FALSE(shown(form->Check2[0]));
    EXPECT_EQ(form->Check2[0]->value(), 0);
    for (QWidget* w :
         {static_cast<QWidget*>(form->Picture3[0]), static_cast<QWidget*>(form->Picture4[0]),
          static_cast<QWidget*>(form->Check1[0]), static_cast<QWidget*>(form->Label2[0]),
          static_cast<QWidget*>(form->Label4[0]), static_cast<QWidget*>(form->Picture2[0])})
        EXPECT_FALSE(shown(w)) << w->objectName().toStdString();
    EXPECT_TRUE(shown(form->Picture2[1]));

    form->Check2[1]->setValue(0); // front faces off: the back faces come back
    EXPECT_TRUE(shown(form->Check2[0]));
    EXPECT_EQ(form->Check2[0]->value(), 1);
    EXPECT_TRUE(shown(form->Picture2[0]));

    form->Check2[0]->setValue(0); // both off: plain background
    const QImage img = view();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y) & 0xffffff, 0x0000ffu);
}

TEST_F(FormTest, ColourChoiceCancelAndPreset) {
    const QImage before = view();
    fake.colorDialog.cancel();
    emit form->Picture4[1]->clicked();
    EXPECT_EQ(form->Picture4[1]->backColor(), MakeColorRef(255, 255, 0));
    EXPECT_EQ(view(), before);

    fake.colorDialog.answer(MakeColorRef(255, 255, 255));
    emit form->Picture4[1]->clicked();
    EXPECT_TRUE(contains(view(), qRgb(255, 255, 255)));
    fake.colorDialog.cancel();
    emit form->Picture5->clicked();
    ASSERT_EQ(fake.colorDialog.presets.size(), 3u);
    EXPECT_EQ(fake.colorDialog.presets[0], 0u);
    EXPECT_EQ(fake.colorDialog.presets[2], MakeColorRef(255, 255, 255));

    fake.colorDialog.answer(MakeColorRef(0, 0, 0));
    emit form->Picture5->clicked();
    EXPECT_EQ(form->Picture1->backColor(), MakeColorRef(0, 0, 0));
    EXPECT_EQ(view().pixel(0, 0) & 0xffffff, 0u);
}

TEST_F(FormTest, FiveClicksOnADashSampleReturnItsStyle) {
    for (int g = 0; g < 2; ++g) {
        const int start = form->Picture3[g]->borderStyle();
        std::vector<int> styles;
        for (int i = 0; i < 5; ++i) {
            emit form->Picture3[g]->mousePressed(Qt::LeftButton);
            styles.push_back(form->Picture3[g]->borderStyle());
        }
        EXPECT_EQ(styles.back(), start);
        for (int s : styles)
            EXPECT_TRUE(s >= 1 && s <= 5);
    }
}

TEST_F(FormTest, CapTransparencyHidesTheColourBoxOfItsRow) {
    form->SSCommand1[1]->click();
    form->Check3[0]->setValue(1);
    EXPECT_FALSE(shown(form->Picture6[1]));
    EXPECT_TRUE(shown(form->Picture6[0]));
    form->Check3[1]->setValue(1);
    EXPECT_FALSE(shown(form->Picture6[0]));
    form->Check3[0]->setValue(0);
    EXPECT_TRUE(shown(form->Picture6[1]));
}

// The window's own keys and the view's menu press the design's buttons, whose handlers show
// their dialogs and messages (the buttons' tests check those); a button the window hides, while
// the body turns, is not pressed.
struct ButtonPress {
    const char* name;
    QKeyCombination key;
    const char* entry; // the view menu's entry, where it has one
    Button3D* (*button)(TestForm1&);
    bool turning = false;
};

class ButtonPressTest : public FormTest, public ::testing::WithParamInterface<ButtonPress> {};

TEST_P(ButtonPressTest, KeyAndMenuEntryPressTheDesignsButton) {
    const ButtonPress& c = GetParam();
    form->endProcess = [] {};
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    if (c.turning)
        form->SSCommand3->click();
    Button3D* button = c.button(*form);
    QSignalSpy pressed(button, &QPushButton::clicked);
    QTest::keyClick(form->Picture1, c.key.key(), c.key.keyboardModifiers());
    if (c.entry != nullptr) {
        emit form->viewMenu()->aboutToShow();
        QAction* entry = menuEntry(QString::fromUtf8(c.entry));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->isEnabled(), !c.turning);
        EXPECT_EQ(entry->shortcut(), QKeySequence(c.key));
        entry->trigger();
    }
    EXPECT_EQ(pressed.count(), c.turning ? 0 : c.entry != nullptr ? 2 : 1);
    form->info.closeInfo();
    if (c.turning)
        form->SSCommand3->click();
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonPressTest,
    ::testing::Values(ButtonPress{"CopyToClipboard", Qt::CTRL | Qt::Key_C, "In die Ablage kopieren",
                                  [](TestForm1& f) { return f.SSCommand5; }},
                      ButtonPress{"WriteAFile", Qt::CTRL | Qt::Key_S, "Datei erzeugen …",
                                  [](TestForm1& f) { return f.SSCommand9; }},
                      ButtonPress{"Print", Qt::CTRL | Qt::Key_P, "Drucken …",
                                  [](TestForm1& f) { return f.SSCommand6; }},
                      ButtonPress{"EndTheProgram", Qt::CTRL | Qt::Key_Q, nullptr,
                                  [](TestForm1& f) { return f.SSCommand11; }},
                      ButtonPress{"Info", QKeyCombination(Qt::Key_F1), nullptr,
                                  [](TestForm1& f) { return f.SSCommand10; }},
                      ButtonPress{"NoCopyWhileTheBodyTurns", Qt::CTRL | Qt::Key_C,
                                  "In die Ablage kopieren",
                                  [](TestForm1& f) { return f.SSCommand5; }, true},
                      ButtonPress{"NoPrintWhileTheBodyTurns", Qt::CTRL | Qt::Key_P, "Drucken …",
                                  [](TestForm1& f) { return f.SSCommand6; }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Keys in the view set the view's controls, whose labels and handlers follow; the bars stop
// at their ends.
struct ViewKey {
    const char* name;
    QKeyCombination key;
    enum Control { Rotation, Tilt, Zoom, Offset } control;
    int start, value;
    const char* label;
};

class ViewKeyTest : public FormTest, public ::testing::WithParamInterface<ViewKey> {};

TEST_P(ViewKeyTest, SetsItsControlAndLabel) {
    const ViewKey& c = GetParam();
    ScrollBar* bars[] = {form->HScroll1[0], form->VScroll1, form->HScroll4};
    QLabel* labels[] = {form->Label1[6], form->Label1[5], form->Label8[1], form->Label1[9]};
    if (c.control != ViewKey::Offset)
        bars[c.control]->setValue(c.start);
    const QImage before = view();
    QTest::keyClick(form->Picture1, c.key.key(), c.key.keyboardModifiers());
    if (c.control == ViewKey::Offset)
        EXPECT_EQ(form->model.selectedDigitButton, kFirstDigitButton + c.value);
    else
        EXPECT_EQ(bars[c.control]->value(), c.value);
    EXPECT_EQ(labels[c.control]->text(), c.label);
    EXPECT_EQ(view() == before, c.start == c.value) << "the view follows its controls";
    EXPECT_EQ(form->focusWidget(), form->Picture1);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ViewKeyTest,
    ::testing::Values(
        ViewKey{"Right", QKeyCombination(Qt::Key_Right), ViewKey::Rotation, 0, 1, "1"},
        ViewKey{"ShiftRight", Qt::SHIFT | Qt::Key_Right, ViewKey::Rotation, 5, 15, "15"},
        ViewKey{"LeftAtTheStart", QKeyCombination(Qt::Key_Left), ViewKey::Rotation, 0, 0, "0"},
        ViewKey{"ShiftRightAtTheEnd", Qt::SHIFT | Qt::Key_Right, ViewKey::Rotation, 355, 359,
                "359"},
        ViewKey{"Down", QKeyCombination(Qt::Key_Down), ViewKey::Tilt, 0, 1, "1"},
        ViewKey{"ShiftUp", Qt::SHIFT | Qt::Key_Up, ViewKey::Tilt, 45, 35, "35"},
        ViewKey{"Plus", QKeyCombination(Qt::Key_Plus), ViewKey::Zoom, 100, 101, "1,01"},
        ViewKey{"MinusAtTheEnd", QKeyCombination(Qt::Key_Minus), ViewKey::Zoom, 80, 80, "0,8"},
        ViewKey{"Digit5", QKeyCombination(Qt::Key_5), ViewKey::Offset, 0, 5, "5"},
        ViewKey{"Digit8", QKeyCombination(Qt::Key_8), ViewKey::Offset, 0, 0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, RightClickMenuKeyAndShiftF10OpenTheViewsMenu) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const std::function<void()> ways[] = {
        [&] {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    form->Picture1->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(form->Picture1, &click);
        },
        [&] { QTest::keyClick(form->Picture1, Qt::Key_Menu); },
        [&] { QTest::keyClick(form->Picture1, Qt::Key_F10, Qt::ShiftModifier); }};
    for (const auto& open : ways) {
        form->Picture1->setFocus();
        open();
        EXPECT_TRUE(form->viewMenu()->isVisible());
        form->viewMenu()->hide();
    }
}

// Both looks are set through the controls, whatever the user set before, and the colour look
// is the window's start look again.
struct LookCase {
    const char* name;
    int body;
    void (*before)(TestForm1&);
};

class LookTest : public FormTest, public ::testing::WithParamInterface<LookCase> {};

TEST_P(LookTest, WorksheetAndColourLooksSetTheControls) {
    form->SSCommand1[GetParam().body]->click();
    const QImage start = view();
    const bool capsShown[] = {shown(form->Picture6[0]), shown(form->Picture6[1])};
    GetParam().before(*form);

    menuEntry("Arbeitsblatt-Darstellung")->trigger();
    EXPECT_EQ(form->Picture5->backColor(), MakeColorRef(255, 255, 255));
    EXPECT_EQ(form->Picture1->backColor(), MakeColorRef(255, 255, 255));
    for (int g = 0; g < 2; ++g) {
        EXPECT_EQ(form->Picture4[g]->backColor(), 0u) << g;
        EXPECT_EQ(form->Check1[g]->value(), 1) << g;
        EXPECT_EQ(form->Check2[g]->value(), 1) << g;
        EXPECT_TRUE(shown(form->Check2[g])) << g;
        EXPECT_FALSE(shown(form->Picture2[g])) << g;
        EXPECT_EQ(form->Check3[g]->value(), 1) << g;
        EXPECT_FALSE(shown(form->Picture6[g])) << g;
    }
    EXPECT_EQ(form->Picture3[0]->borderStyle(), 2);
    EXPECT_EQ(form->Picture3[1]->borderStyle(), 1);
    emit form->viewMenu()->aboutToShow();
    EXPECT_TRUE(menuEntry("Linien hinten/gestrichelt")->isChecked());
    EXPECT_TRUE(menuEntry("Linien vorn/durchgezogen")->isChecked());
    EXPECT_FALSE(contains(view(), qRgb(0, 0, 255)));

    menuEntry("Farbige Darstellung")->trigger();
    EXPECT_EQ(view(), start);
    EXPECT_EQ(shown(form->Picture6[0]), capsShown[0]);
    EXPECT_EQ(shown(form->Picture6[1]), capsShown[1]);
    EXPECT_TRUE(shown(form->Picture2[0]));
}

INSTANTIATE_TEST_SUITE_P(Before, LookTest,
                         ::testing::Values(LookCase{"StartCube", Wuerfel, [](TestForm1&) {}},
                                           LookCase{"OpaqueFrontFaces", Zylinder,
                                                    [](TestForm1& f) { f.Check1[1]->setValue(0); }},
                                           LookCase{"NoBackFacesOpenCapDashDot", Kegel,
                                                    [](TestForm1& f) {
                                                        f.Check2[0]->setValue(0);
                                                        f.Check3[1]->setValue(1);
                                                        emit f.Picture3[1]->mousePressed(
                                                            Qt::RightButton);
                                                    }},
                                           LookCase{"SphereWithoutCaps", Kugel, [](TestForm1&) {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FormTest, LineStylesByNameStepTheSampleLine) {
    const char* names[] = {"durchgezogen", "gestrichelt", "gepunktet", "Strich-Punkt",
                           "Strich-Punkt-Punkt"};
    for (int g = 0; g < 2; ++g)
        for (int k : {3, 0, 4, 1, 2}) {
            const QString entry =
                QString(g == 1 ? "Linien vorn/" : "Linien hinten/") + QString::fromUtf8(names[k]);
            menuEntry(entry)->trigger();
            EXPECT_EQ(form->Picture3[g]->borderStyle(), k + 1) << entry.toStdString();
            emit form->viewMenu()->aboutToShow();
            EXPECT_TRUE(menuEntry(entry)->isChecked());
        }
}

} // namespace
} // namespace solifa
