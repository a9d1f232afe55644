#include "ChangeCoalescer.h"

TChangeCoalescer::TChangeCoalescer(std::chrono::milliseconds quiet,
                                   std::chrono::milliseconds longest, QObject* parent)
    : QObject(parent), quiet_(quiet), longest_(longest) {
    timer_.setSingleShot(true);
    timer_.setInterval(quiet_);
    connect(&timer_, &QTimer::timeout, this, &TChangeCoalescer::Settled);
}

void TChangeCoalescer::Notify() {
    if (!timer_.isActive()) {
        burst_.start();
        timer_.start();
        return;
    }
    if (std::chrono::milliseconds(burst_.elapsed()) + quiet_ <= longest_) timer_.start();
}
