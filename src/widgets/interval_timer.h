#pragma once
// A timer with a millisecond interval, stopped by the interval 0. It never ticks faster than
// a display shows frames, so every frame drawn in a tick is seen.
#include <QObject>
#include <QTimer>

namespace solifa {

class IntervalTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kShortestPeriodMs = 16;

    explicit IntervalTimer(QObject* parent = nullptr);

    // 0 stops the timer; any other value runs it with max(ms, 16) between ticks. Setting the
    // interval it already runs with does not restart the count.
    void setInterval(int ms);
    // The interval as set, 0 while stopped.
    int interval() const { return interval_; }
    // The period it really ticks with, 0 while stopped.
    int effectiveInterval() const { return timer_.isActive() ? timer_.interval() : 0; }
    bool isActive() const { return timer_.isActive(); }

signals:
    void tick();

private:
    QTimer timer_;
    int interval_ = 0;
};

} // namespace solifa
