#include "realtime/clock.h"
#include "realtime/instrumentcommandparser.h"
#include "realtime/instrumentlink.h"
#include "realtime/memorytransport.h"
#include "realtime/simulatedinstrument.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace {

// A unit link and a simulated instrument on one in-memory line and one
// virtual clock.
struct Bench
{
    VirtualClock clock;
    std::unique_ptr<MemoryTransport> device;
    InstrumentLink link{clock};
    std::unique_ptr<SimulatedInstrument> instrument;

    explicit Bench(const SimulatorConfig &config = quietConfig())
    {
        auto pair = MemoryTransport::createPair();
        device = std::move(pair.device);
        instrument = std::make_unique<SimulatedInstrument>(clock, *device, config);
        link.attachTransport(std::move(pair.host));
    }
    ~Bench()
    {
        instrument.reset();
        link.ClosePort();
    }
    static SimulatorConfig quietConfig()
    {
        SimulatorConfig config;
        config.pHNoise = 0;
        config.stressNoise = 0;
        return config;
    }
    // Sends a command and lets it finish (7.3 s).
    void command(double rpm, double setPoint)
    {
        QVERIFY(link.SendStepCommand(rpm, setPoint));
        clock.advance(kx720::stepCommandDurationMs());
        QVERIFY(!link.isCommandRunning());
    }
    // One-second ticks; returns the polls.
    QList<LinkPollResult> tick(int seconds)
    {
        QList<LinkPollResult> polls;
        for (int i = 0; i < seconds; ++i) {
            clock.advance(1000);
            polls.append(link.PollReadings());
        }
        return polls;
    }
    static int accepted(const QList<LinkPollResult> &polls)
    {
        int n = 0;
        for (const auto &p : polls)
            n += p.accepted;
        return n;
    }
    static int rejected(const QList<LinkPollResult> &polls)
    {
        int n = 0;
        for (const auto &p : polls)
            n += p.rejected;
        return n;
    }
};

using Kind = InstrumentCommandParser::Event::Kind;

QString describe(const std::vector<InstrumentCommandParser::Event> &events)
{
    QStringList parts;
    for (const auto &e : events) {
        switch (e.kind) {
        case Kind::Stop: parts << "stop"; break;
        case Kind::Enquiry: parts << "enq"; break;
        case Kind::BadCommand: parts << "bad"; break;
        case Kind::StepCommand:
            parts << QStringLiteral("cmd %1/%2/%3").arg(e.command.setPoint).arg(e.command.speedHundredths).arg(e.command.combination);
            break;
        }
    }
    return parts.join(' ');
}

} // namespace

class TestSimulatedInstrument : public QObject
{
    Q_OBJECT

private slots:
    void commandParser_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QString>("events");
        QTest::newRow("whole command")
            << QList<QByteArray>{"\x06\x03" "01,60000,300,10000,1\r\x1A" "99\x05"} << "stop cmd 300/10000/1 enq";
        QTest::newRow("one write per item")
            << QList<QByteArray>{"\x06", "\x03", "01", ",", "60000", ",", "076", ",", "60000", ",", "9", "\r\x1A", "99", "\x05"}
            << "stop cmd 76/60000/9 enq";
        QTest::newRow("stop byte alone") << QList<QByteArray>{"\x06"} << "stop";
        QTest::newRow("four fields") << QList<QByteArray>{"\x03" "01,60000,300,10000\r"} << "bad";
        QTest::newRow("letter in a field") << QList<QByteArray>{"\x03" "01,60000,3x0,10000,1\r"} << "bad";
        QTest::newRow("ENQ cuts a command short")
            << QList<QByteArray>{"\x03" "01,600", "\x05", "00,300,10000,1\r"} << "enq";
        QTest::newRow("endless command text")
            << QList<QByteArray>{"\x03" + QByteArray(100, '1') + "\r"} << "bad";
    }
    void commandParser()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QString, events);
        InstrumentCommandParser parser;
        std::vector<InstrumentCommandParser::Event> all;
        for (const QByteArray &chunk : chunks) {
            auto got = parser.feed(chunk.toStdString());
            all.insert(all.end(), got.begin(), got.end());
        }
        QCOMPARE(describe(all), events);
    }

    // After a command the instrument answers within the command's own
    // pauses, so the next tick finds frames (no resend needed).
    void commandThenOneFramePerSecond()
    {
        Bench b;
        QSignalSpy commands(b.instrument.get(), &SimulatedInstrument::commandReceived);
        b.command(100, 200);
        QCOMPARE(commands.size(), 1);
        QCOMPARE(b.instrument->setPoint(), 200.0);
        QCOMPARE(b.instrument->motorSpeed(), 100.0);
        QCOMPARE(b.instrument->combination(), 1);
        QVERIFY(b.instrument->isStreaming());

        b.clock.advance(700);   // the tick 8 s after the command began
        const LinkPollResult first = b.link.PollReadings();
        QVERIFY(first.frameEndSeen);
        QCOMPARE(first.accepted, 3);   // 1, 2 and 3 s after the ENQ

        const auto polls = b.tick(60);
        QCOMPARE(Bench::accepted(polls), 60);
        QCOMPARE(Bench::rejected(polls), 0);
        const InstrumentReading r = b.link.latestReading();
        QCOMPARE(r.motorSpeed, 100.0);
        QCOMPARE(r.shearRate, 100.0 / 0.58744);
        QVERIFY(r.sampleTemperature > 75 && r.sampleTemperature < 200);
    }

    void temperatureApproachesTheSetPointWithALag()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.heatingTimeConstant = 300;
        Bench b(config);
        const qint64 commandAt = b.clock.nowMs();
        b.command(100, 275);
        QList<QPair<double, double>> samples;   // seconds since the command, frame temperature
        for (int i = 0; i < 100; ++i) {
            b.tick(30);
            samples.append({double(b.clock.nowMs() - commandAt) / 1000.0, b.link.latestReading().sampleTemperature});
        }
        double previous = 0;
        for (const auto &[seconds, temperature] : samples) {
            // The newest frame is at most a second old and whole degrees.
            const double expected = 275 - 200 * std::exp(-(seconds - 4.3 - 1) / 300.0);
            QVERIFY2(std::fabs(temperature - expected) <= 2.0,
                     qPrintable(QStringLiteral("%1 s: %2 °F, expected about %3").arg(seconds).arg(temperature).arg(expected)));
            QVERIFY(temperature >= previous);
            previous = temperature;
        }
        QCOMPARE(samples.last().second, 275.0);
    }

    // Power law: the same fluid at two speeds gives its flow index back.
    void stressFollowsThePowerLaw()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.fluid.consistency = 30;
        config.fluid.flowIndex = 0.4;
        config.fluid.thinningPerDegree = 0;
        Bench b(config);
        b.command(50, 75);
        b.tick(5);
        const InstrumentReading slow = b.link.latestReading();
        b.command(300, 75);
        b.tick(5);
        const InstrumentReading fast = b.link.latestReading();
        QCOMPARE(slow.shearStress, std::round(30 * std::pow(50 / 0.58744, 0.4)));
        const double n = std::log(fast.shearStress / slow.shearStress) / std::log(fast.shearRate / slow.shearRate);
        QVERIFY2(std::fabs(n - 0.4) < 0.01, qPrintable(QString::number(n)));
    }

    void warmerSampleIsThinner()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.heatingTimeConstant = 0;   // heats at once
        Bench b(config);
        b.command(100, 75);
        b.tick(3);
        const double cold = b.link.latestReading().shearStress;
        b.command(100, 175);
        b.tick(3);
        const double hot = b.link.latestReading().shearStress;
        QVERIFY2(std::fabs(hot / cold - std::exp(-0.01 * 100)) < 0.02, qPrintable(QString::number(hot / cold)));
    }

    // A breaking gel loses half its consistency every half-life, which is
    // what automatic shut-down watches for.
    void breakingGelThins()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.fluid.breakHalfLifeMinutes = 10;
        Bench b(config);
        b.command(100, 75);
        b.tick(1);
        const double start = b.link.latestReading().shearStress;
        b.tick(600);
        const double later = b.link.latestReading().shearStress;
        QVERIFY2(std::fabs(later / start - 0.5) < 0.02, qPrintable(QString::number(later / start)));
        // Commands of the same test do not make a new sample.
        b.command(100, 75);
        b.tick(2);
        QVERIFY(b.link.latestReading().shearStress < 0.55 * start);
    }

    void pHDriftsSlowly()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.initialPH = 7.0;
        config.pHDriftPerHour = -0.6;
        Bench b(config);
        b.command(100, 75);
        b.tick(1);
        QCOMPARE(b.link.latestReading().pH, 7.0);
        b.tick(3600);
        QCOMPARE(b.link.latestReading().pH, 6.4);
    }

    void pHNoiseIsSmall()
    {
        SimulatorConfig config;
        config.pHNoise = 0.02;
        config.pHDriftPerHour = 0;
        Bench b(config);
        b.command(100, 75);
        QSet<double> seen;
        connect(&b.link, &InstrumentLink::readingReceived, this, [&](const InstrumentReading &r) {
            seen.insert(r.pH);
            QVERIFY(std::fabs(r.pH - 7.0) <= 0.15);
        });
        b.tick(300);
        QVERIFY(seen.size() > 1);
    }

    void stopByteStopsTheRotorAndTheStream()
    {
        Bench b;
        QSignalSpy stops(b.instrument.get(), &SimulatedInstrument::stopReceived);
        b.command(100, 150);
        b.tick(5);
        QVERIFY(b.link.SendStop());
        QCOMPARE(stops.size(), 2);   // the command's own ACK and this one
        QCOMPARE(b.instrument->motorSpeed(), 0.0);
        QVERIFY(!b.instrument->isStreaming());
        b.link.flushInput();
        QCOMPARE(Bench::accepted(b.tick(10)), 0);
    }

    void silentInstrument()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.faults.silent = true;
        Bench b(config);
        b.command(100, 150);
        QCOMPARE(b.instrument->setPoint(), 150.0);   // it listens, it just does not answer
        b.clock.advance(700);
        const LinkPollResult first = b.link.PollReadings();
        QVERIFY(!first.frameEndSeen);   // the run engine resends
        const auto polls = b.tick(9);
        QCOMPARE(Bench::accepted(polls), 0);
        QVERIFY(polls[8].noResponse);   // the tenth tick
    }

    void faultyFramesAreDroppedOneByOne_data()
    {
        QTest::addColumn<int>("malformedEvery");
        QTest::addColumn<int>("garbageEvery");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("rejected");
        QTest::newRow("every third malformed") << 3 << 0 << 40 << 20;
        QTest::newRow("noise before every second") << 0 << 2 << 30 << 30;
        QTest::newRow("both") << 3 << 2 << 20 << 40;
    }
    void faultyFramesAreDroppedOneByOne()
    {
        QFETCH(int, malformedEvery);
        QFETCH(int, garbageEvery);
        QFETCH(int, accepted);
        QFETCH(int, rejected);
        SimulatorConfig config = Bench::quietConfig();
        config.faults.malformedEvery = malformedEvery;
        config.faults.garbageEvery = garbageEvery;
        Bench b(config);
        b.command(100, 150);
        b.link.flushInput();
        b.clock.advance(700);   // frames now fall between ticks
        const int sentBefore = b.instrument->framesSent();
        const auto polls = b.tick(60);
        QCOMPARE(b.instrument->framesSent() - sentBefore, 60);
        QCOMPARE(Bench::accepted(polls), accepted);
        QCOMPARE(Bench::rejected(polls), rejected);
    }

    void framesSplitAcrossReadsAllArrive()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.faults.splitFrames = true;
        Bench b(config);
        QList<QByteArray> sent;
        connect(b.instrument.get(), &SimulatedInstrument::frameSent, this, [&](const QByteArray &f) { sent.append(f); });
        b.command(100, 150);
        b.link.flushInput();
        sent.clear();
        int partial = 0;
        int accepted = 0;
        for (int i = 0; i < 200; ++i) {   // ticks 200 ms apart catch frames half written
            b.clock.advance(200);
            accepted += b.link.PollReadings().accepted;
            partial += b.link.bufferedBytes() > 0 ? 1 : 0;
        }
        QVERIFY(partial > 0);
        QCOMPARE(accepted + (b.link.bufferedBytes() > 0 ? 1 : 0), int(sent.size()));
    }

    // An instrument that starts streaming late makes the first tick after
    // the command find no frame, so the engine resends.
    void slowStart()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.faults.slowStartSeconds = 12;
        Bench b(config);
        b.command(100, 150);
        b.clock.advance(700);
        QVERIFY(!b.link.PollReadings().frameEndSeen);
        const auto polls = b.tick(12);
        QCOMPARE(Bench::accepted(polls.mid(0, 8)), 0);   // up to 11.7 s after the ENQ
        QCOMPARE(polls[8].accepted, 1);                   // 12.7 s
    }

    void disconnectIsSeenAsAVanishedPort()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.faults.disconnectAfterSeconds = 10;
        Bench b(config);
        QSignalSpy errors(&b.link, &InstrumentLink::errorOccurred);
        QSignalSpy gone(b.instrument.get(), &SimulatedInstrument::disconnected);
        b.command(100, 150);
        const auto polls = b.tick(15);
        QCOMPARE(gone.size(), 1);
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::PortVanished);
        QVERIFY(!b.link.isOpen());
        QCOMPARE(Bench::accepted(polls), 9);   // 1 to 9 s after the ENQ; none is lost
    }

    // Hours of instrument time run in a moment on the virtual clock.
    void multiHourRun()
    {
        SimulatorConfig config = Bench::quietConfig();
        config.fluid.breakHalfLifeMinutes = 60;
        Bench b(config);
        ClockTimer tick(b.clock);
        int accepted = 0;
        int ticks = 0;
        connect(&tick, &ClockTimer::timeout, this, [&] {
            ++ticks;
            accepted += b.link.PollReadings().accepted;
            if (ticks % 1800 == 1)   // a new step every half hour
                b.link.SendStepCommand(100 + ticks / 100, 150 + ticks / 180);
        });
        tick.start();
        b.clock.advance(qint64(4) * 3600 * 1000);
        QCOMPARE(ticks, 4 * 3600);
        QCOMPARE(b.instrument->commandsReceived(), 8);
        QVERIFY2(accepted > ticks - 8 * 10, qPrintable(QString::number(accepted)));
        QCOMPARE(b.link.latestReading().sampleTemperature, b.instrument->setPoint());
    }
};

QTEST_GUILESS_MAIN(TestSimulatedInstrument)
#include "tst_simulatedinstrument.moc"
