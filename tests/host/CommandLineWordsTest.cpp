#include "CommandLineWords.h"
#include "TemporaryHost.h"

#include <gtest/gtest.h>

TEST(CommandLineWords, CutsAsAShellWithoutExpansion)
{
    const struct
    {
        const char *line;
        QStringList words;
    } rows[] = {
        {"/opt/orvanta/orvanta /[25]=[3]*2", {"/opt/orvanta/orvanta", "/[25]=[3]*2"}},
        {"  prog   a\tb  ", {"prog", "a", "b"}},
        {"prog 'two words' \"and more\"", {"prog", "two words", "and more"}},
        {"prog it\\'s a\\ b", {"prog", "it's", "a b"}},
        {"prog [25]=[3]*2\\/[26]=1", {"prog", "[25]=[3]*2\\/[26]=1"}},
        {"prog 'lit\\eral $HOME'", {"prog", "lit\\eral $HOME"}},
        {"prog \"say \\\"hi\\\" \\/\"", {"prog", "say \"hi\" \\/"}},
        {"prog '' \"\"", {"prog", "", ""}},
        {"prog [26]=If([4]>1;\"Yes\";\"No\") [2]=\"O'Brien\"",
            {"prog", "[26]=If([4]>1;\"Yes\";\"No\")", "[2]=\"O'Brien\""}},
        {"prog 'a b'\"c\"", {"prog", "a b\"c\""}},
        {"prog end\\", {"prog", "end\\"}},
        {"   ", {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(CommandLineWords::split(QString::fromUtf8(row.line)), row.words) << row.line;
}

TEST(CommandLineWords, UnbalancedQuotesAreRefusedByName)
{
    const struct
    {
        const char *line;
        const char *message;
    } rows[] = {
        {"prog 'open", "the command line has an unbalanced single quote"},
        {"prog \"open", "the command line has an unbalanced double quote"},
        {"prog \"it's\" 'x", "the command line has an unbalanced single quote"},
        {"prog \"escaped \\\"", "the command line has an unbalanced double quote"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(thrownError([&] { CommandLineWords::split(QString::fromUtf8(row.line)); }).second,
            QLatin1String(row.message))
            << row.line;
}
