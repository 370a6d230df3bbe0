#pragma once
#include "store/clsConnection.h"
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A fresh, empty database for one test: a SQLite file in a temporary
// directory, or a new database on the throwaway PostgreSQL server named by
// ROVUDAZE_TEST_PG_HOST / _PORT / _USER (dropped again on destruction).
class TestDatabase
{
public:
    enum class Backend { SQLite, PostgreSQL };

    explicit TestDatabase(Backend backend = Backend::SQLite);
    ~TestDatabase();

    bool isValid() const { return m_valid; }
    QString skipReason() const { return m_skipReason; }
    DatabaseConfig config() const { return m_config; }
    // An opened connection on the database (owned by the fixture).
    clsConnection *connection();
    // A further, independent connection to the same database.
    std::unique_ptr<clsConnection> openAnother() const;
    QString dir() const { return m_dir.path(); }

    static bool postgresAvailable();
    // Back ends to run a store test on: SQLite always, PostgreSQL when the
    // throwaway server is there.
    static QList<Backend> backends();
    static QString name(Backend b) { return b == Backend::SQLite ? QStringLiteral("sqlite") : QStringLiteral("postgresql"); }

private:
    Backend m_backend;
    QTemporaryDir m_dir;
    DatabaseConfig m_config;
    QString m_pgDatabase;
    std::unique_ptr<clsConnection> m_connection;
    bool m_valid = false;
    QString m_skipReason;
};
