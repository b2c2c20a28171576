#pragma once

#include "Dialogs.h"

#include <cstdio>

// Messages for a machine without a display: caption and text on standard error, a
// carriage return shown as a line break; a question reads one line of standard input.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(std::FILE *in = stdin, std::FILE *out = stderr);

    Answer message(const QString &text, const QString &caption, Buttons buttons, Icon icon,
        Answer defaultAnswer) override;

private:
    Answer readAnswer(Buttons buttons, Answer defaultAnswer);
    void write(const QString &text);

    std::FILE *m_in;
    std::FILE *m_out;
};
