#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class Evaluator;
class HostView;
class RunProgress;
class RunWindows;
class Settings;
struct RunState;

// One calculation: where its text comes from, how it is cut into statements, on which
// records they run, and what each statement reads, evaluates and writes. Errors that
// reach Start_Calc are reported as module "Prog".
class CalculationRun
{
public:
    CalculationRun(RunState &state, Evaluator &evaluator, Dialogs &dialogs, Settings &settings,
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

private:
    bool readCalculation(int &step);
    bool loadArgumentFile(const QString &reference);
    bool parenthesesBalance();
    void runOnLookup();
    bool runStatement(const QString &statement);
    bool findTarget(const QString &targetPart, bool targetIsExpression);
    HostView &view();
    bool isNumeric(const QString &text) const;

    RunState &m_state;
    Evaluator &m_evaluator;
    Dialogs &m_dialogs;
    Settings &m_settings;
    RunWindows &m_windows;
    RunProgress &m_progress;
};
