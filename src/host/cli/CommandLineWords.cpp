#include "CommandLineWords.h"

#include "OrvantaError.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool escapableOutsideQuotes(QChar c)
{
    return isBlank(c) || c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('\\');
}

bool escapableInDoubleQuotes(QChar c)
{
    return c == QLatin1Char('$') || c == QLatin1Char('`') || c == QLatin1Char('"')
        || c == QLatin1Char('\\') || c == QLatin1Char('\n');
}

[[noreturn]] void unbalanced(QChar quote)
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall,
        QStringLiteral("the command line has an unbalanced %1 quote")
            .arg(quote == QLatin1Char('"') ? QStringLiteral("double") : QStringLiteral("single")));
}

class Splitter
{
public:
    explicit Splitter(const QString &text)
        : m_text(text)
    {
    }

    QStringList words()
    {
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at++);
            if (isBlank(c))
                endWord();
            else if (c == QLatin1Char('\'') && !m_inWord)
                singleQuoted();
            else if (c == QLatin1Char('"') && !m_inWord)
                doubleQuoted();
            else if (c == QLatin1Char('\\'))
                escaped(escapableOutsideQuotes);
            else
                append(c);
        }
        endWord();
        return m_words;
    }

private:
    void singleQuoted()
    {
        m_inWord = true;
        const qsizetype end = m_text.indexOf(QLatin1Char('\''), m_at);
        if (end < 0)
            unbalanced(QLatin1Char('\''));
        m_word += m_text.mid(m_at, end - m_at);
        m_at = end + 1;
    }

    void doubleQuoted()
    {
        m_inWord = true;
        while (m_at < m_text.size()) {
            const QChar c = m_text.at(m_at++);
            if (c == QLatin1Char('"'))
                return;
            if (c == QLatin1Char('\\'))
                escaped(escapableInDoubleQuotes);
            else
                append(c);
        }
        unbalanced(QLatin1Char('"'));
    }

    // A backslash just read: it escapes the next character when the rule allows,
    // else it stands for itself. A backslash ending the line stays too.
    void escaped(bool (*escapable)(QChar))
    {
        if (m_at < m_text.size() && escapable(m_text.at(m_at)))
            append(m_text.at(m_at++));
        else
            append(QLatin1Char('\\'));
    }

    void append(QChar c)
    {
        m_word += c;
        m_inWord = true;
    }

    void endWord()
    {
        if (m_inWord)
            m_words.append(m_word);
        m_word.clear();
        m_inWord = false;
    }

    const QString &m_text;
    qsizetype m_at = 0;
    QString m_word;
    bool m_inWord = false;
    QStringList m_words;
};

} // namespace

namespace CommandLineWords {

QStringList split(const QString &commandLine)
{
    return Splitter(commandLine).words();
}

} // namespace CommandLineWords
