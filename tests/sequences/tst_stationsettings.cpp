#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestStationSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeFile(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("initial-%1.txt").arg(m_counter++));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }
    int m_counter = 0;

private slots:
    void writesExactBytes()
    {
        StationSettings s;
        s.ports = {1, 0, 12, 0, 0, 0, 0, -1};
        s.unitSystem = 3;
        QCOMPARE(StationSettings::format(s), QByteArray(" 1\r\n 0\r\n 12\r\n 0\r\n 0\r\n 0\r\n 0\r\n-1\r\n 3\r\n"));
        const QString path = m_dir.filePath("initial.txt");
        QVERIFY(s.write(path));
        StationSettings back;
        QVERIFY(StationSettings::read(path, back).ok);
        QCOMPARE(back.ports, s.ports);
        QCOMPARE(back.port(3), 12);
        QCOMPARE(back.unitSystem, 3);
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("port1");
        QTest::addColumn<int>("unitSystem");
        QTest::newRow("all none, CGS") << QByteArray("0\n0\n0\n0\n0\n0\n0\n0\n1\n") << true << 0 << 1;
        QTest::newRow("blanks and tabs") << QByteArray("  3 \t\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n  2  ") << true << 3 << 2;
        QTest::newRow("one line") << QByteArray("0 0 0 0 0 0 0 5 3") << true << 0 << 3;
        QTest::newRow("short file") << QByteArray("1\n2\n3\n") << false << 0 << 1;
        QTest::newRow("empty") << QByteArray() << false << 0 << 1;
        QTest::newRow("garbage") << QByteArray("1\nx\n") << false << 0 << 1;
    }
    void reads()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, ok);
        QFETCH(int, port1);
        QFETCH(int, unitSystem);
        const QString path = writeFile(content);
        StationSettings s;
        const auto result = StationSettings::read(path, s);
        QCOMPARE(result.ok, ok);
        QCOMPARE(result.message.isEmpty(), ok);
        QCOMPARE(s.port(1), port1);
        QCOMPARE(s.unitSystem, unitSystem);
        // Reading never changes the file.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void missingFileIsReportedNotCreated()
    {
        const QString path = m_dir.filePath("absent.txt");
        StationSettings s;
        s.ports[0] = 7;
        const auto result = StationSettings::read(path, s);
        QVERIFY(!result.ok);
        QVERIFY(result.message.contains("not found"));
        QCOMPARE(s.port(1), 0);
        QCOMPARE(s.unitSystem, 1);
        QVERIFY(!QFile::exists(path));
    }

    void portMapping()
    {
        const QString path = m_dir.filePath("ports.ini");
        PortMap map;
        QCOMPARE(map.device(1), PortMap::defaultDevice(1));
#ifndef Q_OS_WIN
        QCOMPARE(PortMap::defaultDevice(1), QString("/dev/ttyS0"));
        QCOMPARE(PortMap::defaultDevice(12), QString("/dev/ttyS11"));
#endif
        map.setDevice(3, "/dev/pts/7");
        map.setDevice(12, "/dev/ttyUSB0");
        QVERIFY(map.save(path));
        PortMap back = PortMap::load(path);
        QCOMPARE(back.device(3), QString("/dev/pts/7"));
        QCOMPARE(back.device(12), QString("/dev/ttyUSB0"));
        QVERIFY(!back.isOverridden(2));
        back.setDevice(3, QString());         // back to the default
        QVERIFY(back.save(path));
        QCOMPARE(PortMap::load(path).device(3), PortMap::defaultDevice(3));
        QCOMPARE(PortMap::load(path).device(12), QString("/dev/ttyUSB0"));
    }
};

QTEST_GUILESS_MAIN(TestStationSettings)
#include "tst_stationsettings.moc"
