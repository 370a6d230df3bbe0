#include "rheology/resultstablemodel.h"
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

using namespace rheology;
using Model = ResultsTableModel;

namespace {

RampResult accepted(int rampNo)
{
    RampResult r;
    r.rampNo = rampNo;
    r.closingTime = 90;        // 1.5 min
    r.temperature = 212;
    r.nPrime = 0.51234;
    r.kPrime = 4.788;          // 1 lbf·s^n/100 ft²
    r.rSquared = 0.99996;
    r.kv = 47.88;              // 10
    r.kSlot = 0.4788;          // 0.1
    r.visc40 = 176.5;
    r.visc100 = 111.49;
    r.visc170 = 0.3;
    r.pH = 6.96;
    r.accepted = true;
    return r;
}

RampResult rejected(int rampNo)
{
    RampResult r;
    r.rampNo = rampNo;
    r.closingTime = 600;
    r.temperature = 212;
    r.nPrime = 5.5;
    r.pH = 3.3;
    return r;
}

RampEvaluation evaluation(int lastRamp, const QVector<RampResult> &results)
{
    RampEvaluation ev;
    ev.lastRamp = lastRamp;
    ev.results = results;
    return ev;
}

QStringList row(const Model &m, int rampNo)
{
    QStringList cells;
    for (int c = 0; c < Model::ColumnCount; ++c)
        cells << m.cellText(rampNo, c);
    return cells;
}

} // namespace

class tst_ResultsTableModel : public QObject
{
    Q_OBJECT
private slots:
    void header_data();
    void header();
    void acceptedRow_data();
    void acceptedRow();
    void rejectedRowKeepsPH_data();
    void rejectedRowKeepsPH();
    void unknownUnitSystem();
    void rowsWithoutResultKeepTheirTexts();
    void rowCountFollowsLastRamp();
    void fromSamplesEndToEnd_data();
    void fromSamplesEndToEnd();
    void liveUpdatesSignalOnlyChangedRows();
};

void tst_ResultsTableModel::header_data()
{
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<QString>("temperature");
    QTest::newRow("cgs") << int(UnitSystem::CGS) << "Temp\n(F°)";
    QTest::newRow("ei") << int(UnitSystem::EI) << "Temp\n(F°)";
    QTest::newRow("si") << int(UnitSystem::SI) << "Temp\n(C°)";
}

void tst_ResultsTableModel::header()
{
    QFETCH(int, unitSystem);
    QFETCH(QString, temperature);
    Model m;
    QAbstractItemModelTester tester(&m);
    m.SetResultsGridHeader(unitSystem);
    QCOMPARE(m.columnCount(), 12);
    QCOMPARE(m.rowCount(), 1);                      // the grid's two rows
    const QStringList expected{
        "Seq.\nStep", "Time \n(Min)", temperature, "n'", "K' \nlbf-s^n\n/100 ft2",
        "Coef.\nDetn.\n(R^2)", "Kv\nlbf-s^n\n/100 ft2", "K'slot\nlbf-s^n\n/100 ft2",
        "Visc\n@40 1/S (cP)", "Visc\n@100 1/S (cP)", "Visc\n@170 1/S (cP)", "pH"};
    for (int c = 0; c < 12; ++c)
        QCOMPARE(m.headerData(c, Qt::Horizontal).toString(), expected[c]);
    QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
             int(Qt::AlignLeft));
}

void tst_ResultsTableModel::acceptedRow_data()
{
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("cgs") << int(UnitSystem::CGS)
        << QStringList{"3", "2.", "212", "0.5123", "1.0000", "1.0000", "10.0000", "0.1000",
                       "177", "111", "", "7.0"};
    QTest::newRow("ei") << int(UnitSystem::EI)
        << QStringList{"3", "2.", "212", "0.5123", "0001.0", "1.0000", "0010.0", "0000.1",
                       "177", "111", "", "7.0"};
    QTest::newRow("si") << int(UnitSystem::SI)
        << QStringList{"3", "2.", "100", "0.5123", "0001.0", "1.0000", "0010.0", "0000.1",
                       "177", "111", "", "7.0"};
}

void tst_ResultsTableModel::acceptedRow()
{
    QFETCH(int, unitSystem);
    QFETCH(QStringList, cells);
    Model m;
    m.SetResultsGridHeader(unitSystem);
    m.showEvaluation(evaluation(3, {accepted(3)}), unitSystem);
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(row(m, 3), cells);
    QCOMPARE(m.data(m.index(2, Model::ColKPrime)).toString(), cells[Model::ColKPrime]);
}

void tst_ResultsTableModel::rejectedRowKeepsPH_data()
{
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<QString>("temperature");
    QTest::newRow("cgs") << int(UnitSystem::CGS) << "212";
    QTest::newRow("si") << int(UnitSystem::SI) << "100";
}

void tst_ResultsTableModel::rejectedRowKeepsPH()
{
    QFETCH(int, unitSystem);
    QFETCH(QString, temperature);
    Model m;
    m.SetResultsGridHeader(unitSystem);
    m.showEvaluation(evaluation(1, {accepted(1)}), unitSystem);
    m.showEvaluation(evaluation(1, {rejected(1)}), unitSystem);
    const QString na = QStringLiteral("N/A");
    QCOMPARE(row(m, 1), (QStringList{"1", "10.", temperature, "5.5000", na, na, na, na, na, na, na,
                                     "7.0"}));
    // A row that never held an accepted result has no pH.
    Model fresh;
    fresh.showEvaluation(evaluation(1, {rejected(1)}), unitSystem);
    QCOMPARE(fresh.cellText(1, Model::ColPH), QString());
}

void tst_ResultsTableModel::unknownUnitSystem()
{
    Model m;
    m.showEvaluation(evaluation(2, {accepted(1), rejected(2)}), 7);
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(row(m, 1), QStringList(QVector<QString>(12).toList()));
    QCOMPARE(m.cellText(2, Model::ColTemp), QStringLiteral("212"));
    QCOMPARE(m.cellText(2, Model::ColKPrime), QStringLiteral("N/A"));
}

void tst_ResultsTableModel::rowsWithoutResultKeepTheirTexts()
{
    Model m;
    QAbstractItemModelTester tester(&m);
    m.SetResultsGridHeader(UnitSystem::CGS);
    m.showEvaluation(evaluation(3, {accepted(1), accepted(2), accepted(3)}), UnitSystem::CGS);
    const QStringList earlierRow2 = row(m, 2);
    RampResult later = accepted(3);
    later.closingTime = 1200;
    m.showEvaluation(evaluation(3, {accepted(1), later}), UnitSystem::CGS);
    QCOMPARE(row(m, 2), earlierRow2);                    // ramp 2 had no result this time
    QCOMPARE(m.cellText(3, Model::ColTime), QStringLiteral("20."));

    // Opened afresh, such a row stays blank.
    m.resetToHeader();
    m.showEvaluation(evaluation(3, {accepted(1), later}), UnitSystem::CGS);
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(row(m, 2), QStringList(QVector<QString>(12).toList()));
    QCOMPARE(m.cellText(1, Model::ColRamp), QStringLiteral("1"));
}

void tst_ResultsTableModel::rowCountFollowsLastRamp()
{
    Model m;
    QAbstractItemModelTester tester(&m);
    m.SetResultsGridHeader(UnitSystem::CGS);
    m.showEvaluation(evaluation(5, {accepted(2)}), UnitSystem::CGS);
    QCOMPARE(m.rowCount(), 5);
    // No result at all: the table stays as it is.
    m.showEvaluation(evaluation(9, {}), UnitSystem::CGS);
    QCOMPARE(m.rowCount(), 5);
    // Fewer ramps: rows beyond are dropped and come back blank.
    m.showEvaluation(evaluation(1, {accepted(1)}), UnitSystem::CGS);
    QCOMPARE(m.rowCount(), 1);
    m.setRampRowCount(2);
    QCOMPARE(m.cellText(2, Model::ColRamp), QString());
    m.resetToHeader();
    QCOMPARE(m.rowCount(), 0);
    // The header call leaves one blank ramp row, keeping the first row's texts.
    m.showEvaluation(evaluation(4, {accepted(1), accepted(4)}), UnitSystem::CGS);
    m.SetResultsGridHeader(UnitSystem::SI);
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.cellText(1, Model::ColRamp), QStringLiteral("1"));
    QCOMPARE(m.headerText(Model::ColTemp), QStringLiteral("Temp\n(C°)"));
}

void tst_ResultsTableModel::fromSamplesEndToEnd_data()
{
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<QString>("temperature");
    QTest::addColumn<QString>("kPrime");
    QTest::newRow("cgs") << int(UnitSystem::CGS) << "212" << "1.0000";
    QTest::newRow("ei") << int(UnitSystem::EI) << "212" << "0001.0";
    QTest::newRow("si") << int(UnitSystem::SI) << "100" << "0001.0";
}

void tst_ResultsTableModel::fromSamplesEndToEnd()
{
    QFETCH(int, unitSystem);
    QFETCH(QString, temperature);
    QFETCH(QString, kPrime);
    // Ramp 1: K' = 4.788 dyn·s^n/cm², n' = 0.6; ramp 2: one point short;
    // ramp 3: n' = 6, rejected. Every closing sample is at 212 °F.
    std::vector<TestResultRow> samples;
    double t = 0;
    auto add = [&](double ramp, double rate, double stress, double type) {
        TestResultRow s;
        s.rampNo = ramp;
        s.resultTime = t += 30;
        s.sampleTemp = 212;
        s.shearRate = rate;
        s.shearStress = stress;
        s.typeId = type;
        s.pH = 8.04;
        samples.push_back(s);
    };
    for (double rate : {20.0, 60.0, 180.0})
        add(1, rate, 4.788 * std::pow(rate, 0.6), 1);
    add(2, 100, 10, 0);
    add(2, 20, 10, 1);
    add(2, 40, 12, 1);
    add(3, 100, 10, 0);
    for (double rate : {2.0, 3.0, 4.0})
        add(3, rate, std::pow(rate, 6), 1);

    TestInfoRow info;
    info.bobRadius = 1.7245;
    Model m;
    m.SetResultsGridHeader(unitSystem);
    m.showEvaluation(EvaluateRamps(info, samples), unitSystem);
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.cellText(1, Model::ColTemp), temperature);
    QCOMPARE(m.cellText(1, Model::ColNPrime), QStringLiteral("0.6000"));
    QCOMPARE(m.cellText(1, Model::ColKPrime), kPrime);
    QCOMPARE(m.cellText(1, Model::ColRSquared), QStringLiteral("1.0000"));
    QCOMPARE(m.cellText(1, Model::ColTime), QStringLiteral("2."));     // closed at 120 s
    QCOMPARE(m.cellText(1, Model::ColPH), QStringLiteral("8.0"));
    QCOMPARE(row(m, 2), QStringList(QVector<QString>(12).toList()));
    QCOMPARE(m.cellText(3, Model::ColTemp), temperature);
    QCOMPARE(m.cellText(3, Model::ColNPrime), QStringLiteral("6.0000"));
    QCOMPARE(m.cellText(3, Model::ColVisc170), QStringLiteral("N/A"));
}

void tst_ResultsTableModel::liveUpdatesSignalOnlyChangedRows()
{
    Model m;
    m.showEvaluation(evaluation(3, {accepted(1), accepted(2), accepted(3)}), UnitSystem::CGS);
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    RampResult moved = accepted(3);
    moved.closingTime = 3000;
    m.showResults(3, true, {moved}, UnitSystem::CGS);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 2);
    m.showEvaluation(evaluation(3, {accepted(1), accepted(2), moved}), UnitSystem::CGS);
    QCOMPARE(changed.size(), 1);                        // same texts: no signal
}

QTEST_GUILESS_MAIN(tst_ResultsTableModel)
#include "tst_resultstablemodel.moc"
