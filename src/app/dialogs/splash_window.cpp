#include "app/dialogs/splash_window.h"

#include <QLabel>
#include <QPainter>

#include "app/dialogs/dialog_geometry.h"
#include "app/dialogs/dialog_style.h"
#include "widgets/interval_timer.h"

namespace solifa {
namespace {

const QString kPresenting = QStringLiteral("Das SOLIFA-Projekt zeigt:");
const QString kTitle = QStringLiteral("SOLIFA");
const QString kNotice =
    QStringLiteral("Zeichnet Körper für Arbeitsblätter. Freie Software – die Lizenz steht bei "
                   "ihrem Quelltext.");

constexpr int kWidthTwips = 7455;
constexpr int kHeightTwips = 3465;
constexpr int kLogoSize = 227;

struct TitleLayer {
    int left;
    int top;
    QColor color;
};
// Drawn in this order, so the black one lies on top and the others show as its shadow.
const TitleLayer kTitleLayers[3] = {
    {3480, 1080, QColor(255, 255, 0)},
    {3510, 1110, QColor(255, 0, 0)},
    {3570, 1170, QColor(0, 0, 0)},
};
constexpr int kTitleWidthTwips = 3675;
constexpr int kTitleHeightTwips = 1215;

} // namespace

Form2::Form2(const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), screen_(screen) {
    SetUpSmallWindow(this, screen, QStringLiteral("Form2"), kWidthTwips, kHeightTwips);
    setModal(true);

    Picture1 = AddLogo(this, 2, 2, kLogoSize);

    presenting = AddCaption(this, screen, kPresenting, Arial(14.25, false), QColor(0, 0, 255),
                            QRect(3480, 360, 3855, 420));

    for (std::size_t i = 0; i < title.size(); ++i) {
        const TitleLayer& layer = kTitleLayers[i];
        title[i] = AddCaption(this, screen, kTitle, Arial(48, true, true), layer.color,
                              QRect(layer.left, layer.top, kTitleWidthTwips, kTitleHeightTwips));
    }

    notice = AddCaption(this, screen, kNotice, Arial(8.25, false), Qt::black,
                        QRect(3480, 2520, 3855, 780));
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Timer1 = new IntervalTimer(this);
    connect(Timer1, &IntervalTimer::tick, this, &Form2::Timer1_Timer);
}

void Form2::Timer1_Timer() {
    Timer1->setInterval(0);
    done(QDialog::Accepted);
}

void Form2::centre() {
    CentreOnScreen(*this, screen_);
}

void Form2::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // Without a frame from the desktop a thin border sets the white window off from what lies
    // behind it.
    QPainter painter(this);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace solifa
