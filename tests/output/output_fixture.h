#pragma once
// A started main window at the design size, whose view is 213 pixels wide inside, with a
// temporary folder for the files the output actions write.
#include <QDir>
#include <QTemporaryDir>

#include "widgets/button_3d.h"
#include "widgets/scroll_bar.h"
#include "window/form_fixture.h"

namespace solifa {

class OutputTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        form->setSizeTwips(9870, 6675);
        ASSERT_EQ(form->Picture1->innerWidth(), 213);
        ASSERT_EQ(form->HScroll6->value(), 213);
        ASSERT_TRUE(dir.isValid());
    }

    // Presses "Datei erzeugen" and confirms the save dialog with `path`.
    void saveAs(const QString& path) {
        fake.saveDialog.answer(path);
        form->SSCommand9->click();
    }
    QStringList filesInDir() const {
        return QDir(dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    }
    static QImage rgb(const QImage& img) { return img.convertToFormat(QImage::Format_RGB32); }
    // True when every pixel has the colour.
    static bool plain(const QImage& img, QRgb colour) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xffffff) != (colour & 0xffffff))
                    return false;
        return true;
    }

    QTemporaryDir dir;
};

} // namespace solifa
