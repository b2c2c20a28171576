#pragma once

#include "Evaluator.h"
#include "RecordingDialogs.h"

#include <QLocale>
#include <QString>
#include <gtest/gtest.h>
#include <string>

// An evaluator in one explicit locale with recorded dialogs, a fixed clock (Saturday
// 14 March 2026, 15:09:26) and a target field holding 42; the result written as
// "Kind text".
class EvalHarness
{
public:
    explicit EvalHarness(const char *localeName)
        : ev(QLocale(QString::fromLatin1(localeName)), dialogs)
    {
        ev.setClock([] { return QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26)); });
        ev.setTargetFieldReader([] { return QStringLiteral("42"); });
    }

    QString describe(const Value &v) const
    {
        static const char *const kinds[] = {"Empty", "Number", "Text", "Date", "Logical"};
        return QString::fromLatin1(kinds[int(v.kind())]) + u' ' + ev.locale().toText(v);
    }

    // A fresh top-level evaluation.
    QString evaluate(const QString &expression)
    {
        ev.state().clearError();
        dialogs.clear();
        return describe(ev.evaluate(expression));
    }

    static QString syntaxError(int number, const char *description, int line)
    {
        return QStringLiteral("Error %1: '%2'\rin Module2: Function Token - Line # %3")
            .arg(number)
            .arg(QString::fromLatin1(description))
            .arg(line);
    }

    RecordingDialogs dialogs;
    Evaluator ev;
};

// The rules of en_US, de_DE or fr_FR with the harness's day.
inline const LocaleRules &rulesFor(const char *name)
{
    static const auto frozen = [](const char *locale) {
        LocaleRules rules {QLocale(QString::fromLatin1(locale))};
        rules.setToday([] { return QDate(2026, 3, 14); });
        return rules;
    };
    static const LocaleRules en = frozen("en_US"), de = frozen("de_DE"), fr = frozen("fr_FR");
    const QByteArray n(name);
    return n == "de_DE" ? de : n == "fr_FR" ? fr : en;
}

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
