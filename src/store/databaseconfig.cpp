#include "databaseconfig.h"
#include <QDir>
#include <QFileInfo>
#include <QSettings>

QString DatabaseConfig::describe() const
{
    if (isPostgres())
        return QStringLiteral("PostgreSQL database \"%1\" on %2:%3").arg(name, host.isEmpty() ? QStringLiteral("localhost") : host).arg(port);
    return QStringLiteral("SQLite file %1").arg(QFileInfo(file).absoluteFilePath());
}

DatabaseConfig DatabaseConfig::sqlite(const QString &file)
{
    DatabaseConfig c;
    c.file = file;
    return c;
}

DatabaseConfig DatabaseConfig::load(const QString &dir, QString *error)
{
    DatabaseConfig config;
    const QString path = QDir(dir).filePath(iniFileName());
    if (!QFileInfo::exists(path))
        return config;
    QSettings ini(path, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("%1 cannot be read; using the SQLite file %2.").arg(path, config.file);
        return config;
    }
    ini.beginGroup(QStringLiteral("database"));
    const QString driver = ini.value(QStringLiteral("driver"), QStringLiteral("sqlite")).toString().trimmed().toLower();
    if (driver == QLatin1String("postgresql") || driver == QLatin1String("postgres") || driver == QLatin1String("qpsql")) {
        config.backend = Backend::PostgreSQL;
        config.host = ini.value(QStringLiteral("host")).toString();
        config.port = ini.value(QStringLiteral("port"), 5432).toInt();
        config.name = ini.value(QStringLiteral("name"), QStringLiteral("kx720ph")).toString();
        config.user = ini.value(QStringLiteral("user")).toString();
        config.password = ini.value(QStringLiteral("password")).toString();
    } else if (driver == QLatin1String("sqlite") || driver == QLatin1String("qsqlite")) {
        const QString file = ini.value(QStringLiteral("file")).toString();
        if (!file.isEmpty())
            config.file = QDir(dir).filePath(file);
    } else if (error) {
        *error = QStringLiteral("%1: unknown driver \"%2\"; using the SQLite file %3.").arg(path, driver, config.file);
    }
    return config;
}

DatabaseConfig DatabaseConfig::fromCurrentDirectory(QString *error)
{
    return load(QDir::currentPath(), error);
}
