#include "ptytransport.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

std::unique_ptr<PtyTransport> PtyTransport::create(QString *error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    // Raw line: no echo, no CR/LF translation, and ETX must not become an interrupt.
    termios tio{};
    ::tcgetattr(slave, &tio);
    ::cfmakeraw(&tio);
    ::cfsetispeed(&tio, B19200);
    ::cfsetospeed(&tio, B19200);
    ::tcsetattr(slave, TCSANOW, &tio);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    return std::unique_ptr<PtyTransport>(new PtyTransport(master, slave, QString::fromLocal8Bit(name)));
}

PtyTransport::PtyTransport(int master, int slave, const QString &path)
    : m_master(master), m_slave(slave), m_path(path)
{
    m_notifier = new QSocketNotifier(qintptr(m_master), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyTransport::onReadable);
}

PtyTransport::~PtyTransport()
{
    close();
}

bool PtyTransport::open()
{
    if (isOpen())
        return true;
    reportError(LinkError::OpenFailed, QStringLiteral("%1 has been hung up").arg(m_path));
    return false;
}

void PtyTransport::close()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
}

QByteArray PtyTransport::readAll()
{
    return std::exchange(m_inbox, {});
}

bool PtyTransport::write(const QByteArray &bytes)
{
    if (!isOpen()) {
        reportError(LinkError::NotOpen, QStringLiteral("%1 is not open").arg(m_path));
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // The line is full because nobody reads the other end: like a
            // cable with nothing attached, the rest is lost.
            break;
        }
    }
    return true;
}

void PtyTransport::onReadable()
{
    char chunk[4096];
    bool got = false;
    for (;;) {
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0) {
            m_inbox.append(chunk, qsizetype(n));
            got = true;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;   // EAGAIN: drained. EIO cannot happen while we hold the other end.
    }
    if (got)
        emit readyRead();
}
