#include "app/dialogs/info_window.h"

#include <QLabel>
#include <QPixmapCache>

#include "app/dialogs/dialog_geometry.h"
#include "app/dialogs/dialog_style.h"
#include "version.h"
#include "widgets/button_3d.h"

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
// What the program is, what it gives out, what it is, and where questions go; %1 is the
// program's version.
const Line kLines[5] = {
    {"Körper für Arbeitsblätter", 12, false},  {"Bitmap, Ablage, Druck", 14.25, false},
    {"Version %1, freie Software", 12, false}, {"den Issue-Tracker des Projekts,", 12, true},
    {"zu finden beim Quelltext", 12, true},
};

constexpr int kWidthTwips = 7395;
constexpr int kHeightTwips = 3375;
constexpr int kLogoSize = 227;
constexpr int kTextLeft = 3480;
constexpr int kTextWidth = 3840;

} // namespace

Info::Info(const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent, kTitledSmallWindow), screen_(screen) {
    SetUpSmallWindow(this, screen, QStringLiteral("Info"), kWidthTwips, kHeightTwips);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);

    Picture1 = AddLogo(this, 0, 0, kLogoSize);

    question = AddCaption(this, screen, kQuestion, Arial(9.75, false), Qt::black,
                          QRect(kTextLeft, 90, kTextWidth, 480));
    question->setWordWrap(true);
    question->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    name = AddCaption(this, screen, kName, Arial(26.25, true), QColor(0, 0, 255),
                      QRect(kTextLeft, 540, kTextWidth, 630));

    int top = 1200;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& l = kLines[i];
        const int height = l.points > 12 ? 345 : 300;
        lines[i] = AddCaption(
            this, screen,
            QString::fromUtf8(l.text).replace(QLatin1String("%1"), QLatin1String(kVersion)),
            Arial(l.points, true), l.blue ? QColor(0, 0, 255) : QColor(0, 0, 0),
            QRect(kTextLeft, top, kTextWidth, height));
        top += height;
    }

    SSCommand1 = new Button3D(QStringLiteral("OK"), this);
    SSCommand1->setFont(Arial(9, true));
    SSCommand1->setGeometry(TwipsToPixels(screen, 6060, 2820, 1215, 435));
    connect(SSCommand1, &QPushButton::clicked, this, &Info::SSCommand1_Click);

    Form_Load();
}

Info::~Info() {
    // The style keeps the pictures of drawn buttons in the application's pixmap cache, under
    // keys that include the palette; every new window's palette is a new one, so the pictures
    // of the closed window would stay until the cache is full (10 MB), about 20 KB for each
    // opening. They are dropped with the window; what the main window needs is drawn again.
    QPixmapCache::clear();
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
