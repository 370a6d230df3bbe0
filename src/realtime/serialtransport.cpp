#include "serialtransport.h"

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {

LinkError toLinkError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError: return LinkError::NoError;
    case QSerialPort::DeviceNotFoundError: return LinkError::DeviceNotFound;
    case QSerialPort::PermissionError: return LinkError::PermissionDenied;
    case QSerialPort::OpenError: return LinkError::OpenFailed;
    case QSerialPort::NotOpenError: return LinkError::NotOpen;
    case QSerialPort::ResourceError: return LinkError::PortVanished;
    default: return LinkError::IoFailed;
    }
}

// A pseudo-terminal whose other end went away reads as end-of-file, which
// the serial port reports as a plain read error; the line is hung up.
bool hungUp(QSerialPort &port)
{
#ifdef Q_OS_UNIX
    pollfd fd{int(port.handle()), POLLIN, 0};
    return fd.fd >= 0 && ::poll(&fd, 1, 0) == 1 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    Q_UNUSED(port);
    return false;
#endif
}

} // namespace

SerialTransport::SerialTransport(const QString &device, QObject *parent)
    : ByteTransport(parent), m_device(device)
{
    m_port.setPortName(device);
    // Keep everything that arrives until the next read.
    m_port.setReadBufferSize(0);
    connect(&m_port, &QSerialPort::readyRead, this, &ByteTransport::readyRead);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialTransport::onPortError);
}

SerialTransport::~SerialTransport()
{
    // No error reports from a port that is going away with us.
    m_port.disconnect(this);
    m_port.close();
}

bool SerialTransport::open()
{
    if (m_port.isOpen())
        return true;
    clearError();
    if (!m_port.open(QIODevice::ReadWrite))
        return false;   // onPortError has reported it
    const bool configured = m_port.setBaudRate(QSerialPort::Baud19200)
                            && m_port.setDataBits(QSerialPort::Data8)
                            && m_port.setParity(QSerialPort::NoParity)
                            && m_port.setStopBits(QSerialPort::OneStop)
                            && m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        const QString why = m_port.errorString();
        m_port.close();
        reportError(LinkError::OpenFailed, tr("%1: cannot set 19200,n,8,1: %2").arg(m_device, why));
        return false;
    }
    return true;
}

void SerialTransport::close()
{
    // Writes are queued until the event loop runs: hand them to the system
    // first, or a stop byte written just before closing is lost.
    if (m_port.isOpen())
        m_port.flush();
    m_port.close();
}

QByteArray SerialTransport::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool SerialTransport::write(const QByteArray &bytes)
{
    if (!m_port.isOpen()) {
        reportError(LinkError::NotOpen, tr("%1 is not open").arg(m_device));
        return false;
    }
    return m_port.write(bytes) == bytes.size();   // failures arrive through onPortError
}

void SerialTransport::discardInput()
{
    if (!m_port.isOpen())
        return;
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

void SerialTransport::onPortError(QSerialPort::SerialPortError error)
{
    LinkError linkError = toLinkError(error);
    if (linkError == LinkError::NoError || error == QSerialPort::TimeoutError)
        return;
    if (error == QSerialPort::ReadError && m_port.isOpen() && hungUp(m_port))
        linkError = LinkError::PortVanished;
    const QString message = linkError == LinkError::PortVanished
                                ? tr("%1: the device went away (%2)").arg(m_device, m_port.errorString())
                                : tr("%1: %2").arg(m_device, m_port.errorString());
    m_port.clearError();
    if (linkError == LinkError::PortVanished && m_port.isOpen())
        m_port.close();   // a vanished device cannot be used again until reopened
    reportError(linkError, message);
}
