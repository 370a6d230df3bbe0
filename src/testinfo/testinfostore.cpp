#include "testinfostore.h"
#include "store/clsConnection.h"
#include "store/storeerror.h"
#include <QSqlQuery>

TestInfoStore::TestInfoStore(clsConnection *connection) : m_connection(connection) {}

void TestInfoStore::ensureConnected()
{
    if (m_connected)
        return;
    if (!m_connection)
        throw StoreError(StoreError::Code::NotOpen, -1, QStringLiteral("No database connection."));
    m_info.ConnectX(m_connection);
    m_additives.ConnectX(m_connection);
    m_connected = true;
}

QVector<SavedTestListing> TestInfoStore::list()
{
    if (!m_connection)
        throw StoreError(StoreError::Code::NotOpen, -1, QStringLiteral("No database connection."));
    // ConnectX is what reloads the list.
    m_info.ConnectX(m_connection);
    const RowsArray &rows = m_info.UsedName();
    QVector<SavedTestListing> out;
    out.reserve(rows.rowCount());
    for (int i = 0; i < rows.rowCount(); ++i) {
        SavedTestListing item;
        gateway::take(rows.at(0, i), item.name);
        item.time = QDateTime();
        gateway::take(rows.at(1, i), item.time);
        gateway::take(rows.at(2, i), item.researcher);
        out.append(item);
    }
    return out;
}

QStringList TestInfoStore::usedNames()
{
    QStringList names;
    for (const SavedTestListing &item : list())
        names.append(item.name);
    return names;
}

qint64 TestInfoStore::createTest(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives)
{
    ensureConnected();
    qint64 testId = 0;
    m_connection->inTransaction([&] {
        m_info.SetDefaults();
        const QDateTime now = m_info.TEST_TIME;
        m_info.setRow(info);
        m_info.Test_Id = 0;
        if (!info.testTime.isValid())
            m_info.TEST_TIME = now;
        m_info.AddNew();
        testId = qint64(m_info.Test_Id);
        if (testId == 0)
            throw StoreError(StoreError::Code::Statement, -1,
                             QStringLiteral("The database gave no key for the test \"%1\".").arg(info.testName));
        writeAdditives(testId, additives);
    });
    return testId;
}

qint64 TestInfoStore::createTest(const TestInfoEntry::Texts &texts)
{
    return createTest(TestInfoEntry::infoRow(texts), TestInfoEntry::additiveRows(texts.additives));
}

void TestInfoStore::writeAdditives(qint64 testId, const QVector<TestAdditiveRow> &additives)
{
    for (const TestAdditiveRow &row : additives) {
        m_additives.SetDefaults();
        m_additives.TESTId = double(testId);
        m_additives.ADDITIVE_NM = row.additiveName;
        m_additives.ADD_CONCEN = row.concentration;
        m_additives.ADD_UNIT = row.unit;
        m_additives.ADD_LOTNO = row.lotNo;
        m_additives.AddNew();
    }
}

bool TestInfoStore::storedTimeIsNull(qint64 testId)
{
    QSqlQuery q(m_connection->ADOConnection());
    q.prepare(QStringLiteral("SELECT TEST_TIME FROM TEST_INFO WHERE TEST_ID = ?"));
    q.addBindValue(testId);
    if (!q.exec() || !q.next())
        return false;
    return q.value(0).isNull();
}

void TestInfoStore::saveEdited(qint64 testId, const TestInfoRow &edited, const QVector<TestAdditiveRow> &additives)
{
    ensureConnected();
    m_connection->inTransaction([&] {
        m_info.GetTestDetailById(testId);
        if (m_info.IsEmpty())
            throw StoreError(StoreError::Code::Statement, -1,
                             QStringLiteral("The test is no longer stored (TEST_ID %1).").arg(testId));
        // A test stored without a time keeps none.
        if (storedTimeIsNull(testId))
            m_info.TEST_TIME = clsTEST_INFO::nullDate();
        m_info.Fluid_ID = edited.fluidId;
        m_info.RESEARCHER_NAME = edited.researcherName;
        m_info.PreTest_PH = edited.pretestPH;
        m_info.PostTest_PH = edited.posttestPH;
        m_info.ROTOR_NO = edited.rotorNo;
        m_info.BOB_NO = edited.bobNo;
        m_info.BOB_EFF_LENGTH = edited.bobEffLength;
        m_info.BOB_RADIUS = edited.bobRadius;
        m_info.SAFETY = edited.safety;
        m_info.Update();
        m_additives.TESTId = double(testId);
        m_additives.Delete();
        writeAdditives(testId, additives);
    });
}

void TestInfoStore::saveEdited(qint64 testId, const TestInfoEntry::Texts &texts)
{
    saveEdited(testId, TestInfoEntry::infoRow(texts), TestInfoEntry::additiveRows(texts.additives));
}

QVector<TestAdditiveRow> TestInfoStore::readAdditives(qint64 testId)
{
    m_additives.TESTId = double(testId);
    m_additives.GetSeqDetail();
    QVector<TestAdditiveRow> rows;
    if (m_additives.IsEmpty())
        return rows;
    for (m_additives.MoveFirst(); !m_additives.isEOF(); m_additives.MoveNext())
        rows.append(m_additives.row());
    return rows;
}

std::optional<TestInfoStore::StoredTest> TestInfoStore::load(qint64 testId)
{
    ensureConnected();
    m_info.GetTestDetailById(testId);
    if (m_info.IsEmpty())
        return std::nullopt;
    StoredTest test;
    test.info = m_info.row();
    test.additives = readAdditives(testId);
    return test;
}

std::optional<TestInfoStore::StoredTest> TestInfoStore::load(const QString &name)
{
    // A name longer than the column cannot be stored.
    if (name.size() > TestInfoEntry::TextColumnWidth)
        return std::nullopt;
    ensureConnected();
    m_info.SetDefaults();
    m_info.TEST_NAME = name;
    m_info.GetTestDetail();
    if (m_info.IsEmpty())
        return std::nullopt;
    StoredTest test;
    test.info = m_info.row();
    test.additives = readAdditives(test.info.testId);
    return test;
}

bool TestInfoStore::remove(const QString &name)
{
    if (name.size() > TestInfoEntry::TextColumnWidth)
        return false;
    ensureConnected();
    m_info.SetDefaults();
    m_info.TEST_NAME = name;
    m_info.GetTestDetail();
    if (m_info.IsEmpty())
        return false;
    // Removes the samples and the additives with the header, in one transaction.
    m_info.Delete();
    return true;
}
