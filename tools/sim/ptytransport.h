#pragma once
#include "realtime/bytetransport.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QSocketNotifier;

// The instrument's end of a pseudo-terminal. The software opens the other
// end (devicePath(), e.g. /dev/pts/7) as its serial port. We keep that end
// open ourselves as well, so the line survives the software closing and
// reopening its port; close() hangs the line up for good.
class PtyTransport final : public ByteTransport
{
    Q_OBJECT
public:
    static std::unique_ptr<PtyTransport> create(QString *error);
    ~PtyTransport() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return m_master >= 0; }
    QByteArray readAll() override;
    bool write(const QByteArray &bytes) override;
    QString deviceName() const override { return m_path; }
    QString devicePath() const { return m_path; }

private:
    PtyTransport(int master, int slave, const QString &path);
    void onReadable();

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_inbox;
};
