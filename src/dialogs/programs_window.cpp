#include "dialogs/programs_window.h"

#include <QLabel>

#include "dialogs/dialog_geometry.h"
#include "dialogs/dialog_style.h"
#include "dialogs/panel_3d.h"

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
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      screen_(screen) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(kTitle);
    setModal(true);
    SetWhiteBackground(this);
    setFixedSize(TwipsToPixels(screen, 0, 0, kWidthTwips, kHeightTwips).size());

    for (std::size_t i = 0; i < Label1.size(); ++i) {
        auto* label = new QLabel(QString::fromUtf8(kTexts[i]), this);
        label->setFont(Arial(14.25, true));
        SetTextColor(label, i == 0 ? QColor(0, 0, 255) : QColor(255, 0, 0));
        label->setGeometry(TwipsToPixels(screen, 120, 90 + int(i) * 390, 4470, 360));
        Label1[i] = label;
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
