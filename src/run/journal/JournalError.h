#pragma once

#include <QString>
#include <stdexcept>

// A journal that cannot be used: missing, locked, damaged or from a newer program. The
// text says which, in words for the user.
class JournalError : public std::runtime_error
{
public:
    explicit JournalError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }

    const QString &text() const { return m_text; }

private:
    QString m_text;
};
