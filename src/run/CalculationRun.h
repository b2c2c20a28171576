#pragma once

#include "OrvantaError.h"

#include <QString>
#include <QStringList>
#include <optional>

class Evaluator;
class HostView;
class RunDialogs;
class RunProgress;
class RunWindows;
class Settings;
struct RunState;

// One calculation: where its text comes from, how it is cut into statements, on which
// records they run, and what each statement reads, evaluates and writes. Errors that
// reach Start_Calc are reported as module "Prog". The run's outcome lands in the run
// state's exit status: a record whose statements showed a message had an error.
class CalculationRun
{
public:
    CalculationRun(RunState &state, Evaluator &evaluator, RunDialogs &dialogs, Settings &settings,
        RunWindows &windows, RunProgress &progress);
    ~CalculationRun();
    CalculationRun(const CalculationRun &) = delete;
    CalculationRun &operator=(const CalculationRun &) = delete;

    void Start_Calc();
    void Run_Statements(QStringList &statements);
    QString Replace_Fields(const QString &expression);
    QString Evaluate_Result(const QString &expression);
    void WriteTargetField(const QString &value);

    static QString lostHostText();
    static QString confirmLookupText();
    static QString continueAfterErrorsText(qint32 record, qint32 count);

private:
    bool readCalculation(int &step);
    bool loadArgumentFile(const QString &reference);
    bool parenthesesBalance();
    void runOnCurrentRecord();
    void runOnLookup();
    bool runRecordOfMany(qint32 record, qint32 count, qint32 &recordsWithErrors);
    void reportRecordsWithErrors(qint32 recordsWithErrors, qint32 count, qint32 stoppedAt);
    void commitWrites();
    void commitBeforeMessage();
    void throwDeferredFailure();
    void reportFailure(const OrvantaError &error, int step);
    bool runStatement(const QString &statement);
    bool findTarget(const QString &targetPart, bool targetIsExpression);
    HostView &view();
    bool isNumeric(const QString &text) const;

    RunState &m_state;
    Evaluator &m_evaluator;
    RunDialogs &m_dialogs;
    Settings &m_settings;
    RunWindows &m_windows;
    RunProgress &m_progress;
    // A commit that failed while a message was shown.
    std::optional<OrvantaError> m_deferredFailure;
};
