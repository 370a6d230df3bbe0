#pragma once
#include "linkerror.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// A byte stream to one instrument: a serial port, a pseudo-terminal or an
// in-memory pair. Reads never block; readAll() returns whatever has arrived.
class ByteTransport : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool open() = 0;              // failure is reported through errorOccurred
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QByteArray readAll() = 0;
    virtual bool write(const QByteArray &bytes) = 0;
    // Drops everything received so far, including bytes the system still holds.
    virtual void discardInput() { readAll(); }
    virtual QString deviceName() const = 0;

    LinkError error() const { return m_error; }
    QString errorString() const { return m_errorString; }

signals:
    void readyRead();
    void errorOccurred(LinkError error, const QString &message);

protected:
    void reportError(LinkError error, const QString &message);
    void clearError();

private:
    LinkError m_error = LinkError::NoError;
    QString m_errorString;
};
