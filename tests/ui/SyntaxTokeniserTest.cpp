#include "SyntaxTokeniser.h"
#include "SyntaxColours.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>

namespace {

// One letter per character for the colour a line shows: C comment (green),
// R reference (magenta), P placeholder (red), F function (blue), k black.
char letterOf(TokenClass tokenClass)
{
    switch (tokenClass) {
    case TokenClass::Comment:
        return 'C';
    case TokenClass::FieldReference:
        return 'R';
    case TokenClass::Placeholder:
        return 'P';
    case TokenClass::FunctionName:
        return 'F';
    default:
        return 'k';
    }
}

// The letters of a line, '?' where no span covers a character, '!' where two do.
std::string colourLetters(const QString &line)
{
    std::string letters(line.size(), '?');
    for (const Token &token : SyntaxTokeniser::tokeniseLine(line)) {
        for (int i = token.start; i < token.start + token.length; ++i)
            letters.at(i) = letters.at(i) == '?' ? letterOf(token.tokenClass) : '!';
    }
    return letters;
}

struct LineCase
{
    const char *line;
    const char *letters;
};

void PrintTo(const LineCase &row, std::ostream *out)
{
    *out << '"' << row.line << '"';
}

class TokeniserLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(TokeniserLine, ColoursEveryCharacterByItsToken)
{
    EXPECT_EQ(colourLetters(QString::fromUtf8(GetParam().line)), GetParam().letters);
}

INSTANTIATE_TEST_SUITE_P(WholeWordFunctionNames, TokeniserLine,
    ::testing::Values(LineCase {"Now now NOW", "FFFkFFFkFFF"},
        LineCase {"Nowhere Now2", "kkkkkkkkkkkk"}, LineCase {"x+Now", "kkFFF"},
        LineCase {"\tAbs(x)", "kFFFkkk"}, LineCase {"iF", "FF"}, LineCase {"MinCount", "kkkkkkkk"},
        LineCase {"DateDiff.x", "kkkkkkkkkk"}));

INSTANTIATE_TEST_SUITE_P(References, TokeniserLine,
    ::testing::Values(LineCase {"[First Name]", "RRRRRRRRRRRR"}, LineCase {"x=[Total", "kkRRRRRR"},
        LineCase {"[a[b]", "RRRkR"}, LineCase {"] x", "RRR"}, LineCase {"[a,b]+1", "RRRRRkk"},
        LineCase {"Len([2])", "FFFkRRRk"}, LineCase {"ab[c]", "kkRRR"}, LineCase {"]x]", "RRR"}));

INSTANTIATE_TEST_SUITE_P(Comments, TokeniserLine,
    ::testing::Values(LineCase {"x = 1 ' note", "kkkkkkCCCCCC"}, LineCase {"[it's]", "RRRRRR"},
        LineCase {"'", "C"}, LineCase {"a'b", "kCC"}, LineCase {"[x]'Now", "RRRCCCC"},
        LineCase {"[a 'b", "RRRRR"}, LineCase {"Now'[x]", "FFFCCCC"}));

INSTANTIATE_TEST_SUITE_P(QuotedWordsAndOperators, TokeniserLine,
    ::testing::Values(LineCase {"\"Now\"", "kkkkk"}, LineCase {"a<b", "kkk"},
        LineCase {"x>=Now", "kkkFFF"}, LineCase {"#1/1/2000#", "kkkkkkkkkk"}, LineCase {"", ""}));

INSTANTIATE_TEST_SUITE_P(Placeholders, TokeniserLine,
    ::testing::Values(LineCase {"Left(<value>;<#_of_chars>)", "FFFFkPPPPPPPkPPPPPPPPPPPPk"},
        LineCase {"If(<logical_test>;<value_if_true>;<value_if_false>)",
            "FFkPPPPPPPPPPPPPPkPPPPPPPPPPPPPPPkPPPPPPPPPPPPPPPPk"},
        LineCase {
            "Pv(<rate>;<nper>;<pmt>;<{fv}>;<{type}>)", "FFkPPPPPPkPPPPPPkPPPPPkPPPPPPkPPPPPPPPk"},
        LineCase {"<DATE>", "PPPPPP"}, LineCase {"<date", "kkkkk"}, LineCase {"<...>", "PPPPP"},
        LineCase {"<value>x", "kkkkkkkk"}));

struct WordCase
{
    const char *word;
    TokenClass expected;
};

void PrintTo(const WordCase &row, std::ostream *out)
{
    *out << '"' << row.word << '"';
}

class WordClass : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(WordClass, MatchesWholeEntriesIgnoringCase)
{
    EXPECT_EQ(
        SyntaxTokeniser::GetWordClass(QString::fromUtf8(GetParam().word)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, WordClass,
    ::testing::Values(WordCase {"Age", TokenClass::FunctionName},
        WordCase {"countblank", TokenClass::FunctionName},
        WordCase {"WEEKDAYNAME", TokenClass::FunctionName},
        WordCase {"Count", TokenClass::FunctionName}, WordCase {"Coun", TokenClass::PlainWord},
        WordCase {"Ages", TokenClass::PlainWord}, WordCase {"<k>", TokenClass::Placeholder},
        WordCase {"<{GUESS}>", TokenClass::Placeholder},
        WordCase {"<#_of_spaces>", TokenClass::Placeholder}, WordCase {"k", TokenClass::PlainWord},
        WordCase {"<fv>", TokenClass::PlainWord}, WordCase {"Now Time", TokenClass::PlainWord},
        WordCase {"", TokenClass::PlainWord}));

struct ColourCase
{
    int classCode;
    quint32 value;
};

void PrintTo(const ColourCase &row, std::ostream *out)
{
    *out << "class " << row.classCode;
}

class ClassColour : public ::testing::TestWithParam<ColourCase>
{
};

TEST_P(ClassColour, HasRedInTheLowByte)
{
    EXPECT_EQ(SyntaxColours::colourOf(GetParam().classCode), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, ClassColour,
    ::testing::Values(ColourCase {0, 0x008000}, ColourCase {1, 0xFF00FF}, ColourCase {2, 0x0000FF},
        ColourCase {3, 0xFF0000}, ColourCase {4, 0}, ColourCase {5, 0}, ColourCase {-1, 0},
        ColourCase {9, 0}));

TEST(ClassColour, ConvertsToTheColourShown)
{
    EXPECT_EQ(SyntaxColours::toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(SyntaxColours::fromQColor(QColor(0, 128, 0)), 0x008000u);
}

} // namespace
