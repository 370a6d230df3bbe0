// Whole sequences written and read back through the gateways, on SQLite and
// (when the throwaway server is up) PostgreSQL.
#include "sequences/sequencestore.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include "support/testdatabase.h"
#include <QSqlQuery>
#include <QtTest>

Q_DECLARE_METATYPE(TestDatabase::Backend)

namespace {

void addBackendRows()
{
    QTest::addColumn<TestDatabase::Backend>("backend");
    for (TestDatabase::Backend b : TestDatabase::backends())
        QTest::newRow(qPrintable(TestDatabase::name(b))) << b;
}

#define OPEN_DB(db)                                                         \
    QFETCH(TestDatabase::Backend, backend);                                 \
    TestDatabase db(backend);                                               \
    if (!db.isValid())                                                      \
        QSKIP(qPrintable(db.skipReason()));                                 \
    QVERIFY2(db.connection()->IsOpen(), qPrintable(db.connection()->LastError()))

SequenceStep step(const QString &time, const QString &temp, const QString &ramp, const QString &record)
{
    SequenceStep s;
    s.elapseTime = time;
    s.temp = temp;
    s.tempError = QStringLiteral("5");
    s.shearRate = QStringLiteral("170");
    s.runRamp = ramp;
    s.recordRate = record;
    return s;
}

int count(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

} // namespace

class TestSequenceStore : public QObject
{
    Q_OBJECT

private slots:
    void saveAndReload_data() { addBackendRows(); }
    void saveAndReload()
    {
        OPEN_DB(db);
        SequenceStore store(db.connection());
        const double id = store.create(QStringLiteral("Borate gel"));
        QVERIFY(id > 0);

        std::optional<SequenceData> fresh = store.load(QStringLiteral("Borate gel"));
        QVERIFY(fresh);
        QCOMPARE(fresh->id, id);
        QCOMPARE(fresh->header, SequenceHeader());
        QVERIFY(fresh->steps.isEmpty());
        QVERIFY(fresh->rampCells.isEmpty());

        SequenceData d = *fresh;
        d.header.timeBeforeRead = QStringLiteral("30");
        d.header.sampleRate = QStringLiteral("5");
        d.header.sampleInterval = QStringLiteral("60.5");     // stored rounded half to even
        d.header.shutDownVisc = QStringLiteral("12.5 cP");
        d.steps = {step("10", "150.25", "1", "20"), step("abc", "200", "0", "")};
        d.rampCells = {"100", "200", "", "400"};
        store.save(d);

        const std::optional<SequenceData> back = store.load(QStringLiteral("Borate gel"));
        QVERIFY(back);
        QCOMPARE(back->header.timeBeforeRead, QStringLiteral("30"));
        QCOMPARE(back->header.sampleRate, QStringLiteral("5"));
        QCOMPARE(back->header.sampleInterval, QStringLiteral("60"));
        QCOMPARE(back->header.shutDownVisc, QStringLiteral("12.5"));
        QCOMPARE(back->steps, (QVector<SequenceStep>{step("10", "150.25", "1", "20"),
                                                     step("0", "200", "0", "0")}));
        QCOMPARE(back->rampCells, (QStringList{"100", "200"}));
        QCOMPARE(count(db.connection(), "SELECT MAX(RAMP_NO) FROM SEQUENCE_RAMP"), 2);

        // Saving again replaces the rows instead of adding to them.
        d.steps.removeLast();
        store.save(d);
        QCOMPARE(count(db.connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 1);
        QCOMPARE(count(db.connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP_DEFINE"), 2);
        QCOMPARE(store.names(), QStringList{QStringLiteral("Borate gel")});
    }

    void rampRowsStored_data() { addBackendRows(); }
    void rampRowsStored()
    {
        OPEN_DB(db);
        SequenceStore store(db.connection());
        store.create(QStringLiteral("Source"));
        SequenceData d = *store.load(QStringLiteral("Source"));
        d.steps = {step("10", "150", "1", "20")};
        for (int i = 1; i <= 45; ++i)
            d.rampCells << QString::number(i * 10);
        store.save(d);
        const SequenceData back = *store.load(QStringLiteral("Source"));
        QCOMPARE(back.rampCells.size(), 40);
        QCOMPARE(back.rampCells.last(), QStringLiteral("400"));

        // A copy of a sequence with no ramp steps gets one of 100 1/s.
        SequenceData bare = back;
        bare.rampCells.clear();
        const double copyId = store.copyAs(bare, QStringLiteral("Copy"));
        const SequenceData copy = *store.load(QStringLiteral("Copy"));
        QCOMPARE(copy.id, copyId);
        QVERIFY(copy.id != back.id);
        QCOMPARE(copy.steps, back.steps);
        QCOMPARE(copy.header, back.header);
        QCOMPARE(copy.rampCells, QStringList{QStringLiteral("100")});
        // The source is untouched.
        QCOMPARE(store.load(QStringLiteral("Source"))->rampCells.size(), 40);
        QCOMPARE(store.names(), (QStringList{"Copy", "Source"}));
    }

    void removeTakesStepsAndRamp_data() { addBackendRows(); }
    void removeTakesStepsAndRamp()
    {
        OPEN_DB(db);
        SequenceStore store(db.connection());
        store.create(QStringLiteral("Keep"));
        store.create(QStringLiteral("Drop"));
        for (const QString name : {QStringLiteral("Keep"), QStringLiteral("Drop")}) {
            SequenceData d = *store.load(name);
            d.steps = {step("1", "100", "1", "20"), step("2", "110", "0", "20")};
            d.rampCells = {"50", "100", "150"};
            store.save(d);
        }
        const double keepId = store.load(QStringLiteral("Keep"))->id;

        store.remove(QStringLiteral("Drop"));
        QVERIFY(!store.exists(QStringLiteral("Drop")));
        QVERIFY(!store.load(QStringLiteral("Drop")));
        QCOMPARE(store.names(), QStringList{QStringLiteral("Keep")});
        QCOMPARE(count(db.connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 2);
        QCOMPARE(count(db.connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP_DEFINE"), 3);
        QCOMPARE(count(db.connection(), QStringLiteral("SELECT COUNT(*) FROM SEQUENCE_RAMP WHERE SEQUENCE_ID = %1")
                                            .arg(qint64(keepId))), 2);
    }

    void duplicateNameIsRefusedByTheStore_data() { addBackendRows(); }
    void duplicateNameIsRefusedByTheStore()
    {
        OPEN_DB(db);
        SequenceStore store(db.connection());
        store.create(QStringLiteral("Gel"));
        QVERIFY(store.exists(QStringLiteral("Gel")));
        QVERIFY(!store.exists(QStringLiteral("gel 2")));
        SequenceData d = *store.load(QStringLiteral("Gel"));
        QVERIFY_THROWS_EXCEPTION(StoreError, store.copyAs(d, QStringLiteral("Gel")));
        QVERIFY_THROWS_EXCEPTION(StoreError, store.create(QStringLiteral("Gel")));
        QCOMPARE(count(db.connection(), "SELECT COUNT(*) FROM SEQUENCE_INFO"), 1);
        QVERIFY(!db.connection()->InTransaction());
    }

    // A failure half way through a save leaves the stored sequence as it was.
    void failedSaveChangesNothing()
    {
        TestDatabase db;
        QVERIFY(db.connection()->IsOpen());
        SequenceStore store(db.connection());
        store.create(QStringLiteral("Gel"));
        SequenceData d = *store.load(QStringLiteral("Gel"));
        d.steps = {step("10", "150", "1", "20"), step("20", "160", "1", "20")};
        d.rampCells = {"100", "200"};
        store.save(d);

        QSqlQuery q(db.connection()->ADOConnection());
        QVERIFY(q.exec("CREATE TRIGGER refuse_ramp BEFORE INSERT ON SEQUENCE_RAMP_DEFINE "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));

        SequenceData edited = d;
        edited.header.timeBeforeRead = QStringLiteral("99");
        edited.steps = {step("1", "100", "0", "5")};
        edited.rampCells = {"300"};
        QVERIFY_THROWS_EXCEPTION(StoreError, store.save(edited));
        QVERIFY(!db.connection()->InTransaction());
        QVERIFY_THROWS_EXCEPTION(StoreError, store.copyAs(edited, QStringLiteral("Copy")));
        QVERIFY(!store.exists(QStringLiteral("Copy")));

        const SequenceData back = *store.load(QStringLiteral("Gel"));
        QCOMPARE(back.header.timeBeforeRead, QStringLiteral("20"));
        QCOMPARE(back.steps, d.steps);
        QCOMPARE(back.rampCells, d.rampCells);
    }
};

QTEST_GUILESS_MAIN(TestSequenceStore)
#include "tst_sequencestore.moc"
