#include "realtime/clock.h"
#include "realtime/instrumentlink.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

// The real serial path: QSerialPort on a pseudo-terminal with the
// kx720-sim program on the other end.
class TestSerialPty : public QObject
{
    Q_OBJECT

    QProcess m_sim;
    QStringList m_devices;

    bool startSimulator(const QStringList &arguments, int units)
    {
        const QString bin = qEnvironmentVariable("ROVUDAZE_BIN_DIR");
        if (bin.isEmpty())
            return false;
        m_sim.setProgram(bin + QStringLiteral("/tools/kx720-sim"));
        m_sim.setArguments(arguments);
        m_sim.setProcessChannelMode(QProcess::SeparateChannels);
        m_sim.start();
        if (!m_sim.waitForStarted(5000))
            return false;
        while (m_devices.size() < units && m_sim.waitForReadyRead(5000)) {
            while (m_sim.canReadLine()) {
                const QString line = QString::fromLocal8Bit(m_sim.readLine()).trimmed();
                const QString prefix = QStringLiteral("unit %1: ").arg(m_devices.size() + 1);
                if (line.startsWith(prefix))
                    m_devices << line.mid(prefix.size());
            }
        }
        return m_devices.size() == units;
    }

private slots:
    void init()
    {
        if (qEnvironmentVariableIsEmpty("ROVUDAZE_BIN_DIR"))
            QSKIP("ROVUDAZE_BIN_DIR is not set (run through ctest)");
        m_devices.clear();
    }
    void cleanup()
    {
        if (m_sim.state() != QProcess::NotRunning) {
            m_sim.terminate();
            if (!m_sim.waitForFinished(3000))
                m_sim.kill();
            m_sim.waitForFinished(3000);
        }
    }

    void stepCommandAndReadingsOverThePort()
    {
        QVERIFY2(startSimulator({QStringLiteral("--units"), QStringLiteral("2"), QStringLiteral("--heat-time"), QStringLiteral("0")}, 2),
                 qPrintable(m_sim.readAllStandardError()));
        QVERIFY(m_devices[0] != m_devices[1]);

        // Unit 2 on port 5, mapped to the simulator's second pseudo-terminal.
        StationSettings settings;
        settings.ports[1] = 5;
        PortMap ports;
        ports.setDevice(5, m_devices[1]);
        QtClock clock;
        InstrumentLink link(clock);
        QVERIFY2(link.OpenPort(2, settings, ports), qPrintable(link.lastErrorString()));
        QCOMPARE(link.deviceName(), m_devices[1]);

        // The same port cannot be opened twice.
        InstrumentLink second(clock);
        QVERIFY(!second.OpenDevice(m_devices[1]));
        QCOMPARE(second.lastError(), LinkError::PermissionDenied);

        link.setRotorBob({2, 0.58744 / 3.185});
        QSignalSpy finished(&link, &InstrumentLink::stepCommandFinished);
        QVERIFY(link.SendStepCommand(50, 180.4));
        QVERIFY(finished.wait(15000));
        QCOMPARE(finished[0][0].toBool(), true);

        // Polls accumulate: the macro evaluates its condition more than once.
        int accepted = 0;
        QTRY_VERIFY_WITH_TIMEOUT((accepted += link.PollReadings().accepted) > 0, 5000);
        const InstrumentReading reading = link.latestReading();
        QCOMPARE(reading.motorSpeed, 50.0);
        QCOMPARE(reading.sampleTemperature, 180.0);
        QCOMPARE(reading.shearRate, 50.0 / (0.58744 / 3.185));
        QCOMPARE(link.rotorBob().combination, 2);

        // Stop: the instrument goes quiet.
        QVERIFY(link.SendStop());
        QTest::qWait(300);
        link.flushInput();
        QTest::qWait(2200);
        QCOMPARE(link.PollReadings().accepted, 0);
    }

    void hangUpIsAVanishedPort()
    {
        QVERIFY2(startSimulator({QStringLiteral("--fault"), QStringLiteral("disconnect=2")}, 1),
                 qPrintable(m_sim.readAllStandardError()));
        QtClock clock;
        InstrumentLink link(clock);
        QVERIFY2(link.OpenDevice(m_devices[0]), qPrintable(link.lastErrorString()));
        QSignalSpy errors(&link, &InstrumentLink::errorOccurred);
        QVERIFY(link.transport()->write("\x05"));
        QTRY_VERIFY_WITH_TIMEOUT(!errors.isEmpty(), 6000);
        QCOMPARE(errors[0][0].value<LinkError>(), LinkError::PortVanished);
        QVERIFY(!link.isOpen());
        QTest::qWait(200);
        QCOMPARE(errors.size(), 1);   // reported once, not for every failed read
        QVERIFY(!link.reopen());
        QVERIFY(link.lastError() != LinkError::NoError);
    }
};

QTEST_GUILESS_MAIN(TestSerialPty)
#include "tst_serialpty.moc"
