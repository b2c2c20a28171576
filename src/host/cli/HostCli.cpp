#include "HostCli.h"

#include "CsvImport.h"
#include "CsvWriter.h"
#include "DemoData.h"
#include "HostLocation.h"
#include "HostNumbers.h"
#include "HostSchema.h"
#include "HostStateKeys.h"
#include "HostStore.h"
#include "LaunchCli.h"
#include "OrvantaError.h"
#include "OrvantaVersion.h"
#include "SqliteConnection.h"
#include "SqliteTransaction.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

const char *const HostCli::Usage = R"(usage: orvanta-host [--db PATH] COMMAND [ARGUMENTS]

The database is PATH, else $ORVANTA_HOST, else $XDG_DATA_HOME/orvanta/host.db.
--group makes a command work on groups instead of contacts.

  init [--demo] [--force]         create a database with the standard fields;
                                  --demo adds 50 contacts and 5 groups
  fields [--group]                one line per field: ID, label, type
  list [--group]                  the current lookup: key, then a few fields
  add [ID=VALUE ...] [--group]    add a record, make it current; prints its key
  get ID [--record KEY] [--group] print a field of the current record (or KEY)
  set ID VALUE [--record KEY] [--group]
  goto KEY [--group]              make the record with this key current
  current [--group]               print the current record's key
  lookup all|KEY...|ID=VALUE [--group]
                                  set the current lookup
  view TYPE                       set the active view type (1 contacts, 2 contact
                                  list, 3 groups)
  title TEXT                      set the foreground window's title
  log                             the command numbers received, with their time
  import FILE.csv [--group]       add or update records; header of field IDs or
                                  labels, each named once
  export [FILE.csv] [--group]     every record, header of field IDs
  trigger ID [COMMAND_LINE] [--group]
                                  show the field's trigger, set it, or clear it
                                  with an empty COMMAND_LINE. After a set of the
                                  field the record becomes current and the command
                                  line runs, cut into words as a shell would (no
                                  expansion; quotes inside a word and \ before
                                  other characters stay, as calculations need), with
                                  ORVANTA_HOST naming this database; it is stopped
                                  after 60 seconds (ORVANTA_TRIGGER_TIMEOUT). The
                                  value set stays whatever the trigger does.
  aux                             the launch commands: executable, tooltip, icons
                                  and the views whose toolbar or Tools menu holds them
  launch NAME                     start a launch command's program and wait for it
  --help                          this text
  --version                       the version
)";

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw OrvantaError(OrvantaError::InvalidProcedureCall, message);
}

QString kindSingular(RecordKind kind)
{
    return kind == RecordKind::Contact ? QStringLiteral("contact") : QStringLiteral("group");
}

// Fields shown by `list` after the key.
QList<qint32> listedFields(RecordKind kind)
{
    if (kind == RecordKind::Contact)
        return {2, 5, 3, 4};
    return {2, 3, 4};
}

} // namespace

HostCli::HostCli(QTextStream &out, QTextStream &err)
    : m_out(out)
    , m_err(err)
{
}

int HostCli::run(const QStringList &arguments)
{
    try {
        parse(arguments);
        if (m_help) {
            m_out << Usage;
            return 0;
        }
        if (m_version) {
            m_out << "orvanta-host " << OrvantaVersion << '\n';
            return 0;
        }
        execute();
        m_out.flush();
        return 0;
    } catch (const OrvantaError &error) {
        m_out.flush();
        m_err << "orvanta-host: " << error.description() << '\n';
        m_err.flush();
        return 2;
    }
}

void HostCli::parse(const QStringList &arguments)
{
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--db"))
            m_databasePath = takeOptionValue(arguments, i);
        else if (argument == QLatin1String("--record"))
            m_recordKey = takeOptionValue(arguments, i);
        else if (argument == QLatin1String("--group"))
            m_kind = RecordKind::Group;
        else if (argument == QLatin1String("--demo"))
            m_demo = true;
        else if (argument == QLatin1String("--force"))
            m_force = true;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            m_help = true;
        else if (argument == QLatin1String("--version"))
            m_version = true;
        else if (argument.startsWith(QLatin1String("--")))
            refuse(QStringLiteral("unknown option %1 (see --help)").arg(argument));
        else
            positional.append(argument);
    }
    if (m_help || m_version)
        return;
    if (positional.isEmpty())
        refuse(QStringLiteral("no command given (see --help)"));
    m_command = positional.takeFirst();
    m_arguments = positional;
    m_databasePath = hostDatabasePath(m_databasePath);
}

QString HostCli::takeOptionValue(const QStringList &arguments, qsizetype &i)
{
    if (i + 1 >= arguments.size())
        refuse(QStringLiteral("%1 needs a value").arg(arguments.at(i)));
    return arguments.at(++i);
}

void HostCli::execute()
{
    using Command = void (HostCli::*)(HostStore &);
    static const QHash<QString, Command> commands = {
        {QStringLiteral("fields"), &HostCli::fields},
        {QStringLiteral("list"), &HostCli::list},
        {QStringLiteral("add"), &HostCli::add},
        {QStringLiteral("get"), &HostCli::get},
        {QStringLiteral("set"), &HostCli::set},
        {QStringLiteral("goto"), &HostCli::goTo},
        {QStringLiteral("current"), &HostCli::current},
        {QStringLiteral("lookup"), &HostCli::lookup},
        {QStringLiteral("view"), &HostCli::view},
        {QStringLiteral("title"), &HostCli::title},
        {QStringLiteral("log"), &HostCli::log},
        {QStringLiteral("export"), &HostCli::exportCsv},
        {QStringLiteral("trigger"), &HostCli::trigger},
        {QStringLiteral("aux"), &HostCli::aux},
        {QStringLiteral("launch"), &HostCli::launch},
    };
    // Commands that only read leave other programs free to write meanwhile.
    static const QStringList readOnly = {QStringLiteral("fields"), QStringLiteral("list"),
        QStringLiteral("get"), QStringLiteral("current"), QStringLiteral("log"),
        QStringLiteral("export"), QStringLiteral("aux")};
    if (m_command == QLatin1String("init")) {
        requireArguments(0, 0);
        init();
        return;
    }
    if (m_command == QLatin1String("import")) {
        requireArguments(1, 1);
        importCsv();
        return;
    }
    const auto command = commands.constFind(m_command);
    if (command == commands.constEnd())
        refuse(QStringLiteral("unknown command '%1' (see --help)").arg(m_command));
    runInTransaction(*command,
        readOnly.contains(m_command) ? SqliteTransaction::Lock::None
                                     : SqliteTransaction::Lock::Write);
    if (m_afterCommit)
        m_afterCommit->run(m_databasePath);
}

void HostCli::init()
{
    if (QFileInfo::exists(m_databasePath)) {
        if (!m_force)
            refuse(QStringLiteral("%1 already exists (--force replaces it)").arg(m_databasePath));
        HostSchema::removeDatabaseFiles(m_databasePath);
    }
    const QString title = m_demo ? DemoData::WindowTitle
                                 : QStringLiteral("ACT! - ") + QFileInfo(m_databasePath).fileName();
    HostSchema::createNew(m_databasePath, title, [&](HostStore &store) {
        if (m_demo)
            DemoData::populate(store);
    });
}

std::unique_ptr<SqliteConnection> HostCli::openDatabase() const
{
    if (!QFileInfo(m_databasePath).isFile())
        refuse(QStringLiteral("no host database at %1 (create one with init)").arg(m_databasePath));
    return HostSchema::openExisting(m_databasePath);
}

void HostCli::runInTransaction(void (HostCli::*command)(HostStore &), SqliteTransaction::Lock lock)
{
    const auto connection = openDatabase();
    HostStore store(*connection);
    SqliteTransaction transaction(*connection, lock);
    (this->*command)(store);
    transaction.commit();
}

void HostCli::fields(HostStore &store)
{
    requireArguments(0, 0);
    for (const FieldDefinition &field : store.fields(m_kind))
        m_out << field.id << '\t' << field.label << '\t' << HostSchema::typeName(field.type)
              << '\n';
}

void HostCli::list(HostStore &store)
{
    requireArguments(0, 0);
    store.forEachInLookup(m_kind, [&](qint64 record, const QString &key) {
        m_out << key;
        for (qint32 field : listedFields(m_kind))
            m_out << '\t' << store.value(record, field);
        m_out << '\n';
    });
}

void HostCli::add(HostStore &store)
{
    QList<QPair<qint32, QString>> assignments;
    QString key;
    for (const QString &argument : std::as_const(m_arguments)) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        if (equals < 1)
            refuse(QStringLiteral("'%1' is not ID=VALUE").arg(argument));
        const qint32 field = fieldId(store, argument.left(equals));
        if (field == HostField::Key)
            key = argument.mid(equals + 1);
        else
            assignments.append({field, argument.mid(equals + 1)});
    }
    const qint64 record = store.addRecord(m_kind, key);
    for (const auto &[field, value] : std::as_const(assignments))
        store.writeValue(record, field, value);
    store.appendToLookup(m_kind, record);
    store.setState(HostStateKeys::currentRecord(m_kind), *store.recordKey(record));
    m_out << *store.recordKey(record) << '\n';
}

void HostCli::get(HostStore &store)
{
    requireArguments(1, 1);
    const qint32 field = fieldId(store, m_arguments.at(0));
    m_out << valueOf(store, targetRecord(store), field) << '\n';
}

void HostCli::set(HostStore &store)
{
    requireArguments(2, 2);
    const qint32 field = fieldId(store, m_arguments.at(0));
    const qint64 record = targetRecord(store);
    assign(store, record, field, m_arguments.at(1));
    m_afterCommit = LaunchCli::firedTrigger(store, m_kind, field);
    // The host runs a trigger on the record being edited, which is its current one.
    if (m_afterCommit)
        store.setState(HostStateKeys::currentRecord(m_kind), *store.recordKey(record));
}

void HostCli::goTo(HostStore &store)
{
    requireArguments(1, 1);
    recordOf(store, m_arguments.at(0));
    store.setState(HostStateKeys::currentRecord(m_kind), m_arguments.at(0));
}

void HostCli::current(HostStore &store)
{
    requireArguments(0, 0);
    const std::optional<qint64> record = currentRecord(store);
    if (!record)
        refuse(QStringLiteral("there is no current %1").arg(kindSingular(m_kind)));
    m_out << *store.recordKey(*record) << '\n';
}

void HostCli::lookup(HostStore &store)
{
    requireArguments(1, -1);
    if (m_arguments.size() == 1 && m_arguments.at(0) == QLatin1String("all")) {
        store.setLookupAll(m_kind);
        return;
    }
    const QString &first = m_arguments.at(0);
    const qsizetype equals = first.indexOf(QLatin1Char('='));
    if (m_arguments.size() == 1 && equals > 0) {
        const qint32 field = fieldId(store, first.left(equals));
        store.setLookup(m_kind, store.recordsWithValue(m_kind, field, first.mid(equals + 1)));
        return;
    }
    QList<qint64> records;
    for (const QString &key : std::as_const(m_arguments))
        records.append(recordOf(store, key));
    store.setLookup(m_kind, records);
}

void HostCli::view(HostStore &store)
{
    requireArguments(1, 1);
    bool isNumber = false;
    const short type = m_arguments.at(0).toShort(&isNumber);
    if (!isNumber)
        refuse(QStringLiteral("the view type '%1' is not a number").arg(m_arguments.at(0)));
    if (type != HostViewType::Contacts && type != HostViewType::ContactList
        && type != HostViewType::Groups)
        refuse(QStringLiteral("the host has no view type %1 (1 contacts, 2 contact list, "
                              "3 groups)")
                   .arg(type));
    store.setState(HostStateKeys::ActiveView, QString::number(type));
}

void HostCli::title(HostStore &store)
{
    requireArguments(1, -1);
    store.setState(HostStateKeys::WindowTitle, m_arguments.join(QLatin1Char(' ')));
}

void HostCli::log(HostStore &store)
{
    requireArguments(0, 0);
    store.forEachLogEntry(
        [&](const QString &time, int command) { m_out << time << '\t' << command << '\n'; });
}

void HostCli::importCsv()
{
    const auto connection = openDatabase();
    HostStore store(*connection);
    const qint64 imported = CsvImport(*connection, store, m_kind).run(m_arguments.at(0));
    m_out << imported << " records imported\n";
}

void HostCli::exportCsv(HostStore &store)
{
    requireArguments(0, 1);
    if (m_arguments.isEmpty()) {
        writeCsv(store, m_out);
        return;
    }
    QFile file(m_arguments.at(0));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        refuse(QStringLiteral("cannot write %1: %2").arg(m_arguments.at(0), file.errorString()));
    QTextStream stream(&file);
    writeCsv(store, stream);
    stream.flush();
    if (stream.status() != QTextStream::Ok || !file.flush())
        refuse(QStringLiteral("cannot write %1: %2").arg(m_arguments.at(0), file.errorString()));
}

// One record at a time, so an export of any size needs little memory.
void HostCli::writeCsv(HostStore &store, QTextStream &stream) const
{
    QList<qint32> columns;
    QStringList header;
    for (const FieldDefinition &field : store.fields(m_kind)) {
        columns.append(field.id);
        header.append(QString::number(field.id));
    }
    stream << CsvWriter::record(header);
    store.forEachRecord(m_kind, [&](qint64 record, const QString &key) {
        const RecordValues values = store.values(record);
        QStringList row;
        row.reserve(columns.size());
        for (qint32 field : std::as_const(columns))
            row.append(field == HostField::Key ? key : values.value(field));
        stream << CsvWriter::record(row);
    });
}

void HostCli::trigger(HostStore &store)
{
    requireArguments(1, 2);
    const qint32 field = fieldId(store, m_arguments.at(0));
    LaunchCli(m_out).trigger(store, m_kind, field,
        m_arguments.size() == 2 ? std::optional(m_arguments.at(1)) : std::nullopt);
}

void HostCli::aux(HostStore &store)
{
    requireArguments(0, 0);
    LaunchCli(m_out).aux(store);
}

void HostCli::launch(HostStore &store)
{
    requireArguments(1, 1);
    m_afterCommit = LaunchCli(m_out).launch(store, m_arguments.at(0));
}

void HostCli::requireArguments(qsizetype minimum, qsizetype maximum) const
{
    const qsizetype count = m_arguments.size();
    if (count < minimum || (maximum >= 0 && count > maximum))
        refuse(QStringLiteral("wrong number of arguments for %1 (see --help)").arg(m_command));
}

qint32 HostCli::fieldId(HostStore &store, const QString &text) const
{
    const QString name = text.trimmed();
    const QList<FieldDefinition> fields = store.fields(m_kind);
    bool isNumber = false;
    const qint32 id = name.toInt(&isNumber);
    for (const FieldDefinition &field : fields)
        if (isNumber ? field.id == id : field.label.compare(name, Qt::CaseInsensitive) == 0)
            return field.id;
    refuse(QStringLiteral("unknown field '%1' for %2").arg(text, recordKindPlural(m_kind)));
}

qint64 HostCli::targetRecord(HostStore &store)
{
    if (m_recordKey)
        return recordOf(store, *m_recordKey);
    const std::optional<qint64> record = currentRecord(store);
    if (!record)
        refuse(QStringLiteral("there is no current %1 (use goto or --record)")
                   .arg(kindSingular(m_kind)));
    return *record;
}

qint64 HostCli::recordOf(HostStore &store, const QString &key) const
{
    const std::optional<qint64> record = store.recordByKey(m_kind, key);
    if (!record)
        refuse(QStringLiteral("no %1 has the key '%2'").arg(kindSingular(m_kind), key));
    return *record;
}

std::optional<qint64> HostCli::currentRecord(HostStore &store) const
{
    const QString key = store.state(HostStateKeys::currentRecord(m_kind));
    return key.isEmpty() ? std::nullopt : store.recordByKey(m_kind, key);
}

QString HostCli::valueOf(HostStore &store, qint64 record, qint32 field) const
{
    return field == HostField::Key ? *store.recordKey(record) : store.value(record, field);
}

void HostCli::assign(HostStore &store, qint64 record, qint32 field, const QString &value) const
{
    if (field == HostField::Key)
        store.changeKey(m_kind, record, value);
    else
        store.writeValue(record, field, value);
}
