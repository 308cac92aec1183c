#include "app/dialogs/dialog_style.h"

#include <QDialog>
#include <QLabel>
#include <QPixmap>

#include "app/dialogs/dialog_geometry.h"
#include "app/dialogs/logo.h"

namespace solifa {

void SetUpSmallWindow(QDialog* window, const ScreenMetrics& screen, const QString& name,
                      int widthTwips, int heightTwips) {
    window->setObjectName(name);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::white);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    window->setFixedSize(TwipsToPixels(screen, 0, 0, widthTwips, heightTwips).size());
}

QLabel* AddCaption(QWidget* window, const ScreenMetrics& screen, const QString& text,
                   const QFont& font, const QColor& color, const QRect& twips) {
    auto* label = new QLabel(text, window);
    label->setFont(font);
    SetTextColor(label, color);
    label->setGeometry(TwipsToPixels(screen, twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

QLabel* AddLogo(QWidget* window, int left, int top, int size) {
    auto* logo = new QLabel(window);
    logo->setPixmap(QPixmap::fromImage(DrawLogo(size)));
    logo->setGeometry(left, top, size, size);
    return logo;
}

} // namespace solifa
