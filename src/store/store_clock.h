#pragma once

#include <functional>
#include <memory>

// The store's timers (the history save's debounce, the clipboard poll, the copied mark), behind
// a small interface so that tests can drive them with a fake clock instead of waiting.
class StoreTimer
{
public:
    virtual ~StoreTimer() = default;
    // Starts the timer, or restarts it when it is running: the next timeout comes `intervalMs`
    // from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class StoreClock
{
public:
    enum class Repeat
    {
        once,      // fires once, never before the full interval
        repeating, // fires every interval and may be a little late, so the system can batch wake-ups
    };

    virtual ~StoreClock() = default;
    // A stopped timer that calls `timeout` on the main thread. Destroying it stops it.
    virtual std::unique_ptr<StoreTimer> createTimer(Repeat repeat, std::function<void()> timeout) = 0;
};
