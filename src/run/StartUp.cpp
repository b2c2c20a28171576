#include "StartUp.h"

#include "AppPath.h"
#include "CalculationRun.h"
#include "ErrorReport.h"
#include "ExitStatus.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "HostViews.h"
#include "OrvantaError.h"
#include "RunDialogs.h"
#include "RunState.h"
#include "RunWindows.h"
#include "Settings.h"

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
    CalculationRun(m_state, m_evaluator, m_dialogs, m_settings, m_windows, m_progress).Start_Calc();
    m_state.calculationView.reset();
    deleteTemporaryCalculation();
}

void StartUp::deleteTemporaryCalculation()
{
    QFile::remove(WritableAppPath() + QStringLiteral("/tempcalc.txt"));
}
