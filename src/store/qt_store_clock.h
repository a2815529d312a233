#pragma once

#include "store_clock.h"

// The store's timers as QTimers on the main thread.
class QtStoreClock : public StoreClock
{
public:
    std::unique_ptr<StoreTimer> createTimer(Repeat repeat, std::function<void()> timeout) override;
};
