#pragma once
#include <QString>
#include <stdexcept>

// The one error type of the data store. Gateway operations throw it to the
// calling window, which shows or logs it; the store itself never shows
// anything.
class StoreError : public std::runtime_error
{
public:
    enum class Code {
        NotOpen,     // the connection was never opened (or failed to open)
        Duplicate,   // a unique name (sequence or test) is already stored
        Statement,   // the back end refused or failed a statement
        Connection,  // the connection to the back end was lost
    };

    StoreError(Code code, int number, const QString &description);

    Code code() const { return m_code; }
    // The back end's own error number (SQLite result code, PostgreSQL SQLSTATE
    // as far as it is numeric, otherwise -1).
    int number() const { return m_number; }
    QString description() const { return m_description; }
    // "Error #: <number>" style text for message boxes.
    QString text() const;

private:
    Code m_code;
    int m_number;
    QString m_description;
};
