#pragma once

#include "app/shell_seams.h"

#include <QStringList>
#include <algorithm>

// Screens and pointer the test sets directly.
class FakeScreens : public ShellScreens
{
public:
    QList<ScreenInfo> list;
    std::optional<ScreenInfo> primary;
    QPoint pointer;

    QList<ScreenInfo> screens() const override { return list; }
    std::optional<ScreenInfo> primaryScreen() const override { return primary; }
    QPoint pointerPosition() const override { return pointer; }
};

// A clock that only moves when the test advances it. Tasks due at the same time run in
// the order they were scheduled.
class FakeScheduler : public TaskScheduler
{
public:
    struct Task : DelayedTask
    {
        qint64 due = 0;
        qint64 order = 0;
        std::function<void()> work;
        bool cancelled = false;
        void cancel() override { cancelled = true; }
    };

    std::shared_ptr<DelayedTask> schedule(int delayMs, std::function<void()> work) override
    {
        auto task = std::make_shared<Task>();
        task->due = m_now + delayMs;
        task->order = m_nextOrder++;
        task->work = std::move(work);
        m_tasks.append(task);
        return task;
    }

    void advance(qint64 ms)
    {
        const qint64 end = m_now + ms;
        for (;;) {
            auto next = std::min_element(m_tasks.begin(), m_tasks.end(), [](const auto &a, const auto &b) {
                return std::pair(a->due, a->order) < std::pair(b->due, b->order);
            });
            if (next == m_tasks.end() || (*next)->due > end)
                break;
            const std::shared_ptr<Task> task = *next;
            m_tasks.erase(next);
            m_now = task->due;
            if (!task->cancelled)
                task->work();
        }
        m_now = end;
    }

    int pendingCount() const
    {
        return int(std::count_if(m_tasks.begin(), m_tasks.end(), [](const auto &t) { return !t->cancelled; }));
    }

private:
    qint64 m_now = 0;
    qint64 m_nextOrder = 0;
    QList<std::shared_ptr<Task>> m_tasks;
};

// Records every window operation as text, and keeps the resulting window state.
class FakeWindows : public ShellWindows
{
public:
    QRect panel;
    QRect tab;
    bool panelShown = false;
    bool tabShown = false;
    bool popupOpen = false;
    QStringList log;

    QRect panelGeometry() const override { return panel; }
    void movePanel(const QRect &target, bool animated) override
    {
        panel = target;
        log << QStringLiteral("move %1 %2").arg(rectText(target), animated ? "animated" : "at once");
    }
    void orderPanelFront() override
    {
        panelShown = true;
        log << QStringLiteral("panel front");
    }
    void orderPanelOut() override
    {
        panelShown = false;
        log << QStringLiteral("panel out");
    }
    void setTabGeometry(const QRect &frame) override
    {
        tab = frame;
        log << QStringLiteral("tab at %1").arg(rectText(frame));
    }
    void orderTabFront() override
    {
        tabShown = true;
        log << QStringLiteral("tab front");
    }
    void orderTabOut() override
    {
        tabShown = false;
        log << QStringLiteral("tab out");
    }
    bool isPopupOpen() const override { return popupOpen; }

    static QString rectText(const QRect &r)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
};
