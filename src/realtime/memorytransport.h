#pragma once
#include "bytetransport.h"

#include <QPointer>

#include <memory>
#include <utility>

// Two connected in-memory ends: the host end (what the software opens) and
// the device end (where a simulated instrument sits). Bytes written on one
// end are readable on the other at once. Closing the device end hangs up the
// line: the host end reports PortVanished and closes, and cannot be opened
// again until the device end is open again. Closing the host end leaves the
// device alone, like closing a serial port.
class MemoryTransport final : public ByteTransport
{
    Q_OBJECT
public:
    enum class Role { Host, Device };

    struct Pair
    {
        std::unique_ptr<MemoryTransport> host;
        std::unique_ptr<MemoryTransport> device;
    };
    // Both ends start open.
    static Pair createPair(const QString &name = QStringLiteral("memory"));

    ~MemoryTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QByteArray readAll() override;
    bool write(const QByteArray &bytes) override;
    QString deviceName() const override { return m_name; }

    Role role() const { return m_role; }
    qint64 bytesWritten() const { return m_bytesWritten; }

private:
    MemoryTransport(Role role, const QString &name);
    void receive(const QByteArray &bytes);
    void hangUp();

    Role m_role;
    QString m_name;
    QPointer<MemoryTransport> m_peer;
    QByteArray m_inbox;
    bool m_open = true;
    qint64 m_bytesWritten = 0;
};
