#include "app/errorlog.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestErrorLog : public QObject
{
    Q_OBJECT

private slots:
    void causeStartsAtAPrintZone_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::newRow("short date") << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5));
        QTest::newRow("long date") << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59));
    }
    void causeStartsAtAPrintZone()
    {
        QFETCH(QDateTime, when);
        const QString cause = QStringLiteral(" Shut down due to viscosity average below preset shut down viscosity. Instrument No. 3");
        const QString line = errorlog::formatEntry(when, cause);
        QVERIFY(line.startsWith(QStringLiteral("Time: ")));
        const int causeAt = line.indexOf(QStringLiteral("Cause: "));
        QVERIFY(causeAt > 0);
        QCOMPARE(causeAt % 14, 0);                        // 1-based column 14k + 1
        QVERIFY(line.at(causeAt - 1) == QLatin1Char(' '));
        QVERIFY(line.endsWith(QStringLiteral("Cause:  Shut down due to")
                              + cause.mid(QStringLiteral(" Shut down due to").size())));
    }

    void zoneAdvancesAtLeastOneColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("zone");
        QTest::newRow("start of line") << 1 << 15;
        QTest::newRow("inside first zone") << 13 << 15;
        QTest::newRow("text ends in column 14") << 15 << 29;
        QTest::newRow("text ends in column 20") << 21 << 29;
        QTest::newRow("text ends in column 28") << 29 << 43;
    }
    void zoneAdvancesAtLeastOneColumn()
    {
        QFETCH(int, column);
        QFETCH(int, zone);
        QCOMPARE(errorlog::nextPrintZone(column), zone);
    }

    void appendsLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(errorlog::fileName());
        QVERIFY(errorlog::append(path, QDateTime(QDate(2026, 1, 1), QTime(1, 0)), " first"));
        QVERIFY(errorlog::append(path, QDateTime(QDate(2026, 1, 1), QTime(2, 0)), " second"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = f.readAll().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("Cause:  first\r"));
        QVERIFY(lines[1].endsWith("Cause:  second\r"));
        QVERIFY(lines[2].isEmpty());
    }

    void unwritableLogReportsFailure()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!errorlog::append(dir.filePath("missing/dir/CorvaErr.log"), QDateTime::currentDateTime(), "x", &error));
        QVERIFY(error.contains("CorvaErr.log"));
    }

    void logErrorUsesCurrentDirectory()
    {
        QTemporaryDir dir;
        const QString old = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QVERIFY(LogError(QStringLiteral(" test")));
        QDir::setCurrent(old);
        QVERIFY(QFile::exists(dir.filePath("CorvaErr.log")));
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
