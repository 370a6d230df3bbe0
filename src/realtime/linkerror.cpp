#include "linkerror.h"

#include <QCoreApplication>

QString linkErrorText(LinkError error)
{
    switch (error) {
    case LinkError::NoError: return QCoreApplication::translate("Link", "No error");
    case LinkError::NotConfigured: return QCoreApplication::translate("Link", "No serial port is set for this unit");
    case LinkError::DeviceNotFound: return QCoreApplication::translate("Link", "Serial port not found");
    case LinkError::PermissionDenied: return QCoreApplication::translate("Link", "Serial port in use or access denied");
    case LinkError::OpenFailed: return QCoreApplication::translate("Link", "Serial port could not be opened");
    case LinkError::NotOpen: return QCoreApplication::translate("Link", "Serial port is not open");
    case LinkError::PortVanished: return QCoreApplication::translate("Link", "Serial port disappeared");
    case LinkError::IoFailed: return QCoreApplication::translate("Link", "Serial port read or write failed");
    }
    return {};
}
