#pragma once
#include "store/clsTEST_ADDITIVE.h"
#include "store/clsTEST_INFO.h"
#include "store/records.h"
#include "testinfoentry.h"
#include <QDateTime>
#include <QStringList>
#include <QVector>
#include <optional>

class clsConnection;

// One line of the saved-test lists.
struct SavedTestListing
{
    QString name;
    QDateTime time;        // invalid when none is stored
    QString researcher;
};

// Reads and writes a test's information block with its additives. Every
// write of more than one row runs in one transaction: a test is never left
// half stored. Gateway failures are thrown as StoreError.
class TestInfoStore
{
public:
    explicit TestInfoStore(clsConnection *connection);

    // All stored tests, newest first.
    QVector<SavedTestListing> list();
    QStringList usedNames();

    // Stores a new test row (TEST_TIME now unless info.testTime is valid)
    // and its additives; returns the new TEST_ID. On any failure nothing of
    // the test is left in the store. A name already stored is refused with
    // StoreError(Duplicate).
    qint64 createTest(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives);
    // The same from the dialog texts.
    qint64 createTest(const TestInfoEntry::Texts &texts);

    // Writes the edited fields of a stored test (fluid, researcher, pH before
    // and after, rotor, bob, bob length and radius, notes) and replaces its
    // additives. Name and test time stay as stored. Throws StoreError when
    // the test is no longer stored.
    void saveEdited(qint64 testId, const TestInfoRow &edited, const QVector<TestAdditiveRow> &additives);
    void saveEdited(qint64 testId, const TestInfoEntry::Texts &texts);

    struct StoredTest
    {
        TestInfoRow info;
        QVector<TestAdditiveRow> additives;   // in the order the store returns them
    };
    std::optional<StoredTest> load(qint64 testId);
    std::optional<StoredTest> load(const QString &name);

    // Deletes the test of that name with its samples and additives; a name
    // not stored removes nothing. Returns whether a test was deleted.
    bool remove(const QString &name);

private:
    void ensureConnected();
    QVector<TestAdditiveRow> readAdditives(qint64 testId);
    void writeAdditives(qint64 testId, const QVector<TestAdditiveRow> &additives);
    bool storedTimeIsNull(qint64 testId);

    clsConnection *m_connection;
    clsTEST_INFO m_info;
    clsTEST_ADDITIVE m_additives;
    bool m_connected = false;
};
