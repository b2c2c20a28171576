#pragma once

#include "EditorPreview.h"
#include "FieldDefinition.h"
#include "FieldList.h"
#include "FrmEditor.h"
#include "HostDatabase.h"
#include "HostFields.h"
#include "OrvantaError.h"
#include "RecordingDialogs.h"
#include "RtbSyntax.h"
#include "ScriptedFileDialogs.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <tuple>

// A host field collection laid out by a test: fields at chosen positions, gaps between them, and
// calls that fail on request.
class FakeFields : public HostFields
{
public:
    explicit FakeFields(QList<FieldDefinition> fields = {})
        : fields(std::move(fields))
    {
    }

    qint16 Count() override { return countOverride.value_or(qint16(fields.size())); }
    qint32 Id(qint16 position) override
    {
        ++positionsAsked;
        if (failFromPosition && position >= *failFromPosition)
            throw OrvantaError(OrvantaError::ObjectNotSet);
        return at(position).id;
    }
    QString Label(qint16 position) override { return at(position).label; }
    QString Type(qint16 position) override { return QString::number(at(position).type); }
    qint32 Id(const QString &fieldId) override { return byId(fieldId).id; }
    QString Type(const QString &fieldId) override
    {
        if (failTypeOf == fieldId.toInt())
            throw OrvantaError(OrvantaError::AutomationError);
        return QString::number(byId(fieldId).type);
    }

    QList<FieldDefinition> fields;
    std::optional<qint16> countOverride;
    std::optional<qint16> failFromPosition;
    qint32 failTypeOf = 0;
    int positionsAsked = 0;

private:
    // A gap between fields answers ID -1, as the host does.
    FieldDefinition at(qint16 position) const
    {
        const auto found = std::ranges::find(fields, position, &FieldDefinition::position);
        return found != fields.end() ? *found : FieldDefinition {-1, {}, 0, 0};
    }
    FieldDefinition byId(const QString &fieldId) const
    {
        const auto found = std::ranges::find(fields, fieldId.toInt(), &FieldDefinition::id);
        if (found == fields.end())
            throw OrvantaError(OrvantaError::InvalidProcedureCall);
        return *found;
    }
};

// A host database whose contact and group fields a test lays out.
class FakeDatabase : public HostDatabase
{
public:
    void OpenEx(const QString &) override
    {
        if (hostMissing)
            throw OrvantaError(OrvantaError::CantCreateObject);
    }
    HostFields &ContactFields() override { return contact; }
    HostFields &GroupFields() override { return group; }

    FakeFields contact {{{25, QStringLiteral("Total"), 1, 0}, {3, QStringLiteral("Sales"), 2, 1},
        {90, QStringLiteral("Internal"), 1, 2}, {40, QStringLiteral("Photo"), 7, 4}}};
    FakeFields group {{{7, QStringLiteral("Group Name"), 1, 0}}};
    bool hostMissing = false;
};

class RecordingPreview : public EditorPreview
{
public:
    void showChooser(const QStringList &vCalcs) override { chooser << vCalcs; }
    void showPreview(const QString &sTextToPreview) override { previews << sTextToPreview; }

    QList<QStringList> chooser;
    QStringList previews;
};

// Clicks the entry of a pick list shown with this text in the column.
inline void clickItem(QAbstractItemView *view, const QString &text, int column = 0)
{
    QAbstractItemModel *model = view->model();
    const QModelIndexList found
        = model->match(model->index(0, column), Qt::DisplayRole, text, -1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << qPrintable(text);
    view->scrollTo(found.constFirst());
    QTest::mouseClick(
        view->viewport(), Qt::LeftButton, {}, view->visualRect(found.constFirst()).center());
}

// The editor over a fake host, scripted file dialogs and message boxes, in a private program
// folder.
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override { qputenv("ORVANTA_APP_DIR", m_app.path().toUtf8()); }
    void TearDown() override
    {
        editor.reset();
        qunsetenv("ORVANTA_APP_DIR");
    }

    // Builds and loads a new editor over a new host; the start file is loaded with it.
    FrmEditor &open(EditorMode::Kind kind = EditorMode::Contact, const QString &startFile = {})
    {
        EditorServices services;
        services.fileDialogs = &fileDialogs;
        services.createDatabase = [this] { return std::move(database); };
        editor = std::make_unique<FrmEditor>(EditorMode(kind), dialogs, services);
        editor->setPreview(&preview);
        editor->sLoadedFile = startFile;
        editor->Form_Load();
        editor->show();
        database = std::make_unique<FakeDatabase>();
        return *editor;
    }

    template<class T = QObject> T *child(const char *name) const
    {
        T *found = editor->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction *action(const char *name) const { return child<QAction>(name); }
    RtbSyntax &text() const { return editor->rtfSyntax(); }
    QPlainTextEdit *textBox() const { return text().innerBox(); }

    QString appFolder() const { return m_app.path(); }
    QString appPath(const QString &name) const { return m_app.filePath(name); }
    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(appPath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(name);
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<FakeDatabase> database = std::make_unique<FakeDatabase>();
    RecordingDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    RecordingPreview preview;
    std::unique_ptr<FrmEditor> editor;

private:
    QTemporaryDir m_app;
};
