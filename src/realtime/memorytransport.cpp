#include "memorytransport.h"

MemoryTransport::Pair MemoryTransport::createPair(const QString &name)
{
    Pair pair{std::unique_ptr<MemoryTransport>(new MemoryTransport(Role::Host, name)),
              std::unique_ptr<MemoryTransport>(new MemoryTransport(Role::Device, name + QStringLiteral(":device")))};
    pair.host->m_peer = pair.device.get();
    pair.device->m_peer = pair.host.get();
    return pair;
}

MemoryTransport::MemoryTransport(Role role, const QString &name)
    : m_role(role), m_name(name)
{
}

MemoryTransport::~MemoryTransport()
{
    if (m_role == Role::Device && m_peer)
        m_peer->hangUp();
}

bool MemoryTransport::open()
{
    if (m_open)
        return true;
    clearError();
    if (m_role == Role::Host && !(m_peer && m_peer->m_open)) {
        reportError(LinkError::DeviceNotFound, tr("%1: no device on the line").arg(m_name));
        return false;
    }
    m_open = true;
    return true;
}

void MemoryTransport::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_inbox.clear();
    if (m_role == Role::Device && m_peer)
        m_peer->hangUp();
}

QByteArray MemoryTransport::readAll()
{
    return std::exchange(m_inbox, {});
}

bool MemoryTransport::write(const QByteArray &bytes)
{
    if (!m_open) {
        reportError(LinkError::NotOpen, tr("%1 is not open").arg(m_name));
        return false;
    }
    m_bytesWritten += bytes.size();
    // Nobody listening at the other end: the bytes are lost, as on a cable.
    if (m_peer && m_peer->m_open)
        m_peer->receive(bytes);
    return true;
}

void MemoryTransport::receive(const QByteArray &bytes)
{
    m_inbox.append(bytes);
    emit readyRead();
}

void MemoryTransport::hangUp()
{
    if (!m_open)
        return;
    m_open = false;   // what arrived before the hang-up stays readable
    reportError(LinkError::PortVanished, tr("%1: the device hung up").arg(m_name));
}
