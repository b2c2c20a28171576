#include "LaunchCli.h"

#include "CommandLineWords.h"
#include "FieldTriggerStore.h"
#include "HostStore.h"
#include "LaunchCommandStore.h"
#include "OrvantaError.h"

#include <QFileInfo>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall, message);
}

QString viewName(qint16 view)
{
    static const QStringList names {QStringLiteral("Contacts"), QStringLiteral("Contact List"),
        QStringLiteral("Groups"), QStringLiteral("Task List"), QStringLiteral("Calendars"),
        QStringLiteral("E-mail")};
    return view >= 1 && view <= names.size() ? names.at(view - 1) : QString::number(view);
}

QString viewList(const QList<qint16> &views)
{
    QStringList named;
    for (qint16 view : views)
        named.append(QStringLiteral("%1 %2").arg(view).arg(viewName(view)));
    return named.isEmpty() ? QStringLiteral("-") : named.join(QStringLiteral(", "));
}

QString fieldWhat(RecordKind kind, qint32 field)
{
    return QStringLiteral("the trigger of %1 field %2")
        .arg(kind == RecordKind::Contact ? QStringLiteral("contact") : QStringLiteral("group"))
        .arg(field);
}

} // namespace

LaunchCli::LaunchCli(QTextStream &out)
    : m_out(out)
{
}

void LaunchCli::aux(HostStore &store)
{
    LaunchCommandStore commands(store.connection());
    for (const LaunchCommand &command : commands.commands()) {
        m_out << command.name << '\n'
              << "  executable: " << command.executable << '\n'
              << "  folder:     " << command.folder << '\n'
              << "  tooltip:    " << command.tooltip << '\n'
              << "  icons:      " << command.icon << ", " << command.largeIcon << '\n'
              << "  toolbar:    " << viewList(commands.views(command.name, LaunchPlace::Toolbar))
              << '\n'
              << "  tools menu: " << viewList(commands.views(command.name, LaunchPlace::ToolsMenu))
              << '\n';
    }
}

ProgramStart LaunchCli::launch(HostStore &store, const QString &name)
{
    const std::optional<LaunchCommand> command
        = LaunchCommandStore(store.connection()).command(name);
    if (!command)
        refuse(QStringLiteral("no launch command is named '%1' (see aux)").arg(name));
    return {QStringLiteral("the launch command %1").arg(name), command->executable, {},
        command->folder, 0};
}

void LaunchCli::trigger(
    HostStore &store, RecordKind kind, qint32 field, const std::optional<QString> &commandLine)
{
    FieldTriggerStore triggers(store.connection());
    if (!commandLine) {
        if (const std::optional<QString> current = triggers.trigger(kind, field))
            m_out << *current << '\n';
        return;
    }
    if (commandLine->isEmpty()) {
        triggers.clearTrigger(kind, field);
        return;
    }
    programWords(*commandLine);
    triggers.setTrigger(kind, field, *commandLine);
}

std::optional<ProgramStart> LaunchCli::firedTrigger(HostStore &store, RecordKind kind, qint32 field)
{
    const std::optional<QString> commandLine
        = FieldTriggerStore(store.connection()).trigger(kind, field);
    if (!commandLine)
        return std::nullopt;
    const QString what = fieldWhat(kind, field);
    QStringList words;
    try {
        words = programWords(*commandLine);
    } catch (const OrvantaError &error) {
        refuse(what + QStringLiteral(": ") + error.description());
    }
    const QString program = words.takeFirst();
    return ProgramStart {what, program, words, {}, triggerTimeoutSeconds()};
}

int LaunchCli::triggerTimeoutSeconds()
{
    bool isNumber = false;
    const int seconds = qEnvironmentVariable("ORVANTA_TRIGGER_TIMEOUT").toInt(&isNumber);
    return isNumber && seconds > 0 ? seconds : DefaultTriggerTimeoutSeconds;
}

QStringList LaunchCli::programWords(const QString &commandLine)
{
    QStringList words = CommandLineWords::split(commandLine);
    if (words.isEmpty())
        refuse(QStringLiteral("the command line names no program"));
    if (QFileInfo(words.first()).isFile())
        return words;
    QString path = words.first();
    for (qsizetype taken = 1; taken < words.size(); ++taken) {
        path += QLatin1Char(' ') + words.at(taken);
        if (QFileInfo(path).isFile()) {
            words.remove(0, taken + 1);
            words.prepend(path);
            return words;
        }
    }
    return words;
}
