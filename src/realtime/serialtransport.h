#pragma once
#include "bytetransport.h"

#include <QSerialPort>

// A serial device by path or name (/dev/ttyS0, /dev/ttyUSB0, /dev/pts/7,
// COM3), opened 19200 baud, no parity, 8 data bits, 1 stop bit, no flow
// control.
class SerialTransport final : public ByteTransport
{
    Q_OBJECT
public:
    explicit SerialTransport(const QString &device, QObject *parent = nullptr);
    ~SerialTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    QByteArray readAll() override;
    bool write(const QByteArray &bytes) override;
    void discardInput() override;
    QString deviceName() const override { return m_device; }

private:
    void onPortError(QSerialPort::SerialPortError error);

    QString m_device;
    QSerialPort m_port;
};
