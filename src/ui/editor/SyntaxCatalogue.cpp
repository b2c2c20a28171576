#include "SyntaxCatalogue.h"

namespace {

using List = SyntaxCatalogue::List;

struct Row
{
    List list;
    const char16_t *listText;
    // Null when the entry is inserted as listed.
    const char16_t *insertedText = nullptr;
};

// Function templates carry one placeholder per argument; the colouring paints them red and
// a click selects them whole.
constexpr Row Rows[] = {
    {List::Functions, u"Now()", u"Now()"},
    {List::Functions, u"Time()", u"Time()"},
    {List::Functions, u"Day()", u"Day(<date>)"},
    {List::Functions, u"Weekday()", u"Weekday(<date>)"},
    {List::Functions, u"Weekdayname()", u"Weekdayname(<date>)"},
    {List::Functions, u"Month()", u"Month(<date>)"},
    {List::Functions, u"Monthname()", u"Monthname(<date>)"},
    {List::Functions, u"Year()", u"Year(<date>)"},
    {List::Functions, u"Hour()", u"Hour(<time>)"},
    {List::Functions, u"Minute()", u"Minute(<time>)"},
    {List::Functions, u"Second()", u"Second(<time>)"},
    {List::Functions, u"Ucase()", u"Ucase(<string>)"},
    {List::Functions, u"Lcase()", u"Lcase(<string>)"},
    {List::Functions, u"Trim()", u"Trim(<string>)"},
    {List::Functions, u"Ltrim()", u"LTrim(<string>)"},
    {List::Functions, u"Rtrim()", u"RTrim(<string>)"},
    {List::Functions, u"Len()", u"Len(<string>)"},
    {List::Functions, u"Space()", u"Space(<#_of_spaces>)"},
    {List::Functions, u"Val()", u"Val(<string>)"},
    {List::Functions, u"Abs()", u"Abs(<number>)"},
    {List::Functions, u"Sgn()", u"Sgn(<number>)"},
    {List::Functions, u"Sqr()", u"Sqr(<number>)"},
    {List::Functions, u"Int()", u"Int(<number>)"},
    {List::Functions, u"If()", u"If(<logical_test>;<value_if_true>;<value_if_false>)"},
    {List::Functions, u"Min()", u"Min(<value1>;<value2>;<...>)"},
    {List::Functions, u"MinC()", u"MinC(<value1>;<value2>;<...>)"},
    {List::Functions, u"Max()", u"Max(<value1>;<value2>;<...>)"},
    {List::Functions, u"MaxC()", u"MaxC(<value1>;<value2>;<...>)"},
    {List::Functions, u"Count()", u"Count(1<value1>;<value2>;<...>)"},
    {List::Functions, u"CountC()", u"CountC(<value1>;<value2>;<...>)"},
    {List::Functions, u"CountBlank()", u"CountBlank(<value1>;<value2>;<...>)"},
    {List::Functions, u"CountIf()", u"CountIf(<logical_test>;<value1>;<value2>;<...>)"},
    {List::Functions, u"Avg()", u"Avg(<value1>;<value2>;<...>)"},
    {List::Functions, u"Large()", u"Large(<k>;<value1>;<value2>;<...>)"},
    {List::Functions, u"Small()", u"Small(<k>;<value1>;<value2>;<...>)"},
    {List::Functions, u"Cos()", u"Cos(<number>)"},
    {List::Functions, u"Sin()", u"Sin(<number>)"},
    {List::Functions, u"Tan()", u"Tan(<number>)"},
    {List::Functions, u"Exp()", u"Exp(<number>)"},
    {List::Functions, u"Atn()", u"Atn(<number>)"},
    {List::Functions, u"Log()", u"Log(<number>)"},
    {List::Functions, u"Left()", u"Left(<value>;<#_of_chars>)"},
    {List::Functions, u"Right()", u"Right(<value>;<#_of_chars>)"},
    {List::Functions, u"Mid()", u"Mid(<value>;<start_pos>;<#_of_chars>)"},
    {List::Functions, u"DateDiff()",
        u"DateDiff(<interval>;<date1>;<date2>;<{firstdayofweek}>;<{firstweekofyear}>)"},
    {List::Functions, u"DateAdd()", u"DateAdd(<interval>;<number>;<date>)"},
    {List::Functions, u"DatePart()",
        u"DatePart(<interval>;<date>;<{firstdayofweek}>;<{firstweekofyear}>)"},
    {List::Functions, u"Format()", u"Format(<expression>;<format>)"},
    {List::Functions, u"Fv()", u"Fv(<rate>;<nper>;<pmt>;<{pv}>;<{type}>)"},
    {List::Functions, u"Ipmt()", u"Ipmt(<rate>;<per>;<nper>;<{fv}>;<{type}>)"},
    {List::Functions, u"Nper()", u"Nper(<rate>;<pmt>;<pv>;<{fv}>;<{type}>)"},
    {List::Functions, u"Pmt()", u"Pmt(<rate>;<nper>;<pv>;<{fv}>;<{type}>)"},
    {List::Functions, u"Pv()", u"Pv(<rate>;<nper>;<pmt>;<{fv}>;<{type}>)"},
    {List::Functions, u"Rate()", u"Rate(<nper>;<pmt>;<pv>;<{fv}>;<{type}>;<{guess}>)"},
    {List::Functions, u"Age()", u"Age(<date>)"},
    {List::Operators, u"+"},
    {List::Operators, u"-"},
    {List::Operators, u"*"},
    {List::Operators, u"/"},
    {List::Operators, u">"},
    {List::Operators, u"<"},
    {List::Operators, u">="},
    {List::Operators, u"<="},
    {List::Operators, u"="},
    {List::Operators, u"<>"},
    {List::Operators, u"NOT"},
    {List::Operators, u"AND"},
    {List::Operators, u"OR"},
    {List::Operators, u"XOR"},
    {List::Operators, u"EQV"},
    {List::Operators, u"IMP"},
    {List::Operators, u"&"},
};

} // namespace

QList<SyntaxCatalogue::Entry> SyntaxCatalogue::entries(List list)
{
    QList<Entry> result;
    for (const Row &row : Rows) {
        if (row.list != list)
            continue;
        const QString listText = QString::fromUtf16(row.listText);
        result.append(
            {listText, row.insertedText ? QString::fromUtf16(row.insertedText) : listText});
    }
    return result;
}
