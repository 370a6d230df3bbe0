#pragma once
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>

class clsConnection;

// Rows of the last read, addressed (column, row) from 0 like a record array.
class RowsArray
{
public:
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return m_columns; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    QVariant at(int column, int row) const { return m_rows.at(row).at(column); }
    const QVariantList &row(int row) const { return m_rows.at(row); }

    void clear(int columns = 0) { m_rows.clear(); m_columns = columns; }
    void append(QVariantList row) { m_rows.append(std::move(row)); }

private:
    QVector<QVariantList> m_rows;
    int m_columns = 0;
};

// Shared machinery of the six table gateways: the connection, the rows of
// the last detail read and the cursor over them. Subclasses own the
// statements and the typed fields of the current row.
class TableGateway
{
public:
    virtual ~TableGateway() = default;

    bool isEOF() const { return m_eof; }
    bool BOF() const { return m_rowCount == 0; }
    bool IsEmpty() const { return m_rowCount == 0; }
    int rowCount() const { return m_rowCount; }
    int currentRow() const { return m_current; }

    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void MoveRel(int diff);

    virtual void SetDefaults() = 0;

protected:
    explicit TableGateway(int columns) : m_columns(columns) {}

    // Loads row i of the rows array into the typed fields (after SetDefaults;
    // NULL columns keep their defaults).
    virtual void loadRow(int i) = 0;

    void attach(clsConnection *connection);
    clsConnection *connection() const { return m_connection; }
    // Prepares the statements again after the connection was reopened;
    // throws StoreError(NotOpen) before ConnectX or on an unopened connection.
    void ensurePrepared();
    virtual void prepareStatements() = 0;
    // Binds a text, refusing one longer than the column holds.
    static void bindText(QSqlQuery &query, int position, const QString &value, int size, const char *column);
    QSqlQuery prepare(const QString &sql) const;
    // Executes a prepared statement, turning failures into StoreError.
    void exec(QSqlQuery &query) const;
    // Runs a bound detail query into the rows array, resets the cursor, loads row 0.
    void readDetail(QSqlQuery &query);
    // Replaces the rows array from a query without loading a row.
    void readRows(QSqlQuery &query);

    RowsArray m_rows;
    int m_columns;
    int m_rowCount = 0;
    int m_current = 0;
    bool m_eof = false;

private:
    clsConnection *m_connection = nullptr;
    int m_preparedGeneration = -1;
};

// Conversions used when loading rows: NULL keeps the default.
namespace gateway {
void take(const QVariant &v, double &field);
void take(const QVariant &v, int &field);
void take(const QVariant &v, QString &field);
void take(const QVariant &v, class QDateTime &field);
// Whole-number key columns are bound as 64-bit integers.
QVariant key(double value);
// Round half to even, as the platform's integer conversion does.
int roundHalfEven(double value);
}
