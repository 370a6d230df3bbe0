#include "testdatabase.h"
#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

DatabaseConfig pgServer(const QString &database)
{
    DatabaseConfig c;
    c.backend = DatabaseConfig::Backend::PostgreSQL;
    c.host = qEnvironmentVariable("ROVUDAZE_TEST_PG_HOST");
    c.port = qEnvironmentVariableIntValue("ROVUDAZE_TEST_PG_PORT");
    if (c.port == 0)
        c.port = 5432;
    c.user = qEnvironmentVariable("ROVUDAZE_TEST_PG_USER", QStringLiteral("postgres"));
    c.name = database;
    return c;
}

bool adminExec(const QString &sql, QString *error)
{
    const QString name = QStringLiteral("rovudaze-test-admin-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        const DatabaseConfig c = pgServer(QStringLiteral("postgres"));
        db.setHostName(c.host);
        db.setPort(c.port);
        db.setUserName(c.user);
        db.setDatabaseName(c.name);
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok && error)
                *error = q.lastError().text();
            db.close();
        } else if (error) {
            *error = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace

bool TestDatabase::postgresAvailable()
{
    return !qEnvironmentVariableIsEmpty("ROVUDAZE_TEST_PG_HOST");
}

QList<TestDatabase::Backend> TestDatabase::backends()
{
    QList<Backend> out{Backend::SQLite};
    if (postgresAvailable())
        out << Backend::PostgreSQL;
    return out;
}

TestDatabase::TestDatabase(Backend backend) : m_backend(backend)
{
    if (backend == Backend::SQLite) {
        m_config = DatabaseConfig::sqlite(m_dir.filePath(QStringLiteral("KX720pH.db")));
        m_valid = m_dir.isValid();
        return;
    }
    if (!postgresAvailable()) {
        m_skipReason = QStringLiteral("no PostgreSQL test server (ROVUDAZE_TEST_PG_HOST unset)");
        return;
    }
    m_pgDatabase = QStringLiteral("rovudaze_t_%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(16));
    QString error;
    if (!adminExec(QStringLiteral("CREATE DATABASE %1").arg(m_pgDatabase), &error)) {
        m_skipReason = QStringLiteral("cannot create a PostgreSQL test database: ") + error;
        m_pgDatabase.clear();
        return;
    }
    m_config = pgServer(m_pgDatabase);
    m_valid = true;
}

TestDatabase::~TestDatabase()
{
    m_connection.reset();
    if (!m_pgDatabase.isEmpty())
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgDatabase), nullptr);
}

clsConnection *TestDatabase::connection()
{
    if (!m_connection) {
        m_connection = std::make_unique<clsConnection>(m_config);
        m_connection->OpenDB();
    }
    return m_connection.get();
}

std::unique_ptr<clsConnection> TestDatabase::openAnother() const
{
    auto c = std::make_unique<clsConnection>(m_config);
    c->OpenDB();
    return c;
}
