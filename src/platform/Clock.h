#pragma once
// The time of day for the constructor-mode check; tests set their own.

#include <QDateTime>

namespace qw {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime Now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace qw
