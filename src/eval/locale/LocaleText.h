#pragma once

#include <QChar>
#include <QStringView>

// Character tests the number and date readers share.
namespace LocaleText {

inline bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// French and other locales group with a (no-break) space; people type any of them.
inline bool isSpaceLike(QChar c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

inline QStringView trimBlanks(QStringView t)
{
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && (t[begin] == u' ' || t[begin] == u'\t'))
        ++begin;
    while (end > begin && (t[end - 1] == u' ' || t[end - 1] == u'\t'))
        --end;
    return t.sliced(begin, end - begin);
}

} // namespace LocaleText
