#include "ConsoleDialogs.h"

#include <QString>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

struct Exchange
{
    Dialogs::Answer answer;
    QString output;
};

Exchange ask(const char *input, Dialogs::Buttons buttons, Dialogs::Answer defaultAnswer,
    const QString &text = QStringLiteral("Go on?"))
{
    std::FILE *in = fmemopen(const_cast<char *>(input), std::strlen(input), "r");
    char *buffer = nullptr;
    size_t size = 0;
    std::FILE *out = open_memstream(&buffer, &size);
    ConsoleDialogs dialogs(in, out);
    const Dialogs::Answer answer = dialogs.message(
        text, QStringLiteral("Orvanta"), buttons, Dialogs::Icon::None, defaultAnswer);
    std::fclose(in);
    std::fclose(out);
    Exchange e {answer, QString::fromUtf8(buffer, qsizetype(size))};
    std::free(buffer);
    return e;
}

} // namespace

TEST(ConsoleDialogs, AnswersFromStandardInput)
{
    using A = Dialogs::Answer;
    using B = Dialogs::Buttons;
    const struct
    {
        const char *input;
        B buttons;
        A defaultAnswer;
        A expected;
    } rows[] = {
        {"y\n", B::YesNo, A::No, A::Yes},
        {"YES\n", B::YesNo, A::No, A::Yes},
        {"n\n", B::YesNo, A::Yes, A::No},
        {" No \n", B::YesNo, A::Yes, A::No},
        {"", B::YesNo, A::No, A::No},
        {"\n", B::YesNo, A::Yes, A::Yes},
        {"maybe\ny\n", B::YesNo, A::No, A::Yes},
        {"Cancel\n", B::OkCancel, A::Ok, A::Cancel},
        {"ok\n", B::OkCancel, A::Cancel, A::Ok},
        {"", B::Ok, A::Ok, A::Ok},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ask(row.input, row.buttons, row.defaultAnswer).answer, row.expected) << row.input;
}

TEST(ConsoleDialogs, ShowsCaptionTextAndPrompt)
{
    // Carriage returns are line breaks; a piped answer ends the prompt line.
    EXPECT_EQ(ask("", Dialogs::Buttons::Ok, Dialogs::Answer::Ok, "first\rsecond\r\rthird").output,
        "Orvanta: first\nsecond\n\nthird\n");
    EXPECT_EQ(ask("y\n", Dialogs::Buttons::YesNo, Dialogs::Answer::No).output,
        "Orvanta: Go on?\n[yes/NO] \n");
}
