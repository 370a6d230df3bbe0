#include "storeerror.h"

StoreError::StoreError(Code code, int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_code(code), m_number(number), m_description(description)
{
}

QString StoreError::text() const
{
    return QStringLiteral("Error #: %1\r\n%2").arg(m_number).arg(m_description);
}
