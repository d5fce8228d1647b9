#pragma once

#include <QString>
#include <exception>
#include <string>

// The error the report component raises: what() carries the message as UTF-8 text, message() as the
// component's own text, so that callers can show or log it unchanged.
class TrpError : public std::exception {
public:
    explicit TrpError(const QString& message);

    const char* what() const noexcept override { return m_utf8.c_str(); }
    const QString& message() const { return m_message; }

private:
    QString m_message;
    std::string m_utf8;
};
