#include "tablegateway.h"
#include "clsConnection.h"
#include "storeerror.h"
#include <QDateTime>
#include <QSqlError>
#include <QSqlRecord>
#include <cmath>

namespace {

StoreError toStoreError(const QSqlError &e)
{
    bool ok = false;
    int number = e.nativeErrorCode().toInt(&ok);
    if (!ok)
        number = -1;
    const QString text = e.text();
    const QString code = e.nativeErrorCode();
    if (code == QLatin1String("23505") || text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive)
        || code == QLatin1String("2067"))
        return StoreError(StoreError::Code::Duplicate, number, text);
    if (e.type() == QSqlError::ConnectionError || code.startsWith(QLatin1String("08"))
        || text.contains(QLatin1String("server closed the connection"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("no connection to the server"), Qt::CaseInsensitive))
        return StoreError(StoreError::Code::Connection, number, text);
    return StoreError(StoreError::Code::Statement, number, text);
}

} // namespace

void TableGateway::attach(clsConnection *connection)
{
    m_connection = connection;
    m_preparedGeneration = -1;
    ensurePrepared();
}

void TableGateway::ensurePrepared()
{
    if (!m_connection)
        throw StoreError(StoreError::Code::NotOpen, -1, QStringLiteral("The table is not connected to a database."));
    m_connection->requireOpen();
    if (m_preparedGeneration == m_connection->generation())
        return;
    prepareStatements();
    m_preparedGeneration = m_connection->generation();
}

QSqlQuery TableGateway::prepare(const QString &sql) const
{
    QSqlQuery query(m_connection->ADOConnection());
    if (!query.prepare(sql))
        throw toStoreError(query.lastError());
    return query;
}

void TableGateway::exec(QSqlQuery &query) const
{
    if (!query.exec())
        throw toStoreError(query.lastError());
}

void TableGateway::bindText(QSqlQuery &query, int position, const QString &value, int size, const char *column)
{
    if (value.size() > size)
        throw StoreError(StoreError::Code::Statement, -1,
                         QStringLiteral("%1 holds at most %2 characters; \"%3...\" has %4.")
                             .arg(QLatin1String(column)).arg(size).arg(value.left(20)).arg(value.size()));
    query.bindValue(position, value.isNull() ? QString(QLatin1String("")) : value);
}

void TableGateway::readRows(QSqlQuery &query)
{
    query.setForwardOnly(true);
    exec(query);
    m_rows.clear(m_columns);
    const int columns = query.record().count();
    while (query.next()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row.append(query.value(c));
        m_rows.append(std::move(row));
    }
    query.finish();
    m_rowCount = m_rows.rowCount();
}

void TableGateway::readDetail(QSqlQuery &query)
{
    readRows(query);
    m_current = 0;
    if (m_rowCount == 0) {
        SetDefaults();
        m_eof = true;
        return;
    }
    m_eof = false;
    loadRow(0);
}

void TableGateway::MoveFirst()
{
    if (m_rowCount == 0)
        return;
    m_current = 0;
    loadRow(m_current);
}

void TableGateway::MoveLast()
{
    if (m_rowCount == 0)
        return;
    m_current = m_rowCount - 1;
    loadRow(m_current);
}

void TableGateway::MoveNext()
{
    if (m_current + 1 >= m_rowCount) {
        m_eof = true;
        return;
    }
    ++m_current;
    loadRow(m_current);
    m_eof = false;
}

void TableGateway::MovePrevious()
{
    if (m_rowCount == 0)
        return;
    m_current = std::max(0, m_current - 1);
    loadRow(m_current);
}

void TableGateway::MoveRel(int diff)
{
    if (diff == 0 || m_rowCount == 0)
        return;
    m_current = std::max(0, std::min(m_rowCount - 1, m_current + diff));
    loadRow(m_current);
}

namespace gateway {

void take(const QVariant &v, double &field)
{
    if (!v.isNull())
        field = v.toDouble();
}

void take(const QVariant &v, int &field)
{
    if (!v.isNull())
        field = roundHalfEven(v.toDouble());
}

void take(const QVariant &v, QString &field)
{
    if (!v.isNull())
        field = v.toString();
}

void take(const QVariant &v, QDateTime &field)
{
    if (v.isNull())
        return;
    if (v.metaType().id() == QMetaType::QDateTime) {
        field = v.toDateTime();
        return;
    }
    const QString text = v.toString();
    QDateTime parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, Qt::ISODate);
    if (parsed.isValid())
        field = parsed;
}

QVariant key(double value)
{
    return QVariant(qint64(std::llround(value)));
}

int roundHalfEven(double value)
{
    return int(std::nearbyint(value));   // default rounding mode: to nearest, ties to even
}

} // namespace gateway
