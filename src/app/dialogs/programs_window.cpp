#include "app/dialogs/programs_window.h"

#include <QLabel>

#include "app/dialogs/dialog_geometry.h"
#include "app/dialogs/dialog_style.h"
#include "widgets/panel_3d.h"

namespace solifa {
namespace {

const QString kTitle = QStringLiteral("Programme des SOLIFA-Projekts");
// The heading, then the window program, the command-line renderer, the speed measurements and
// the tests, all built from the same source.
const char* const kTexts[5] = {
    "Das SOLIFA-Projekt:", "SOLIFA (freie Software)", "solifa-render (frei)",
    "solifa_bench (frei)", "Testprogramme (frei)",
};

constexpr int kWidthTwips = 4710;
constexpr int kHeightTwips = 2790;

} // namespace

Form4::Form4(const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent, kTitledSmallWindow), screen_(screen) {
    SetUpSmallWindow(this, screen, QStringLiteral("Form4"), kWidthTwips, kHeightTwips);
    setWindowTitle(kTitle);
    setModal(true);

    for (std::size_t i = 0; i < Label1.size(); ++i) {
        Label1[i] = AddCaption(this, screen, QString::fromUtf8(kTexts[i]), Arial(14.25, true),
                               i == 0 ? QColor(0, 0, 255) : QColor(255, 0, 0),
                               QRect(120, 90 + int(i) * 390, 4470, 360));
    }

    SSPanel1 = new Panel3D(QStringLiteral("OK"), this);
    SSPanel1->setFont(Arial(9.75, true));
    SSPanel1->setGeometry(TwipsToPixels(screen, 0, 2280, kWidthTwips, 510));
    connect(SSPanel1, &Panel3D::clicked, this, &Form4::SSPanel1_Click);

    Form_Load();
}

void Form4::Form_Load() {
    CentreOnScreen(*this, screen_);
}

void Form4::SSPanel1_Click() {
    close();
}

} // namespace solifa
