#include "TrpError.h"

TrpError::TrpError(const QString& message) : m_message(message), m_utf8(message.toStdString()) {}
