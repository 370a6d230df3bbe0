// Walks the sequences page of the setup window with scripted message boxes.
#include "scriptedprompter.h"
#include "sequences/sequencestore.h"
#include "sequences/ui/frmInsertStep.h"
#include "sequences/ui/frmSetup.h"
#include "sequences/ui/sequencepage.h"
#include "sequences/unitsystem.h"
#include "support/testdatabase.h"
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int count(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QStringList listed(QListWidget *list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

} // namespace

class TestSetupSequences : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    QTemporaryDir m_settingsDir;
    std::shared_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmSetup> m_window;

    frmSetup *openWindow()
    {
        m_window = std::make_unique<frmSetup>(m_db->connection(), nullptr, m_settingsDir.path(), m_prompter);
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return nullptr;
        return m_window.get();
    }
    template <typename T> T *child(const char *name) const
    {
        T *w = m_window->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no child %s", name);
        return w;
    }
    QPushButton *button(const char *name) const { return child<QPushButton>(name); }
    QListWidget *list() const { return child<QListWidget>("lstSeqName"); }
    QTableView *stepsGrid() const { return child<QTableView>("MSFlexGrid1"); }
    QTableView *rampGrid() const { return child<QTableView>("MSFlexGrid3"); }
    SequenceDocument *document() const { return m_window->sequencePage()->document(); }

    void selectSequence(const QString &name)
    {
        const QList<QListWidgetItem *> items = list()->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        list()->setCurrentItem(items.first());
    }

    // Types into a grid cell through its cell editor and presses Enter.
    void typeIntoCell(QTableView *grid, int row, int column, const QString &text, const char *editorName)
    {
        const QModelIndex index = grid->model()->index(row, column);
        grid->setCurrentIndex(index);
        if (!grid->indexWidget(index))      // moving the cursor may open it already
            grid->edit(index);
        QLineEdit *editor = nullptr;
        QTRY_VERIFY((editor = grid->findChild<QLineEdit *>(QLatin1String(editorName))) && editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid->model()->index(row, column).data().toString(), text);
    }

    void buildSteps(const QStringList &values)   // total, time, temp, error, shear, record
    {
        button("cmdBuilder")->click();
        QWidget *frame = child<QWidget>("frameRamp");
        QVERIFY(frame->isVisible());
        const char *fields[] = {"txtTotalSteps", "txtStepTime", "txtTemp", "txtTempError",
                                "txtShearRate", "txtRecordRate"};
        for (int i = 0; i < 6; ++i) {
            QLineEdit *e = frame->findChild<QLineEdit *>(QLatin1String(fields[i]));
            e->clear();
            QTest::keyClicks(e, values[i]);
        }
        frame->findChild<QPushButton *>("cmdBuilderOK")->click();
    }

    void createSequence(const QString &name)
    {
        m_prompter->texts.enqueue(name);
        button("cmdNew")->click();
    }

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>();
        QVERIFY(m_db->connection()->IsOpen());
        m_prompter = std::make_shared<ScriptedPrompter>();
        UnitSystem::set(UnitSystem::CGS);
        QFile f(m_settingsDir.filePath("initial.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(" 1\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 0\r\n 1\r\n");
    }
    void cleanup()
    {
        m_window.reset();
        m_db.reset();
    }

    void createEditSaveReloadCopyDelete()
    {
        QVERIFY(openWindow());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("KX720pH Setup"));
        QCOMPARE(list()->count(), 0);
        QVERIFY(!button("cmdSaveChange")->isEnabled());

        createSequence(QStringLiteral("Borate gel"));
        QCOMPARE(m_prompter->asked.last().title, QStringLiteral("Input New Test Sequence Name"));
        QCOMPARE(m_prompter->asked.last().text, QStringLiteral("Please input new test sequence name:"));
        QCOMPARE(listed(list()), QStringList{"Borate gel"});
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Borate gel"));
        QCOMPARE(child<QLineEdit>("txtSampleInterval")->text(), QStringLiteral("60"));
        QCOMPARE(child<QComboBox>("cmbSampleRate")->currentText(), QStringLiteral("2"));
        QVERIFY(!document()->isModified());

        buildSteps({"3", "30", "150", "5", "170", "60"});
        QCOMPARE(stepsGrid()->model()->rowCount(), 3);
        QVERIFY(document()->isModified());
        typeIntoCell(stepsGrid(), 1, TempColumn, "175", "txtOverlap2");
        // The shear-ramp editor moves down on Enter.
        typeIntoCell(rampGrid(), 0, 0, "100", "txtOverlap");
        QTRY_COMPARE(rampGrid()->currentIndex().row(), 1);
        QLineEdit *next = nullptr;
        QTRY_VERIFY((next = rampGrid()->findChild<QLineEdit *>("txtOverlap")) && next->isVisible());
        QTest::keyClicks(next, "300");
        QTest::keyClick(next, Qt::Key_Return);
        QTRY_COMPARE(rampGrid()->model()->index(1, 0).data().toString(), QStringLiteral("300"));

        QLineEdit *average = child<QLineEdit>("txtNoSampleAve");
        average->clear();
        QTest::keyClicks(average, "4");
        child<QComboBox>("cmbSampleRate")->setCurrentText("5");
        button("cmdSaveChange")->click();
        QCOMPARE(m_prompter->informed.size(), 0);
        QVERIFY(!document()->isModified());

        // A new window reads it all back.
        QVERIFY(openWindow());
        selectSequence("Borate gel");
        QCOMPARE(stepsGrid()->model()->rowCount(), 3);
        QCOMPARE(stepsGrid()->model()->index(1, TempColumn).data().toString(), QStringLiteral("175"));
        QCOMPARE(stepsGrid()->model()->index(2, StepNoColumn).data().toString(), QStringLiteral("3"));
        QCOMPARE(stepsGrid()->model()->index(2, RecordRateColumn).data().toString(), QStringLiteral("60"));
        QCOMPARE(rampGrid()->model()->index(1, 0).data().toString(), QStringLiteral("300"));
        QCOMPARE(rampGrid()->model()->index(2, 0).data().toString(), QString());
        QCOMPARE(child<QLineEdit>("txtNoSampleAve")->text(), QStringLiteral("4"));
        QCOMPARE(child<QComboBox>("cmbSampleRate")->currentText(), QStringLiteral("5"));
        QVERIFY(!document()->isModified());

        // Copy As stores the sequence under the new name and shows the copy.
        m_prompter->texts.enqueue(QStringLiteral("Borate gel 2"));
        button("cmdSaveas")->click();
        QCOMPARE(listed(list()), (QStringList{"Borate gel", "Borate gel 2"}));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("Borate gel 2"));
        QCOMPARE(document()->name(), QStringLiteral("Borate gel 2"));
        QCOMPARE(stepsGrid()->model()->rowCount(), 3);
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 6);

        // Delete asks first; Cancel keeps the sequence.
        m_prompter->confirms.enqueue(false);
        button("cmdDelete")->click();
        QCOMPARE(m_prompter->asked.last().text, QStringLiteral("Are you sure to delete this test setup and its results?"));
        QCOMPARE(list()->count(), 2);
        m_prompter->confirms.enqueue(true);
        button("cmdDelete")->click();
        QCOMPARE(listed(list()), QStringList{"Borate gel"});
        QVERIFY(!document()->hasSequence());
        QCOMPARE(stepsGrid()->model()->rowCount(), 0);
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 3);
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP_DEFINE"), 2);
    }

    void existingNamesAreRefused()
    {
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Gel"));
        createSequence(QStringLiteral("Other"));
        createSequence(QStringLiteral("  Gel "));
        QCOMPARE(m_prompter->informed.size(), 1);
        QVERIFY(m_prompter->informed.last().text.contains("already exists"));
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_INFO WHERE SEQUENCE_NAME = 'Gel'"), 1);

        selectSequence("Other");
        m_prompter->texts.enqueue(QStringLiteral("Gel"));
        button("cmdSaveas")->click();
        QCOMPARE(m_prompter->informed.size(), 2);
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_INFO"), 2);
        QCOMPARE(document()->name(), QStringLiteral("Other"));

        // An empty answer, a blank one or Cancel creates nothing.
        m_prompter->texts.enqueue(QString());
        button("cmdNew")->click();
        m_prompter->texts.enqueue(QStringLiteral("   "));
        button("cmdNew")->click();
        m_prompter->texts.enqueue(std::nullopt);
        button("cmdNew")->click();
        QCOMPARE(m_prompter->informed.size(), 2);
        QCOMPARE(list()->count(), 2);
    }

    void copyOfAnEmptyRampStoresOneStep()
    {
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Bare"));
        m_prompter->texts.enqueue(QStringLiteral("Bare copy"));
        button("cmdSaveas")->click();
        QCOMPARE(rampGrid()->model()->index(0, 0).data().toString(), QStringLiteral("100"));
        QCOMPARE(rampGrid()->model()->index(1, 0).data().toString(), QString());
    }

    void saveChecksKeepTheEdits_data()
    {
        QTest::addColumn<QString>("temp");
        QTest::addColumn<QString>("ramp");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("message");
        QTest::newRow("temperature") << "200.5" << "100" << "60"
                                     << "Invalid input for temperature.  Can not save.";
        QTest::newRow("no ramp") << "200" << "" << "60"
                                 << "Need at least one input for ramp sequence define.";
        QTest::newRow("interval") << "200" << "100" << "10"
                                  << "Sampling interval between ramps is too small. At least need be "
                                     "(Number of Sample)*(Sample Rate)+1 ";
        QTest::newRow("saves") << "200" << "100" << "11" << "";
    }
    void saveChecksKeepTheEdits()
    {
        QFETCH(QString, temp);
        QFETCH(QString, ramp);
        QFETCH(QString, interval);
        QFETCH(QString, message);
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Checked"));
        buildSteps({"2", "30", "150", "5", "170", "60"});
        typeIntoCell(stepsGrid(), 1, TempColumn, temp, "txtOverlap2");
        if (!ramp.isEmpty())
            typeIntoCell(rampGrid(), 0, 0, ramp, "txtOverlap");
        QLineEdit *intervalField = child<QLineEdit>("txtSampleInterval");
        intervalField->clear();
        QTest::keyClicks(intervalField, interval);

        button("cmdSaveChange")->click();
        if (message.isEmpty()) {
            QCOMPARE(m_prompter->informedTexts(), QStringList());
            QVERIFY(!document()->isModified());
            QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 2);
            return;
        }
        QCOMPARE(m_prompter->informedTexts(), QStringList{message});
        QVERIFY(document()->isModified());
        QCOMPARE(stepsGrid()->model()->index(1, TempColumn).data().toString(), temp);
        QCOMPARE(count(m_db->connection(), "SELECT COUNT(*) FROM SEQUENCE_RAMP"), 0);
    }

    void returnAsksOnlyAfterEdits()
    {
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Gel"));
        QSignalSpy returned(m_window.get(), &frmSetup::returned);

        QLineEdit *visc = child<QLineEdit>("txtShutDownVisc");
        QTest::keyClicks(visc, "5");
        QVERIFY(document()->isModified());
        m_prompter->confirms.enqueue(false);
        button("cmdReturn")->click();
        QCOMPARE(m_prompter->asked.last().text,
                 QStringLiteral("Current active sequence was changed, do you want to leave without save?"));
        QCOMPARE(returned.count(), 0);
        QVERIFY(m_window->isVisible());

        // Closing from the title bar asks the same.
        m_prompter->confirms.enqueue(false);
        QVERIFY(!m_window->close());
        QVERIFY(m_window->isVisible());

        m_prompter->confirms.enqueue(true);
        button("cmdReturn")->click();
        QCOMPARE(returned.count(), 1);
        QVERIFY(!m_window->isVisible());

        // Unchanged: no question.
        QVERIFY(openWindow());
        QSignalSpy again(m_window.get(), &frmSetup::returned);
        const qsizetype asked = m_prompter->asked.size();
        selectSequence("Gel");
        child<QPushButton>("cmdReturnStation")->click();
        QCOMPARE(again.count(), 1);
        QCOMPARE(m_prompter->asked.size(), asked);
        QVERIFY(!m_window->isVisible());
    }

    void deleteStepMovesTheWholeStep()
    {
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Steps"));
        buildSteps({"3", "10", "150", "5", "170", "20"});
        typeIntoCell(stepsGrid(), 1, RunRampColumn, "0", "txtOverlap2");
        typeIntoCell(stepsGrid(), 2, RecordRateColumn, "33", "txtOverlap2");
        typeIntoCell(stepsGrid(), 2, TempColumn, "180", "txtOverlap2");
        stepsGrid()->setCurrentIndex(stepsGrid()->model()->index(1, 0));
        button("cmdDeleteStep")->click();
        QAbstractItemModel *m = stepsGrid()->model();
        QCOMPARE(m->rowCount(), 2);
        QCOMPARE(m->index(1, StepNoColumn).data().toString(), QStringLiteral("2"));
        QCOMPARE(m->index(1, TempColumn).data().toString(), QStringLiteral("180"));
        QCOMPARE(m->index(1, RunRampColumn).data().toString(), QStringLiteral("1"));
        QCOMPARE(m->index(1, RecordRateColumn).data().toString(), QStringLiteral("33"));

        // No step selected: nothing happens.
        stepsGrid()->setCurrentIndex({});
        button("cmdDeleteStep")->click();
        QCOMPARE(m->rowCount(), 2);
    }

    void insertStepThroughTheDialog_data()
    {
        QTest::addColumn<int>("unitSystem");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("CGS") << int(UnitSystem::CGS) << "Temp (°F)" << "120" << "120";
        QTest::newRow("SI") << int(UnitSystem::SI) << "Temp (°C)" << "100" << "212";
    }
    void insertStepThroughTheDialog()
    {
        QFETCH(int, unitSystem);
        QFETCH(QString, caption);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QVERIFY(openWindow());
        // The unit system changes at once with its option.
        child<QAbstractButton>(unitSystem == UnitSystem::SI ? "OptSI" : "optCGS")->click();
        QCOMPARE(UnitSystem::current(), unitSystem);
        createSequence(QStringLiteral("Insert"));
        buildSteps({"2", "10", "150", "5", "170", "20"});
        typeIntoCell(stepsGrid(), 1, RecordRateColumn, "45", "txtOverlap2");
        stepsGrid()->setCurrentIndex(stepsGrid()->model()->index(1, 0));

        button("cmdInsertStep")->click();
        frmInsertStep *dialog = nullptr;
        QTRY_VERIFY((dialog = m_window->findChild<frmInsertStep *>()) && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Insert Step"));
        QCOMPARE(dialog->findChild<QLineEdit *>("txtStepNo")->text(), QStringLiteral("2"));
        QCOMPARE(dialog->findChild<QLabel *>("lblTemp")->text(), caption);
        QComboBox *placement = dialog->findChild<QComboBox *>("cmbBeforeAfter");
        QCOMPARE(placement->currentText(), QStringLiteral("before"));

        QTest::keyClicks(dialog->findChild<QLineEdit *>("txtStepTime"), "15");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("txtTemp"), "999");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("txtTempError"), "3");
        QTest::keyClicks(dialog->findChild<QLineEdit *>("txtShearRate"), "511");
        dialog->findChild<QPushButton *>("cmdOK")->click();
        QCOMPARE(m_prompter->informedTexts(), QStringList{"Invalid temperature inpute."});
        QVERIFY(dialog->isVisible());

        QLineEdit *temp = dialog->findChild<QLineEdit *>("txtTemp");
        temp->clear();
        QTest::keyClicks(temp, typed);
        placement->setCurrentText("after");
        dialog->findChild<QPushButton *>("cmdOK")->click();
        QTRY_VERIFY(!dialog->isVisible());

        QAbstractItemModel *m = stepsGrid()->model();
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(m->index(2, StepNoColumn).data().toString(), QStringLiteral("3"));
        QCOMPARE(m->index(2, ElapseTimeColumn).data().toString(), QStringLiteral("15"));
        QCOMPARE(m->index(2, TempColumn).data().toString(), stored);
        QCOMPARE(m->index(2, ShearRateColumn).data().toString(), QStringLiteral("511"));
        QCOMPARE(m->index(2, RunRampColumn).data().toString(), QStringLiteral("1"));
        // The step it followed keeps its own recording rate.
        QCOMPARE(m->index(1, RecordRateColumn).data().toString(), QStringLiteral("45"));
        QVERIFY(document()->isModified());

        // Cancel inserts nothing.
        button("cmdInsertStep")->click();
        QTRY_VERIFY((dialog = m_window->findChild<frmInsertStep *>()) && dialog->isVisible());
        dialog->findChild<QPushButton *>("cmdCancel")->click();
        QTRY_VERIFY(!m_window->findChild<frmInsertStep *>());
        QCOMPARE(m->rowCount(), 3);
    }

    void insertStopsAtNinetyEightSteps()
    {
        QVERIFY(openWindow());
        createSequence(QStringLiteral("Long"));
        buildSteps({"98", "1", "150", "5", "170", "20"});
        QCOMPARE(stepsGrid()->model()->rowCount(), 98);
        button("cmdInsertStep")->click();
        QCOMPARE(m_prompter->informed.size(), 1);
        QCOMPARE(m_prompter->informed.last().title, QStringLiteral("Too Many Test Steps."));
        QCOMPARE(m_prompter->informed.last().text, QStringLiteral("Operation not allowed.  Maximum step is 98."));
        QVERIFY(!m_window->findChild<frmInsertStep *>());

        // The builder refuses out-of-range input and keeps its frame open.
        buildSteps({"3", "1", "201", "5", "170", "20"});
        QCOMPARE(m_prompter->informed.last().title, QStringLiteral("Input number out of allowable range."));
        QVERIFY(child<QWidget>("frameRamp")->isVisible());
        QCOMPARE(stepsGrid()->model()->rowCount(), 98);
    }

    void unopenedDatabaseStillOpensTheWindow()
    {
        QTemporaryDir dir;
        clsConnection closed(DatabaseConfig::sqlite(dir.filePath("never-opened.db")));
        frmSetup window(&closed, nullptr, m_settingsDir.path(), m_prompter);
        QLabel *error = window.findChild<QLabel *>("lblStoreError");
        QVERIFY(!error->isHidden());
        QVERIFY(!window.findChild<QPushButton *>("cmdNew")->isEnabled());
    }
};

QTEST_MAIN(TestSetupSequences)
#include "tst_setupsequences.moc"
