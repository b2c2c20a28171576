#include "SyntaxTokeniser.h"

#include <QString>
#include <QStringList>
#include <array>

namespace {

const char16_t *const functionList
    = u" Now Time Day Weekday Weekdayname Month Monthname Year Hour Minute Second Ucase Lcase"
      u" Trim Ltrim Rtrim Len Space Val Abs Sgn Sqr Int If Min MinC Max MaxC Count CountC"
      u" CountBlank CountIf Avg Large Small Cos Sin Tan Exp Atn Log Left Right Mid DateDiff"
      u" DateAdd DatePart Format Fv Ipmt Nper Pmt Pv Rate Age ";

const char16_t *const placeholderList
    = u" <date> <time> <string> <#_of_spaces> <number> <logical_test> <value_if_true>"
      u" <value_if_false> <value1> <value2> <...> <k> <value> <#_of_chars> <start_pos>"
      u" <interval> <date1> <date2> <{firstdayofweek}> <{firstweekofyear}> <expression>"
      u" <format> <rate> <nper> <pmt> <{pv}> <{type}> <per> <pv> <{fv}> <{guess}> ";

// A word list matched whole-word without regard to case. Entries are bucketed by their
// folded first character so a word is compared with a handful of entries at most.
class WordList
{
public:
    explicit WordList(const char16_t *spaced)
    {
        const QStringList words
            = QString::fromUtf16(spaced).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &word : words)
            m_buckets[bucketOf(word.front())].push_back(word);
    }

    bool contains(QStringView word) const
    {
        if (word.isEmpty())
            return false;
        for (const QString &entry : m_buckets[bucketOf(word.front())]) {
            if (entry.size() == word.size()
                && QStringView(entry).compare(word, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

private:
    static int bucketOf(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= u'A' && u <= u'Z')
            return u - u'A' + u'a';
        return u < 128 ? u : 0;
    }

    std::array<std::vector<QString>, 128> m_buckets;
};

const WordList &functions()
{
    static const WordList list(functionList);
    return list;
}

const WordList &placeholders()
{
    static const WordList list(placeholderList);
    return list;
}

constexpr std::array<bool, 128> delimiterTable()
{
    std::array<bool, 128> table {};
    for (char c : "\t ,()[]-+*%/='~!&|\\?:;")
        table[static_cast<unsigned char>(c)] = true;
    table[0] = false; // the terminating NUL of the literal
    return table;
}

constexpr std::array<bool, 128> delimiters = delimiterTable();

// The state of one pass over a line; spans are appended as the rules produce them.
class LineScan
{
public:
    LineScan(QStringView line, std::vector<Token> &tokens)
        : m_line(line)
        , m_tokens(tokens)
    {
    }

    void run()
    {
        const int length = int(m_line.size());
        for (int i = 0; i < length; ++i) {
            const QChar c = m_line[i];
            const bool bracket = c == u'[' || c == u']';
            if (c == u'\'' && !m_inBracket) {
                colourPendingWord(i);
                addSpan(i, length - i, TokenClass::Comment);
                return;
            }
            if (!bracket && SyntaxTokeniser::isDelimiter(c)) {
                colourPendingWord(i);
                // Inside an open reference the reference span covers it later.
                if (!m_inBracket)
                    addSpan(i, 1, TokenClass::Separator);
            } else if (!bracket) {
                if (!m_inWord && !m_inBracket) {
                    m_inWord = true;
                    m_wordStart = i;
                }
            } else if (m_inBracket) {
                addSpan(m_wordStart, i - m_wordStart + 1, TokenClass::FieldReference);
                m_inBracket = false;
            } else {
                colourPendingWord(i);
                m_inBracket = true;
                m_wordStart = i;
            }
        }
        if (m_inBracket)
            addSpan(m_wordStart, length - m_wordStart, TokenClass::FieldReference);
        else
            colourPendingWord(length);
    }

private:
    void colourPendingWord(int end)
    {
        if (!m_inWord)
            return;
        const int length = end - m_wordStart;
        addSpan(
            m_wordStart, length, SyntaxTokeniser::GetWordClass(m_line.sliced(m_wordStart, length)));
        m_inWord = false;
    }

    void addSpan(int start, int length, TokenClass tokenClass)
    {
        m_tokens.push_back(Token {start, length, tokenClass});
    }

    QStringView m_line;
    std::vector<Token> &m_tokens;
    bool m_inWord = false;
    bool m_inBracket = false;
    int m_wordStart = 0;
};

} // namespace

bool SyntaxTokeniser::isDelimiter(QChar c)
{
    return c.unicode() < 128 && delimiters[c.unicode()];
}

TokenClass SyntaxTokeniser::GetWordClass(QStringView word)
{
    if (placeholders().contains(word))
        return TokenClass::Placeholder;
    if (functions().contains(word))
        return TokenClass::FunctionName;
    return TokenClass::PlainWord;
}

void SyntaxTokeniser::tokeniseLine(QStringView line, std::vector<Token> &tokens)
{
    LineScan(line, tokens).run();
}

std::vector<Token> SyntaxTokeniser::tokeniseLine(QStringView line)
{
    std::vector<Token> tokens;
    tokeniseLine(line, tokens);
    return tokens;
}
