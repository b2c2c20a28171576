#include "CalculationExplainer.h"

#include "AppPath.h"
#include "ArgumentFile.h"
#include "FileExists.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "OrvantaError.h"
#include "RunState.h"
#include "StartUp.h"
#include "StatementPreview.h"

namespace {

const QString FileMarker = QStringLiteral("File:");

QString indented(QString text, const QString &indent)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n') + indent);
    return indent + text;
}

} // namespace

CalculationExplainer::CalculationExplainer(
    RunState &state, Evaluator &evaluator, RecordingDialogs &dialogs, Settings &settings)
    : m_state(state)
    , m_evaluator(evaluator)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
}

int CalculationExplainer::run(
    const HostConnection &host, const QString &calculation, QTextStream &out)
{
    try {
        const QStringList statements = statementsOf(calculation);
        const std::unique_ptr<HostApplication> application = host.attach();
        m_state.hostApplication = application.get();
        m_state.viewCollection = &application->Views();
        m_state.activeViewType = m_state.viewCollection->GetActive()->Type();
        m_state.calculationView
            = m_state.viewCollection->Create(m_state.activeViewType, QStringLiteral("CV"));
        out << "Record: " << m_state.calculationView->getField(HostField::Key) << '\n';
        explain(statements, out);
        m_state.calculationView.reset();
        m_state.hostApplication = nullptr;
        m_state.viewCollection = nullptr;
        return 0;
    } catch (const OrvantaError &error) {
        out.flush();
        out << "orvanta: " << error.description() << '\n';
        return 1;
    }
}

QStringList CalculationExplainer::statementsOf(const QString &calculation)
{
    QString text = calculation.trimmed();
    if (text.startsWith(QLatin1Char('/')))
        text.remove(0, 1);
    if (text.startsWith(FileMarker)) {
        QString path = text.mid(FileMarker.size());
        path.replace(QStringLiteral("AppPath"), AppPath());
        path.replace(QLatin1Char('?'), QLatin1Char(' '));
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!FileExists(path))
            throw OrvantaError(OrvantaError::FileNotFound,
                QStringLiteral("Unable to locate the specified argument file"));
        text = ArgumentFile::read(path);
        if (text.startsWith(QLatin1Char('/')))
            text.remove(0, 1);
    }
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\\/"));
}

void CalculationExplainer::explain(const QStringList &statements, QTextStream &out)
{
    for (int i = 0; i < statements.size(); ++i) {
        if (!explainStatement(i + 1, statements.at(i), out))
            break;
    }
}

bool CalculationExplainer::explainStatement(int number, const QString &statement, QTextStream &out)
{
    out << "Statement " << number << ": " << statement << '\n';
    QString bare = statement;
    bare.remove(QLatin1Char('~'));
    if (bare.indexOf(QLatin1Char('=')) <= 0) {
        out << "  Invalid Expression : missing =\n  (a run stops here)\n";
        return false;
    }
    StatementPreview preview(
        m_state, m_evaluator, m_dialogs, m_settings, StatementPreview::Mode::Explain);
    preview.load(statement);
    m_state.calculationText = preview.statement();
    preview.refresh();
    out << "  Target: " << preview.targetText() << '\n';
    out << "  Expression: " << preview.substituted() << '\n';
    printMessages(out);
    const StatementPreview::Test test = preview.test();
    if (test.outcome == StatementPreview::Test::Outcome::InvalidField) {
        out << "  " << test.text << "\n  (a run stops here)\n";
        return false;
    }
    out << "  Steps:" << (test.steps.isEmpty() ? " none\n" : "\n");
    for (const EvalStep &step : test.steps) {
        out << QString(2 + 2 * step.depth, QLatin1Char(' ')) << step.text << " = " << step.value;
        if (step.failed)
            out << "  <- error: " << step.error;
        out << '\n';
    }
    printMessages(out);
    if (test.outcome == StatementPreview::Test::Outcome::Error)
        out << "  Not written: " << test.text << '\n';
    else
        out << "  Value: " << test.text << '\n';
    return true;
}

void CalculationExplainer::printMessages(QTextStream &out)
{
    for (const QString &text : m_dialogs.texts())
        out << indented(text, QStringLiteral("  ")) << '\n';
    m_dialogs.clear();
}
