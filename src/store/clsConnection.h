#pragma once
#include "databaseconfig.h"
#include <QSqlDatabase>
#include <QString>

// The station's one database connection, shared by every gateway and window.
// Opening a missing SQLite file creates it with the six tables.
class clsConnection
{
public:
    explicit clsConnection(DatabaseConfig config = DatabaseConfig::fromCurrentDirectory());
    ~clsConnection();
    clsConnection(const clsConnection &) = delete;
    clsConnection &operator=(const clsConnection &) = delete;

    // Opens the database; false on failure with LastError() set. When
    // ErrorNeedsMessage() is true the caller shows LastError() in a message box.
    bool OpenDB();
    bool IsOpen() const;
    QString LastError() const { return m_lastError; }
    bool ErrorNeedsMessage() const { return m_errorNeedsMessage; }

    // The open Qt SQL connection every gateway prepares its statements on.
    QSqlDatabase ADOConnection() const;
    const DatabaseConfig &Config() const { return m_config; }
    bool IsPostgres() const { return m_config.isPostgres(); }

    // Transaction bracket with keys: only the caller that opened the
    // transaction (non-zero key) can end it.
    int BeginTrans();
    bool CommitTrans(int key);
    bool RollBack(int key);
    bool InTransaction() const { return m_inTransaction; }

    // Runs work inside a transaction: committed when it returns, rolled
    // back when it throws (the exception goes on). Inside a caller's open
    // transaction it just runs; that caller commits or rolls back.
    template <typename Work> void inTransaction(Work &&work)
    {
        const int key = BeginTrans();
        try {
            work();
        } catch (...) {
            if (key) {
                try {
                    RollBack(key);
                } catch (...) {
                    // The first failure is the one to report.
                }
            }
            throw;
        }
        if (key)
            CommitTrans(key);
    }

    // Throws StoreError(NotOpen) unless the connection is open.
    void requireOpen() const;

    // Closes and opens again (after a lost server); gateways prepare their
    // statements again on their next use.
    bool Reconnect();
    // Changes every time the connection is (re)opened.
    int generation() const { return m_generation; }

private:
    void createSchema();

    DatabaseConfig m_config;
    QString m_connectionName;
    QString m_lastError;
    bool m_errorNeedsMessage = false;
    bool m_opened = false;
    bool m_inTransaction = false;
    int m_transactionKey = 0;
    int m_generation = 0;
};
