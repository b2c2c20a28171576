#pragma once

#include "Evaluator.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

// Table-driven cases of built-in functions, run once per locale name given as the test
// parameter. In expressions and expected texts "{d}" stands for the locale's decimal
// separator, so one table serves a decimal point and a decimal comma.
class FunctionCaseFixture : public testing::TestWithParam<const char *>
{
protected:
    struct Case
    {
        const char *expression;
        const char *expected; // the result as text; for a rejection, ErrText
    };

    RecordingDialogs dialogs;
    Evaluator ev {QLocale(QString::fromLatin1(GetParam())), dialogs};

    QString localized(const char *text) const
    {
        return QString::fromUtf8(text).replace(
            QStringLiteral("{d}"), QString(ev.locale().decimalSeparator()));
    }

    QString resultOf(const char *expression)
    {
        ev.state().clearError();
        return ev.locale().toText(ev.evaluate(localized(expression)));
    }

    void expectResults(std::initializer_list<Case> cases)
    {
        for (const Case &c : cases) {
            EXPECT_EQ(resultOf(c.expression), localized(c.expected)) << c.expression;
            EXPECT_FALSE(ev.state().ErrorFlag)
                << c.expression << ": " << ev.state().ErrText.toStdString();
            EXPECT_TRUE(dialogs.shown().isEmpty()) << c.expression;
            dialogs.clear();
        }
    }

    void expectRejections(std::initializer_list<Case> cases)
    {
        for (const Case &c : cases) {
            resultOf(c.expression);
            EXPECT_TRUE(ev.state().ErrorFlag) << c.expression;
            EXPECT_EQ(ev.state().ErrText, localized(c.expected)) << c.expression;
            EXPECT_TRUE(dialogs.shown().isEmpty()) << c.expression;
            dialogs.clear();
        }
    }

    // Failures inside a function end in the evaluator's "Syntax error" box.
    void expectSyntaxErrorBoxes(std::initializer_list<std::pair<const char *, int>> cases)
    {
        for (const auto &[expression, number] : cases) {
            resultOf(expression);
            ASSERT_EQ(dialogs.shown().size(), 1) << expression;
            EXPECT_EQ(dialogs.shown().first().caption, QStringLiteral("Syntax error"))
                << expression;
            const QString start = QStringLiteral("Error %1: '%2'")
                                      .arg(number)
                                      .arg(OrvantaError::standardDescription(number));
            EXPECT_TRUE(dialogs.shown().first().text.startsWith(start))
                << expression << ": " << dialogs.shown().first().text.toStdString();
            dialogs.clear();
        }
    }
};
