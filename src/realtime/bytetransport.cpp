#include "bytetransport.h"

void ByteTransport::reportError(LinkError error, const QString &message)
{
    m_error = error;
    m_errorString = message.isEmpty() ? linkErrorText(error) : message;
    emit errorOccurred(error, m_errorString);
}

void ByteTransport::clearError()
{
    m_error = LinkError::NoError;
    m_errorString.clear();
}
