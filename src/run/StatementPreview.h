#pragma once

#include "CalculationRun.h"
#include "ConsoleProgress.h"
#include "ConsoleRunWindows.h"
#include "EvalListener.h"
#include "RunDialogs.h"

#include <QList>
#include <QString>

class Dialogs;
class Evaluator;
class Settings;
struct RunState;

// One statement tried against the host's current record without writing anything: the
// statement cut at its sign, the expression with the record's values put in, and on
// request the result a run would write with the steps that led to it. The preview
// window and `orvanta --explain` both stand on it.
class StatementPreview
{
public:
    // Preview: "~" stays in the text and truth texts always apply, command 104 is sent
    // before a test. Explain: the statement is read as a run reads it ("~" removed and
    // honoured) and nothing at all is sent to the host.
    enum class Mode { Preview, Explain };

    struct Test
    {
        enum class Outcome { Value, Error, InvalidField };
        Outcome outcome = Outcome::Value;
        QString text; // the result, the error text or the invalid-field text
        QList<EvalStep> steps; // innermost first
    };

    StatementPreview(RunState &state, Evaluator &evaluator, Dialogs &dialogs, Settings &settings,
        Mode mode = Mode::Preview);

    // Takes the statement; call refresh() to substitute.
    void load(const QString &statement);
    // Substitutes the expression from the current record again.
    void refresh();
    // Makes the record now current in the host the one that refresh() reads.
    void followHost();
    Test test();

    const QString &statement() const { return m_statement; }
    qint32 signPosition() const { return m_signPosition; }
    const QString &targetText() const { return m_targetText; }
    const QString &substituted() const { return m_substituted; }
    // What the statement box shows: the target text and the substituted expression.
    QString shownText() const { return m_targetText + m_substituted; }

    // Position of the last character of the sign, from 1; 0 without a sign.
    static qint32 signPositionOf(const QString &statement);

    static QString invalidFieldText() { return QStringLiteral("Invalid Field in Calculation"); }

private:
    void releaseHost();

    RunState &m_state;
    Evaluator &m_evaluator;
    Mode m_mode;
    RunDialogs m_dialogs;
    ConsoleRunWindows m_windows;
    ConsoleProgress m_progress;
    CalculationRun m_run;
    QString m_statement;
    qint32 m_signPosition = 0;
    QString m_targetText;
    QString m_substituted;
};
