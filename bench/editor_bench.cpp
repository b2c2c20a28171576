// The syntax editor, offscreen: opening it on a 10,000-line syntax file until it is shown
// coloured, and filling the field picker from a host with 1,000 fields.
// Targets: the opening within 300 ms, the field list within 50 ms.
#include "FieldDefinition.h"
#include "FieldList.h"
#include "FrmEditor.h"
#include "HostDatabase.h"
#include "PopulateACTLists.h"
#include "RecordingDialogs.h"
#include "RtbSyntax.h"
#include "SqliteHostFields.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr quint32 CommentGreen = 0x008000;

QList<FieldDefinition> hostFields(int count)
{
    QList<FieldDefinition> fields;
    const int types[] = {1, 2, 3, 7, 10, 14};
    for (int i = 0; i < count; ++i) {
        // Every tenth position left empty, as hosts that deleted fields have them.
        const int position = i + i / 9;
        fields.append({i + 1, QStringLiteral("Field %1").arg(i + 1), types[i % 6], position});
    }
    return fields;
}

// The host database of the editor: the fields of a full contact database.
class BenchDatabase : public HostDatabase
{
public:
    void OpenEx(const QString &) override { }
    HostFields &ContactFields() override { return m_contact; }
    HostFields &GroupFields() override { return m_group; }

private:
    SqliteHostFields m_contact {RecordKind::Contact, hostFields(100)};
    SqliteHostFields m_group {RecordKind::Group, hostFields(20)};
};

// A calculation file as people write them: statements with functions, fields,
// placeholders left in and comments.
QString syntaxFile(int lines)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long%1.ocs").arg(lines));
    QFile file(path);
    if (file.exists())
        return path;
    file.open(QIODevice::WriteOnly);
    for (int i = 0; i < lines; ++i) {
        const QByteArray line = QByteArray("[") + QByteArray::number(25 + i % 10) + "]=If([4]>"
            + QByteArray::number(i) + ";Format([3]*2;\"0.00\");Left(<value>;<#_of_chars>)) ' line "
            + QByteArray::number(i);
        file.write(i ? "\r\n" + line : line);
    }
    return path;
}

void BM_OpenEditorOnLongFile(benchmark::State &state)
{
    const QString path = syntaxFile(int(state.range(0)));
    RecordingDialogs dialogs;
    for (auto _ : state) {
        EditorServices services;
        services.createDatabase = [] { return std::make_unique<BenchDatabase>(); };
        FrmEditor editor(EditorMode(EditorMode::Contact), dialogs, services);
        editor.sLoadedFile = path;
        editor.Form_Load();
        editor.show();
        QApplication::processEvents();
        state.PauseTiming();
        // The last line ends in a comment: green once the whole text is coloured.
        RtbSyntax &text = editor.rtfSyntax();
        text.setSelStart(int(text.Text().size()));
        if (text.SelColor().toUInt() != CommentGreen)
            state.SkipWithError("the end of the text was not coloured");
        editor.hide();
        state.ResumeTiming();
    }
    if (!dialogs.shown().isEmpty())
        state.SkipWithError("the editor reported an error");
}
BENCHMARK(BM_OpenEditorOnLongFile)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FillFieldList(benchmark::State &state)
{
    SqliteHostFields fields(RecordKind::Contact, hostFields(int(state.range(0))));
    RecordingDialogs dialogs;
    FieldList list;
    for (auto _ : state) {
        PopulateACTLists(fields, dialogs).Populate_lvwFields(list, FrmEditor::fieldTypes());
        benchmark::DoNotOptimize(list.topLevelItemCount());
    }
    state.counters["listed"] = list.topLevelItemCount();
}
BENCHMARK(BM_FillFieldList)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
