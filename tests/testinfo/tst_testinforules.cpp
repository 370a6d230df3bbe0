// Rotor/bob tables, entry checks and the additives rule of the test
// information dialogs.
#include "testinfo/rotorbobrules.h"
#include "testinfo/testinfoentry.h"
#include <QtTest>

using namespace TestInfoEntry;
using RotorBobRules::BaseFactor;

namespace {

Texts validEntry(const QString &name = QStringLiteral("Borate 30 ppt"))
{
    Texts t = entryDefaults();
    t.testName = name;
    return t;
}

QVector<AdditiveCells> filledRows(int count)
{
    QVector<AdditiveCells> rows(AdditiveRows);
    for (int i = 0; i < count; ++i)
        rows[i] = AdditiveCells{QStringLiteral("Additive %1").arg(i + 1), QString::number(i + 0.5),
                                QStringLiteral("gpt"), QStringLiteral("LOT-%1").arg(i + 1)};
    return rows;
}

} // namespace

class TestTestInfoRules : public QObject
{
    Q_OBJECT

private slots:
    void combinationTable_data()
    {
        QTest::addColumn<QString>("rotor");
        QTest::addColumn<QString>("bob");
        QTest::addColumn<int>("combination");   // 0: refused
        QTest::addColumn<double>("factor");

        QTest::newRow("R1B1") << "R1" << "B1" << 1 << BaseFactor;
        QTest::newRow("R2B1") << "R2" << "B1" << 2 << BaseFactor / 3.185;
        QTest::newRow("R3B1") << "R3" << "B1" << 3 << BaseFactor / 0.22146;
        QTest::newRow("R1B2 same factor as 3") << "R1" << "B2" << 4 << BaseFactor / 0.22146;
        QTest::newRow("R1B5") << "R1" << "B5" << 5 << BaseFactor / 0.4995;
        QTest::newRow("R1B4") << "R1" << "B4" << 6 << BaseFactor / 0.15743;
        QTest::newRow("lower case with tails") << "r1xx" << "b4yy" << 6 << BaseFactor / 0.15743;
        QTest::newRow("only first two count") << "R2-spare" << "B1 new" << 2 << BaseFactor / 3.185;
        QTest::newRow("leading blank") << " R1" << "B4" << 0 << 0.0;
        QTest::newRow("R1 with B3") << "R1" << "B3" << 0 << 0.0;
        QTest::newRow("R2 with B2") << "R2" << "B2" << 0 << 0.0;
        QTest::newRow("short rotor") << "R" << "B1" << 0 << 0.0;
        QTest::newRow("empty") << "" << "" << 0 << 0.0;
    }
    void combinationTable()
    {
        QFETCH(QString, rotor);
        QFETCH(QString, bob);
        QFETCH(int, combination);
        QFETCH(double, factor);
        const auto found = RotorBobRules::combinationFor(rotor, bob);
        if (combination == 0) {
            QVERIFY(!found);
            return;
        }
        QVERIFY(found);
        QCOMPARE(found->combination, combination);
        QCOMPARE(found->factor, factor);
    }

    void bobGeometryIsExact_data()
    {
        QTest::addColumn<QString>("bob");
        QTest::addColumn<QString>("radius");   // empty: no rule
        QTest::addColumn<QString>("length");
        QTest::newRow("B1") << "B1" << "1.7245" << "7.620";
        QTest::newRow("B2") << "B2" << "1.2276" << "7.620";
        QTest::newRow("B3") << "B3" << "0.8622" << "7.620";
        QTest::newRow("B4") << "B4" << "0.8622" << "3.810";
        QTest::newRow("B5") << "B5" << "1.5987" << "7.620";
        QTest::newRow("lower case") << "b4" << "" << "";
        QTest::newRow("trailing blank") << "B4 " << "" << "";
        QTest::newRow("B6") << "B6" << "" << "";
    }
    void bobGeometryIsExact()
    {
        QFETCH(QString, bob);
        QFETCH(QString, radius);
        QFETCH(QString, length);
        const auto g = RotorBobRules::bobGeometry(bob);
        QCOMPARE(bool(g), !radius.isEmpty());
        if (g) {
            QCOMPARE(g->radius, radius);
            QCOMPARE(g->length, length);
        }
        // The bob index follows the same exact texts; others keep the index.
        const int index = RotorBobRules::bobIndex(bob, 7);
        QCOMPARE(index, g ? bob.mid(1).toInt() : 7);
    }

    void entryChecks_data()
    {
        QTest::addColumn<QString>("rotor");
        QTest::addColumn<QString>("bob");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("refusal");
        QTest::addColumn<int>("combination");   // reported pair, 0: none

        const QStringList stored{"Guar 40", "Borate 30 ppt", "CMHPG"};
        const int none = int(Refusal::None), key = int(Refusal::RotorBobKey), dup = int(Refusal::DuplicateName),
                  empty = int(Refusal::EmptyName);
        QTest::newRow("accepted") << "R1" << "B5" << "Borate 35 ppt" << stored << none << 5;
        QTest::newRow("lower-case key") << "r1xx" << "b4yy" << "New" << stored << none << 6;
        QTest::newRow("case differs") << "R1" << "B1" << "borate 30 PPT" << stored << none << 1;
        QTest::newRow("duplicate keeps the new pair") << "R2" << "B1" << "Borate 30 ppt" << stored << dup << 2;
        QTest::newRow("empty name keeps the new pair") << "R1" << "B4" << "" << stored << empty << 6;
        QTest::newRow("key checked first") << " R1" << "B1" << "Borate 30 ppt" << stored << key << 0;
        QTest::newRow("R1 B3") << "R1" << "B3" << "x" << stored << key << 0;
        QTest::newRow("empty store") << "R1" << "B1" << "First" << QStringList() << none << 1;
    }
    void entryChecks()
    {
        QFETCH(QString, rotor);
        QFETCH(QString, bob);
        QFETCH(QString, name);
        QFETCH(QStringList, stored);
        QFETCH(int, refusal);
        QFETCH(int, combination);
        Texts t = validEntry(name);
        t.rotorNo = rotor;
        t.bobNo = bob;
        const EntryCheck check = checkEntry(t, stored);
        QCOMPARE(int(check.refusal), refusal);
        QCOMPARE(check.accepted(), refusal == int(Refusal::None));
        QCOMPARE(check.rotorBob ? check.rotorBob->combination : 0, combination);
    }

    void refusalMessages()
    {
        Texts t = validEntry(QString());
        QCOMPARE(checkEntry(t, QStringList()).message(), QStringLiteral("Please input a unique test name for valid input."));
        t.testName = QStringLiteral("A");
        QCOMPARE(checkEntry(t, QStringList{"A"}).message(), QStringLiteral("Duplicate test name. Please input unique test name."));
        t.bobNo = QStringLiteral("B3");
        QCOMPARE(checkEntry(t, QStringList()).message(),
                 QStringLiteral("Rotor Bob Input error. Make sure inputs start at first space and correct."));
        QCOMPARE(message(Refusal::InputError), QStringLiteral("Input error. Please check inputs."));
        QVERIFY(checkEntry(validEntry(), QStringList()).message().isEmpty());
    }

    // Texts the store could not hold are refused before anything is stored.
    void textsBeyondTheColumnsAreInputErrors()
    {
        Texts t = validEntry();
        QVERIFY(checkEntry(t, QStringList()).accepted());
        t.safety = QString(1000, QLatin1Char('n'));
        QVERIFY(checkEntry(t, QStringList()).accepted());
        t.safety += QLatin1Char('n');
        QCOMPARE(checkEntry(t, QStringList()).refusal, Refusal::InputError);
        QCOMPARE(checkEdit(t), Refusal::InputError);

        t = validEntry();
        t.additives = filledRows(3);
        t.additives[2].lotNo = QString(41, QLatin1Char('L'));
        QCOMPARE(checkEntry(t, QStringList()).refusal, Refusal::InputError);
        // A long cell in a row after the first empty name is never stored.
        t.additives[1].name.clear();
        QVERIFY(checkEntry(t, QStringList()).accepted());

        // Names that could not be read: the pair is still reported.
        const EntryCheck unread = checkEntry(validEntry(), std::nullopt);
        QCOMPARE(unread.refusal, Refusal::InputError);
        QVERIFY(unread.rotorBob);
    }

    void editCheck()
    {
        Texts t = validEntry(QString());
        QCOMPARE(checkEdit(t), Refusal::EmptyName);
        t.testName = QStringLiteral("Stored");
        QCOMPARE(checkEdit(t), Refusal::None);
    }

    void additiveRowsStopAtFirstEmptyName()
    {
        QVector<AdditiveCells> cells = filledRows(AdditiveRows);
        QVector<TestAdditiveRow> rows = additiveRows(cells, 42);
        QCOMPARE(rows.size(), AdditiveRows);
        QCOMPARE(rows.last().additiveName, QStringLiteral("Additive 10"));
        QCOMPARE(rows.last().concentration, 9.5);
        QCOMPARE(rows.first().testId, qint64(42));
        QCOMPARE(rows.first().lotNo, QStringLiteral("LOT-1"));

        // An eleventh row is never looked for.
        cells.append(AdditiveCells{QStringLiteral("Eleventh"), QStringLiteral("1"), {}, {}});
        QCOMPARE(additiveRows(cells).size(), AdditiveRows);

        cells = filledRows(5);
        cells[2].name.clear();
        QCOMPARE(additiveRows(cells).size(), 2);

        // A blank is a name; it is stored as typed.
        cells = filledRows(1);
        cells[1].name = QStringLiteral(" ");
        QCOMPARE(additiveRows(cells).size(), 2);
        QCOMPARE(additiveRows(QVector<AdditiveCells>(AdditiveRows)).size(), 0);
    }

    void numbersByLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.5" << 12.5;
        QTest::newRow("with unit") << "0.25 gpt" << 0.25;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading blank") << " 7.2" << 7.2;
    }
    void numbersByLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QVector<AdditiveCells> cells(AdditiveRows);
        cells[0] = AdditiveCells{QStringLiteral("KCl"), text, {}, {}};
        QCOMPARE(additiveRows(cells).first().concentration, value);

        Texts t = validEntry();
        t.preTestPH = text;
        t.postTestPH = text;
        t.bobRadius = text;
        t.bobLength = text;
        const TestInfoRow row = infoRow(t);
        QCOMPARE(row.pretestPH, value);
        QCOMPARE(row.posttestPH, value);
        QCOMPARE(row.bobRadius, value);
        QCOMPARE(row.bobEffLength, value);
    }

    void entryDefaultsAndStoredRow()
    {
        Texts t = entryDefaults();
        QCOMPARE(t.researcherName, QStringLiteral("Unknown"));
        QCOMPARE(t.rotorNo, QStringLiteral("R1"));
        QCOMPARE(t.bobNo, QStringLiteral("B1"));
        // The entry keeps these whatever bob is typed.
        QCOMPARE(t.bobRadius, QStringLiteral("1.7245"));
        QCOMPARE(t.bobLength, QStringLiteral("3.8"));
        QCOMPARE(t.preTestPH, QStringLiteral("7.0"));
        QCOMPARE(t.additives.size(), AdditiveRows);

        t.testName = QStringLiteral(" spaced name ");
        t.fluidId = QStringLiteral("F-1 ");
        const TestInfoRow row = infoRow(t);
        QCOMPARE(row.testName, QStringLiteral(" spaced name "));   // stored as typed
        QCOMPARE(row.fluidId, QStringLiteral("F-1 "));
        QCOMPARE(row.researcherName, QStringLiteral("Unknown"));
        QCOMPARE(row.bobRadius, 1.7245);
        QCOMPARE(row.bobEffLength, 3.8);
        QVERIFY(!row.testTime.isValid());
    }

    void storedValuesAsTexts()
    {
        TestInfoRow info;
        info.testName = QStringLiteral("T");
        info.testTime = QDateTime(QDate(2024, 3, 5), QTime(10, 0));
        info.bobRadius = 1.5;
        info.bobEffLength = 7.62;
        info.pretestPH = 6.85;
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("Borate");
        a.concentration = 0.1;
        const Texts t = textsOf(info, {a});
        QCOMPARE(t.bobRadius, QStringLiteral("1.5"));
        QCOMPARE(t.bobLength, QStringLiteral("7.62"));
        QCOMPARE(t.preTestPH, QStringLiteral("6.85"));
        QCOMPARE(t.testDate, QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat));
        QCOMPARE(t.additives.size(), AdditiveRows);
        QCOMPARE(t.additives[0].concentration, QStringLiteral("0.1"));
        QVERIFY(t.additives[1].name.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestTestInfoRules)
#include "tst_testinforules.moc"
