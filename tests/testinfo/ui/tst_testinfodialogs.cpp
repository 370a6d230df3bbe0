// The entry and view/edit dialogs of the test information, driven by
// objectName on an offscreen screen, with their message boxes answered.
#include "dialogdriver.h"
#include "store/clsConnection.h"
#include "support/testdatabase.h"
#include "testinfo/testinfostore.h"
#include "testinfo/ui/frmTestRelatedInfo.h"
#include "testinfo/ui/frmViewRelatedInfo.h"
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>

using namespace driver;

namespace {

TestInfoRow storedInfo(const QString &name)
{
    TestInfoRow r;
    r.testName = name;
    r.fluidId = QStringLiteral("HPG 35");
    r.testTime = QDateTime(QDate(2024, 2, 14), QTime(13, 5, 0));
    r.researcherName = QStringLiteral("M. Ito");
    r.rotorNo = QStringLiteral("R1");
    r.bobNo = QStringLiteral("B4");
    r.bobRadius = 1.5;
    r.bobEffLength = 7.62;
    r.pretestPH = 6.5;
    r.posttestPH = 8.25;
    r.safety = QStringLiteral("Hot surface.");
    return r;
}

QVector<TestAdditiveRow> storedAdditives(int n)
{
    QVector<TestAdditiveRow> rows;
    for (int i = 0; i < n; ++i) {
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("Stored %1").arg(i + 1);
        a.concentration = 0.5 * (i + 1);
        a.unit = QStringLiteral("gpt");
        a.lotNo = QStringLiteral("S%1").arg(i + 1);
        rows.append(a);
    }
    return rows;
}

int count(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

// Clicks a cell, types into the in-place editor that opens and leaves it by
// clicking elsewhere in the dialog.
void typeIntoCell(QTableWidget *grid, int row, int column, const QString &text)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
    const QModelIndex cell = grid->model()->index(row, column);
    QTRY_VERIFY(qobject_cast<QLineEdit *>(grid->indexWidget(cell)));
    auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(cell));
    QCOMPARE(editor->objectName(), QStringLiteral("txtOverlap"));
    QVERIFY(editor->hasFocus());
    QCOMPARE(editor->selectedText(), editor->text());
    QTest::keyClicks(editor, text);
}

QStringList shownLabels(QWidget *dialog)
{
    QStringList texts;
    for (QLabel *l : dialog->findChildren<QLabel *>()) {
        if (l->isVisible())
            texts << l->text();
    }
    texts.sort();
    return texts;
}

} // namespace

class TestTestInfoDialogs : public QObject
{
    Q_OBJECT

private slots:
    void entryLayout()
    {
        TestDatabase db;
        frmTestRelatedInfo dlg(db.connection());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Input Test Information"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtResearchName")->text(), QStringLiteral("Unknown"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtTestDate")->text(),
                 QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobRadius")->text(), QStringLiteral("1.7245"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobLength")->text(), QStringLiteral("3.8"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtPreTestPH")->text(), QStringLiteral("7.0"));
        // Hidden fields carry values but neither they nor their labels show.
        for (const char *hidden : {"txtTestDate", "txtBobRadius", "txtBobLength", "MSFlexGrid2"})
            QVERIFY2(!child(&dlg, hidden)->isVisible(), hidden);
        QCOMPARE(shownLabels(&dlg),
                 (QStringList{"Additives:", "Bob Number:", "Description, Notes and Comments:", "Fluid ID:",
                              "Post-Test pH:", "Pre-Test pH:", "Researcher's Name:", "Rotor Number:", "Test Name:"}));
        QVERIFY(!child<QLineEdit>(&dlg, "txtTestName")->isReadOnly());
        QVERIFY(!child<QLineEdit>(&dlg, "txtBobNo")->isReadOnly());
        QCOMPARE(child<QTableWidget>(&dlg, "MSFlexGrid1")->rowCount(), 10);
        // The entry has no bob table: another bob leaves radius and length.
        setText(&dlg, "txtBobNo", QStringLiteral("B4"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobRadius")->text(), QStringLiteral("1.7245"));
    }

    void entryRefusals_data()
    {
        QTest::addColumn<QString>("rotor");
        QTest::addColumn<QString>("bob");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");     // empty: accepted
        QTest::addColumn<int>("combination");     // reported pair, 0: none

        const QString key = QStringLiteral("Rotor Bob Input error. Make sure inputs start at first space and correct.");
        const QString dup = QStringLiteral("Duplicate test name. Please input unique test name.");
        const QString empty = QStringLiteral("Please input a unique test name for valid input.");
        QTest::newRow("lower case r1/b4 is 6") << "r1 spare" << "b4 short" << "New test" << QString() << 6;
        QTest::newRow("leading blank") << " R1" << "B4" << "New test" << key << 0;
        QTest::newRow("R1 with B3") << "R1" << "B3" << "New test" << key << 0;
        QTest::newRow("case differs") << "R1" << "B1" << "GUAR 40" << QString() << 1;
        QTest::newRow("duplicate keeps the pair") << "R2" << "B1" << "Guar 40" << dup << 2;
        QTest::newRow("empty name") << "R1" << "B5" << "" << empty << 5;
    }
    void entryRefusals()
    {
        QFETCH(QString, rotor);
        QFETCH(QString, bob);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(int, combination);

        TestDatabase db;
        TestInfoStore(db.connection()).createTest(storedInfo(QStringLiteral("Guar 40")), {});
        frmTestRelatedInfo dlg(db.connection());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        setText(&dlg, "txtRotoNo", rotor);
        setText(&dlg, "txtBobNo", bob);
        QTest::keyClicks(child(&dlg, "txtTestName"), name);
        click(&dlg, "cmdok");

        QCOMPARE(dlg.rotorBob() ? dlg.rotorBob()->combination : 0, combination);
        QMessageBox *box = openBox(&dlg);
        if (message.isEmpty()) {
            QVERIFY(!box);
            QVERIFY(!dlg.isVisible());
            QVERIFY(!dlg.mlCanceled);
            QCOMPARE(dlg.texts().testName, name);
            return;
        }
        QVERIFY(box);
        QCOMPARE(box->text(), message);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        answer(box, QMessageBox::Ok);
        QTRY_VERIFY(!openBox(&dlg));
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.mlCanceled);
    }

    void entryCancelAndCloseBox()
    {
        TestDatabase db;
        {
            frmTestRelatedInfo dlg(db.connection());
            dlg.show();
            click(&dlg, "cmdCancel");
            QVERIFY(!dlg.isVisible());
            QVERIFY(dlg.mlCanceled);
        }
        {
            frmTestRelatedInfo dlg(db.connection());
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            setText(&dlg, "txtTestName", QStringLiteral("First"));
            click(&dlg, "cmdok");
            QVERIFY(!dlg.mlCanceled);
            // Shown again and closed by the close box: that is a Cancel.
            dlg.show();
            QVERIFY(dlg.close());
            QVERIFY(dlg.mlCanceled);
        }
    }

    // What is typed into a cell lands in the cell, also when OK is reached
    // without the editor losing the focus first, and the whole start stores
    // all ten rows.
    void entryAdditivesTypedInPlace()
    {
        TestDatabase db;
        frmTestRelatedInfo dlg(db.connection());
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        setText(&dlg, "txtTestName", QStringLiteral("Ten additives"));
        auto *grid = child<QTableWidget>(&dlg, "MSFlexGrid1");
        for (int r = 0; r < 10; ++r) {
            typeIntoCell(grid, r, 0, QStringLiteral("Additive %1").arg(r + 1));
            typeIntoCell(grid, r, 1, r == 9 ? QStringLiteral("abc") : QString::number(r + 1));
        }
        // The last editor is still open: reading the dialog or pressing OK
        // by its shortcut must not lose what it holds.
        typeIntoCell(grid, 9, 3, QStringLiteral("LOT-10"));
        QCOMPARE(dlg.texts().additives[9].lotNo, QStringLiteral("LOT-10"));
        typeIntoCell(grid, 8, 3, QStringLiteral("LOT-9"));
        child<QPushButton>(&dlg, "cmdok")->click();
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.mlCanceled);

        const TestInfoEntry::Texts texts = dlg.texts();
        QCOMPARE(texts.additives[0].name, QStringLiteral("Additive 1"));
        QCOMPARE(texts.additives[9].lotNo, QStringLiteral("LOT-10"));
        QCOMPARE(texts.additives[8].lotNo, QStringLiteral("LOT-9"));

        TestInfoStore store(db.connection());
        const qint64 id = store.createTest(texts);
        const auto back = store.load(id);
        QVERIFY(back);
        QCOMPARE(back->additives.size(), 10);
        QCOMPARE(back->additives[4].concentration, 5.0);
        QCOMPARE(back->additives[9].concentration, 0.0);   // "abc"
        QCOMPARE(back->additives[9].lotNo, QStringLiteral("LOT-10"));
        QCOMPARE(back->info.bobRadius, 1.7245);
    }

    void viewFillOrder_data()
    {
        QTest::addColumn<QString>("bob");
        QTest::addColumn<double>("radius");
        QTest::addColumn<double>("length");
        QTest::addColumn<QString>("radiusText");
        QTest::addColumn<QString>("lengthText");
        QTest::newRow("stored radius wins over B4") << "B4" << 1.5 << 7.62 << "1.5" << "7.62";
        QTest::newRow("table values stored") << "B2" << 1.2276 << 7.62 << "1.2276" << "7.62";
        QTest::newRow("bob outside the table") << "X9" << 0.75 << 2.5 << "0.75" << "2.5";
    }
    void viewFillOrder()
    {
        QFETCH(QString, bob);
        QFETCH(double, radius);
        QFETCH(double, length);
        QFETCH(QString, radiusText);
        QFETCH(QString, lengthText);
        TestInfoRow info = storedInfo(QStringLiteral("Viewed"));
        info.bobNo = bob;
        info.bobRadius = radius;
        info.bobEffLength = length;
        frmViewRelatedInfo dlg;
        dlg.fill(info, storedAdditives(2));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobNo")->text(), bob);
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobRadius")->text(), radiusText);
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobLength")->text(), lengthText);
        // The bob table itself is live in this dialog.
        setText(&dlg, "txtBobNo", QStringLiteral("B3"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobRadius")->text(), QStringLiteral("0.8622"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobLength")->text(), QStringLiteral("7.620"));
    }

    void viewLayout()
    {
        frmViewRelatedInfo dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Test Related Information"));
        QCOMPARE(child<QPushButton>(&dlg, "cmdok")->text(), QStringLiteral("&Save"));
        QCOMPARE(child<QPushButton>(&dlg, "cmdCancel")->text(), QStringLiteral("&Return"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobRadius")->text(), QStringLiteral("1.5987"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtBobLength")->text(), QStringLiteral("7.620"));
        for (const char *readOnly : {"txtTestName", "txtRotoNo", "txtBobNo"})
            QVERIFY2(child<QLineEdit>(&dlg, readOnly)->isReadOnly(), readOnly);
        QVERIFY(!child<QLineEdit>(&dlg, "txtFluidId")->isReadOnly());
        for (const char *hidden : {"txtTestDate", "txtBobRadius", "txtBobLength"})
            QVERIFY2(!child(&dlg, hidden)->isVisible(), hidden);

        click(&dlg, "cmdCancel");
        QVERIFY(!dlg.isVisible());
        QVERIFY(dlg.mlCanceled);
    }

    void viewSaveRefusesEmptyName()
    {
        frmViewRelatedInfo dlg;
        dlg.fill(storedInfo(QString()), {});
        dlg.show();
        click(&dlg, "cmdok");
        QMessageBox *box = openBox(&dlg);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Please input a unique test name for valid input."));
        answer(box, QMessageBox::Ok);
        QVERIFY(dlg.isVisible());
        QVERIFY(dlg.mlCanceled);
    }

    // Stored test → dialog → edited → saved: name and time unchanged, the
    // additives rewritten with all ten rows.
    void viewEditAndSave()
    {
        TestDatabase db;
        clsConnection *c = db.connection();
        TestInfoStore store(c);
        const qint64 id = store.createTest(storedInfo(QStringLiteral("Edited")), storedAdditives(3));
        const auto stored = store.load(id);
        QVERIFY(stored);

        frmViewRelatedInfo dlg;
        dlg.fill(stored->info, stored->additives);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(child<QLineEdit>(&dlg, "txtTestName")->text(), QStringLiteral("Edited"));
        QCOMPARE(child<QLineEdit>(&dlg, "txtPostTestPH")->text(), QStringLiteral("8.25"));
        QCOMPARE(child<QPlainTextEdit>(&dlg, "txtSAFETY")->toPlainText(), QStringLiteral("Hot surface."));
        auto *grid = child<QTableWidget>(&dlg, "MSFlexGrid1");
        QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("Stored 3"));
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("1.5"));

        setText(&dlg, "txtFluidId", QStringLiteral("HPG 40"));
        setText(&dlg, "txtPreTestPH", QStringLiteral("7.25 approx"));
        for (int r = 3; r < 10; ++r)
            typeIntoCell(grid, r, 0, QStringLiteral("Added %1").arg(r + 1));
        click(&dlg, "cmdok");
        QVERIFY(!dlg.isVisible());
        QVERIFY(!dlg.mlCanceled);

        store.saveEdited(id, dlg.texts());
        const auto back = store.load(id);
        QCOMPARE(back->info.testName, QStringLiteral("Edited"));
        QCOMPARE(back->info.testTime, stored->info.testTime);
        QCOMPARE(back->info.fluidId, QStringLiteral("HPG 40"));
        QCOMPARE(back->info.pretestPH, 7.25);
        QCOMPARE(back->info.bobRadius, 1.5);               // stored radius, not the B4 table's
        QCOMPARE(back->additives.size(), 10);
        QCOMPARE(back->additives[9].additiveName, QStringLiteral("Added 10"));
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE")), 10);
    }
};

QTEST_MAIN(TestTestInfoDialogs)
#include "tst_testinfodialogs.moc"
