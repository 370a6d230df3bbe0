#pragma once
// Drives the console and its unit windows by objectName, answering the real
// message boxes they open.
#include "realtime/ui/frmMDIRealTime.h"
#include "realtime/ui/frmNameSeq.h"
#include "realtime/ui/frmRealTime.h"
#include "testinfo/ui/additivesgrid.h"
#include "testinfo/ui/frmTestRelatedInfo.h"
#include "store/clsConnection.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace console {

inline QAction *addEntry(frmMDIRealTime *c, int unit)
{
    return c->findChild<QAction *>(QStringLiteral("MenuAdd%1").arg(unit));
}

inline QList<bool> entriesEnabled(frmMDIRealTime *c)
{
    QList<bool> out;
    for (int unit = 1; unit <= 8; ++unit)
        out << addEntry(c, unit)->isEnabled();
    return out;
}

inline QMdiSubWindow *subWindowOf(frmMDIRealTime *c, int unit)
{
    return c->findChild<QMdiSubWindow *>(QStringLiteral("subUnit%1").arg(unit));
}

// The visible message box, wherever it was opened.
inline QMessageBox *visibleBox()
{
    for (QWidget *w : QApplication::allWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Answers the box that is open and returns its text ("" when none was).
inline QString answerBox(QMessageBox::StandardButton button)
{
    QMessageBox *box = visibleBox();
    if (!box)
        return {};
    const QString text = box->text();
    if (QAbstractButton *b = box->button(button))
        b->click();
    else
        box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return text;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// initial.txt with these eight ports and a unit system.
inline QByteArray initialTxt(const QList<int> &ports, int unitSystem = 1)
{
    QByteArray out;
    for (int p : ports)
        out += ' ' + QByteArray::number(p) + "\r\n";
    out += ' ' + QByteArray::number(unitSystem) + "\r\n";
    return out;
}

inline bool chooseSequence(frmRealTime *w, const QString &name)
{
    w->cmdSelect->click();
    frmNameSeq *picker = nullptr;
    for (auto *p : w->findChildren<frmNameSeq *>(QStringLiteral("frmNameSeq"))) {
        if (p->isVisible())
            picker = p;
    }
    if (!picker)
        return false;
    const QList<QListWidgetItem *> items = picker->lstSeqName->findItems(name, Qt::MatchExactly);
    if (items.isEmpty())
        return false;
    picker->lstSeqName->setCurrentItem(items.first());
    picker->cmdOK->click();
    return w->lblSelectSeq->text() == name;
}

struct Entry
{
    QString name;
    QString rotor = QStringLiteral("R1");
    QString bob = QStringLiteral("B1");
    QVector<TestInfoEntry::AdditiveCells> additives;
};

// Presses Start and returns the entry dialog it opened (nullptr if none).
inline frmTestRelatedInfo *pressStart(frmRealTime *w)
{
    w->cmdStart_Stop->click();
    for (auto *entry : w->findChildren<frmTestRelatedInfo *>(QStringLiteral("frmTestRelatedInfo"))) {
        if (entry->isVisible())
            return entry;
    }
    return nullptr;
}

inline void fillEntry(frmTestRelatedInfo *entry, const Entry &e)
{
    entry->txtTestName->setText(e.name);
    entry->txtRotoNo->setText(e.rotor);
    entry->txtBobNo->setText(e.bob);
    entry->MSFlexGrid1->setCells(e.additives);
}

// Choose, Start, fill, OK: true when the unit runs afterwards.
inline bool startTest(frmRealTime *w, const QString &sequence, const Entry &e)
{
    if (!chooseSequence(w, sequence))
        return false;
    frmTestRelatedInfo *entry = pressStart(w);
    if (!entry)
        return false;
    fillEntry(entry, e);
    entry->cmdok->click();
    return w->isRunning();
}

inline int countRows(clsConnection *c, const QString &sql)
{
    QSqlQuery q(c->ADOConnection());
    if (!q.exec(sql) || !q.next())
        return -1;
    return q.value(0).toInt();
}

} // namespace console
