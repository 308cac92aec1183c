#pragma once
// The window shown while the program starts: the logo, the name written three times into one
// shadowed title, and a line about the program. Its timer closes it; the timer stands still
// until the start-up gives it an interval.
#include <QDialog>
#include <array>

class QLabel;

namespace solifa {

class IntervalTimer;
class ScreenMetrics;

class Form2 : public QDialog {
    Q_OBJECT
public:
    explicit Form2(const ScreenMetrics& screen, QWidget* parent = nullptr);

    // Closes the window, once: the timer stops first.
    void Timer1_Timer();
    // Puts the window in the middle of the screen.
    void centre();

    QLabel* Picture1 = nullptr;   // the logo
    QLabel* presenting = nullptr; // the line above the title
    // The title: yellow, red and black, each a little further down and to the right.
    std::array<QLabel*, 3> title{};
    QLabel* notice = nullptr;
    IntervalTimer* Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ScreenMetrics& screen_;
};

} // namespace solifa
