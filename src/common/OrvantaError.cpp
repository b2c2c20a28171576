#include "OrvantaError.h"

OrvantaError::OrvantaError(int number)
    : OrvantaError(number, standardDescription(number))
{
}

OrvantaError::OrvantaError(int number, QString description)
    : m_number(number)
    , m_description(std::move(description))
    , m_what(QStringLiteral("Error %1: %2").arg(number).arg(m_description).toStdString())
{
}

QString OrvantaError::standardDescription(int number)
{
    switch (number) {
    case InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case OutOfMemory:
        return QStringLiteral("Out of memory");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case DivisionByZero:
        return QStringLiteral("Division by zero");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case OutOfStackSpace:
        return QStringLiteral("Out of stack space");
    case BadFileNameOrNumber:
        return QStringLiteral("Bad file name or number");
    case FileNotFound:
        return QStringLiteral("File not found");
    case InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case PermissionDenied:
        return QStringLiteral("Permission denied");
    case PathFileAccessError:
        return QStringLiteral("Path/File access error");
    case ObjectNotSet:
        return QStringLiteral("Object variable or With block variable not set");
    case SetNotSupportedReadOnly:
        return QStringLiteral("Set not supported (read-only property)");
    case GetNotSupportedWriteOnly:
        return QStringLiteral("Get not supported (write-only property)");
    case CantCreateObject:
        return QStringLiteral("ActiveX component can't create object");
    case AutomationError:
        return QStringLiteral("Automation error");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}
