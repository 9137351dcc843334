#pragma once
// A clock that says what the test set, for the constructor-mode date check.

#include <QDateTime>

#include "platform/Clock.h"

namespace qw {

class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime now) : now_(std::move(now)) {}
    QDateTime Now() const override { return now_; }
    void Set(QDateTime now) { now_ = std::move(now); }

private:
    QDateTime now_;
};

}  // namespace qw
