#include "frmTestRelatedInfo.h"
#include "testinfo/testinfostore.h"
#include <QLocale>
#include <QTableWidget>
#include <exception>

frmTestRelatedInfo::frmTestRelatedInfo(clsConnection *connection, QWidget *parent)
    : TestInfoForm(QStringLiteral("&OK"), QStringLiteral("&Cancel"), parent), m_connection(connection)
{
    setObjectName(QStringLiteral("frmTestRelatedInfo"));
    setWindowTitle(QStringLiteral("Input Test Information"));
    MSFlexGrid2 = new QTableWidget(0, 3, this);
    MSFlexGrid2->setObjectName(QStringLiteral("MSFlexGrid2"));
    MSFlexGrid2->hide();
    setFieldTexts(TestInfoEntry::entryDefaults());
    loadUsedNames();
}

void frmTestRelatedInfo::loadUsedNames()
{
    QVector<SavedTestListing> list;
    try {
        list = TestInfoStore(m_connection).list();
    } catch (const std::exception &) {
        // Read again at OK; until then no name can be checked.
        m_usedNames.reset();
        return;
    }
    QStringList names;
    MSFlexGrid2->setRowCount(int(list.size()));
    for (int i = 0; i < list.size(); ++i) {
        const SavedTestListing &t = list.at(i);
        names.append(t.name);
        MSFlexGrid2->setItem(i, 0, new QTableWidgetItem(t.name));
        MSFlexGrid2->setItem(i, 1, new QTableWidgetItem(QLocale().toString(t.time, QLocale::ShortFormat)));
        MSFlexGrid2->setItem(i, 2, new QTableWidgetItem(t.researcher));
    }
    if (!list.isEmpty())
        MSFlexGrid2->setCurrentCell(0, 0);
    m_usedNames = names;
}

void frmTestRelatedInfo::okClicked()
{
    try {
        if (!m_usedNames)
            loadUsedNames();
        const TestInfoEntry::EntryCheck check = TestInfoEntry::checkEntry(texts(), m_usedNames);
        if (check.rotorBob)
            m_rotorBob = check.rotorBob;
        if (!check.accepted()) {
            showMessage(check.message());
            return;
        }
        acceptEntry();
    } catch (...) {
        showMessage(TestInfoEntry::message(TestInfoEntry::Refusal::InputError));
    }
}
