#include "clock.h"

#include <QTimer>

#include <algorithm>
#include <limits>

QtClock::QtClock()
{
    m_elapsed.start();
}

QtClock::~QtClock()
{
    qDeleteAll(m_timers);
}

qint64 QtClock::nowMs() const
{
    return m_elapsed.elapsed();
}

Clock::TaskId QtClock::schedule(qint64 delayMs, std::function<void()> task)
{
    const TaskId id = m_nextId++;
    auto *timer = new QTimer(&m_context);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, &m_context, [this, id, task = std::move(task)] {
        if (QTimer *done = m_timers.take(id))
            done->deleteLater();
        task();
    });
    m_timers.insert(id, timer);
    timer->start(int(std::clamp<qint64>(delayMs, 0, std::numeric_limits<int>::max())));
    return id;
}

void QtClock::cancel(TaskId id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

Clock::TaskId VirtualClock::schedule(qint64 delayMs, std::function<void()> task)
{
    const TaskId id = m_nextId++;
    const qint64 due = m_now + qMax<qint64>(0, delayMs);
    m_tasks.emplace(Key{due, id}, std::move(task));
    m_dueById.insert(id, due);
    return id;
}

void VirtualClock::cancel(TaskId id)
{
    const auto due = m_dueById.find(id);
    if (due == m_dueById.end())
        return;
    m_tasks.erase(Key{due.value(), id});
    m_dueById.erase(due);
}

bool VirtualClock::runOneDueBy(qint64 limit)
{
    if (m_tasks.empty() || m_tasks.begin()->first.first > limit)
        return false;
    auto first = m_tasks.begin();
    m_now = first->first.first;
    m_dueById.remove(first->first.second);
    std::function<void()> task = std::move(first->second);
    m_tasks.erase(first);
    task();
    return true;
}

void VirtualClock::advance(qint64 ms)
{
    const qint64 target = m_now + qMax<qint64>(0, ms);
    while (runOneDueBy(target)) {
    }
    m_now = target;
}

bool VirtualClock::runNext()
{
    if (m_tasks.empty())
        return false;
    const qint64 due = m_tasks.begin()->first.first;
    while (runOneDueBy(due)) {
    }
    return true;
}

qint64 VirtualClock::nextDueMs() const
{
    return m_tasks.empty() ? -1 : m_tasks.begin()->first.first;
}

ClockTimer::ClockTimer(Clock &clock, QObject *parent)
    : QObject(parent), m_clock(clock)
{
}

ClockTimer::~ClockTimer()
{
    stop();
}

void ClockTimer::setInterval(int ms)
{
    m_intervalMs = qMax(1, ms);   // a zero interval would never let a virtual clock move on
    if (isActive())
        arm();
}

void ClockTimer::start()
{
    arm();
}

void ClockTimer::stop()
{
    if (m_pending) {
        m_clock.cancel(m_pending);
        m_pending = 0;
    }
}

void ClockTimer::arm()
{
    stop();
    m_pending = m_clock.schedule(m_intervalMs, [this] { fire(); });
}

void ClockTimer::fire()
{
    m_pending = 0;
    arm();   // before the handler, which may stop or re-time us
    emit timeout();
}
