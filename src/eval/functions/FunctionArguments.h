#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <limits>

class Evaluator;

// A list function rejecting its call: the evaluator turns it into ErrText and ErrorFlag,
// as Evaluator::fail does, and the call gives Empty.
struct FunctionRejection
{
    QString message;
};

// The argument list of one call, cut at unescaped semicolons, with the checks the list
// functions share written once (in the manner of Lua's luaL_check*): a check that fails
// throws FunctionRejection with the platform's message for that argument.
class FunctionArguments
{
public:
    static constexpr qsizetype AnyNumber = std::numeric_limits<qsizetype>::max();

    FunctionArguments(Evaluator &ev, QStringView argumentText, QLatin1StringView function);

    qsizetype size() const { return m_texts.size(); }
    const QString &operator[](qsizetype index) const { return m_texts[index]; }
    const QStringList &texts() const { return m_texts; }

    // "Invalid number of arguments in the <function> Function." outside least to most.
    void requireCount(qsizetype least, qsizetype most = AnyNumber) const;
    // Replaces every argument by the text of its Eval.
    void evaluateAll();
    // Argument index (from 0) read as a number, or "The 2nd argument of the <function>
    // function is not numeric!".
    double number(qsizetype index) const;
    // Argument index read as a date, or "... is not a date!".
    double date(qsizetype index) const;
    // Rejects the call for argument index: "The 3rd argument of the <function> function "
    // followed by what is wrong.
    [[noreturn]] void reject(qsizetype index, QLatin1StringView problem) const;
    [[noreturn]] static void reject(const QString &message);

    // A number as the platform hands it to a 32-bit parameter: rounded half to even;
    // Overflow outside the range.
    static qint32 wholeNumber(double d);

private:
    Evaluator &m_ev;
    QLatin1StringView m_function;
    QStringList m_texts;
};
