// Rules a sequence passes before it is stored, and the dialogs' limits.
#include "sequences/insertstep.h"
#include "sequences/leadingnumber.h"
#include "sequences/sequencerules.h"
#include "sequences/stepbuilder.h"
#include "sequences/unitsystem.h"
#include <QtTest>

namespace {

SequenceStep step(const QString &temp, const QString &runRamp = QStringLiteral("1"),
                  const QString &recordRate = QStringLiteral("20"))
{
    SequenceStep s;
    s.elapseTime = QStringLiteral("10");
    s.temp = temp;
    s.tempError = QStringLiteral("5");
    s.shearRate = QStringLiteral("100");
    s.runRamp = runRamp;
    s.recordRate = recordRate;
    return s;
}

// A sequence that passes every save check.
SequenceData saveable()
{
    SequenceData d;
    d.id = 1;
    d.name = QStringLiteral("Base");
    d.steps = {step(QStringLiteral("150")), step(QStringLiteral("180"))};
    d.rampCells = {QStringLiteral("100"), QStringLiteral("200")};
    return d;
}

QStringList numbers(int count)
{
    QStringList cells;
    for (int i = 1; i <= count; ++i)
        cells << QString::number(i * 10);
    return cells;
}

} // namespace

class TestSequenceRules : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "200" << 200.0;
        QTest::newRow("decimal") << "200.5" << 200.5;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blank") << " " << 0.0;
        QTest::newRow("leading blanks") << "  7.25 min" << 7.25;
        QTest::newRow("negative") << "-0.01" << -0.01;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("point only") << "." << 0.0;
        QTest::newRow("exponent") << "1.5e3x" << 1500.0;
        QTest::newRow("bare exponent letter") << "15e" << 15.0;
        QTest::newRow("second point") << "1.2.3" << 1.2;
        QTest::newRow("comma is not a point") << "1,5" << 1.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(::leadingNumber(text), expected);
    }

    void saveChecks_data()
    {
        QTest::addColumn<SequenceData>("sequence");
        QTest::addColumn<QString>("expected");

        QTest::newRow("valid") << saveable() << QString();

        SequenceData at200 = saveable();
        at200.steps[1].temp = QStringLiteral("200");
        QTest::newRow("temperature 200 saves") << at200 << QString();

        SequenceData over = saveable();
        over.steps[1].temp = QStringLiteral("200.5");
        QTest::newRow("temperature 200.5 refused")
            << over << QStringLiteral("Invalid input for temperature.  Can not save.");

        SequenceData noRamp = saveable();
        noRamp.rampCells = QStringList(40, QString());
        QTest::newRow("empty ramp grid refused")
            << noRamp << QStringLiteral("Need at least one input for ramp sequence define.");

        SequenceData blankRamp = saveable();
        blankRamp.rampCells = {QStringLiteral(" "), QStringLiteral("200")};
        QTest::newRow("blank first ramp cell refused")
            << blankRamp << QStringLiteral("Need at least one input for ramp sequence define.");

        // Temperature is checked before the ramp and the ramp before the interval.
        SequenceData all = saveable();
        all.steps[0].temp = QStringLiteral("250");
        all.rampCells.clear();
        all.header.sampleInterval = QStringLiteral("1");
        QTest::newRow("temperature first")
            << all << QStringLiteral("Invalid input for temperature.  Can not save.");
        all.steps[0].temp = QStringLiteral("150");
        QTest::newRow("ramp before interval")
            << all << QStringLiteral("Need at least one input for ramp sequence define.");

        const QString tooSmall = QStringLiteral(
            "Sampling interval between ramps is too small. At least need be (Number of Sample)*(Sample Rate)+1 ");
        SequenceData equal = saveable();
        equal.header.samplePointsAverage = QStringLiteral("5");
        equal.header.sampleRate = QStringLiteral("2");
        equal.header.sampleInterval = QStringLiteral("11");
        QTest::newRow("n*r+1 equal to T accepted") << equal << QString();
        equal.header.sampleInterval = QStringLiteral("10");
        QTest::newRow("n*r+1 above T refused") << equal << tooSmall;
        SequenceData slow = saveable();
        slow.header.samplePointsAverage = QStringLiteral("2");
        slow.header.sampleRate = QStringLiteral("30");
        slow.header.sampleInterval = QStringLiteral("60");
        QTest::newRow("2 x 30 + 1 > 60") << slow << tooSmall;
    }
    void saveChecks()
    {
        QFETCH(SequenceData, sequence);
        QFETCH(QString, expected);
        QCOMPARE(SequenceRules::saveProblem(sequence), expected);
    }

    void rampRowsToStore_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QList<double>>("rates");
        QTest::newRow("empty grid: one step of 100") << QStringList(40, QString()) << QList<double>{100};
        QTest::newRow("no cells: one step of 100") << QStringList() << QList<double>{100};
        QTest::newRow("gap stops the ramp")
            << QStringList{"1", "2", "", "4"} << QList<double>{1, 2};
        QTest::newRow("single blank stops the ramp")
            << QStringList{"50", "100", " ", "300"} << QList<double>{50, 100};
        QTest::newRow("leading numbers") << QStringList{"170abc", "x"} << QList<double>{170, 0};
        QList<double> forty;
        for (int i = 1; i <= 40; ++i)
            forty << i * 10;
        QTest::newRow("45 filled cells store 40") << numbers(45) << forty;
        QTest::newRow("exactly 40") << numbers(40) << forty;
    }
    void rampRowsToStore()
    {
        QFETCH(QStringList, cells);
        QFETCH(QList<double>, rates);
        const QVector<SequenceRules::RampRow> rows = SequenceRules::rampRowsToStore(cells);
        QCOMPARE(rows.size(), rates.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].stepNo, i + 1);
            QCOMPARE(rows[i].shearRate, rates[i]);
        }
    }

    void stepRowsAreNumberedByPosition()
    {
        QVector<SequenceStep> steps{step(QStringLiteral("150")), step(QStringLiteral("abc"), "0", "")};
        steps[1].elapseTime = QStringLiteral("7.5 min");
        const QVector<SequenceRules::StepRow> rows = SequenceRules::stepRowsToStore(steps);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].rampNo, 1.0);
        QCOMPARE(rows[0].temp, 150.0);
        QCOMPARE(rows[0].runRamp, 1.0);
        QCOMPARE(rows[1].rampNo, 2.0);
        QCOMPARE(rows[1].elapseTime, 7.5);
        QCOMPARE(rows[1].temp, 0.0);
        QCOMPARE(rows[1].runRamp, 0.0);
        QCOMPARE(rows[1].recordRate, 0.0);
    }

    void stepLimit()
    {
        QVERIFY(SequenceRules::canInsertStep(0));
        QVERIFY(SequenceRules::canInsertStep(97));
        QVERIFY(!SequenceRules::canInsertStep(98));
        QVERIFY(!SequenceRules::canInsertStep(120));
        QCOMPARE(SequenceRules::tooManyStepsMessage(),
                 QStringLiteral("Operation not allowed.  Maximum step is 98."));
        QCOMPARE(SequenceRules::tooManyStepsTitle(), QStringLiteral("Too Many Test Steps."));
    }

    void names()
    {
        QCOMPARE(SequenceRules::cleanName(QStringLiteral("  Gel 40  ")), QStringLiteral("Gel 40"));
        QVERIFY(SequenceRules::nameProblem(QStringLiteral("Gel 40"), false).isEmpty());
        QVERIFY(SequenceRules::nameProblem(QStringLiteral("Gel 40"), true).contains("already exists"));
        QVERIFY(SequenceRules::nameProblem(QString(40, 'x'), false).isEmpty());
        QVERIFY(SequenceRules::nameProblem(QString(41, 'x'), false).contains("too long"));
    }

    void stepBuilderRange_data()
    {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("tempError");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("typical") << "3" << "150" << "5" << true;
        QTest::newRow("temperature 0 refused") << "3" << "0" << "5" << false;
        QTest::newRow("temperature just above 0") << "3" << "0.1" << "5" << true;
        QTest::newRow("temperature 200.9") << "3" << "200.9" << "5" << true;
        QTest::newRow("temperature 201 refused") << "3" << "201" << "5" << false;
        QTest::newRow("temperature text refused") << "3" << "hot" << "5" << false;
        QTest::newRow("error 199.9") << "3" << "150" << "199.9" << true;
        QTest::newRow("error 200 refused") << "3" << "150" << "200" << false;
        QTest::newRow("98 steps") << "98" << "150" << "5" << true;
        QTest::newRow("99 steps refused") << "99" << "150" << "5" << false;
        QTest::newRow("no steps refused") << "0" << "150" << "5" << false;
        QTest::newRow("part of a step refused") << "2.5" << "150" << "5" << false;
    }
    void stepBuilderRange()
    {
        QFETCH(QString, total);
        QFETCH(QString, temp);
        QFETCH(QString, tempError);
        QFETCH(bool, accepted);
        StepBuilderInput in{total, "30", temp, tempError, "170", "60"};
        QCOMPARE(StepBuilder::accepts(in), accepted);
        QCOMPARE(StepBuilder::build(in).has_value(), accepted);
    }

    void stepBuilderFillsTextsAsTyped()
    {
        const auto steps = StepBuilder::build({"3", "30.0", "150", "5", "170abc", "60"});
        QVERIFY(steps);
        QCOMPARE(steps->size(), 3);
        for (const SequenceStep &s : *steps) {
            QCOMPARE(s.elapseTime, QStringLiteral("30.0"));
            QCOMPARE(s.temp, QStringLiteral("150"));
            QCOMPARE(s.shearRate, QStringLiteral("170abc"));
            QCOMPARE(s.runRamp, QStringLiteral("1"));
            QCOMPARE(s.recordRate, QStringLiteral("60"));
        }
        QCOMPARE(StepBuilder::rangeMessage(), QStringLiteral("Input number out of range.  Please check the input."));
        QCOMPARE(StepBuilder::rangeTitle(), QStringLiteral("Input number out of allowable range."));
    }

    void insertDialogLimits_data()
    {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("shear");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");

        const int none = int(InsertStep::Field::None);
        const int time = int(InsertStep::Field::StepTime);
        const int temp = int(InsertStep::Field::Temp);
        const int shear = int(InsertStep::Field::ShearRate);
        const QString timeT = "Time input out range", timeM = "Invalid time inpute.";
        const QString tempT = "Temperature input out range", tempM = "Invalid temperature inpute.";
        const QString shearT = "Shear rate input out range", shearM = "Invalid shear rate inpute.";

        QTest::newRow("F: 450 accepted") << 1 << "30" << "450" << "100" << none << "" << "";
        QTest::newRow("F: 450.1 refused") << 1 << "30" << "450.1" << "100" << temp << tempT << tempM;
        QTest::newRow("EI: 450 accepted") << 2 << "30" << "450" << "100" << none << "" << "";
        QTest::newRow("C: 232.3 accepted") << 3 << "30" << "232.3" << "100" << none << "" << "";
        QTest::newRow("C: 232.4 refused") << 3 << "30" << "232.4" << "100" << temp << tempT << tempM;
        QTest::newRow("C: 300 refused") << 3 << "30" << "300" << "100" << temp << tempT << tempM;
        QTest::newRow("negative temperature") << 1 << "30" << "-1" << "100" << temp << tempT << tempM;
        QTest::newRow("time 60000") << 1 << "60000" << "150" << "100" << none << "" << "";
        QTest::newRow("time above 60000") << 1 << "60000.5" << "150" << "100" << time << timeT << timeM;
        QTest::newRow("negative time") << 1 << "-1" << "150" << "100" << time << timeT << timeM;
        QTest::newRow("shear -0.01") << 1 << "30" << "150" << "-0.01" << none << "" << "";
        QTest::newRow("shear -0.02") << 1 << "30" << "150" << "-0.02" << shear << shearT << shearM;
        QTest::newRow("shear 9000") << 1 << "30" << "150" << "9000" << none << "" << "";
        QTest::newRow("shear 9001") << 1 << "30" << "150" << "9001" << shear << shearT << shearM;
        QTest::newRow("time checked first") << 1 << "-5" << "999" << "99999" << time << timeT << timeM;
        QTest::newRow("temperature before shear") << 1 << "5" << "999" << "99999" << temp << tempT << tempM;
    }
    void insertDialogLimits()
    {
        QFETCH(int, unitSystem);
        QFETCH(QString, time);
        QFETCH(QString, temp);
        QFETCH(QString, shear);
        QFETCH(int, field);
        QFETCH(QString, title);
        QFETCH(QString, message);
        InsertStepInput in;
        in.stepNo = "1";
        in.stepTime = time;
        in.temp = temp;
        in.tempError = "5";
        in.shearRate = shear;
        const InsertStep::Problem p = InsertStep::check(in, unitSystem);
        QCOMPARE(int(p.field), field);
        QCOMPARE(p.title, title);
        QCOMPARE(p.message, message);
    }

    void insertDialogCaptionAndLeaveCheck()
    {
        QCOMPARE(InsertStep::temperatureCaption(UnitSystem::CGS), QStringLiteral("Temp (°F)"));
        QCOMPARE(InsertStep::temperatureCaption(UnitSystem::EI), QStringLiteral("Temp (°F)"));
        QCOMPARE(InsertStep::temperatureCaption(UnitSystem::SI), QStringLiteral("Temp (°C)"));
        QVERIFY(InsertStep::checkShearRateOnLeave("90000").ok());
        QVERIFY(InsertStep::checkShearRateOnLeave("9500").ok());
        const InsertStep::Problem p = InsertStep::checkShearRateOnLeave("90001");
        QCOMPARE(p.title, QStringLiteral("Shear rate input out of range. Please try again."));
        QCOMPARE(p.message, QStringLiteral("Invalid shear rate inpute."));
    }

    void insertPlacement_data()
    {
        QTest::addColumn<QString>("stepNo");
        QTest::addColumn<bool>("after");
        QTest::addColumn<int>("stepCount");
        QTest::addColumn<int>("row");
        QTest::newRow("before step 1") << "1" << false << 3 << 0;
        QTest::newRow("after step 1") << "1" << true << 3 << 1;
        QTest::newRow("before step 3") << "3" << false << 3 << 2;
        QTest::newRow("after last step") << "3" << true << 3 << 3;
        QTest::newRow("into an empty grid") << "1" << false << 0 << 0;
        QTest::newRow("after, empty grid") << "1" << true << 0 << 0;
        QTest::newRow("step past the end") << "9" << false << 3 << 2;
        QTest::newRow("step 0") << "0" << true << 3 << 1;
    }
    void insertPlacement()
    {
        QFETCH(QString, stepNo);
        QFETCH(bool, after);
        QFETCH(int, stepCount);
        QFETCH(int, row);
        InsertStepInput in;
        in.stepNo = stepNo;
        in.after = after;
        QCOMPARE(InsertStep::insertRow(in, stepCount), row);
    }

    void insertedStepStoresFahrenheit()
    {
        InsertStepInput in{"1", "30", "100", "5", "170", false};
        const SequenceStep f = InsertStep::makeStep(in, UnitSystem::CGS, "45");
        QCOMPARE(f.temp, QStringLiteral("100"));
        QCOMPARE(f.runRamp, QStringLiteral("1"));
        QCOMPARE(f.recordRate, QStringLiteral("45"));
        const SequenceStep c = InsertStep::makeStep(in, UnitSystem::SI, "45");
        QCOMPARE(c.temp, QStringLiteral("212"));
        in.temp = "232.3";
        QCOMPARE(InsertStep::makeStep(in, UnitSystem::SI, "").temp, QStringLiteral("450.14"));
    }
};

QTEST_GUILESS_MAIN(TestSequenceRules)
#include "tst_sequencerules.moc"
