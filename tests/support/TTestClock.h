#pragma once

#include "common/ZClock.h"

/// Sets the system's clock for the lifetime of the object and returns it to
/// the system clock afterwards.
class TTestClock
{
public:
    explicit TTestClock(const QDateTime &moment, bool running = false) { SetZClock(moment, running); }
    ~TTestClock() { ResetZClock(); }
    TTestClock(const TTestClock &) = delete;
    TTestClock &operator=(const TTestClock &) = delete;

    void set(const QDateTime &moment, bool running = false) { SetZClock(moment, running); }
};
