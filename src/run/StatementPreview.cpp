#include "StatementPreview.h"

#include "CleanLine.h"
#include "EvalTrace.h"
#include "Evaluator.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostViews.h"
#include "RunState.h"

StatementPreview::StatementPreview(
    RunState &state, Evaluator &evaluator, Dialogs &dialogs, Settings &settings, Mode mode)
    : m_state(state)
    , m_evaluator(evaluator)
    , m_mode(mode)
    , m_dialogs(dialogs)
    , m_windows(dialogs)
    , m_run(state, evaluator, m_dialogs, settings, m_windows, m_progress)
{
    m_dialogs.setBeforeShowing([this] { releaseHost(); });
}

qint32 StatementPreview::signPositionOf(const QString &statement)
{
    const qsizetype doubleSign = statement.indexOf(QStringLiteral("=="));
    if (doubleSign >= 0)
        return qint32(doubleSign + 2);
    return qint32(statement.indexOf(QLatin1Char('=')) + 1);
}

void StatementPreview::load(const QString &statement)
{
    m_statement = statement;
    if (m_mode == Mode::Explain) {
        m_state.noConversion = m_statement.contains(QLatin1Char('~'));
        m_statement.remove(QLatin1Char('~'));
    }
    m_signPosition = signPositionOf(m_statement);
    m_targetText = m_statement.left(m_signPosition);
    m_substituted.clear();
}

void StatementPreview::refresh()
{
    m_substituted = m_run.Replace_Fields(m_statement.mid(m_signPosition));
    m_substituted.replace(QLatin1Char('_'), QLatin1Char(' '));
    releaseHost();
}

// A host may keep other writers out from the first field read until a commit; the
// preview then waits for the user, and the changes it follows come from other programs.
void StatementPreview::releaseHost()
{
    if (m_state.hostApplication)
        m_state.hostApplication->Commit();
}

void StatementPreview::followHost()
{
    if (m_state.viewCollection)
        m_state.calculationView
            = m_state.viewCollection->Create(m_state.activeViewType, QStringLiteral("CV"));
}

StatementPreview::Test StatementPreview::test()
{
    if (m_mode == Mode::Preview) {
        m_state.hostApplication->Command(HostCommand::BeforeRun);
        m_state.noConversion = false;
    }
    Test test;
    if (m_state.invalidFieldFlag) {
        m_state.invalidFieldFlag = false;
        test.outcome = Test::Outcome::InvalidField;
        test.text = invalidFieldText();
        return test;
    }
    EvalTrace trace(m_evaluator);
    test.text = m_run.Evaluate_Result(Clean_Line(m_substituted));
    test.steps = trace.steps();
    EvalState &evalState = m_evaluator.state();
    if (evalState.ErrorFlag) {
        test.outcome = Test::Outcome::Error;
        test.text = evalState.ErrText;
        evalState.clearError();
    }
    return test;
}
