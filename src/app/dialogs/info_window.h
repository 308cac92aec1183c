#pragma once
// The information window: the logo, where to turn with questions and suggestions, and the
// program's name with five lines about it. It does not block the main window; "OK" closes it,
// and closing deletes it, so each opening starts from a fresh window.
#include <QDialog>
#include <array>

class QLabel;

namespace solifa {

class Button3D;
class ScreenMetrics;

class Info : public QDialog {
    Q_OBJECT
public:
    explicit Info(const ScreenMetrics& screen, QWidget* parent = nullptr);
    ~Info() override;

    // Loading the window centres it on the screen.
    void Form_Load();
    void SSCommand1_Click(); // "OK"
    void centre();

    QLabel* Picture1 = nullptr; // the logo
    QLabel* question = nullptr;
    QLabel* name = nullptr;
    std::array<QLabel*, 5> lines{};
    Button3D* SSCommand1 = nullptr;

private:
    const ScreenMetrics& screen_;
};

} // namespace solifa
