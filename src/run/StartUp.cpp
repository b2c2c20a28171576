#include "StartUp.h"

#include "AppPath.h"
#include "CalculationRun.h"
#include "ErrorReport.h"
#include "ExitStatus.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "JournalRecorder.h"
#include "JournaledView.h"
#include "OrvantaError.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "RunWindows.h"
#include "Settings.h"

#include <QCoreApplication>
#include <QFile>

StartUp::StartUp(RunState &state, HostConnection host, Evaluator &evaluator, RunDialogs &dialogs,
    Settings &settings, RunWindows &windows, RunProgress &progress)
    : m_state(state)
    , m_host(std::move(host))
    , m_evaluator(evaluator)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_windows(windows)
    , m_progress(progress)
{
}

void StartUp::Main()
{
    if (!launchedFromHostWindow()) {
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
        return;
    }
    const std::unique_ptr<HostApplication> application = attach();
    if (!application)
        return;
    if (m_journal)
        application->watchCommits(m_journal);
    try {
        examineViewAndRun();
    } catch (const OrvantaError &error) {
        // After attachment the program ends silently, as the host expects of an add-on.
        worsen(m_state.exitStatus, exitStatusFor(error));
    }
}

// A window whose trimmed title is shorter than 6 characters is no host window: the
// program ends before it contacts the host. With no host at all, attachment reports it.
bool StartUp::launchedFromHostWindow()
{
    const std::optional<QString> title = m_host.foregroundWindowTitle();
    if (!title)
        return true;
    m_state.launchingWindowTitle = title->left(255).trimmed();
    return m_state.launchingWindowTitle.size() >= 6;
}

std::unique_ptr<HostApplication> StartUp::attach()
{
    int step = 3;
    try {
        std::unique_ptr<HostApplication> application = m_host.attach();
        step = 4;
        application->OpenFile(QString());
        step = 5;
        m_state.hostApplication = application.get();
        m_state.viewCollection = &application->Views();
        return application;
    } catch (const OrvantaError &error) {
        m_state.hostApplication = nullptr;
        worsen(m_state.exitStatus, exitStatusFor(error));
        m_state.hostNotFound = error.number() == OrvantaError::CantCreateObject;
        ErrorReport(QStringLiteral("Module1"), ErrorReport::Kind::Sub, QStringLiteral("Main"))
            .show(m_dialogs, error, step);
        return nullptr;
    }
}

void StartUp::examineViewAndRun()
{
    m_state.activeViewType = m_state.viewCollection->GetActive()->Type();
    if (m_state.activeViewType > HostViewType::LastCalculationView) {
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
        return;
    }
    if (m_state.activeViewType == HostViewType::ContactList) {
        bool isNumber = false;
        const double warning
            = m_settings.value(QLatin1String(Settings::Warning)).trimmed().toDouble(&isNumber);
        if (!isNumber)
            throw OrvantaError(OrvantaError::TypeMismatch);
        if (warning == 0)
            m_windows.showContactListWarning(m_settings);
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
        return;
    }
    m_state.calculationView
        = m_state.viewCollection->Create(m_state.activeViewType, QStringLiteral("CV"));
    if (m_journal && m_state.calculationView)
        journalRun();
    CalculationRun(m_state, m_evaluator, m_dialogs, m_settings, m_windows, m_progress).Start_Calc();
    m_state.calculationView.reset();
    deleteTemporaryCalculation();
}

void StartUp::journalTo(JournalRecorder *recorder)
{
    m_journal = recorder;
}

void StartUp::journalRun()
{
    const QString host = m_state.hostApplication->GetOpenDBName();
    const QDateTime started = QDateTime::currentDateTimeUtc();
    const auto setting = [this](const char *key) {
        bool isNumber = false;
        const int value = m_settings.value(QLatin1String(key)).trimmed().toInt(&isNumber);
        return isNumber && value >= 0 ? value : Settings::defaultValue(QLatin1String(key)).toInt();
    };
    m_journal->setRetention({setting(Settings::JournalRuns), setting(Settings::JournalDays)});
    // Asked at the first commit, when the calculation and its scope are known.
    m_journal->describe([&state = m_state, host, started] {
        JournalRun run;
        run.started = started;
        run.calculation = state.argumentFilePath.isEmpty()
            ? state.statements.join(QStringLiteral("\\/"))
            : QStringLiteral("File:") + state.argumentFilePath;
        run.scope = !state.lookupFlag     ? QStringLiteral("current contact")
            : state.lookupMadeAllContacts ? QStringLiteral("all contacts")
                                          : QStringLiteral("current lookup");
        run.host = host;
        run.viewType = state.activeViewType;
        run.process = QCoreApplication::applicationPid();
        return run;
    });
    m_state.calculationView = std::make_shared<JournaledView>(m_state.calculationView, *m_journal);
}

void StartUp::deleteTemporaryCalculation()
{
    QFile::remove(WritableAppPath() + QStringLiteral("/tempcalc.txt"));
}
