#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// A link on a virtual clock whose instrument end the test writes by hand.
struct LinkFixture
{
    VirtualClock clock;
    InstrumentLink link{clock};
    MemoryTransport *device = nullptr;

    LinkFixture()
    {
        auto pair = MemoryTransport::createPair();
        device = pair.device.release();   // owned below, after the link lets go
        link.attachTransport(std::move(pair.host));
    }
    ~LinkFixture()
    {
        link.ClosePort();
        delete device;
    }
    void send(const QByteArray &bytes) { device->write(bytes); }
};

QByteArray frame(int temperature, int stress = 100, int speedHundredths = 10000, int combination = 1, int pH10 = 70)
{
    return "1,2," + QByteArray::number(temperature) + ',' + QByteArray::number(stress) + ",0,"
           + QByteArray::number(speedHundredths) + ',' + QByteArray::number(combination) + ','
           + QByteArray::number(pH10) + '\x1A';
}

} // namespace

class TestInstrumentLink : public QObject
{
    Q_OBJECT

private slots:
    void twoFramesInOneReadLaterWins()
    {
        LinkFixture f;
        QSignalSpy readings(&f.link, &InstrumentLink::readingReceived);
        f.send(frame(70) + frame(71));
        const LinkPollResult poll = f.link.PollReadings();
        QVERIFY(poll.frameEndSeen);
        QCOMPARE(poll.accepted, 2);
        QCOMPARE(readings.size(), 2);
        QCOMPARE(readings[0][0].value<InstrumentReading>().sampleTemperature, 70.0);
        QCOMPARE(f.link.latestReading().sampleTemperature, 71.0);
    }

    void frameSplitAcrossReads()
    {
        LinkFixture f;
        const QByteArray whole = frame(88);
        f.send(whole.left(7));
        LinkPollResult poll = f.link.PollReadings();
        QVERIFY(!poll.frameEndSeen);
        QCOMPARE(poll.accepted, 0);
        f.send(whole.mid(7, 5));
        QCOMPARE(f.link.PollReadings().accepted, 0);
        f.send(whole.mid(12) + frame(89).left(4));
        poll = f.link.PollReadings();
        QVERIFY(poll.frameEndSeen);
        QCOMPARE(poll.accepted, 1);
        QCOMPARE(f.link.latestReading().sampleTemperature, 88.0);
        QCOMPARE(f.link.bufferedBytes(), std::size_t(4));
    }

    void outOfRangeFramesAreIgnored()
    {
        LinkFixture f;
        f.send(frame(70, 100));
        f.link.PollReadings();
        f.send(frame(75, 5001) + frame(9, 100));
        const LinkPollResult poll = f.link.PollReadings();
        QCOMPARE(poll.accepted, 0);
        QCOMPARE(poll.rejected, 2);
        QCOMPARE(f.link.latestReading().sampleTemperature, 70.0);
        QCOMPARE(f.link.latestReading().shearStress, 100.0);
    }

    // Only the malformed frame is lost, not the valid frame behind it.
    void malformedFrameDoesNotTakeTheNextOne_data()
    {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("six commas") << QByteArray("1,2,70,100,0,10000,170\x1A");
        QTest::newRow("nine fields") << QByteArray("1,2,70,100,0,10000,1,70,1\x1A");
        QTest::newRow("noise") << QByteArray("\x13\x7f\x1A");
    }
    void malformedFrameDoesNotTakeTheNextOne()
    {
        QFETCH(QByteArray, bad);
        LinkFixture f;
        f.send(bad + frame(99) + frame(100).left(6));
        const LinkPollResult poll = f.link.PollReadings();
        QCOMPARE(poll.rejected, 1);
        QCOMPARE(poll.accepted, 1);
        QCOMPARE(f.link.latestReading().sampleTemperature, 99.0);
        f.send(frame(100).mid(6));
        QCOMPARE(f.link.PollReadings().accepted, 1);
        QCOMPARE(f.link.latestReading().sampleTemperature, 100.0);
    }

    // The watchdog looks every fifth tick: a check with no frame since the
    // previous one says "No Response".
    void watchdog_data()
    {
        QTest::addColumn<QString>("frames");     // per tick: '1' a frame arrives, '.' nothing
        QTest::addColumn<QString>("noResponse"); // per tick: 'N' when reported
        QTest::newRow("silent") << "..............." << ".........N....N";
        QTest::newRow("streaming") << "111111111111111" << "...............";
        QTest::newRow("goes quiet") << "1111111111.........." << "..............N....N";
        QTest::newRow("one frame rearms") << "......1........" << "..............N";
        QTest::newRow("malformed counts as an answer") << "xxxxxxxxxxxxxxx" << "...............";
    }
    void watchdog()
    {
        QFETCH(QString, frames);
        QFETCH(QString, noResponse);
        LinkFixture f;
        QString seen;
        for (const QChar c : frames) {
            if (c == u'1')
                f.send(frame(70));
            else if (c == u'x')
                f.send("1,2,3\x1A");
            seen += f.link.PollReadings().noResponse ? u'N' : u'.';
        }
        QCOMPARE(seen, noResponse);
        QCOMPARE(f.link.tickCount(), qint64(frames.size()));
    }

    // Each unit keeps its own pair: frames and settings of one unit never
    // change another unit's commands.
    void rotorBobPairIsPerUnit()
    {
        LinkFixture unit1, unit2;
        unit1.link.setRotorBob(*RotorBobPair::fromKey("R1B4"));
        unit2.link.setRotorBob(*RotorBobPair::fromKey("R2B1"));
        unit1.send(frame(70, 100, 10000, 5));
        unit1.link.PollReadings();
        QCOMPARE(unit1.link.rotorBob(), *RotorBobPair::fromKey("R1B5"));
        QCOMPARE(unit2.link.rotorBob(), *RotorBobPair::fromKey("R2B1"));

        unit2.send(frame(70, 100, 10000, 2));
        unit2.link.PollReadings();
        QCOMPARE(unit2.link.latestReading().shearRate, 100.0 / (0.58744 / 3.185));

        unit2.link.SendStepCommand(50, 100);
        unit2.clock.advance(8000);
        QVERIFY(unit2.device->readAll().contains("01,60000,100,05000,2\r\x1A"));
    }

    void flushEmptiesTheBuffer()
    {
        LinkFixture f;
        f.send(frame(70) + "1,2,");
        f.link.readInput();
        f.send(frame(71));
        f.link.flushInput();
        QCOMPARE(f.link.bufferedBytes(), std::size_t(0));
        const LinkPollResult poll = f.link.PollReadings();
        QVERIFY(!poll.frameEndSeen);
        QCOMPARE(poll.accepted, 0);
    }

    void latestReadingCanHoldAverages()
    {
        LinkFixture f;
        f.send(frame(70));
        f.link.PollReadings();
        InstrumentReading average = f.link.latestReading();
        average.sampleTemperature = 69.5;
        f.link.setLatestReading(average);
        QCOMPARE(f.link.latestReading().sampleTemperature, 69.5);
        f.send(frame(72));
        f.link.PollReadings();
        QCOMPARE(f.link.latestReading().sampleTemperature, 72.0);
    }

    void vanishedPortIsReportedAndCanBeReopened()
    {
        LinkFixture f;
        QSignalSpy errors(&f.link, &InstrumentLink::errorOccurred);
        f.send(frame(70));
        f.device->close();   // the instrument end hangs up
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::PortVanished);
        QVERIFY(!f.link.isOpen());
        QCOMPARE(f.link.lastError(), LinkError::PortVanished);
        QCOMPARE(f.link.PollReadings().accepted, 1);   // what came before the hang-up is kept

        QVERIFY(!f.link.reopen());   // nothing on the line yet
        QCOMPARE(errors.size(), 2);
        QCOMPARE(f.link.lastError(), LinkError::DeviceNotFound);

        QVERIFY(f.device->open());
        QVERIFY(f.link.reopen());
        QVERIFY(f.link.isOpen());
        f.send(frame(73));
        QCOMPARE(f.link.PollReadings().accepted, 1);
        QCOMPARE(f.link.latestReading().sampleTemperature, 73.0);
    }

    void openPortFromStationSettings_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("port");
        QTest::addColumn<LinkError>("error");
        QTest::newRow("unit without a port") << 2 << 0 << LinkError::NotConfigured;
        QTest::newRow("no unit 9") << 9 << 3 << LinkError::NotConfigured;
        QTest::newRow("mapped to a missing device") << 2 << 3 << LinkError::DeviceNotFound;
    }
    void openPortFromStationSettings()
    {
        QFETCH(int, unit);
        QFETCH(int, port);
        QFETCH(LinkError, error);
        StationSettings settings;
        settings.ports[1] = port;
        PortMap ports;
        ports.setDevice(3, QStringLiteral("/dev/no-such-kx720-port"));
        VirtualClock clock;
        InstrumentLink link(clock);
        QSignalSpy errors(&link, &InstrumentLink::errorOccurred);
        QVERIFY(!link.OpenPort(unit, settings, ports));
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<LinkError>(), error);
        QVERIFY(!errors[0][1].toString().isEmpty());
        QCOMPARE(link.lastError(), error);
    }
};

QTEST_GUILESS_MAIN(TestInstrumentLink)
#include "tst_instrumentlink.moc"
