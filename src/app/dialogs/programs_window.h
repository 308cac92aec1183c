#pragma once
// The window that lists the programs of the SOLIFA project, each with its terms. It blocks the
// main window while it is open; its "OK" panel closes it.
#include <QDialog>
#include <array>

class QLabel;

namespace solifa {

class Panel3D;
class ScreenMetrics;

class Form4 : public QDialog {
    Q_OBJECT
public:
    explicit Form4(const ScreenMetrics& screen, QWidget* parent = nullptr);

    // Loading the window centres it on the screen.
    void Form_Load();
    void SSPanel1_Click();

    // [0] the heading, [1] to [4] one program each.
    std::array<QLabel*, 5> Label1{};
    Panel3D* SSPanel1 = nullptr;

private:
    const ScreenMetrics& screen_;
};

} // namespace solifa
