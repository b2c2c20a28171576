#include "EditorFixture.h"
#include "FrmMainFixture.h"

#include <QApplication>
#include <QPushButton>

namespace {

// The main window's ways into the editor, over a fake host and scripted file dialogs.
class FrmMainEditor : public FrmMainFixture
{
protected:
    void SetUp() override
    {
        FrmMainFixture::SetUp();
        services.fileDialogs = &fileDialogs;
        services.createDatabase = [] { return std::make_unique<FakeDatabase>(); };
    }

    struct Opened
    {
        bool shown = false;
        QString file;
        QString text;
        QString caption;
    };

    // Types the prompt, opens the editor with the command given and closes it answering
    // No; returns what the editor started with and leaves the prompt's hand-back.
    Opened openEditor(const QString &prompt, const char *command, QString *handBack)
    {
        Opened opened;
        whenShown<FrmEditor>(QStringLiteral("frmEditor"), [&](FrmEditor &editor) {
            opened = {true, editor.sLoadedFile, editor.rtfSyntax().Text(), editor.windowTitle()};
            editor.findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
        });
        runWindow([&](FrmMain &window) {
            window.setEditorServices(services);
            type(window, prompt);
            if (std::string_view(command) == "cmdEditor")
                child<QPushButton>(window, "cmdEditor")->click();
            else
                trigger(window, command);
            *handBack = child<QComboBox>(window, "cboPrompt")->currentText();
            child<QPushButton>(window, "cmdCancel")->click();
        });
        return opened;
    }

    EditorServices services;
    ScriptedFileDialogs fileDialogs;
};

TEST_F(FrmMainEditor, PromptDecidesWhatTheEditorStartsWith)
{
    const QString file = appPath(QStringLiteral("Totals.ocs"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("[25]=[3]*2");
    }
    const struct
    {
        QString prompt;
        const char *command;
        QString file;
        QString text;
        QString handBack;
    } rows[] = {
        {QString(), "cmdEditor", QString(), QString(), QString()},
        {QStringLiteral("File:") + file, "cmdEditor", file, QStringLiteral("[25]=[3]*2"),
            QStringLiteral("File:") + file},
        {QStringLiteral("/File:") + file + QStringLiteral("\\/[26]=1"), "mnuEditor", file,
            QStringLiteral("[25]=[3]*2"), QStringLiteral("File:") + file},
        {QStringLiteral("[25] = [3] ' note"), "cmdEditor", QString(),
            QStringLiteral("[25] = [3] ' note"), QStringLiteral("[25] = [3]")},
        {QStringLiteral("[25]=1 File:x"), "cmdEditor", QString(), QString(), QString()},
        {QStringLiteral("[25]=1"), "mnuNew", QString(), QString(), QString()},
    };
    for (const auto &row : rows) {
        dialogs.clear();
        dialogs.scriptAnswers({Dialogs::Answer::No});
        QString handBack;
        const Opened opened = openEditor(row.prompt, row.command, &handBack);
        EXPECT_TRUE(opened.shown) << qPrintable(row.prompt);
        EXPECT_EQ(opened.file, row.file) << qPrintable(row.prompt);
        EXPECT_EQ(opened.text, row.text) << qPrintable(row.prompt);
        EXPECT_EQ(opened.caption, QStringLiteral("Syntax Editor - Contact Fields"));
        EXPECT_EQ(handBack, row.handBack) << qPrintable(row.prompt);
    }
}

TEST_F(FrmMainEditor, MissingPromptFileIsSaidAndTheEditorStaysShut)
{
    const QString prompt = QStringLiteral("File:") + appPath(QStringLiteral("gone.ocs"));
    bool editorShown = false;
    runWindow([&](FrmMain &window) {
        window.setEditorServices(services);
        type(window, prompt);
        child<QPushButton>(window, "cmdEditor")->click();
        for (QWidget *widget : QApplication::topLevelWidgets())
            editorShown |= widget->objectName() == QLatin1String("frmEditor");
        child<QPushButton>(window, "cmdCancel")->click();
    });
    EXPECT_FALSE(editorShown);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(
        dialogs.shown().constFirst().text, QStringLiteral("The specified file does not exist!"));
    EXPECT_EQ(dialogs.shown().constFirst().caption, Dialogs::programTitle());
}

} // namespace
