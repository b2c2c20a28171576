#pragma once

#include <QString>
#include <exception>
#include <string>

// A run-time failure as the platform reports it: an error number and its description.
// Procedures that have a handler catch it and show the standard error report.
class OrvantaError : public std::exception
{
public:
    enum Number {
        InvalidProcedureCall = 5,
        Overflow = 6,
        OutOfMemory = 7,
        SubscriptOutOfRange = 9,
        DivisionByZero = 11,
        TypeMismatch = 13,
        OutOfStackSpace = 28,
        BadFileNameOrNumber = 52,
        FileNotFound = 53,
        InputPastEndOfFile = 62,
        PermissionDenied = 70,
        PathFileAccessError = 75,
        ObjectNotSet = 91,
        SetNotSupportedReadOnly = 383,
        GetNotSupportedWriteOnly = 394,
        CantCreateObject = 429,
        AutomationError = 440,
    };

    explicit OrvantaError(int number);
    OrvantaError(int number, QString description);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.c_str(); }

    // The platform's standard description of an error number.
    static QString standardDescription(int number);

private:
    int m_number;
    QString m_description;
    std::string m_what;
};
