#pragma once

#include "RecordingDialogs.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

class Evaluator;
class Settings;
struct HostConnection;
struct RunState;

// `orvanta --explain`: for each statement of a calculation and the host's current record,
// the substituted expression, every group and function call the evaluator read and the
// value a run would write. Nothing is written to the host, not even a command.
class CalculationExplainer
{
public:
    // The evaluator's messages must go to dialogs too: they are printed with the steps.
    CalculationExplainer(
        RunState &state, Evaluator &evaluator, RecordingDialogs &dialogs, Settings &settings);

    // Attaches to the host and explains the calculation; the process's exit status.
    int run(const HostConnection &host, const QString &calculation, QTextStream &out);
    // Explains against the view already in the state.
    void explain(const QStringList &statements, QTextStream &out);

    // The statements of a calculation as typed or of a "File:" reference, as a run cuts
    // them; throws OrvantaError with a message when the file is missing.
    static QStringList statementsOf(const QString &calculation);

private:
    // False when the rest of the list is not read, as a run would stop there.
    bool explainStatement(int number, const QString &statement, QTextStream &out);
    void printMessages(QTextStream &out);

    RunState &m_state;
    Evaluator &m_evaluator;
    Settings &m_settings;
    RecordingDialogs &m_dialogs;
};
