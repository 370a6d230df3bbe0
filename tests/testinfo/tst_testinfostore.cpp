// A test's information block and additives written and read back, on SQLite
// and (when the throwaway server is up) PostgreSQL: nothing is left half
// stored when a write fails.
#include "store/clsConnection.h"
#include "store/clsTEST_INFO.h"
#include "store/clsTEST_RESULT.h"
#include "store/storeerror.h"
#include "support/testdatabase.h"
#include "testinfo/testinfostore.h"
#include <QSqlQuery>
#include <QtTest>

Q_DECLARE_METATYPE(TestDatabase::Backend)

using namespace TestInfoEntry;

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

int count(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

TestInfoRow info(const QString &name)
{
    TestInfoRow r;
    r.testName = name;
    r.fluidId = QStringLiteral("Fluid 7");
    r.researcherName = QStringLiteral("J. Doe");
    r.rotorNo = QStringLiteral("R1");
    r.bobNo = QStringLiteral("B4");
    r.bobRadius = 0.8622;
    r.bobEffLength = 3.81;
    r.pretestPH = 8.5;
    r.posttestPH = 9.25;
    r.safety = QStringLiteral("Gloves.\nGoggles.");
    return r;
}

QVector<TestAdditiveRow> additives(int n, const QString &prefix = QStringLiteral("Add"))
{
    QVector<TestAdditiveRow> rows;
    for (int i = 0; i < n; ++i) {
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("%1 %2").arg(prefix).arg(i + 1);
        a.concentration = i + 0.25;
        a.unit = QStringLiteral("ppt");
        a.lotNo = QStringLiteral("L%1").arg(i + 1);
        rows.append(a);
    }
    return rows;
}

void addSamples(clsConnection *c, qint64 testId, int n)
{
    clsTEST_RESULT results;
    results.ConnectX(c);
    for (int i = 0; i < n; ++i) {
        results.SetDefaults();
        results.Test_Id = double(testId);
        results.RESULT_TIME = i;
        results.AddNew();
    }
}

} // namespace

class TestTestInfoStore : public QObject
{
    Q_OBJECT

private slots:
    void newTestWithTenAdditives_data() { addBackendRows(); }
    void newTestWithTenAdditives()
    {
        OPEN_DB(db);
        TestInfoStore store(db.connection());
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const qint64 id = store.createTest(info(QStringLiteral("Guar 40")), additives(10));
        QVERIFY(id > 0);

        // The key is the one a lookup by name gives.
        clsTEST_INFO gateway;
        gateway.ConnectX(db.connection());
        gateway.TEST_NAME = QStringLiteral("Guar 40");
        gateway.GetTestDetail();
        QCOMPARE(qint64(gateway.Test_Id), id);

        const auto back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->info.testName, QStringLiteral("Guar 40"));
        QCOMPARE(back->info.bobNo, QStringLiteral("B4"));
        QCOMPARE(back->info.bobRadius, 0.8622);
        QCOMPARE(back->info.posttestPH, 9.25);
        QCOMPARE(back->info.safety, QStringLiteral("Gloves.\nGoggles."));
        QVERIFY(back->info.testTime >= before);
        QCOMPARE(back->additives.size(), 10);
        for (const TestAdditiveRow &a : back->additives)
            QCOMPARE(a.testId, id);
        QCOMPARE(back->additives.last().additiveName, QStringLiteral("Add 10"));
        QCOMPARE(back->additives.last().concentration, 9.25);

        const auto byName = store.load(QStringLiteral("Guar 40"));
        QVERIFY(byName);
        QCOMPARE(byName->info.testId, id);
        QVERIFY(!store.load(QStringLiteral("guar 40")));
        QVERIFY(!store.load(QString(41, QLatin1Char('x'))));
    }

    // From the dialog texts: numbers by leading number, empty rows end the list.
    void newTestFromTexts_data() { addBackendRows(); }
    void newTestFromTexts()
    {
        OPEN_DB(db);
        Texts t = entryDefaults();
        t.testName = QStringLiteral("From texts");
        t.preTestPH = QStringLiteral("6.5 before");
        t.additives[0] = AdditiveCells{QStringLiteral("KCl"), QStringLiteral("abc"), QStringLiteral("%"), QString()};
        t.additives[1] = AdditiveCells{QStringLiteral("Borate"), QStringLiteral("1.5"), QStringLiteral("gpt"), QStringLiteral("B-7")};
        t.additives[3] = AdditiveCells{QStringLiteral("After a gap"), QStringLiteral("1"), {}, {}};
        TestInfoStore store(db.connection());
        const qint64 id = store.createTest(t);
        const auto back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->info.pretestPH, 6.5);
        QCOMPARE(back->info.bobRadius, 1.7245);
        QCOMPARE(back->info.bobEffLength, 3.8);
        QCOMPARE(back->info.researcherName, QStringLiteral("Unknown"));
        QCOMPARE(back->additives.size(), 2);
        QCOMPARE(back->additives[0].concentration, 0.0);
        QCOMPARE(back->additives[1].lotNo, QStringLiteral("B-7"));
    }

    // A failure anywhere in the start leaves neither the test nor any of its
    // additives behind.
    void failedCreateLeavesNothing_data() { addBackendRows(); }
    void failedCreateLeavesNothing()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        const qint64 first = store.createTest(info(QStringLiteral("Existing")), additives(2, QStringLiteral("Old")));

        QVector<TestAdditiveRow> bad = additives(5);
        bad[3].lotNo = QString(41, QLatin1Char('L'));   // too long for the column: the 4th insert fails
        QVERIFY_THROWS_EXCEPTION(StoreError, store.createTest(info(QStringLiteral("Half stored")), bad));
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO")), 1);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE")), 2);
        QVERIFY(!c->InTransaction());

        // A duplicate name is refused by the store itself.
        try {
            store.createTest(info(QStringLiteral("Existing")), additives(3));
            QFAIL("duplicate name stored");
        } catch (const StoreError &e) {
            QCOMPARE(e.code(), StoreError::Code::Duplicate);
        }
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO")), 1);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE")), 2);

        // The store is usable again and the same name now goes in whole.
        const qint64 id = store.createTest(info(QStringLiteral("Half stored")), additives(5));
        QVERIFY(id > first);
        QCOMPARE(store.load(id)->additives.size(), 5);
    }

    void editKeepsNameAndTime_data() { addBackendRows(); }
    void editKeepsNameAndTime()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        TestInfoRow original = info(QStringLiteral("Edited"));
        original.testTime = QDateTime(QDate(2023, 11, 2), QTime(8, 30, 15));
        const qint64 id = store.createTest(original, additives(4, QStringLiteral("Old")));
        const qint64 other = store.createTest(info(QStringLiteral("Other")), additives(3, QStringLiteral("Keep")));

        TestInfoRow edited = info(QStringLiteral("Renamed?"));
        edited.testTime = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        edited.fluidId = QStringLiteral("Fluid 8");
        edited.researcherName = QStringLiteral("A. N. Other");
        edited.rotorNo = QStringLiteral("R2");
        edited.bobNo = QStringLiteral("B1");
        edited.bobRadius = 1.5;
        edited.bobEffLength = 7.62;
        edited.pretestPH = 7.1;
        edited.posttestPH = 7.2;
        edited.safety = QStringLiteral("Edited notes");
        store.saveEdited(id, edited, additives(2, QStringLiteral("New")));

        const auto back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->info.testName, QStringLiteral("Edited"));
        QCOMPARE(back->info.testTime, original.testTime);
        QCOMPARE(back->info.fluidId, QStringLiteral("Fluid 8"));
        QCOMPARE(back->info.researcherName, QStringLiteral("A. N. Other"));
        QCOMPARE(back->info.rotorNo, QStringLiteral("R2"));
        QCOMPARE(back->info.bobNo, QStringLiteral("B1"));
        QCOMPARE(back->info.bobRadius, 1.5);
        QCOMPARE(back->info.pretestPH, 7.1);
        QCOMPARE(back->info.posttestPH, 7.2);
        QCOMPARE(back->info.safety, QStringLiteral("Edited notes"));
        QCOMPARE(back->additives.size(), 2);
        QCOMPARE(back->additives[0].additiveName, QStringLiteral("New 1"));
        QCOMPARE(store.load(other)->additives.size(), 3);

        // A failing additive leaves the stored information as it was.
        QVector<TestAdditiveRow> bad = additives(3, QStringLiteral("Bad"));
        bad[2].unit = QString(41, QLatin1Char('u'));
        edited.fluidId = QStringLiteral("Never stored");
        QVERIFY_THROWS_EXCEPTION(StoreError, store.saveEdited(id, edited, bad));
        const auto after = store.load(id);
        QCOMPARE(after->info.fluidId, QStringLiteral("Fluid 8"));
        QCOMPARE(after->additives.size(), 2);
        QCOMPARE(after->additives[1].additiveName, QStringLiteral("New 2"));
        QVERIFY(!c->InTransaction());
    }

    // A test stored without a time keeps none after an edit.
    void editKeepsMissingTime_data() { addBackendRows(); }
    void editKeepsMissingTime()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        const qint64 id = store.createTest(info(QStringLiteral("No time")), {});
        clsTEST_INFO gateway;
        gateway.ConnectX(c);
        gateway.GetTestDetailById(id);
        gateway.TEST_TIME = clsTEST_INFO::nullDate();
        gateway.Update();
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO WHERE TEST_TIME IS NULL")), 1);

        store.saveEdited(id, info(QStringLiteral("No time")), additives(1));
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO WHERE TEST_TIME IS NULL")), 1);
    }

    void editOfDeletedTestWritesNothing_data() { addBackendRows(); }
    void editOfDeletedTestWritesNothing()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        const qint64 id = store.createTest(info(QStringLiteral("Gone")), additives(1));
        QVERIFY(store.remove(QStringLiteral("Gone")));
        QVERIFY_THROWS_EXCEPTION(StoreError, store.saveEdited(id, info(QStringLiteral("Gone")), additives(3)));
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE")), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO")), 0);
    }

    void removeTakesSamplesAndAdditives_data() { addBackendRows(); }
    void removeTakesSamplesAndAdditives()
    {
        OPEN_DB(db);
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        const qint64 gone = store.createTest(info(QStringLiteral("Delete me")), additives(3));
        const qint64 kept = store.createTest(info(QStringLiteral("Keep me")), additives(2));
        addSamples(c, gone, 5);
        addSamples(c, kept, 4);

        QVERIFY(!store.remove(QStringLiteral("delete me")));   // names are case-sensitive
        QVERIFY(store.remove(QStringLiteral("Delete me")));
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO")), 1);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = %1").arg(gone)), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE WHERE TEST_ID = %1").arg(gone)), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = %1").arg(kept)), 4);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE WHERE TEST_ID = %1").arg(kept)), 2);
        QVERIFY(!store.remove(QStringLiteral("Delete me")));
    }

    void listNewestFirst_data() { addBackendRows(); }
    void listNewestFirst()
    {
        OPEN_DB(db);
        TestInfoStore store(db.connection());
        QVERIFY(store.list().isEmpty());
        const QDateTime t0(QDate(2024, 5, 1), QTime(9, 0));
        TestInfoRow newer = info(QStringLiteral("Newer"));
        newer.testTime = t0.addSecs(60);
        newer.researcherName = QStringLiteral("Kim");
        TestInfoRow older = info(QStringLiteral("Older"));
        older.testTime = t0;
        store.createTest(newer, {});
        store.createTest(older, {});

        const QVector<SavedTestListing> list = store.list();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].name, QStringLiteral("Newer"));
        QCOMPARE(list[0].time, newer.testTime);
        QCOMPARE(list[0].researcher, QStringLiteral("Kim"));
        QCOMPARE(list[1].name, QStringLiteral("Older"));
        QCOMPARE(store.usedNames(), (QStringList{"Newer", "Older"}));
    }
};

QTEST_GUILESS_MAIN(TestTestInfoStore)
#include "tst_testinfostore.moc"
