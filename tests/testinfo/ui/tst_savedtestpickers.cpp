// The saved-test pickers: the list newest first, click and double-click,
// OK/Cancel and their signals, the close box, and delete.
#include "dialogdriver.h"
#include "store/clsConnection.h"
#include "store/clsTEST_RESULT.h"
#include "support/testdatabase.h"
#include "testinfo/testinfostore.h"
#include "testinfo/ui/frmOpenTest.h"
#include "testinfo/ui/frmOverlapTest.h"
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QWindow>

using namespace driver;

namespace {

const QDateTime t0(QDate(2024, 6, 3), QTime(10, 15));

qint64 addTest(clsConnection *c, const QString &name, const QDateTime &time, int additives = 0, int samples = 0)
{
    TestInfoRow info;
    info.testName = name;
    info.testTime = time;
    info.researcherName = QStringLiteral("R. %1").arg(name);
    QVector<TestAdditiveRow> rows;
    for (int i = 0; i < additives; ++i) {
        TestAdditiveRow a;
        a.additiveName = QStringLiteral("A%1").arg(i);
        rows.append(a);
    }
    const qint64 id = TestInfoStore(c).createTest(info, rows);
    clsTEST_RESULT results;
    results.ConnectX(c);
    for (int i = 0; i < samples; ++i) {
        results.SetDefaults();
        results.Test_Id = double(id);
        results.RESULT_TIME = i;
        results.AddNew();
    }
    return id;
}

int count(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

QStringList listedNames(QWidget *picker)
{
    auto *grid = child<QTableWidget>(picker, "MSFlexGrid1");
    QStringList names;
    for (int r = 0; r < grid->rowCount(); ++r)
        names << grid->item(r, 0)->text();
    return names;
}

void clickRow(QWidget *picker, int row, bool twice = false)
{
    auto *grid = child<QTableWidget>(picker, "MSFlexGrid1");
    const QPoint at = cellCentre(grid, row, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        // What a double-click delivers after the first click.
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
}

// The window's close box (a close request to the window).
void pressCloseBox(QWidget *w)
{
    QVERIFY(w->windowHandle());
    w->windowHandle()->close();
}

} // namespace

class TestSavedTestPickers : public QObject
{
    Q_OBJECT

private slots:
    void layoutAndEmptyStore()
    {
        TestDatabase db;
        frmOpenTest open(db.connection());
        frmOverlapTest overlap(db.connection());
        open.show();
        overlap.show();
        QCOMPARE(open.windowTitle(), QStringLiteral("Open Saved Test"));
        QCOMPARE(overlap.windowTitle(), QStringLiteral("Overlap Saved Test"));
        QCOMPARE(child<QPushButton>(&open, "cmdDelete")->text(), QStringLiteral("&Delete"));
        QVERIFY(!overlap.findChild<QPushButton *>(QStringLiteral("cmdDelete")));
        for (QWidget *picker : {static_cast<QWidget *>(&open), static_cast<QWidget *>(&overlap)}) {
            QCOMPARE(child<QLabel>(picker, "Label1")->text(), QStringLiteral("Please select saved test name:"));
            QCOMPARE(child<QLabel>(picker, "Label2")->text(), QStringLiteral("or, please input your test result name:"));
            QCOMPARE(child<QPushButton>(picker, "cmdOk")->text(), QStringLiteral("&OK"));
            QCOMPARE(child<QPushButton>(picker, "cmdCancel")->text(), QStringLiteral("&Cancel"));
            auto *grid = child<QTableWidget>(picker, "MSFlexGrid1");
            QCOMPARE(grid->columnCount(), 3);
            QCOMPARE(grid->horizontalHeaderItem(0)->text(), QStringLiteral("Test\nName"));
            QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Test\nTime"));
            QCOMPARE(grid->horizontalHeaderItem(2)->text(), QStringLiteral("Researcher\nName"));
            QCOMPARE(grid->rowCount(), 0);
            QVERIFY(!grid->currentIndex().isValid());
        }
    }

    void listNewestFirstAndClick()
    {
        TestDatabase db;
        addTest(db.connection(), QStringLiteral("Older"), t0);
        addTest(db.connection(), QStringLiteral("Newer"), t0.addSecs(60));
        addTest(db.connection(), QStringLiteral("Oldest"), t0.addSecs(-3600));
        frmOpenTest picker(db.connection());
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(listedNames(&picker), (QStringList{"Newer", "Older", "Oldest"}));
        auto *grid = child<QTableWidget>(&picker, "MSFlexGrid1");
        QCOMPARE(grid->currentRow(), 0);
        QCOMPARE(grid->item(0, 1)->text(), QLocale().toString(t0.addSecs(60), QLocale::ShortFormat));
        QCOMPARE(grid->item(1, 2)->text(), QStringLiteral("R. Older"));
        QVERIFY(child<QLineEdit>(&picker, "txtSeqName")->text().isEmpty());

        clickRow(&picker, 2);
        QCOMPARE(child<QLineEdit>(&picker, "txtSeqName")->text(), QStringLiteral("Oldest"));
    }

    // The list is read again every time the picker is shown.
    void openPickerRefreshesOnShow()
    {
        TestDatabase db;
        addTest(db.connection(), QStringLiteral("First"), t0);
        frmOpenTest picker(db.connection());
        picker.show();
        QCOMPARE(listedNames(&picker), QStringList{"First"});
        picker.hide();
        addTest(db.connection(), QStringLiteral("Second"), t0.addSecs(60));
        picker.show();
        QCOMPARE(listedNames(&picker), (QStringList{"Second", "First"}));
    }

    void openPickerOkAndDoubleClick()
    {
        TestDatabase db;
        addTest(db.connection(), QStringLiteral("Alpha"), t0);
        addTest(db.connection(), QStringLiteral("Beta"), t0.addSecs(60));
        frmOpenTest picker(db.connection());
        QStringList raised;
        QList<bool> visibleWhenRaised;
        connect(&picker, &frmOpenTest::Selected, this, [&](const QString &name) {
            raised << name;
            visibleWhenRaised << picker.isVisible();
        });
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));

        // Double-click: raised with the row's name, the picker stays until
        // the main window hides it.
        clickRow(&picker, 1, true);
        QCOMPARE(raised, QStringList{"Alpha"});
        QCOMPARE(visibleWhenRaised, QList<bool>{true});
        QVERIFY(picker.isVisible());

        // OK with a typed name not in the list: hidden first, then raised.
        setText(&picker, "txtSeqName", QStringLiteral("Not stored"));
        click(&picker, "cmdOk");
        QCOMPARE(raised.last(), QStringLiteral("Not stored"));
        QCOMPARE(visibleWhenRaised.last(), false);
        QVERIFY(!picker.isVisible());

        // Cancel hides without a signal; so does the close box.
        picker.show();
        click(&picker, "cmdCancel");
        QVERIFY(!picker.isVisible());
        picker.show();
        pressCloseBox(&picker);
        QVERIFY(!picker.isVisible());
        QCOMPARE(raised.size(), 2);
    }

    void overlapPickerOkAndDoubleClick()
    {
        TestDatabase db;
        addTest(db.connection(), QStringLiteral("Base"), t0);
        addTest(db.connection(), QStringLiteral("Overlay"), t0.addSecs(60));
        frmOverlapTest picker(db.connection());
        QStringList raised;
        QList<bool> visibleWhenRaised;
        connect(&picker, &frmOverlapTest::OverSelected, this, [&](const QString &name) {
            raised << name;
            visibleWhenRaised << picker.isVisible();
        });
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
        QCOMPARE(listedNames(&picker), (QStringList{"Overlay", "Base"}));

        // OK leaves the picker shown (the main window may refuse the name).
        clickRow(&picker, 1);
        click(&picker, "cmdOk");
        QCOMPARE(raised, QStringList{"Base"});
        QCOMPARE(visibleWhenRaised, QList<bool>{true});

        // The close box is refused.
        pressCloseBox(&picker);
        QVERIFY(picker.isVisible());

        // A double-click hides it first.
        clickRow(&picker, 0, true);
        QCOMPARE(raised.last(), QStringLiteral("Overlay"));
        QCOMPARE(visibleWhenRaised.last(), false);
        QVERIFY(!picker.isVisible());

        picker.show();
        click(&picker, "cmdCancel");
        QVERIFY(!picker.isVisible());
        QCOMPARE(raised.size(), 2);
    }

    // Deleting takes the samples and the additives with the test; Cancel
    // keeps everything.
    void deleteAsksThenRemovesEverything()
    {
        TestDatabase db;
        clsConnection *c = db.connection();
        const qint64 doomed = addTest(c, QStringLiteral("Doomed"), t0, 4, 6);
        const qint64 kept = addTest(c, QStringLiteral("Kept"), t0.addSecs(60), 2, 3);
        frmOpenTest picker(c);
        QSignalSpy deleted(&picker, &frmOpenTest::Deleted);
        picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picker));

        clickRow(&picker, 1);
        QCOMPARE(child<QLineEdit>(&picker, "txtSeqName")->text(), QStringLiteral("Doomed"));
        click(&picker, "cmdDelete");
        QMessageBox *box = openBox(&picker);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Are you sure to delete this test?"));
        QCOMPARE(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        answer(box, QMessageBox::Cancel);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO")), 2);
        QCOMPARE(listedNames(&picker), (QStringList{"Kept", "Doomed"}));
        QCOMPARE(child<QLineEdit>(&picker, "txtSeqName")->text(), QStringLiteral("Doomed"));
        QTRY_VERIFY(!openBox(&picker));

        click(&picker, "cmdDelete");
        answer(openBox(&picker), QMessageBox::Ok);
        QCOMPARE(listedNames(&picker), QStringList{"Kept"});
        QVERIFY(child<QLineEdit>(&picker, "txtSeqName")->text().isEmpty());
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_INFO WHERE TEST_ID = %1").arg(doomed)), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = %1").arg(doomed)), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE WHERE TEST_ID = %1").arg(doomed)), 0);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_RESULT WHERE TEST_ID = %1").arg(kept)), 3);
        QCOMPARE(count(c, QStringLiteral("SELECT COUNT(*) FROM TEST_ADDITIVE WHERE TEST_ID = %1").arg(kept)), 2);
        QVERIFY(picker.isVisible());
        QTRY_VERIFY(!openBox(&picker));

        // A name that is not stored removes nothing and says nothing more.
        setText(&picker, "txtSeqName", QStringLiteral("kept"));
        click(&picker, "cmdDelete");
        answer(openBox(&picker), QMessageBox::Ok);
        QCOMPARE(listedNames(&picker), QStringList{"Kept"});
        QCOMPARE(deleted.count(), 1);
        QTRY_VERIFY(!openBox(&picker));
    }
};

QTEST_MAIN(TestSavedTestPickers)
#include "tst_savedtestpickers.moc"
