#pragma once

#include <QChar>
#include <QStringView>

// Reads numeric text as a user of the locale types it: a sign, the locale's decimal and
// thousands separators, an exponent; &H and &O prefixes.
class NumberReader
{
public:
    // groupSeparatesDates: the thousands separator is also a date separator (German ".").
    NumberReader(QChar decimal, QChar group, bool groupSeparatesDates);

    // Text without surrounding blanks. dateShaped tells that the text is digits in three
    // groups joined by a separator that also separates dates, so it may be a date instead.
    bool read(QStringView text, double &out, bool &dateShaped) const;

private:
    bool isGroupSeparator(QChar c) const;
    bool readDecimal(QStringView text, double &out, bool &dateShaped) const;

    QChar m_decimal;
    QChar m_group;
    bool m_groupSeparatesDates;
};
