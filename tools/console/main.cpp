// rovudaze-console: opens the real-time console directly on the station of
// the current directory, until the main window opens it itself.
#include "realtime/ui/frmMDIRealTime.h"
#include "store/clsConnection.h"
#include <QApplication>
#include <QMessageBox>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rovudaze-console"));

    QString configError;
    const DatabaseConfig config = DatabaseConfig::fromCurrentDirectory(&configError);
    if (!configError.isEmpty())
        QTextStream(stderr) << configError << "\n";
    clsConnection connection(config);
    if (!connection.OpenDB()) {
        QTextStream(stderr) << "rovudaze-console: " << connection.LastError() << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("KX720pH Real Time Test & Monitoring"), connection.LastError());
        return 1;
    }
    frmMDIRealTime console(&connection);
    console.show();
    return app.exec();
}
