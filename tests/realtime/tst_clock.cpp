#include "realtime/clock.h"

#include <QSignalSpy>
#include <QTest>

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void virtualClockRunsTasksInTimeOrder()
    {
        VirtualClock clock;
        QList<QPair<QString, qint64>> ran;
        const auto note = [&](const QString &name) { return [&, name] { ran.append({name, clock.nowMs()}); }; };
        clock.schedule(300, note("c"));
        clock.schedule(100, note("a"));
        clock.schedule(100, note("b"));   // same moment: in scheduling order
        clock.schedule(-5, note("now"));
        clock.advance(250);
        QCOMPARE(ran, (QList<QPair<QString, qint64>>{{"now", 0}, {"a", 100}, {"b", 100}}));
        QCOMPARE(clock.nowMs(), 250);
        clock.advance(50);
        QCOMPARE(ran.last(), (QPair<QString, qint64>{"c", 300}));
        QCOMPARE(clock.pendingCount(), 0);
    }

    void tasksScheduledWhileAdvancingRunInTheSameSpan()
    {
        VirtualClock clock;
        QList<qint64> times;
        std::function<void()> chain = [&] {
            times.append(clock.nowMs());
            if (times.size() < 5)
                clock.schedule(1000, chain);
        };
        clock.schedule(1000, chain);
        clock.advance(3500);
        QCOMPARE(times, (QList<qint64>{1000, 2000, 3000}));
        QCOMPARE(clock.nextDueMs(), 4000);
        QVERIFY(clock.runNext());
        QCOMPARE(clock.nowMs(), 4000);
        clock.advance(100000);
        QCOMPARE(times.size(), 5);
        QVERIFY(!clock.runNext());
    }

    void cancelledTasksDoNotRun()
    {
        VirtualClock clock;
        int runs = 0;
        const Clock::TaskId first = clock.schedule(10, [&] { ++runs; });
        Clock::TaskId second = 0;
        clock.schedule(5, [&] { clock.cancel(second); });   // cancels a later task from inside a task
        second = clock.schedule(20, [&] { runs += 10; });
        clock.cancel(first);
        clock.cancel(first);     // twice is harmless
        clock.cancel(12345);     // unknown id is harmless
        clock.advance(100);
        QCOMPARE(runs, 0);
    }

    // Like a window timer: a changed interval restarts the countdown.
    void timerIntervalRestartsTheCountdown()
    {
        VirtualClock clock;
        ClockTimer timer(clock);
        QList<qint64> ticks;
        connect(&timer, &ClockTimer::timeout, this, [&] { ticks.append(clock.nowMs()); });
        timer.setInterval(1000);
        timer.start();
        clock.advance(2500);
        timer.setInterval(8000);   // at 2500
        clock.advance(8000);
        QCOMPARE(ticks, (QList<qint64>{1000, 2000, 10500}));
        timer.stop();
        clock.advance(60000);
        QCOMPARE(ticks.size(), 3);
        QVERIFY(!timer.isActive());
    }

    void timerHandlerMayRetimeOrStopIt()
    {
        VirtualClock clock;
        ClockTimer timer(clock);
        QList<qint64> ticks;
        connect(&timer, &ClockTimer::timeout, this, [&] {
            ticks.append(clock.nowMs());
            if (ticks.size() == 1)
                timer.setInterval(8000);   // as a step command does
            else if (ticks.size() == 2)
                timer.setInterval(1000);
            else if (ticks.size() == 4)
                timer.stop();
        });
        timer.start();
        clock.advance(100000);
        QCOMPARE(ticks, (QList<qint64>{1000, 9000, 10000, 11000}));
    }

    void multiHourVirtualRunIsCheap()
    {
        VirtualClock clock;
        ClockTimer timer(clock);
        int ticks = 0;
        connect(&timer, &ClockTimer::timeout, this, [&] { ++ticks; });
        timer.start();
        clock.advance(qint64(6) * 3600 * 1000);
        QCOMPARE(ticks, 6 * 3600);
        QCOMPARE(clock.pendingCount(), 1);
    }

    void realClockRunsTasksFromTheEventLoop()
    {
        QtClock clock;
        QList<int> order;
        const qint64 start = clock.nowMs();
        clock.schedule(60, [&] { order.append(2); });
        clock.schedule(20, [&] { order.append(1); });
        const Clock::TaskId dropped = clock.schedule(40, [&] { order.append(99); });
        clock.cancel(dropped);
        QVERIFY(order.isEmpty());   // never run inside schedule()
        QTRY_COMPARE(order, (QList<int>{1, 2}));
        QVERIFY(clock.nowMs() - start >= 60);
        QTest::qWait(80);
        QCOMPARE(order.size(), 2);
    }

    void realClockTimer()
    {
        QtClock clock;
        ClockTimer timer(clock);
        QSignalSpy ticks(&timer, &ClockTimer::timeout);
        timer.setInterval(20);
        timer.start();
        QTRY_VERIFY(ticks.size() >= 3);
        timer.stop();
        const int count = int(ticks.size());
        QTest::qWait(60);
        QCOMPARE(ticks.size(), count);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
