#include "CalculationRun.h"

#include "AppPath.h"
#include "ArgumentFile.h"
#include "ErrorReport.h"
#include "Evaluator.h"
#include "ExitStatus.h"
#include "FileExists.h"
#include "HostApplication.h"
#include "HostNumbers.h"
#include "HostView.h"
#include "LocaleInfo.h"
#include "OrvantaError.h"
#include "RunDialogs.h"
#include "RunProgress.h"
#include "RunState.h"
#include "RunWindows.h"
#include "Settings.h"
#include "StatementText.h"

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr qsizetype MaxTextLength = 32767; // positions are 16-bit

const QString StatementSeparator = QStringLiteral("\\/");
const QString FileMarker = QStringLiteral("File:");

void dropLeadingSlash(QString &text)
{
    if (text.startsWith(QLatin1Char('/')))
        text.remove(0, 1);
}

} // namespace

CalculationRun::CalculationRun(RunState &state, Evaluator &evaluator, RunDialogs &dialogs,
    Settings &settings, RunWindows &windows, RunProgress &progress)
    : m_state(state)
    , m_evaluator(evaluator)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_windows(windows)
    , m_progress(progress)
{
    m_evaluator.setTargetFieldReader([this] { return view().getField(m_state.targetFieldId); });
    m_dialogs.setBeforeShowing([this] { commitBeforeMessage(); });
}

CalculationRun::~CalculationRun()
{
    m_evaluator.setTargetFieldReader(nullptr);
    m_dialogs.setBeforeShowing(nullptr);
}

void CalculationRun::Start_Calc()
{
    int step = 1;
    std::optional<OrvantaError> failure;
    try {
        if (readCalculation(step)) {
            step = 9;
            if (!m_state.lookupFlag) {
                runOnCurrentRecord();
            } else {
                step = 10;
                runOnLookup();
            }
        }
        throwDeferredFailure();
    } catch (const OrvantaError &error) {
        failure = error;
    }
    // Also after a failure: what the records before it wrote stays written.
    commitWrites();
    if (failure)
        reportFailure(*failure, step);
}

// The last step of every run: a write the host cannot keep is reported like any other.
void CalculationRun::commitWrites()
{
    if (!m_state.hostApplication)
        return;
    try {
        m_state.hostApplication->Commit();
    } catch (const OrvantaError &error) {
        reportFailure(error, 11);
    }
}

// The host holds its write lock from a record's first read to the end of its batch; a
// message stays on screen as long as the user likes, so what was written goes in first.
// A failure here surfaces once the statement that showed the message is done.
void CalculationRun::commitBeforeMessage()
{
    if (!m_state.hostApplication || m_deferredFailure)
        return;
    try {
        m_state.hostApplication->Commit();
    } catch (const OrvantaError &error) {
        m_deferredFailure = error;
    }
}

void CalculationRun::throwDeferredFailure()
{
    if (!m_deferredFailure)
        return;
    const OrvantaError failure = *m_deferredFailure;
    m_deferredFailure.reset();
    throw failure;
}

void CalculationRun::reportFailure(const OrvantaError &error, int step)
{
    worsen(m_state.exitStatus, exitStatusFor(error));
    const QString text = error.number() == OrvantaError::ObjectNotSet
        ? lostHostText()
        : ErrorReport(QStringLiteral("Prog"), ErrorReport::Kind::Sub, QStringLiteral("Start_Calc"))
              .text(error, step);
    m_dialogs.shown().message(text, ErrorReport::caption(), Dialogs::Buttons::Ok,
        Dialogs::Icon::None, Dialogs::Answer::Ok);
}

// Takes the calculation from the command line, an argument file or the main window, checks
// it and cuts it into statements. False when the run stops here.
bool CalculationRun::readCalculation(int &step)
{
    QString &text = m_state.calculationText;
    text = m_state.commandLine.trimmed();
    if (text.isEmpty()) {
        step = 2;
        // What the start-up read must not hold the host's log open while the window is up.
        commitBeforeMessage();
        if (!m_windows.showMainWindow(m_state)) {
            worsen(m_state.exitStatus, ExitStatus::NotWritten);
            return false;
        }
        text = m_state.calculationText;
    }
    step = 3;
    if (m_state.allContactsRequested) {
        m_state.hostApplication->Command(HostCommand::LookupAllContacts);
        m_state.lookupMadeAllContacts = true;
    }
    m_state.hostApplication->Command(HostCommand::BeforeRun);
    step = 4;
    dropLeadingSlash(text);
    if (text.startsWith(FileMarker)) {
        step = 5;
        if (!loadArgumentFile(text))
            return false;
    }
    step = 6;
    if (!parenthesesBalance())
        return false;
    step = 7;
    text.replace(QLatin1Char('_'), QLatin1Char(' '));
    step = 8;
    m_state.statements = text.isEmpty() ? QStringList() : text.split(StatementSeparator);
    return true;
}

bool CalculationRun::loadArgumentFile(const QString &reference)
{
    QString path = reference;
    path.remove(FileMarker);
    path.replace(QStringLiteral("AppPath"), AppPath());
    path.replace(QLatin1Char('?'), QLatin1Char(' '));
    // Trigger lines written on Windows separate folders with backslashes.
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    m_state.argumentFilePath = path;
    m_state.calculationText.clear();
    if (!FileExists(path)) {
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
        m_dialogs.inform(QStringLiteral("Unable to locate the specified argument file"));
        return false;
    }
    m_state.calculationText = ArgumentFile::read(path);
    dropLeadingSlash(m_state.calculationText);
    return true;
}

bool CalculationRun::parenthesesBalance()
{
    const qsizetype opening = m_state.calculationText.count(QLatin1Char('('));
    const qsizetype closing = m_state.calculationText.count(QLatin1Char(')'));
    if (opening == closing)
        return true;
    worsen(m_state.exitStatus, ExitStatus::NotWritten);
    m_dialogs.inform(QStringLiteral("Your calculation is invalid. There are ")
        + QString::number(opening) + QStringLiteral(" ( but ") + QString::number(closing)
        + QStringLiteral(" )"));
    return false;
}

void CalculationRun::runOnCurrentRecord()
{
    const qint64 messagesBefore = m_dialogs.messageCount();
    Run_Statements(m_state.statements);
    if (m_dialogs.messageCount() != messagesBefore)
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
}

void CalculationRun::runOnLookup()
{
    const Dialogs::Answer answer = m_dialogs.message(confirmLookupText(), Dialogs::programTitle(),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Critical, Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes) {
        worsen(m_state.exitStatus, ExitStatus::NotWritten);
        return;
    }
    HostView &calculationView = view();
    const qint32 count = calculationView.GetCount();
    calculationView.MoveFirst();
    m_progress.begin(count);
    const std::unique_ptr<RunProgress, void (*)(RunProgress *)> progressEnd(
        &m_progress, [](RunProgress *progress) { progress->end(); });
    qint32 counter = 1;
    qint32 recordsWithErrors = 0;
    qint32 stoppedAt = 0;
    // The test comes after the body: the first record is processed even when the count is 0.
    do {
        if (!runRecordOfMany(counter, count, recordsWithErrors)) {
            stoppedAt = counter;
            break;
        }
        calculationView.MoveNext();
        m_progress.advance(counter);
        ++counter;
    } while (counter <= count && counter > 0);
    m_state.calculationView.reset();
    m_dialogs.setQuiet(false);
    if (recordsWithErrors > 0)
        m_state.hostApplication->Commit();
    reportRecordsWithErrors(recordsWithErrors, count, stoppedAt);
}

// One record of a walk; false when the user chose to stop after its errors. Over more
// than one record the first error is shown and then asked about once, instead of
// showing the same message for every record.
bool CalculationRun::runRecordOfMany(qint32 record, qint32 count, qint32 &recordsWithErrors)
{
    const bool askAfterError = count > 1 && recordsWithErrors == 0;
    if (askAfterError)
        m_dialogs.quietAfterNextMessage();
    const qint64 messagesBefore = m_dialogs.messageCount();
    Run_Statements(m_state.statements);
    if (m_dialogs.messageCount() == messagesBefore)
        return true;
    ++recordsWithErrors;
    worsen(m_state.exitStatus, ExitStatus::NotWritten);
    if (!askAfterError)
        return true;
    // Nobody waits for the database while the user thinks.
    m_state.hostApplication->Commit();
    const Dialogs::Answer answer
        = m_dialogs.shown().message(continueAfterErrorsText(record, count), Dialogs::programTitle(),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No);
    return answer == Dialogs::Answer::Yes;
}

void CalculationRun::reportRecordsWithErrors(
    qint32 recordsWithErrors, qint32 count, qint32 stoppedAt)
{
    if (recordsWithErrors == 0 || count <= 1)
        return;
    QString text = stoppedAt > 0
        ? QStringLiteral("The run was stopped after record %1 of %2. ").arg(stoppedAt).arg(count)
        : QString();
    text
        += QStringLiteral("Errors occurred in %1 of %2 records.").arg(recordsWithErrors).arg(count);
    m_dialogs.shown().inform(text);
}

void CalculationRun::Run_Statements(QStringList &statements)
{
    for (qsizetype i = 0; i < statements.size(); ++i) {
        if (i > std::numeric_limits<qint16>::max())
            throw OrvantaError(OrvantaError::Overflow);
        m_state.statementIndex = qint16(i);
        const bool goOn = runStatement(statements.at(i));
        throwDeferredFailure();
        if (!goOn)
            return;
    }
}

// One statement against the current record; false when the rest of the list must stop.
bool CalculationRun::runStatement(const QString &statement)
{
    QString &current = m_state.calculationText;
    current = statement;
    m_state.noConversion = current.contains(QLatin1Char('~'));
    current.remove(QLatin1Char('~'));

    const qsizetype equals = current.indexOf(QLatin1Char('='));
    if (equals <= 0) {
        m_dialogs.inform(
            QStringLiteral("Invalid Expression : missing =\rin expression : ") + current);
        return false;
    }
    const qsizetype doubleEquals = current.indexOf(QStringLiteral("=="));
    const bool targetIsExpression = doubleEquals >= 0;
    const qsizetype split = targetIsExpression ? doubleEquals : equals;
    const QString targetPart = current.left(split);
    const QString expression = current.mid(split + (targetIsExpression ? 2 : 1));

    if (!findTarget(targetPart, targetIsExpression))
        return false;

    const QString substituted = Replace_Fields(expression);
    if (m_state.invalidFieldFlag) {
        m_state.invalidFieldFlag = false;
        return false;
    }
    const QString result = Evaluate_Result(substituted);
    EvalState &evalState = m_evaluator.state();
    if (evalState.ErrorFlag) {
        m_dialogs.message(QStringLiteral("No data was written to the target field.\r\rCause: ")
                + evalState.ErrText,
            QStringLiteral("Operation aborted"), Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation,
            Dialogs::Answer::Ok);
        evalState.clearError();
        return true;
    }
    WriteTargetField(result);
    return true;
}

// Sets the target field ID from the part before the sign; false after a message.
bool CalculationRun::findTarget(const QString &targetPart, bool targetIsExpression)
{
    const QString &current = m_state.calculationText;
    const QString notNumeric
        = QStringLiteral("The Target Field ID is not numeric!\rin expression : ") + current;
    QString target = strip_crochets(targetPart);
    if (!isNumeric(target)) {
        if (!targetIsExpression) {
            m_dialogs.inform(notNumeric
                + QStringLiteral("\rIf you are using a function to calculate the "
                                 "target field,\rmake sure you use == instead of = "
                                 "between the target field and the calculation."));
            return false;
        }
        const QString substituted = Replace_Fields(target);
        target = m_evaluator.locale().toText(m_evaluator.evaluate(substituted));
        if (!isNumeric(target)) {
            m_dialogs.inform(notNumeric);
            return false;
        }
    }
    double id = 0;
    m_evaluator.locale().toNumber(target, id);
    id = std::nearbyint(id); // halves to the even neighbour
    if (!(id >= std::numeric_limits<qint32>::min() && id <= std::numeric_limits<qint32>::max()))
        throw OrvantaError(OrvantaError::Overflow);
    m_state.targetFieldId = qint32(id);
    return true;
}

QString CalculationRun::Replace_Fields(const QString &expression)
{
    if (expression.size() > MaxTextLength)
        throw OrvantaError(OrvantaError::Overflow);
    const QString decimal = GetUserLocaleInfo(m_evaluator.locale().locale(), LOCALE_SDECIMAL);
    QString output;
    output.reserve(expression.size() + 16);
    bool inReference = false;
    for (const QChar c : expression) {
        if (c == QLatin1Char('[')) {
            inReference = true;
        } else if (c == QLatin1Char(']')) {
            inReference = false;
            if (!isNumeric(m_state.fieldNameBuffer)) {
                m_dialogs.inform(QStringLiteral("Invalid Field: ") + m_state.fieldNameBuffer
                    + QStringLiteral("\rin expression : ") + m_state.calculationText);
                m_state.invalidFieldFlag = true;
                return output;
            }
            QString value
                = QLatin1Char('"') + view().getField(m_state.fieldNameBuffer) + QLatin1Char('"');
            if (decimal != QLatin1String("."))
                value.replace(QLatin1Char('.'), decimal);
            output += value;
            m_state.fieldNameBuffer.clear();
        } else if (inReference) {
            m_state.fieldNameBuffer += c;
        } else {
            output += c;
        }
    }
    return output;
}

QString CalculationRun::Evaluate_Result(const QString &expression)
{
    const QString result = m_evaluator.locale().toText(m_evaluator.evaluate(expression));
    const EvalState &evalState = m_evaluator.state();
    if (evalState.ErrorFlag || !evalState.TruthFlag || m_state.noConversion)
        return result;
    if (result == QLatin1String("-1"))
        return m_settings.value(QLatin1String(Settings::TrueWord));
    if (result == QLatin1String("0"))
        return m_settings.value(QLatin1String(Settings::FalseWord));
    return result;
}

void CalculationRun::WriteTargetField(const QString &value)
{
    int step = 1;
    try {
        HostView &calculationView = view();
        calculationView.SetField(m_state.targetFieldId, value);
        // ACT! shows a group's field 25 from what it read when it reached the group, so
        // after that field is written the view leaves the group and comes back to it.
        if (m_state.targetFieldId == 25 && m_state.activeViewType == HostViewType::Groups) {
            step = 2;
            m_state.hostApplication->Command(HostCommand::BeforeRun);
            const QString key = calculationView.getField(HostField::Key);
            calculationView.MoveNext();
            calculationView.GoTo(key);
        }
    } catch (const OrvantaError &error) {
        ErrorReport(
            QStringLiteral("Prog"), ErrorReport::Kind::Sub, QStringLiteral("WriteTargetField"))
            .show(m_dialogs, error, step);
    }
}

HostView &CalculationRun::view()
{
    if (!m_state.calculationView)
        throw OrvantaError(OrvantaError::ObjectNotSet);
    return *m_state.calculationView;
}

bool CalculationRun::isNumeric(const QString &text) const
{
    return m_evaluator.locale().isNumeric(text);
}

QString CalculationRun::lostHostText()
{
    return QStringLiteral(
        "Orvanta is unable to run.\r\rEither it cannot communicate with ACT! anymore and you "
        "will need to restart ACT \ror you opened the Define Field window which momentarily "
        "locked all communications.\rYour fields will not be updated.");
}

QString CalculationRun::confirmLookupText()
{
    return QStringLiteral(
        "You have chosen to modify the current lookup or all the contacts in your database. "
        "This process may not be interrupted. \rPlease make sure you have a backup of your "
        "database before proceeding. \rDo you want to continue?");
}

QString CalculationRun::continueAfterErrorsText(qint32 record, qint32 count)
{
    return QStringLiteral("Errors occurred while calculating record %1 of %2. Continue with the "
                          "remaining records without showing further messages?")
        .arg(record)
        .arg(count);
}
