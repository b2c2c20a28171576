#pragma once

#include "EvalState.h"
#include "LocaleRules.h"
#include "Value.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <functional>

class Dialogs;
class EvalListener;
class OrvantaError;

// The formula language: Eval reads an expression left to right, Token reads one operand
// and dispatches built-in function calls. One instance holds the evaluation state of
// the process; the run and the preview share it.
class Evaluator
{
public:
    Evaluator(const QLocale &locale, Dialogs &dialogs);
    // The locale rules keep a pointer back for the date of today.
    Evaluator(const Evaluator &) = delete;
    Evaluator &operator=(const Evaluator &) = delete;

    // A top-level evaluation: lowers the modes first, then Eval.
    Value evaluate(QStringView expression);

    Value Eval(QStringView expression);
    // Reads one operand at position (counting from 1) and moves position past it.
    Value Token(QStringView expression, int &position);

    EvalState &state() { return m_state; }
    const EvalState &state() const { return m_state; }
    const LocaleRules &locale() const { return m_locale; }
    Dialogs &dialogs() { return m_dialogs; }

    // What If reads for an empty or missing branch: the target field's current text.
    void setTargetFieldReader(std::function<QString()> reader);
    QString targetFieldText() const;

    // Told of every group and function call; null (the default) costs nothing.
    void setListener(EvalListener *listener) { m_listener = listener; }

    // Now, Date, Time, Age and dates typed without a year read the clock through here,
    // so tests can fix it.
    void setClock(std::function<QDateTime()> clock);
    QDateTime currentDateTime() const;
    // The clock's date, read at most once per top-level evaluation.
    QDate today() const;

    // For function bodies: Eval of an argument, written as text (numbers and dates in the
    // locale's form, true as "True").
    QString evalToText(QStringView argument);
    // A function rejecting its arguments: sets ErrText and ErrorFlag and gives the empty
    // result the function returns.
    Value fail(const QString &message);

    // Longest expression Eval takes: its position is a 16-bit count.
    static constexpr qsizetype MaxExpressionLength = 32767;
    // Nested Eval calls allowed before "Out of stack space"; deep enough for any real
    // formula, shallow enough for a 1 MB stack.
    static constexpr int MaxDepth = 150;

private:
    struct Frame;
    enum class StepOutcome : quint8;

    StepOutcome operandStep(QStringView expression, int &position, Frame &frame);
    StepOutcome closeOpenTerm(Frame &frame);
    Value finalResult(Frame &frame);
    void raiseTruthFlag();
    Value readGroup(QStringView expression, qsizetype nameStart, qsizetype open, int &position);
    Value readQuoted(QStringView expression, qsizetype quote, int &position);
    Value callFunction(QStringView name, QStringView argumentText);
    Value convertText(QStringView text);
    Value convertText(QString &&text);
    Value convertValue(Value v);
    bool convertsToNumberOrDate(QStringView text, Value &out) const;
    void reportTokenFailure(const OrvantaError &error, int step);
    void reportStep(QStringView name, QStringView inner, const Value &value, bool errorBefore,
        const QString &failure = {});

    LocaleRules m_locale;
    Dialogs &m_dialogs;
    EvalState m_state;
    std::function<QString()> m_targetFieldReader;
    std::function<QDateTime()> m_clock;
    mutable QDate m_today;
    mutable bool m_todayRead = false;
    int m_depth = 0;
    EvalListener *m_listener = nullptr;
    int m_raisedDepth = 0; // depth of the last step that raised ErrorFlag, else 0
};
