#pragma once
#include <QString>

// Everything that can go wrong on an instrument link, from opening the port
// to a device that disappears while in use.
enum class LinkError {
    NoError,
    NotConfigured,     // the unit has no port (port number 0)
    DeviceNotFound,
    PermissionDenied,  // includes a port already in use
    OpenFailed,
    NotOpen,
    PortVanished,      // the device went away while open (unplugged, hung up)
    IoFailed,          // a read or write was refused
};

QString linkErrorText(LinkError error);
