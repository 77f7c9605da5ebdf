#pragma once

#include <QString>

#include <exception>
#include <string>

/// An operation that cannot proceed. The message is the text the user sees,
/// in the system's own words; the framework's error display shows it as is.
class EZError : public std::exception
{
public:
    explicit EZError(QString message);

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

/// A silent abort: unwinds the current operation without any message.
class EZAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "EZAbort"; }
};

/// The user-facing text of the exception currently being handled (call only
/// inside a catch block): the message of an EZError, the what() text of any
/// other standard exception, and a generic text for anything else.
QString ZCurrentExceptionMessage();
