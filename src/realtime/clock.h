#pragma once
#include <QElapsedTimer>
#include <QHash>
#include <QObject>

#include <functional>
#include <map>

class QTimer;

// Time source and single-shot scheduler for everything that runs on a
// schedule (step command pauses, run engine ticks, the simulator). The real
// clock runs on Qt timers; the virtual clock runs only when advanced, so a
// test or a replay can cover hours of instrument time in milliseconds.
// Callbacks always run on the thread that owns the clock, never nested in
// schedule(). The clock must outlive everything that scheduled on it.
class Clock
{
public:
    using TaskId = quint64;   // 0 is never a valid id

    virtual ~Clock() = default;
    // Monotonic milliseconds; never wraps at midnight.
    virtual qint64 nowMs() const = 0;
    // Runs task once, delayMs from now (negative counts as 0).
    virtual TaskId schedule(qint64 delayMs, std::function<void()> task) = 0;
    // Forgets a task that has not run yet; unknown or finished ids are ignored.
    virtual void cancel(TaskId id) = 0;
};

class QtClock final : public Clock
{
public:
    QtClock();
    ~QtClock() override;

    qint64 nowMs() const override;
    TaskId schedule(qint64 delayMs, std::function<void()> task) override;
    void cancel(TaskId id) override;

private:
    QElapsedTimer m_elapsed;
    QObject m_context;
    QHash<TaskId, QTimer *> m_timers;
    TaskId m_nextId = 1;
};

class VirtualClock final : public Clock
{
public:
    qint64 nowMs() const override { return m_now; }
    TaskId schedule(qint64 delayMs, std::function<void()> task) override;
    void cancel(TaskId id) override;

    // Runs every task due up to now + ms in time order (tasks due at the same
    // moment in the order they were scheduled), including tasks they schedule
    // inside the span; now() reads each task's due time while it runs.
    void advance(qint64 ms);
    // Advances to the next due task and runs everything due then.
    // Returns false when nothing is scheduled.
    bool runNext();
    int pendingCount() const { return int(m_tasks.size()); }
    qint64 nextDueMs() const;   // -1 when nothing is scheduled

private:
    using Key = std::pair<qint64, TaskId>;   // due time, then scheduling order
    std::map<Key, std::function<void()>> m_tasks;
    QHash<TaskId, qint64> m_dueById;
    qint64 m_now = 0;
    TaskId m_nextId = 1;
    bool runOneDueBy(qint64 limit);
};

// A repeating timer on a Clock, with the behaviour of a window timer:
// the next tick comes one interval after the previous one, and changing the
// interval of a running timer restarts its countdown from now.
class ClockTimer : public QObject
{
    Q_OBJECT
public:
    explicit ClockTimer(Clock &clock, QObject *parent = nullptr);
    ~ClockTimer() override;

    void setInterval(int ms);
    int interval() const { return m_intervalMs; }
    void start();
    void stop();
    bool isActive() const { return m_pending != 0; }

signals:
    void timeout();

private:
    void arm();
    void fire();

    Clock &m_clock;
    int m_intervalMs = 1000;
    Clock::TaskId m_pending = 0;
};
