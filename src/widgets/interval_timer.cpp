#include "widgets/interval_timer.h"

#include <algorithm>

namespace solifa {

IntervalTimer::IntervalTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &IntervalTimer::tick);
}

void IntervalTimer::setInterval(int ms) {
    if (ms <= 0) {
        interval_ = 0;
        timer_.stop();
        return;
    }
    if (ms == interval_ && timer_.isActive())
        return;
    interval_ = ms;
    timer_.start(std::max(ms, kShortestPeriodMs));
}

} // namespace solifa
