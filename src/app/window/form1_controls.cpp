#include "app/window/form1_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <stdexcept>

#include "widgets/button_3d.h"
#include "widgets/check_box.h"
#include "widgets/line_sample.h"
#include "widgets/picture_box.h"
#include "widgets/scroll_bar.h"

namespace solifa {
namespace {

class Binder {
public:
    explicit Binder(const std::map<QString, QWidget*>& built) : built_(built) {}

    template <class T> void operator()(const QString& name, T*& slot) const {
        const auto it = built_.find(name);
        slot = it == built_.end() ? nullptr : qobject_cast<T*>(it->second);
        if (slot == nullptr)
            throw std::logic_error("no control " + name.toStdString() + " of its kind");
    }
    template <class T, std::size_t N>
    void operator()(const QString& name, std::array<T*, N>& entries) const {
        for (std::size_t i = 0; i < N; ++i)
            (*this)(name + QLatin1Char('(') + QString::number(i) + QLatin1Char(')'), entries[i]);
    }

private:
    const std::map<QString, QWidget*>& built_;
};

} // namespace

void Form1Controls::bind(const std::map<QString, QWidget*>& built) {
    const Binder b(built);
    b("SSCommand1", SSCommand1);
    b("SSCommand2", SSCommand2);
    b("SSCommand3", SSCommand3);
    b("SSCommand4", SSCommand4);
    b("SSCommand5", SSCommand5);
    b("SSCommand6", SSCommand6);
    b("SSCommand8", SSCommand8);
    b("SSCommand9", SSCommand9);
    b("SSCommand10", SSCommand10);
    b("SSCommand11", SSCommand11);
    b("Label1", Label1);
    b("Label2", Label2);
    b("Label4", Label4);
    b("Label5", Label5);
    b("Label6", Label6);
    b("Label7", Label7);
    b("Label8", Label8);
    b("Label9", Label9);
    b("Label14", Label14);
    b("Label15", Label15);
    b("Label16", Label16);
    b("Label17", Label17);
    b("Picture1", Picture1);
    b("Picture2", Picture2);
    b("Picture3", Picture3);
    b("Picture4", Picture4);
    b("Picture5", Picture5);
    b("Picture6", Picture6);
    b("Picture7", Picture7);
    b("Frame1", Frame1);
    for (int n = 2; n <= 10; ++n)
        b(QStringLiteral("Frame%1").arg(n), Frame[n]);
    b("Check1", Check1);
    b("Check2", Check2);
    b("Check3", Check3);
    b("Check4", Check4);
    b("HScroll1", HScroll1);
    b("HScroll2", HScroll2);
    b("HScroll3", HScroll3);
    b("HScroll4", HScroll4);
    b("HScroll6", HScroll6);
    b("VScroll1", VScroll1);
    b("VScroll2", VScroll2);
    b("ProgressBar2", ProgressBar2);
}

} // namespace solifa
