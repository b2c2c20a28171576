#pragma once

#include "EvalListener.h"
#include "Evaluator.h"
#include "HostEvents.h"
#include "Settings.h"
#include "StatementPreview.h"

#include <QDialog>

class Dialogs;
class QLabel;
class QPushButton;
class QTreeWidget;
class RtbSyntax;
struct RunState;

// "frmPreview": one statement with the current record's values put in, the result a run
// would write on request and the tree of the steps that gave it. Follows the host's
// current record through its events and never writes to it.
class FrmPreview : public QDialog, private HostEvents
{
    Q_OBJECT

public:
    FrmPreview(RunState &state, Dialogs &dialogs, QWidget *editor = nullptr);
    ~FrmPreview() override;

    // The statement to test, set before the window is shown.
    QString sTextToPreview;

    // Loads and shows the window modally; returns when the user closes it.
    void showModal();

    void Update_rtf();

    static QString pressRunText() { return QStringLiteral("Press the Run Test button"); }
    static QString hostGoneText()
    {
        return QStringLiteral("The contact database was closed or removed: the preview can no "
                              "longer follow it. Close this window.");
    }

private:
    void buildControls();
    void Form_Load();
    void placeOverEditor();
    void cmdRun_Click();
    void showResult(const StatementPreview::Test &test);
    void showSteps(const QList<EvalStep> &steps);
    void keepShownText();
    void report(const OrvantaError &error, const QString &procedure, int step);
    void refreshFromHost();

    void OnContactChange(const QString &record) override;
    void OnGroupChange(const QString &record) override;
    void OnContactPosChange(const QString &record) override;
    void OnGroupPosChange(const QString &record) override;
    void OnContactLookupChange() override;
    void OnHostGone() override;

    RunState &m_state;
    Dialogs &m_dialogs;
    QWidget *m_editor;
    Evaluator m_evaluator;
    Settings m_settings;
    StatementPreview m_preview;
    bool m_eventsAdvised = false;
    RtbSyntax *m_rtfSyntax = nullptr;
    QLabel *m_lblResult = nullptr;
    QLabel *m_lblResultCalc = nullptr;
    QPushButton *m_cmdRun = nullptr;
    QTreeWidget *m_tvwSteps = nullptr;
};
