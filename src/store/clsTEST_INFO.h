#pragma once
#include "records.h"
#include "tablegateway.h"
#include <QDateTime>

// Gateway of TEST_INFO: the header row of a recorded test.
class clsTEST_INFO : public TableGateway
{
public:
    clsTEST_INFO();

    // Attaches the connection, prepares the statements and loads the test
    // list (TEST_NAME, TEST_TIME, RESEARCHER_NAME), newest first.
    void ConnectX(clsConnection *connection);
    void Refresh() {}
    const RowsArray &UsedName() const { return m_rows; }

    void SetDefaults() override;
    void GetTestDetail();                // by TEST_NAME
    void GetTestDetailById(qint64 id);   // by TEST_ID
    // Inserts the current fields; Test_Id takes the key the database gave.
    // Throws StoreError(Duplicate) when the name is already stored.
    void AddNew();
    // Rewrites the row of Test_Id; TEST_TIME of 1 Jan 1800 is stored as NULL.
    void Update();
    // Deletes the test of TEST_NAME with its samples and additives.
    void Delete();
    bool Exists(const QString &name);

    QVariantList All();
    void setAll(const QVariantList &values);
    TestInfoRow row() const;
    void setRow(const TestInfoRow &row);

    static QDateTime nullDate();          // 1 January 1800 00:00

    double Test_Id = 0;
    QString TEST_NAME;
    QString Fluid_ID;
    QDateTime TEST_TIME;
    QString RESEARCHER_NAME;
    QString ROTOR_NO;
    QString BOB_NO;
    double BOB_RADIUS = 1.5987;
    double BOB_EFF_LENGTH = 7.62;
    double PreTest_PH = 7;
    double PostTest_PH = 7;
    QString SAFETY;                       // read through All()[11]

protected:
    void loadRow(int i) override;
    void prepareStatements() override;

private:
    void bindFields(QSqlQuery &q, bool nullForOldDate);

    QSqlQuery m_byName, m_byId, m_list, m_insert, m_update, m_delete, m_deleteResults, m_deleteAdditives;
};
