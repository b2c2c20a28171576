#pragma once

#include <QColor>
#include <QFont>
#include <QPair>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <functional>

class DocumentColourer;
class InnerBox;
class PropertyBag;
class QPrinter;
class QTextBlockFormat;
class QTextCharFormat;
class QTextDocument;
class QPlainTextEdit;

// The calculation box: an edit box named "rtb" that fills the control and shows
// every token of a calculation in the colour of its class, recoloured as the text
// changes. Positions at this surface count a line break as two characters (CR LF),
// whatever the inner box counts.
//
// Colours are 24-bit values with red in the low byte (255 is red). Rich text (TextRTF,
// SelRTF, the rich mode of LoadFile and SaveFile) is HTML, what the inner box reads
// and writes. BulletIndent and RightMargin, which it has no use for, keep the value
// they were given.
//
// Run-time-only members (the Sel* properties and TextRTF) throw OrvantaError 394 on
// read and 383 on write while the control is in design mode.
//
// Events are raised synchronously; their reference parameters may be changed by a
// directly connected handler and the control acts on the value the handler left.
class RtbSyntax : public QWidget
{
    Q_OBJECT

public:
    // Values of the optional arguments, as the inner box takes them.
    enum FindOption { rtfWholeWord = 2, rtfMatchCase = 4, rtfNoHighlight = 8 };
    enum FileType { rtfRTF = 0, rtfText = 1 };
    enum Alignment { rtfLeft = 0, rtfRight = 1, rtfCenter = 2 };
    // The system window-background colour, the default of BackColor.
    static constexpr quint32 SystemWindowBackground = 0x80000005u;

    explicit RtbSyntax(QWidget *parent = nullptr);
    ~RtbSyntax() override;

    // Colours the whole text again and leaves the selection where it was.
    void HighlightRefresh();

    // Persisted properties.
    bool AutoVerbMenu() const;
    void setAutoVerbMenu(bool value);
    quint32 BackColor() const;
    void setBackColor(quint32 value);
    quint32 ForeColor() const;
    void setForeColor(quint32 value);
    int BorderStyle() const;
    void setBorderStyle(int value);
    float BulletIndent() const;
    void setBulletIndent(float value);
    bool Enabled() const;
    void setEnabled(bool value);
    QString FileName() const;
    void setFileName(const QString &value);
    QFont Font() const;
    void setFont(const QFont &value);
    bool HideSelection() const;
    void setHideSelection(bool value);
    int hwnd() const;
    void setHwnd(int value);
    bool Locked() const;
    void setLocked(bool value);
    int MaxLength() const;
    void setMaxLength(int value);
    QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap &value);
    int MousePointer() const;
    void setMousePointer(int value);
    float RightMargin() const;
    void setRightMargin(float value);
    QString Text() const;
    void setText(const QString &value);

    // Methods. Positions count CR LF; -1 means not found.
    int Find(const QString &bstrString, const QVariant &vStart = {}, const QVariant &vEnd = {},
        const QVariant &vOptions = {});
    int GetLineFromChar(int lChar) const;
    // Throws OrvantaError when the file cannot be read; does not recolour.
    void LoadFile(const QString &bstrFilename, const QVariant &vFileType = {});
    void Refresh();
    // Throws OrvantaError when the file cannot be written.
    void SaveFile(const QString &bstrFilename, const QVariant &vFlags = {});
    // Prints the selection, or the whole text when nothing is selected.
    void SelPrint(QPrinter &printer, const QVariant &vStartDoc = {});
    void Span(const QString &bstrCharacterSet, const QVariant &vForward = {},
        const QVariant &vNegate = {});
    void UpTo(const QString &bstrCharacterSet, const QVariant &vForward = {},
        const QVariant &vNegate = {});

    // Run-time-only properties.
    int SelAlignment() const;
    void setSelAlignment(int value);
    bool SelBold() const;
    void setSelBold(bool value);
    bool SelItalic() const;
    void setSelItalic(bool value);
    bool SelStrikethru() const;
    void setSelStrikethru(bool value);
    bool SelUnderline() const;
    void setSelUnderline(bool value);
    QVariant SelBullet() const;
    void setSelBullet(const QVariant &value);
    QVariant SelCharOffset() const;
    void setSelCharOffset(const QVariant &value);
    QString SelRTF() const;
    void setSelRTF(const QString &value);
    int SelTabCount() const;
    void setSelTabCount(int value);
    int SelTabs(int Index) const;
    void setSelTabs(int Index, int value);
    // The colour as shown: of the character before the caret, or of the selection
    // when it has one colour throughout (else null).
    QVariant SelColor() const;
    void setSelColor(const QVariant &value);
    int SelHangingIndent() const;
    void setSelHangingIndent(int value);
    int SelIndent() const;
    void setSelIndent(int value);
    int SelRightIndent() const;
    void setSelRightIndent(int value);
    int SelLength() const;
    void setSelLength(int value);
    int SelStart() const;
    void setSelStart(int value);
    QString SelText() const;
    void setSelText(const QString &value);
    QVariant SelProtected() const;
    void setSelProtected(const QVariant &value);
    QString TextRTF() const;
    void setTextRTF(const QString &value);

    // Design mode: the host container is a form designer, not a running program.
    bool designMode() const { return m_designMode; }
    void setDesignMode(bool on) { m_designMode = on; }

    // Lifecycle with the host form: a new instance, loading and saving the persisted
    // properties.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    QPlainTextEdit *innerBox() const { return m_rtb; }

Q_SIGNALS:
    void Change();
    void Click();
    void DblClick();
    void KeyDown(int &KeyCode, int &Shift);
    void KeyUp(int &KeyCode, int &Shift);
    void KeyPress(int &KeyAscii);
    void MouseDown(int &Button, int &Shift, float &x, float &y);
    void MouseMove(int &Button, int &Shift, float &x, float &y);
    void MouseUp(int &Button, int &Shift, float &x, float &y);
    void SelChange();
    // A persisted property was written; the designer saves the form.
    void PropertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void connectInnerEvents(InnerBox *box);
    void onInnerSelectionChange();
    // Replaces the whole text with colouring held off, then colours it all.
    void assignWhole(const std::function<void()> &assign);
    void setInnerHtml(const QString &html);
    void selectSurface(int from, int to);
    void copyShownColours(QTextDocument &copy) const;
    void applyHideSelection();
    void applyMousePointer();
    void guardRead() const;
    void guardWrite() const;
    QTextCharFormat selectionCharFormat() const;
    void mergeSelectionCharFormat(const QTextCharFormat &format);
    QTextBlockFormat selectionBlockFormat() const;
    void mergeSelectionBlockFormat(const QTextBlockFormat &format);
    static bool isWholeWord(const QString &text, int at, int length);
    static bool inCharacterSet(const QString &set, QChar c);

    QPlainTextEdit *m_rtb;
    DocumentColourer *m_colourer;
    bool m_designMode = false;
    bool m_updating = false;
    QPair<int, int> m_lastSelection {0, 0};
    quint32 m_ForeColor = 0;
    int m_hWnd = 0;
    bool m_autoVerbMenu = false;
    quint32 m_backColor = SystemWindowBackground;
    int m_borderStyle = 1;
    float m_bulletIndent = 0;
    QString m_fileName;
    bool m_hideSelection = true;
    int m_maxLength = 0;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    float m_rightMargin = 0;
};
