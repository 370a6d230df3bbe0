#pragma once
#include <QString>

// Which database a station uses. Without a "database.ini" in the current
// directory this is the embedded SQLite file "KX720pH.db" there. A
// "database.ini" selects a shared PostgreSQL server instead:
//
//   [database]
//   driver=postgresql        ; or sqlite
//   host=labserver           ; or a unix socket directory
//   port=5432
//   name=kx720
//   user=lab
//   password=secret
//   file=KX720pH.db          ; sqlite only: path of the database file
struct DatabaseConfig
{
    enum class Backend { SQLite, PostgreSQL };

    Backend backend = Backend::SQLite;
    QString file = QStringLiteral("KX720pH.db");
    QString host;
    int port = 5432;
    QString name;
    QString user;
    QString password;
    // SQLite: how long a write waits for another connection's lock before
    // it fails (and the caller keeps the data for a later retry).
    int busyTimeoutMs = 5000;

    bool isPostgres() const { return backend == Backend::PostgreSQL; }
    QString describe() const;

    static QString iniFileName() { return QStringLiteral("database.ini"); }
    // Reads "database.ini" from dir; a missing file gives the SQLite default.
    // A present but unusable file fills *error and gives the default.
    static DatabaseConfig load(const QString &dir, QString *error = nullptr);
    static DatabaseConfig fromCurrentDirectory(QString *error = nullptr);
    static DatabaseConfig sqlite(const QString &file);
};
