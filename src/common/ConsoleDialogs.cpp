#include "ConsoleDialogs.h"

#include <QList>
#include <QStringList>
#include <unistd.h>

namespace {

struct Choice
{
    Dialogs::Answer answer;
    QStringList words;
};

QList<Choice> choicesFor(Dialogs::Buttons buttons)
{
    using A = Dialogs::Answer;
    const Choice ok {A::Ok, {QStringLiteral("ok")}};
    const Choice cancel {A::Cancel, {QStringLiteral("cancel")}};
    const Choice yes {A::Yes, {QStringLiteral("y"), QStringLiteral("yes")}};
    const Choice no {A::No, {QStringLiteral("n"), QStringLiteral("no")}};
    const Choice retry {A::Retry, {QStringLiteral("retry")}};
    const Choice abort {A::Abort, {QStringLiteral("abort")}};
    const Choice ignore {A::Ignore, {QStringLiteral("ignore")}};
    switch (buttons) {
    case Dialogs::Buttons::Ok:
        return {ok};
    case Dialogs::Buttons::OkCancel:
        return {ok, cancel};
    case Dialogs::Buttons::YesNo:
        return {yes, no};
    case Dialogs::Buttons::YesNoCancel:
        return {yes, no, cancel};
    case Dialogs::Buttons::RetryCancel:
        return {retry, cancel};
    case Dialogs::Buttons::AbortRetryIgnore:
        return {abort, retry, ignore};
    }
    return {ok};
}

QString promptFor(const QList<Choice> &choices, Dialogs::Answer defaultAnswer)
{
    QStringList names;
    for (const Choice &c : choices) {
        QString name = c.words.last();
        if (c.answer == defaultAnswer)
            name = name.toUpper();
        names << name;
    }
    return QLatin1Char('[') + names.join(QLatin1Char('/')) + QStringLiteral("] ");
}

} // namespace

ConsoleDialogs::ConsoleDialogs(std::FILE *in, std::FILE *out)
    : m_in(in)
    , m_out(out)
{
}

Dialogs::Answer ConsoleDialogs::message(
    const QString &text, const QString &caption, Buttons buttons, Icon, Answer defaultAnswer)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    write(QStringLiteral("%1: %2\n").arg(caption, shown));
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return readAnswer(buttons, defaultAnswer);
}

Dialogs::Answer ConsoleDialogs::readAnswer(Buttons buttons, Answer defaultAnswer)
{
    const QList<Choice> choices = choicesFor(buttons);
    for (;;) {
        write(promptFor(choices, defaultAnswer));
        char line[256];
        if (!m_in || !std::fgets(line, sizeof line, m_in)) {
            write(QStringLiteral("\n"));
            return defaultAnswer;
        }
        // A piped answer is not echoed, so end the prompt's line for what follows.
        if (!isatty(fileno(m_in)))
            write(QStringLiteral("\n"));
        const QString word = QString::fromLocal8Bit(line).trimmed().toLower();
        if (word.isEmpty())
            return defaultAnswer;
        for (const Choice &c : choices) {
            if (c.words.contains(word))
                return c.answer;
        }
    }
}

void ConsoleDialogs::write(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
    std::fflush(m_out);
}
