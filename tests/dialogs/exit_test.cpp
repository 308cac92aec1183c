// Leaving the program: at once, by the button or by closing the main window, also while the
// turn writes a frame series and while the information window is open.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "app/dialogs/info_window.h"
#include "widgets/button_3d.h"
#include "widgets/interval_timer.h"
#include "window/form_fixture.h"

namespace solifa {
namespace {

enum class Way { Button, CloseWindow };

class Leaving : public FormTest, public ::testing::WithParamInterface<Way> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->endProcess = [this] { ++endCalls; };
    }
    int endCalls = 0;
};

TEST_P(Leaving, EndsAtOnceWithoutWritingTheRestOfASeries) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    form->SSCommand10->click();
    QPointer<Info> info = form->info.infoWindow;
    ASSERT_FALSE(info.isNull());
    form->SSCommand3->click(); // the turn runs
    fake.saveDialog.answer(folder.filePath(QStringLiteral("frame.bmp")));
    form->SSCommand9->click(); // a series is pending
    ASSERT_GT(form->model.framesToWrite, 0);

    if (GetParam() == Way::Button)
        form->SSCommand11->click();
    else
        form->close();

    EXPECT_EQ(endCalls, 1);
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->model.framesToWrite, 0);
    EXPECT_TRUE(info.isNull() || !info->isVisible());
    EXPECT_TRUE(fake.messageBox.messages.empty()) << "no question is asked";

    // Events still arriving do not write any frame.
    QTest::qWait(100);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways, Leaving, ::testing::Values(Way::Button, Way::CloseWindow),
                         [](const auto& info) {
                             return info.param == Way::Button ? "ProgrammBeenden" : "CloseWindow";
                         });

} // namespace
} // namespace solifa
