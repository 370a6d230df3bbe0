#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "realtime/stepcommand.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Records every write with the clock time it happened at.
class RecordingTransport final : public ByteTransport
{
public:
    explicit RecordingTransport(Clock &clock) : m_clock(clock) {}
    struct Write { qint64 at; QByteArray bytes; };

    bool open() override { m_open = true; return true; }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QByteArray readAll() override { return std::exchange(incoming, {}); }
    bool write(const QByteArray &bytes) override
    {
        if (failWrites) {
            reportError(LinkError::IoFailed, QStringLiteral("refused"));
            return false;
        }
        writes.append({m_clock.nowMs(), bytes});
        return true;
    }
    QString deviceName() const override { return QStringLiteral("recorder"); }
    void vanish()
    {
        m_open = false;
        reportError(LinkError::PortVanished, QStringLiteral("unplugged"));
    }

    QList<Write> writes;
    QByteArray incoming;
    bool failWrites = false;

private:
    Clock &m_clock;
    bool m_open = true;
};

QByteArray bytesOf(const QList<RecordingTransport::Write> &writes)
{
    QByteArray all;
    for (const auto &w : writes)
        all += w.bytes;
    return all;
}

} // namespace

class TestStepCommand : public QObject
{
    Q_OBJECT

private slots:
    void setPointFormat_data()
    {
        QTest::addColumn<double>("fahrenheit");
        QTest::addColumn<QString>("text");
        QTest::newRow("75.6 rounds up, three digits") << 75.6 << "076";
        QTest::newRow("75.4 rounds down") << 75.4 << "075";
        QTest::newRow("half rounds away from zero") << 150.5 << "151";
        QTest::newRow("300") << 300.0 << "300";
        QTest::newRow("single digit") << 5.0 << "005";
        QTest::newRow("zero") << 0.0 << "000";
        QTest::newRow("four digits kept") << 1000.0 << "1000";
        QTest::newRow("negative sent as zero") << -12.0 << "000";
        QTest::newRow("NaN sent as zero") << std::nan("") << "000";
    }
    void setPointFormat()
    {
        QFETCH(double, fahrenheit);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(kx720::formatSetPoint(fahrenheit)), text);
    }

    void speedFormat_data()
    {
        QTest::addColumn<double>("rpm");
        QTest::addColumn<QString>("text");
        QTest::newRow("100 rpm") << 100.0 << "10000";
        QTest::newRow("650 rpm limited to 600") << 650.0 << "60000";
        QTest::newRow("exactly 600") << 600.0 << "60000";
        QTest::newRow("just above 600") << 600.004 << "60000";
        QTest::newRow("170 1/s with R1B1") << 0.58744 * 170 << "09986";
        QTest::newRow("hundredths rounded") << 12.346 << "01235";
        QTest::newRow("tiny speed") << 0.004 << "00000";
        QTest::newRow("zero") << 0.0 << "00000";
        QTest::newRow("negative sent as zero") << -3.0 << "00000";
        QTest::newRow("NaN sent as zero") << std::nan("") << "00000";
        QTest::newRow("infinite limited to 600") << std::numeric_limits<double>::infinity() << "60000";
    }
    void speedFormat()
    {
        QFETCH(double, rpm);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(kx720::formatSpeed(rpm)), text);
    }

    void commandText()
    {
        QCOMPARE(QString::fromStdString(kx720::stepCommandText(100, 300, 1)), "01,60000,300,10000,1");
        QCOMPARE(QString::fromStdString(kx720::stepCommandText(650, 75.6, 9)), "01,60000,076,60000,9");
    }

    // Every write separately, in order, each at its own moment; the discard
    // and the completion at the end.
    void writesAndPausesOnTheClock()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        int writesWhenStarted = -1;
        connect(&link, &InstrumentLink::stepCommandStarted, this,
                [&] { writesWhenStarted = int(port->writes.size()); });

        QVERIFY(link.SendStepCommand(100, 300));
        QCOMPARE(writesWhenStarted, 0);       // started is signalled before the first byte
        QCOMPARE(clock.nowMs(), 0);           // nothing waited inside the call
        QVERIFY(link.isCommandRunning());

        clock.advance(20000);
        const QList<QPair<qint64, QByteArray>> expected{
            {0, "\x06"}, {3000, "\x03"}, {3100, "01"}, {3200, ","}, {3300, "60000"}, {3400, ","},
            {3500, "300"}, {3600, ","}, {3700, "10000"}, {3800, ","}, {3900, "1"}, {4000, "\r\x1A"},
            {4100, "99"}, {4300, "\x05"},
        };
        QCOMPARE(port->writes.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(port->writes[i].at, expected[i].first);
            QCOMPARE(port->writes[i].bytes, expected[i].second);
        }
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), true);
        QVERIFY(!link.isCommandRunning());
        QCOMPARE(kx720::stepCommandDurationMs(), 7300);
    }

    void completionComesAfterTheLastPause()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        QVERIFY(link.attachTransport(std::make_unique<RecordingTransport>(clock)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        link.SendStepCommand(10, 80);
        clock.advance(7299);
        QCOMPARE(finished.size(), 0);
        clock.advance(1);
        QCOMPARE(finished.size(), 1);
    }

    // What arrives while the command is written is dropped; what arrives
    // after the ENQ is kept.
    void discardsWhatArrivedDuringTheCommand()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        port->incoming = "1,2,70,10,0,100,1,70\x1A";
        link.readInput();   // already in the link's buffer
        link.SendStepCommand(100, 300);
        clock.advance(2000);
        port->incoming += "1,2,71,10,0,100,1,70\x1A" "1,2,";   // not yet read by the link
        clock.advance(2300);                               // 4300: discard, then ENQ
        QCOMPARE(port->writes.last().bytes, QByteArray("\x05"));
        QCOMPARE(link.bufferedBytes(), std::size_t(0));
        port->incoming = "1,2,72,10,0,100,1,70\x1A";
        clock.advance(1000);
        const LinkPollResult poll = link.PollReadings();
        QCOMPARE(poll.accepted, 1);
        QCOMPARE(link.latestReading().sampleTemperature, 72.0);
    }

    void sendsThisUnitsCombination_data()
    {
        QTest::addColumn<int>("combination");
        QTest::addColumn<double>("expectedFactor");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("known combination 2") << 2 << 0.58744 / 3.185 << QByteArray("2");
        QTest::newRow("unknown 9 keeps the factor") << 9 << 0.58744 / 0.4995 << QByteArray("9");
    }
    void sendsThisUnitsCombination()
    {
        QFETCH(int, combination);
        QFETCH(double, expectedFactor);
        QFETCH(QByteArray, sent);
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        link.setRotorBob({5, 0.58744 / 0.4995});
        port->incoming = "1,2,70,10,0,100," + QByteArray::number(combination) + ",70\x1A";
        QCOMPARE(link.PollReadings().accepted, 1);
        QCOMPARE(link.rotorBob().combination, combination);
        QCOMPARE(link.rotorBob().factor, expectedFactor);

        link.SendStepCommand(100, 300);
        clock.advance(8000);
        QVERIFY(bytesOf(port->writes).contains("01,60000,300,10000," + sent + "\r\x1A"));
    }

    // A stop during the pauses must not be followed by the rest of the
    // command (which would start the rotor again).
    void stopAbandonsTheRunningCommand()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        link.SendStepCommand(100, 300);
        clock.advance(3500);
        const int before = int(port->writes.size());
        QVERIFY(link.SendStop());
        clock.advance(10000);
        QCOMPARE(port->writes.size(), before + 1);
        QCOMPARE(port->writes.last().bytes, QByteArray("\x06"));
        QCOMPARE(finished.size(), 0);
        QVERIFY(!link.isCommandRunning());
    }

    void newCommandReplacesTheRunningOne()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        link.SendStepCommand(100, 300);
        clock.advance(3150);   // "\x06", "\x03", "01" are out
        link.SendStepCommand(200, 150);
        clock.advance(20000);
        QCOMPARE(bytesOf(port->writes),
                 QByteArray("\x06\x03" "01" "\x06\x03" "01,60000,150,20000,1\r\x1A" "99\x05"));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(port->writes.last().at, 3150 + 4300);
    }

    void portLossEndsTheCommandAsFailed()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        QSignalSpy errors(&link, &InstrumentLink::errorOccurred);
        link.SendStepCommand(100, 300);
        clock.advance(1000);
        port->vanish();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::PortVanished);
        clock.advance(10000);
        QCOMPARE(port->writes.size(), 1);
    }

    void refusedWriteEndsTheCommandAsFailed()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        auto owned = std::make_unique<RecordingTransport>(clock);
        RecordingTransport *port = owned.get();
        QVERIFY(link.attachTransport(std::move(owned)));
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        QSignalSpy errors(&link, &InstrumentLink::errorOccurred);
        link.SendStepCommand(100, 300);
        port->failWrites = true;
        clock.advance(10000);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][0].toBool(), false);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::IoFailed);
    }

    void refusedWhenThePortIsNotOpen()
    {
        VirtualClock clock;
        InstrumentLink link(clock);
        QSignalSpy errors(&link, &InstrumentLink::errorOccurred);
        QSignalSpy started(&link, &InstrumentLink::stepCommandStarted);
        QVERIFY(!link.SendStepCommand(100, 300));
        QVERIFY(!link.SendStop());
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::NotOpen);
        QCOMPARE(started.size(), 0);
        QCOMPARE(clock.pendingCount(), 0);
    }

    // Two units on one clock: one unit's pauses leave the other running.
    void unitsInterleaveDuringPauses()
    {
        VirtualClock clock;
        auto pairA = MemoryTransport::createPair(QStringLiteral("a"));
        auto pairB = MemoryTransport::createPair(QStringLiteral("b"));
        MemoryTransport *deviceA = pairA.device.get();
        MemoryTransport *deviceB = pairB.device.get();
        InstrumentLink a(clock), b(clock);
        QVERIFY(a.attachTransport(std::move(pairA.host)));
        QVERIFY(b.attachTransport(std::move(pairB.host)));
        a.SendStepCommand(100, 300);
        clock.advance(1000);
        b.SendStepCommand(50, 200);
        clock.advance(2500);   // a at 3500, b at 2500
        QCOMPARE(deviceA->readAll(), QByteArray("\x06\x03" "01" ",60000" ",300"));
        QCOMPARE(deviceB->readAll(), QByteArray("\x06"));
    }
};

QTEST_GUILESS_MAIN(TestStepCommand)
#include "tst_stepcommand.moc"
