// Long seeded random sequences of everything a user can do in the main window, with the
// window's invariants checked after every event.
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>

#include "app/window/decimal_text.h"
#include "files/output_texts.h"
#include "support/fake_platform.h"
#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/interval_timer.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"
#include "window/test_form.h"

namespace solifa {
namespace {

int EnvInt(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n > 0 ? n : fallback;
}

class RandomUser {
public:
    RandomUser(unsigned seed, const QString& folder) : rng_(seed), folder_(folder) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        platform_ = fake_.platform();
        form_ = std::make_unique<TestForm1>(platform_);
        form_->Form_Load();
        form_->show();
    }
    ~RandomUser() { QLocale::setDefault(QLocale::c()); }

    // One random event; returns a short description for failure messages.
    std::string act() {
        TestForm1& f = *form_;
        switch (pick(0, 16)) {
        case 0: {
            const int i = pick(0, kBodyCount - 1);
            f.SSCommand1[i]->click();
            return "body " + std::to_string(i);
        }
        case 1:
            if (shown(f.SSCommand1[kFirstDigitButton])) {
                const int i = pick(kFirstDigitButton, kLastDigitButton);
                f.SSCommand1[i]->click();
                return "digit " + std::to_string(i - kFirstDigitButton);
            }
            return "digit (hidden)";
        case 2:
        case 3:
            return moveBar(randomBar(), pick(0, 1) == 1);
        case 4: {
            CheckBox* boxes[] = {f.Check1[0], f.Check1[1], f.Check2[0], f.Check2[1],
                                 f.Check3[0], f.Check3[1], f.Check4};
            CheckBox* c = boxes[pick(0, 6)];
            if (!shown(c))
                return "check (hidden)";
            c->click();
            return "check " + c->objectName().toStdString();
        }
        case 5: {
            PictureBox* boxes[] = {f.Picture2[0], f.Picture2[1], f.Picture4[0], f.Picture4[1],
                                   f.Picture6[0], f.Picture6[1], f.Picture5};
            PictureBox* b = boxes[pick(0, 6)];
            if (!shown(b))
                return "colour (hidden)";
            if (pick(0, 3) == 0)
                fake_.colorDialog.cancel();
            else
                fake_.colorDialog.answer(MakeColorRef(pick(0, 255), pick(0, 255), pick(0, 255)));
            emit b->clicked();
            return "colour " + b->objectName().toStdString();
        }
        case 6: {
            const int g = pick(0, 1);
            if (!shown(f.Picture3[g]))
                return "dash (hidden)";
            emit f.Picture3[g]->mousePressed(Qt::LeftButton);
            return "dash";
        }
        case 7: {
            // From far too narrow to wider than the screen.
            const double w = pick(0, 5) == 0 ? pick(300, 2400) : pick(2400, 40000);
            f.setSizeTwips(w, pick(1500, 12000));
            return "resize " + std::to_string(int(w));
        }
        case 8:
            f.SSCommand3->click();
            return "turn";
        case 9:
        case 10: {
            const int n = pick(1, 4);
            for (int i = 0; i < n; ++i)
                f.Timer1_Timer();
            return "ticks";
        }
        case 11:
            return fileButton();
        case 12:
            (pick(0, 1) ? f.SSCommand2 : f.SSCommand4)->click();
            return "standard";
        case 13:
            if (!shown(f.SSCommand5))
                return "clipboard (hidden)";
            f.SSCommand5->click();
            return "clipboard";
        case 14:
            if (!shown(f.SSCommand6))
                return "print (hidden)";
            fake_.printerDialog.cancel();
            f.SSCommand6->click();
            return "print cancelled";
        default:
            return moveBar(randomBar(), false);
        }
    }

    // The window's invariants; returns an empty string when all hold.
    std::string check() {
        TestForm1& f = *form_;
        // The window keeps running after a fault, but only our computation faults are expected:
        // anything else (a failed lookup, a bad cast) is a fault of the program.
        if (f.swallowedFaults.other > 0)
            return "an event ended in an unexpected exception: " + f.swallowedFaults.lastOther;
        auto same = [](QLabel* l, const QString& want, const char* what) -> std::string {
            return l->text() == want ? ""
                                     : std::string(what) + " shows " + l->text().toStdString() +
                                           ", bar says " + want.toStdString();
        };
        const std::string labels[] = {
            same(f.Label1[6], QString::number(f.HScroll1[0]->value()), "rotation"),
            same(f.Label1[5], QString::number(f.VScroll1->value()), "tilt"),
            same(f.Label1[7], QString::number(f.HScroll1[1]->value()), "corners"),
            same(f.Label1[8], QString::number(f.HScroll1[2]->value()), "levels"),
            same(f.Label1[9], QString::number(f.model.selectedDigitButton - kFirstDigitButton),
                 "offset"),
            same(f.Label7[2], QString::number(f.HScroll2->value()), "x"),
            same(f.Label7[3], QString::number(-f.VScroll2->value()), "y"),
            same(f.Label8[1], FormatDecimal(f.HScroll4->value() / 100.0), "zoom"),
            same(f.Label5[1], QString::number(f.HScroll3->value()), "frames"),
            same(f.Label16, QString::number(f.HScroll6->value()), "pixels"),
        };
        for (const std::string& s : labels)
            if (!s.empty())
                return s;
        const ModelState& m = f.model;
        if (m.frameIndex < 0 || m.frameIndex >= m.frameCount)
            return "frame counter out of range";
        for (int r = 0; r <= m.faceSide.maxRow(); ++r)
            for (int c = 0; c <= m.faceSide.maxCorner(); ++c)
                if (m.faceSide.at(r, c) > 1)
                    return "faceSide not 0 or 1";
        const int rings = HighestRing(m.currentBody, f.HScroll1[2]->value());
        for (int r = 0; r <= rings; ++r)
            for (int c = 0; c <= m.viewPoints.maxCorner(); ++c)
                if (!std::isfinite(m.viewPoints.at(r, c, 0)) ||
                    !std::isfinite(m.viewPoints.at(r, c, 2)))
                    return "a drawn coordinate is not finite";
        for (const auto& apex : m.viewApex)
            if (!std::isfinite(apex[0]) || !std::isfinite(apex[2]))
                return "an apex is not finite";
        if (f.ProgressBar2->value() > f.ProgressBar2->maximum())
            return "progress beyond its maximum";
        for (const QString& name : QDir(folder_).entryList(QDir::Files))
            if (!allowed_.count(QDir(folder_).filePath(name)))
                return "unexpected file " + name.toStdString();
        // Keep the disk small: the written files have been checked.
        for (const QString& name : QDir(folder_).entryList(QDir::Files))
            QFile::remove(QDir(folder_).filePath(name));
        return "";
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool shown(const QWidget* w) const { return w->isVisibleTo(form_.get()); }

    ScrollBar* randomBar() {
        TestForm1& f = *form_;
        ScrollBar* bars[] = {f.HScroll1[0], f.HScroll1[1], f.HScroll1[2], f.VScroll1, f.HScroll2,
                             f.VScroll2,    f.HScroll4,    f.HScroll3,    f.HScroll6};
        return bars[pick(0, 8)];
    }

    std::string moveBar(ScrollBar* bar, bool drag) {
        if (!shown(bar))
            return "bar (hidden)";
        if (drag) {
            bar->setSliderDown(true);
            for (int i = pick(1, 5); i > 0; --i)
                bar->setValue(pick(bar->minimum(), bar->maximum()));
            bar->setSliderDown(false);
            return "drag " + bar->objectName().toStdString();
        }
        bar->setValue(pick(bar->minimum(), bar->maximum()));
        return "bar " + bar->objectName().toStdString();
    }

    std::string fileButton() {
        TestForm1& f = *form_;
        const int kind = pick(0, 3);
        QString path;
        if (kind == 0) {
            fake_.saveDialog.cancel();
        } else if (kind == 1) {
            path = QDir(folder_).filePath(QStringLiteral("fehlt/x%1.bmp").arg(pick(0, 9)));
            fake_.saveDialog.answer(path);
        } else {
            path = QDir(folder_).filePath(
                QStringLiteral("b%1%2").arg(pick(0, 9)).arg(pick(0, 1) ? ".bmp" : ""));
            fake_.saveDialog.answer(path);
            allowed_.insert(path);
            for (int k = 1; k <= 32; ++k)
                allowed_.insert(FrameSeriesFileName(path, k));
        }
        f.SSCommand9->click();
        return "file button";
    }

    std::mt19937 rng_;
    QString folder_;
    FakePlatform fake_;
    Platform platform_{};
    std::unique_ptr<TestForm1> form_;
    std::set<QString> allowed_;
};

TEST(RandomEvents, EveryInvariantHoldsAfterEveryEvent) {
    const int seeds = EnvInt("SOLIFA_RANDOM_SEEDS", 20);
    const int events = EnvInt("SOLIFA_RANDOM_EVENTS", 2000);
    for (int seed = 1; seed <= seeds; ++seed) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        RandomUser user(unsigned(seed), dir.path());
        std::string trail;
        for (int e = 0; e < events; ++e) {
            std::string what;
            ASSERT_NO_THROW(what = user.act()) << "seed " << seed << " event " << e;
            trail = what;
            const std::string broken = user.check();
            ASSERT_EQ(broken, "") << "seed " << seed << " event " << e << " (" << trail << ")";
        }
    }
}

} // namespace
} // namespace solifa
