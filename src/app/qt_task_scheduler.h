#pragma once

#include "shell_seams.h"

#include <QObject>

// Delayed tasks as single-shot QTimers on the main thread. A timer lives until it fires or
// is cancelled, then deletes itself; the scheduler owns the ones still pending.
class QtTaskScheduler : public QObject, public TaskScheduler
{
    Q_OBJECT
public:
    using QObject::QObject;
    std::shared_ptr<DelayedTask> schedule(int delayMs, std::function<void()> work) override;
};
