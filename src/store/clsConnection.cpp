#include "clsConnection.h"
#include "schema.h"
#include "storeerror.h"
#include <QAtomicInt>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QAtomicInt g_connectionCounter;

int nativeNumber(const QSqlError &e)
{
    bool ok = false;
    const int n = e.nativeErrorCode().toInt(&ok);
    return ok ? n : -1;
}
} // namespace

clsConnection::clsConnection(DatabaseConfig config)
    : m_config(std::move(config)),
      m_connectionName(QStringLiteral("rovudaze-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1)))
{
}

clsConnection::~clsConnection()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid() && db.isOpen()) {
            if (m_inTransaction)
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool clsConnection::OpenDB()
{
    m_lastError.clear();
    m_errorNeedsMessage = false;
    m_opened = false;

    auto fail = [this](int number, const QString &description) {
        m_lastError = QStringLiteral("clsConnection.OpenConnection: Error #: %1\r\n%2").arg(number).arg(description);
        m_errorNeedsMessage = true;
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid())
            db.close();
        return false;
    };

    const QString driver = m_config.isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver))
        return fail(-1, QStringLiteral("The %1 database driver is not installed.").arg(driver));

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName) ? QSqlDatabase::database(m_connectionName, false)
                                                               : QSqlDatabase::addDatabase(driver, m_connectionName);
    if (m_config.isPostgres()) {
        db.setHostName(m_config.host);
        db.setPort(m_config.port);
        db.setDatabaseName(m_config.name);
        db.setUserName(m_config.user);
        db.setPassword(m_config.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=20"));
    } else {
        const QFileInfo info(m_config.file);
        if (info.exists() && !info.isFile())
            return fail(14, QStringLiteral("%1 is not a database file.").arg(info.absoluteFilePath()));
        db.setDatabaseName(m_config.file);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_config.busyTimeoutMs));
    }

    if (!db.open()) {
        const QSqlError e = db.lastError();
        return fail(nativeNumber(e), e.text());
    }

    QSqlQuery q(db);
    if (!m_config.isPostgres()) {
        // A committed sample must survive a power cut: WAL with full syncs.
        const char *const pragmas[] = {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=FULL",
                                       "PRAGMA foreign_keys=ON"};
        for (const char *p : pragmas) {
            if (!q.exec(QString::fromLatin1(p))) {
                const QSqlError e = q.lastError();
                return fail(nativeNumber(e), e.text());
            }
        }
    }
    try {
        createSchema();
    } catch (const StoreError &e) {
        return fail(e.number(), e.description());
    }
    if (!db.isOpen()) {
        m_lastError = QStringLiteral("Failed to open Database Connection!");
        return false;
    }
    m_opened = true;
    ++m_generation;
    return true;
}

void clsConnection::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    const QStringList statements = m_config.isPostgres() ? schema::postgresStatements() : schema::sqliteStatements();
    // Several stations may create the tables at the same moment.
    const bool shared = m_config.isPostgres();
    if (shared) {
        QSqlQuery lock(db);
        lock.exec(QStringLiteral("SET client_min_messages TO warning"));
        lock.exec(QStringLiteral("SELECT pg_advisory_lock(720720)"));
    }
    QSqlError failure;
    for (const QString &sql : statements) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            failure = q.lastError();
            break;
        }
    }
    if (shared) {
        QSqlQuery unlock(db);
        unlock.exec(QStringLiteral("SELECT pg_advisory_unlock(720720)"));
    }
    if (failure.isValid())
        throw StoreError(StoreError::Code::Statement, nativeNumber(failure), failure.text());
}

bool clsConnection::IsOpen() const
{
    if (!m_opened)
        return false;
    const QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    return db.isValid() && db.isOpen();
}

QSqlDatabase clsConnection::ADOConnection() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void clsConnection::requireOpen() const
{
    if (!IsOpen())
        throw StoreError(StoreError::Code::NotOpen, -1,
                         m_lastError.isEmpty() ? QStringLiteral("The database is not open.")
                                               : QStringLiteral("The database is not open: ") + m_lastError);
}

bool clsConnection::Reconnect()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        if (db.isValid() && db.isOpen())
            db.close();
    }
    m_inTransaction = false;
    m_transactionKey = 0;
    return OpenDB();
}

int clsConnection::BeginTrans()
{
    if (m_inTransaction)
        return 0;
    requireOpen();
    const int key = int(QRandomGenerator::global()->bounded(1000000)) + 1;
    QSqlDatabase db = ADOConnection();
    if (!db.transaction()) {
        const QSqlError e = db.lastError();
        throw StoreError(e.type() == QSqlError::ConnectionError ? StoreError::Code::Connection : StoreError::Code::Statement,
                         nativeNumber(e), e.text());
    }
    m_inTransaction = true;
    m_transactionKey = key;
    return key;
}

bool clsConnection::CommitTrans(int key)
{
    if (!m_inTransaction || key == 0 || key != m_transactionKey)
        return false;
    QSqlDatabase db = ADOConnection();
    if (!db.commit()) {
        const QSqlError e = db.lastError();
        throw StoreError(e.type() == QSqlError::ConnectionError ? StoreError::Code::Connection : StoreError::Code::Statement,
                         nativeNumber(e), e.text());
    }
    m_inTransaction = false;
    m_transactionKey = 0;
    return true;
}

bool clsConnection::RollBack(int key)
{
    if (!m_inTransaction || key == 0 || key != m_transactionKey)
        return false;
    QSqlDatabase db = ADOConnection();
    const bool ok = db.rollback();
    // Whatever the back end says, the transaction is over for us: a failed
    // rollback on a lost connection leaves nothing to end.
    m_inTransaction = false;
    m_transactionKey = 0;
    if (!ok && db.isOpen()) {
        const QSqlError e = db.lastError();
        throw StoreError(StoreError::Code::Statement, nativeNumber(e), e.text());
    }
    return true;
}
