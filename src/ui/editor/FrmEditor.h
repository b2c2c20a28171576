#pragma once

#include "EditCommands.h"
#include "EditorMode.h"
#include "EditorServices.h"
#include "FileDialogs.h"
#include "SyntaxCatalogue.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <memory>

class Dialogs;
class EditorPreview;
class FieldList;
class HostDatabase;
class HostFields;
class OrvantaError;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;
class QToolBar;
class RtbSyntax;
class Settings;

// "frmEditor", the syntax editor: the user writes, opens and saves calculation syntax files
// and inserts fields, functions, operators and comments from pop-up lists. Controls carry
// their original names as objectName; the toolbar's actions are named by their keys
// ("Open", "SaveAs", ... "PreviewMode").
class FrmEditor : public QDialog
{
    Q_OBJECT

public:
    FrmEditor(
        EditorMode mode, Dialogs &dialogs, EditorServices services = {}, QWidget *parent = nullptr);
    ~FrmEditor() override;

    // The load steps: host fields, mode texts, pick lists, the start file in sLoadedFile.
    // Runs once; showModal() runs it when nobody has.
    void Form_Load();
    // Shows the window modally and returns once it has closed.
    void showModal();

    // Receives the hand-back each time a close writes it.
    void setHandBackTarget(std::function<void(const QString &)> target);
    QString handBack() const { return m_handBack; }
    // Preview and Test is enabled once there is somewhere to hand the text; the preview
    // windows take the editor as their parent, so they come after it.
    void setPreview(EditorPreview *preview);

    RtbSyntax &rtfSyntax() const { return *m_rtfSyntax; }
    EditorMode mode() const { return m_mode; }

    // The text cut at every "\/"; an empty text gives no pieces.
    static QStringList splitCalculations(const QString &text);
    static QString fieldTypes() { return QStringLiteral("|1|2|3|4|5|6|8|9|10|14|15|"); }
    // Larger files are refused: the text box would take minutes to colour them.
    static constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

    QString sLoadedFile;
    QStringList vCalcs;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    // Escape hides the pop-up lists, as the window's cancel button does.
    void reject() override;

private:
    void buildControls();
    QMenuBar *buildMenus();
    QToolBar *buildToolbar();
    QWidget *buildTextArea();
    QMenu *addMenu(QMenuBar *bar, const QString &name, const QString &text);
    QAction *addMenuItem(QMenu *menu, const QString &name, const QString &text,
        void (FrmEditor::*slot)(), const QKeySequence &shortcut = {});
    void connectTextEvents();
    EditCommands::Controls editControls() const;
    QAction *menuItem(const char *name) const;

    void openHostDatabase();
    void applyModeTexts();
    void Load_Functions();
    void Load_Operators();
    void fillPickLists();
    void loadStartFile();
    void restoreSize();
    void storeSize();
    bool Form_Unload();
    void writeHandBack();

    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuInsertField_Click();
    void mnuInsertFunction_Click();
    void mnuInsertOperator_Click();
    void mnuInsertComment_Click();
    void tlb1_ButtonClick(QAction *button);
    void cmdCancelList_Click();
    void Prepare_For_Preview();
    void lstFunctions_Click(QListWidgetItem *item);
    void lstOperators_Click(QListWidgetItem *item);
    void lvwFields_Click();
    void rtfSyntax_Change();
    void rtfSyntax_Click();

    void Update_Lists(bool fields, bool functions, bool operators);
    int listHeight() const;
    void placeUnderButton(QWidget *list, const QString &key);
    void loadText(const QString &path);
    void saveText(const QString &path);
    FileDialogs::Request fileRequest(FileDialogs::Mode mode) const;
    QAction *button(const QString &key) const { return m_buttons.value(key); }
    void report(const OrvantaError &error, const QString &procedure, int step);

    EditorMode m_mode;
    Dialogs &m_dialogs;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    FileDialogs *m_fileDialogs;
    EditorServices::HostDatabaseFactory m_createDatabase;
    EditorPreview *m_preview = nullptr;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<HostDatabase> m_database;
    HostFields *m_fields = nullptr;
    std::function<void(const QString &)> m_handBackTarget;
    QString m_handBack;
    bool m_loaded = false;

    QList<SyntaxCatalogue::Entry> sFunctions;
    QStringList sOperators;
    QString sSavedFile;
    bool bChanged = false;
    bool bCancelClose = false;

    QToolBar *m_tlb1 = nullptr;
    QHash<QString, QAction *> m_buttons;
    QAction *m_mnuInsertField = nullptr;
    RtbSyntax *m_rtfSyntax = nullptr;
    FieldList *m_lvwFields = nullptr;
    QListWidget *m_lstFunctions = nullptr;
    QListWidget *m_lstOperators = nullptr;
    QPushButton *m_cmdCancelList = nullptr;
    std::unique_ptr<EditCommands> m_editCommands;
};
