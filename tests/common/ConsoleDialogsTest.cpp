#include "ConsoleDialogs.h"

#include <QString>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

using A = Dialogs::Answer;
using B = Dialogs::Buttons;

// The answer given and everything written.
std::pair<A, QString> ask(
    const char *input, B buttons, A defaultAnswer, const QString &text = QStringLiteral("Go on?"))
{
    std::FILE *in = fmemopen(const_cast<char *>(input), std::strlen(input), "r");
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *out = open_memstream(&buffer, &size);
    const A answer = ConsoleDialogs(in, out).message(
        text, QStringLiteral("Orvanta"), buttons, Dialogs::Icon::None, defaultAnswer);
    std::fclose(in);
    std::fclose(out);
    const QString output = QString::fromUtf8(buffer, qsizetype(size));
    std::free(buffer);
    return {answer, output};
}

} // namespace

TEST(ConsoleDialogs, AnswersFromStandardInput)
{
    const struct
    {
        const char *input;
        B buttons;
        A defaultAnswer;
        A expected;
    } rows[] = {
        {"YES\n", B::YesNo, A::No, A::Yes},
        {" No \n", B::YesNo, A::Yes, A::No},
        {"", B::YesNo, A::No, A::No},
        {"\n", B::YesNo, A::No, A::No},
        {"maybe\ny\n", B::YesNo, A::No, A::Yes},
        {"Cancel\n", B::OkCancel, A::Ok, A::Cancel},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ask(row.input, row.buttons, row.defaultAnswer).first, row.expected) << row.input;
}

TEST(ConsoleDialogs, ShowsCaptionTextAndPrompt)
{
    // Carriage returns are line breaks; a piped answer ends the prompt line.
    EXPECT_EQ(ask("", B::Ok, A::Ok, "first\rsecond\r\rthird").second,
        "Orvanta: first\nsecond\n\nthird\n");
    EXPECT_EQ(ask("y\n", B::YesNo, A::No).second, "Orvanta: Go on?\n[yes/NO] \n");
}
