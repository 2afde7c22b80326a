#pragma once

#include <QString>

#include <exception>

// A number conversion that failed on text the user or a foreign file gave us.
// It carries the German message the user sees; the general error guard around
// every command shows it and ends that command only.
class ConversionError : public std::exception
{
public:
    explicit ConversionError(QString message)
        : m_message(std::move(message))
    {}

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return "conversion error"; }

private:
    QString m_message;
};
