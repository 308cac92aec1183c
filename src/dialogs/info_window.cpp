#include "dialogs/info_window.h"

#include <QLabel>

#include "dialogs/dialog_geometry.h"
#include "dialogs/dialog_style.h"
#include "dialogs/logo.h"
#include "window/button_3d.h"

namespace solifa {
namespace {

const QString kTitle = QStringLiteral("Information");
const QString kQuestion =
    QStringLiteral("Für Fragen, Anregungen und Informationen wenden Sie sich bitte an:");
const QString kName = QStringLiteral("SOLIFA");

struct Line {
    const char* text;
    double points;
    bool blue;
};
// What the program is, what it gives out, what it is, and where questions go.
const Line kLines[5] = {
    {"Körper für Arbeitsblätter", 12, false},   {"Bitmap, Ablage, Druck", 14.25, false},
    {"Version 1.3, freie Software", 12, false}, {"den Issue-Tracker des Projekts,", 12, true},
    {"zu finden beim Quelltext", 12, true},
};

constexpr int kWidthTwips = 7395;
constexpr int kHeightTwips = 3375;
constexpr int kLogoSize = 227;
constexpr int kTextLeft = 3480;
constexpr int kTextWidth = 3840;

} // namespace

Info::Info(const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      screen_(screen) {
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    SetWhiteBackground(this);
    setFixedSize(TwipsToPixels(screen, 0, 0, kWidthTwips, kHeightTwips).size());

    Picture1 = new QLabel(this);
    Picture1->setPixmap(QPixmap::fromImage(DrawLogo(kLogoSize)));
    Picture1->setGeometry(0, 0, kLogoSize, kLogoSize);

    question = new QLabel(kQuestion, this);
    question->setFont(Arial(9.75, false));
    question->setWordWrap(true);
    question->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    question->setGeometry(TwipsToPixels(screen, kTextLeft, 90, kTextWidth, 480));

    name = new QLabel(kName, this);
    name->setFont(Arial(26.25, true));
    SetTextColor(name, QColor(0, 0, 255));
    name->setGeometry(TwipsToPixels(screen, kTextLeft, 540, kTextWidth, 630));

    int top = 1200;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = kLines[i];
        const int height = l.points > 12 ? 345 : 300;
        lines[i] = new QLabel(QString::fromUtf8(l.text), this);
        lines[i]->setFont(Arial(l.points, true));
        SetTextColor(lines[i], l.blue ? QColor(0, 0, 255) : QColor(0, 0, 0));
        lines[i]->setGeometry(TwipsToPixels(screen, kTextLeft, top, kTextWidth, height));
        top += height;
    }

    SSCommand1 = new Button3D(QStringLiteral("OK"), this);
    SSCommand1->setFont(Arial(9, true));
    SSCommand1->setGeometry(TwipsToPixels(screen, 6060, 2820, 1215, 435));
    connect(SSCommand1, &QPushButton::clicked, this, &Info::SSCommand1_Click);

    Form_Load();
}

void Info::Form_Load() {
    centre();
}

void Info::SSCommand1_Click() {
    close();
}

void Info::centre() {
    CentreOnScreen(*this, screen_);
}

} // namespace solifa
