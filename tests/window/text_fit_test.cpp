// No text is cut at any size of the window: button captions, labels and frame titles fit their
// boxes, and check-box indicators and scroll-bar arrows grow with the layout.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include "app/window/control_inventory.h"
#include "form_fixture.h"
#include "widgets/button_3d.h"
#include "widgets/value_label.h"

namespace solifa {
namespace {

// The room a control gives its text, in its own coordinates, and the width the text needs.
struct TextRoom {
    QString text;
    int room = 0;
    int needed = 0;
};

TextRoom RoomOf(QWidget* w) {
    if (auto* b = qobject_cast<Button3D*>(w))
        return {b->text(), b->captionRoom(), b->fontMetrics().horizontalAdvance(b->text())};
    if (auto* g = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        opt.textAlignment = g->alignment();
        const QRect label =
            g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        // The label must also lie inside the frame's box.
        const int room = std::min(label.width(), g->width() - label.left());
        return {g->title(), room, g->fontMetrics().horizontalAdvance(g->title())};
    }
    if (auto* c = qobject_cast<QCheckBox*>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(c);
        opt.text = c->text();
        const QRect contents = c->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, c);
        return {c->text(), contents.width(), c->fontMetrics().horizontalAdvance(c->text())};
    }
    if (auto* v = qobject_cast<ValueLabel*>(w))
        return {v->text(), v->width(), v->fontMetrics().horizontalAdvance(v->text())};
    if (auto* l = qobject_cast<QLabel*>(w))
        return {l->text(), l->width(), l->fontMetrics().horizontalAdvance(l->text())};
    return {};
}

class TextFit : public FormTest {};

TEST_F(TextFit, EveryCaptionFitsItsBoxAtEveryScale) {
    for (int tenths = 5; tenths <= 30; ++tenths) {
        const double s = tenths / 10.0;
        form->resize(qRound(9870 * s / 15), qRound(6675 * s / 15));
        for (const ControlDesign& d : ControlInventory()) {
            QWidget* w = form->control(QString::fromUtf8(d.name));
            if (qobject_cast<Button3D*>(w)) {
                // Shrunk only as far as needed, and back at the design's size once it fits.
                const int points = w->font().pointSize();
                EXPECT_GE(points, std::min(6, form->lastFonts().f9)) << d.name << " at s " << s;
                if (s >= 1.0) {
                    EXPECT_EQ(points, 9) << d.name << " at s " << s;
                }
            }
            const TextRoom t = RoomOf(w);
            if (t.text.isEmpty())
                continue;
            EXPECT_LE(t.needed, t.room) << d.name << " \"" << t.text.toStdString() << "\" at s "
                                        << s << ", " << w->font().pointSizeF() << " pt";
        }
    }
}

TEST_F(TextFit, IndicatorsAndArrowsGrowWithTheLayout) {
    struct Measure {
        int indicator, arrowsRoom, barThickness;
    };
    auto measure = [&] {
        auto* box = qobject_cast<QCheckBox*>(form->control(QStringLiteral("Check1(0)")));
        QStyleOptionButton opt;
        opt.initFrom(box);
        const QRect ind = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, box);
        const auto* bar = qobject_cast<QScrollBar*>(form->control(QStringLiteral("HScroll1(0)")));
        return Measure{ind.height(),
                       bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar),
                       bar->height()};
    };
    form->resize(qRound(9870 / 15.0), qRound(6675 / 15.0));
    const Measure one = measure();
    form->resize(qRound(9870 * 2.5 / 15), qRound(6675 * 2.5 / 15));
    const Measure big = measure();
    EXPECT_NEAR(double(big.indicator) / one.indicator, 2.5, 0.5);
    // The arrows of a horizontal bar are as wide as the bar is thick.
    EXPECT_EQ(big.arrowsRoom, big.barThickness);
    EXPECT_EQ(one.arrowsRoom, one.barThickness);
}

} // namespace
} // namespace solifa
