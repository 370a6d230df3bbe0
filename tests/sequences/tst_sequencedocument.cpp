// The editor's sequence model: whole steps move together, the changed flag
// follows every edit and nothing else.
#include "sequences/sequencedocument.h"
#include <QSignalSpy>
#include <QtTest>

namespace {

SequenceStep step(const QString &time, const QString &temp, const QString &error,
                  const QString &shear, const QString &ramp, const QString &record)
{
    SequenceStep s;
    s.elapseTime = time;
    s.temp = temp;
    s.tempError = error;
    s.shearRate = shear;
    s.runRamp = ramp;
    s.recordRate = record;
    return s;
}

// Three steps whose every value tells which step it belongs to.
QVector<SequenceStep> threeSteps()
{
    return {step("10", "100", "1", "110", "1", "11"),
            step("20", "120", "2", "120", "0", "22"),
            step("30", "130", "3", "130", "1", "33")};
}

SequenceData sample()
{
    SequenceData d;
    d.id = 7;
    d.name = QStringLiteral("Gel");
    d.steps = threeSteps();
    d.rampCells = {QStringLiteral("100"), QStringLiteral("200")};
    return d;
}

QStringList column0(SequenceStepsModel *m)
{
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->index(r, StepNoColumn).data().toString();
    return out;
}

} // namespace

class TestSequenceDocument : public QObject
{
    Q_OBJECT

private slots:
    void deleteStepTakesTheWholeStep()
    {
        SequenceDocument doc;
        doc.load(sample());
        doc.steps()->removeStep(1);
        const QVector<SequenceStep> expected{threeSteps()[0], threeSteps()[2]};
        QCOMPARE(doc.steps()->steps(), expected);
        // The old step 3 keeps its own ramp flag and recording rate on row 2.
        QCOMPARE(doc.steps()->index(1, RunRampColumn).data().toString(), QStringLiteral("1"));
        QCOMPARE(doc.steps()->index(1, RecordRateColumn).data().toString(), QStringLiteral("33"));
        QCOMPARE(column0(doc.steps()), (QStringList{"1", "2"}));
        QVERIFY(doc.isModified());
    }

    void deleteOutsideTheStepsDoesNothing()
    {
        SequenceDocument doc;
        doc.load(sample());
        doc.steps()->removeStep(-1);
        doc.steps()->removeStep(3);
        QCOMPARE(doc.steps()->steps(), threeSteps());
        QVERIFY(!doc.isModified());
    }

    void insertStepKeepsTheOthersTogether_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("before the first") << 0;
        QTest::newRow("in the middle") << 1;
        QTest::newRow("after the last") << 3;
    }
    void insertStepKeepsTheOthersTogether()
    {
        QFETCH(int, row);
        SequenceDocument doc;
        doc.load(sample());
        const SequenceStep added = step("5", "90", "4", "150", "1", "44");
        doc.steps()->insertStep(row, added);

        QVector<SequenceStep> expected = threeSteps();
        expected.insert(row, added);
        QCOMPARE(doc.steps()->steps(), expected);
        QCOMPARE(column0(doc.steps()), (QStringList{"1", "2", "3", "4"}));
        QVERIFY(doc.isModified());
    }

    void stepNumberIsNotEditable()
    {
        SequenceDocument doc;
        doc.load(sample());
        SequenceStepsModel *m = doc.steps();
        QVERIFY(!(m->flags(m->index(0, StepNoColumn)) & Qt::ItemIsEditable));
        QVERIFY(!m->setData(m->index(0, StepNoColumn), "9"));
        QVERIFY(m->flags(m->index(0, TempColumn)) & Qt::ItemIsEditable);
        QVERIFY(!doc.isModified());
    }

    void changedFlagFollowsEdits()
    {
        SequenceDocument doc;
        QSignalSpy spy(&doc, &SequenceDocument::modifiedChanged);
        doc.load(sample());
        QVERIFY(!doc.isModified());

        // Writing the same text back is not an edit.
        doc.setField(SequenceDocument::Field::SampleRate, QStringLiteral("2"));
        doc.steps()->setData(doc.steps()->index(0, TempColumn), QStringLiteral("100"));
        doc.ramp()->setData(doc.ramp()->index(0, 0), QStringLiteral("100"));
        QVERIFY(!doc.isModified());
        QCOMPARE(spy.count(), 0);

        doc.ramp()->setData(doc.ramp()->index(2, 0), QStringLiteral("300"));
        QVERIFY(doc.isModified());
        QCOMPARE(doc.data().rampCells.mid(0, 3), (QStringList{"100", "200", "300"}));

        doc.markSaved();
        QVERIFY(!doc.isModified());
        doc.setField(SequenceDocument::Field::ShutDownVisc, QStringLiteral("12"));
        QVERIFY(doc.isModified());
        QCOMPARE(doc.data().header.shutDownVisc, QStringLiteral("12"));

        doc.load(sample());     // reselecting discards the edits
        QVERIFY(!doc.isModified());
        QCOMPARE(doc.data().header.shutDownVisc, QStringLiteral("0"));
        QCOMPARE(spy.count(), 4);
    }

    void rampGridHoldsFortyRows()
    {
        SequenceDocument doc;
        SequenceData d = sample();
        for (int i = 0; i < 50; ++i)
            d.rampCells << QString::number(i);
        doc.load(d);
        QCOMPARE(doc.ramp()->rowCount(), 40);
        QCOMPARE(doc.data().rampCells.size(), 40);
        doc.clear();
        QVERIFY(!doc.hasSequence());
        QCOMPARE(doc.data().rampCells, QStringList(40, QString()));
        QCOMPARE(doc.steps()->rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSequenceDocument)
#include "tst_sequencedocument.moc"
