#pragma once
// A started main window on a fake 1024 x 768 screen at 96 DPI, with fake dialogs.
#include <QAction>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

#include "support/fake_platform.h"
#include "widgets/picture_box.h"
#include "window/test_form.h"

namespace solifa {

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        platformView = fake.platform();
        form = std::make_unique<TestForm1>(platformView);
        form->Form_Load();
        form->show();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    QImage view() const { return form->Picture1->image().copy(); }
    static bool contains(const QImage& img, QRgb colour) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if ((img.pixel(x, y) & 0xffffff) == (colour & 0xffffff))
                    return true;
        return false;
    }
    bool shown(const QWidget* w) const { return w->isVisibleTo(form.get()); }
    // An entry of the view's menu by its texts, a submenu's entry as "submenu/entry".
    QAction* menuEntry(const QString& path) const {
        QAction* found = nullptr;
        const QMenu* menu = form->viewMenu();
        for (const QString& part : path.split(u'/')) {
            found = nullptr;
            for (QAction* a : menu != nullptr ? menu->actions() : QList<QAction*>{})
                if (a->text() == part)
                    found = a;
            if (found == nullptr)
                break;
            menu = found->menu();
        }
        if (found == nullptr)
            ADD_FAILURE() << "no menu entry " << path.toStdString();
        return found;
    }

    FakePlatform fake;
    Platform platformView{};
    std::unique_ptr<TestForm1> form;
};

} // namespace solifa
