// Rovudaze: the KX720pH viscometer station.
#include "app/ui/frmMain.h"
#include "store/clsConnection.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Rovudaze"));
    QApplication::setApplicationVersion(QStringLiteral("1.2.2"));
    Q_INIT_RESOURCE(app);

    // The one connection of the station, opened before any window needs it.
    QString configNote;
    clsConnection connection(DatabaseConfig::fromCurrentDirectory(&configNote));
    if (!configNote.isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Rovudaze"), configNote);
    if (!connection.OpenDB() && connection.ErrorNeedsMessage())
        QMessageBox::critical(nullptr, QStringLiteral("Rovudaze"), connection.LastError(), QMessageBox::Ok);

    frmMain window(&connection);
    window.show();
    if (!window.settingsNote().isEmpty())
        QMessageBox::information(&window, QStringLiteral("Station settings"), window.settingsNote());
    return app.exec();
}
