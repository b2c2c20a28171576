#pragma once

#include "EditorPreview.h"
#include "FakeFields.h"
#include "FieldList.h"
#include "FrmEditor.h"
#include "HostDatabase.h"
#include "RecordingDialogs.h"
#include "RtbSyntax.h"
#include "ScriptedFileDialogs.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

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

    FakeFields contact;
    FakeFields group;
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

// Clicks the entry of a pick list shown as text, or the field whose reference is given.
inline void clickListEntry(QListWidget *list, const QString &text)
{
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << qPrintable(text);
    list->scrollToItem(found.constFirst());
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.constFirst()).center());
}
inline void clickField(FieldList *list, const QString &reference)
{
    const QList<QTreeWidgetItem *> found = list->findItems(reference, Qt::MatchExactly, 1);
    ASSERT_EQ(found.size(), 1) << qPrintable(reference);
    list->scrollToItem(found.constFirst());
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.constFirst()).center());
}

// The editor over a fake host, scripted file dialogs and message boxes, in a private
// program folder.
class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("ORVANTA_APP_DIR", m_app.path().toUtf8());
        database->contact
            = FakeFields({{25, QStringLiteral("Total"), 1, 0}, {3, QStringLiteral("Sales"), 2, 1},
                {90, QStringLiteral("Internal"), 1, 2}, {40, QStringLiteral("Photo"), 7, 4}});
        database->group = FakeFields({{7, QStringLiteral("Group Name"), 1, 0}});
    }
    void TearDown() override
    {
        editor.reset();
        qunsetenv("ORVANTA_APP_DIR");
    }

    // Builds and loads the editor; the start file, if any, is loaded with it.
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

    // Closes the editor as the close box would; true when it closed.
    bool closeEditor() { return editor->close(); }

    QString appFolder() const { return m_app.path(); }
    QString appPath(const QString &name) const { return m_app.filePath(name); }
    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = appPath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(path);
        file.write(bytes);
        return path;
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<FakeDatabase> database = std::make_unique<FakeDatabase>();
    FakeDatabase *host = database.get(); // still there once the editor owns it
    RecordingDialogs dialogs;
    ScriptedFileDialogs fileDialogs;
    RecordingPreview preview;
    std::unique_ptr<FrmEditor> editor;

private:
    QTemporaryDir m_app;
};
