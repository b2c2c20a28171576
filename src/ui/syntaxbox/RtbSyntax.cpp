#include "RtbSyntax.h"

#include "CrLfPositions.h"
#include "DocumentColourer.h"
#include "InnerBox.h"
#include "OrvantaError.h"
#include "PropertyBag.h"
#include "SyntaxColours.h"
#include "SyntaxFileText.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>

namespace {

constexpr double twipsPerPixel = 15.0;
// Keeps a character's offset above the baseline, in twips, with its format.
constexpr int charOffsetProperty = QTextFormat::UserProperty + 1;
constexpr int protectedProperty = QTextFormat::UserProperty + 2;

QFont courierNew(double pointSize)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

bool optionalBool(const QVariant &value, bool missing)
{
    return value.isValid() ? value.toBool() : missing;
}

} // namespace

RtbSyntax::RtbSyntax(QWidget *parent)
    : QWidget(parent)
{
    QWidget::setFont(courierNew(8.25));
    auto *box = new InnerBox(this);
    m_rtb = box;
    m_rtb->move(0, 0);
    m_rtb->setFont(courierNew(9.75));
    m_rtb->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_colourer = new DocumentColourer(m_rtb->document());
    setFocusProxy(m_rtb);
    connectInnerEvents(box);
    applyHideSelection();
    applyMousePointer();
}

RtbSyntax::~RtbSyntax() = default;

void RtbSyntax::connectInnerEvents(InnerBox *box)
{
    connect(box, &QPlainTextEdit::textChanged, this, &RtbSyntax::Change);
    connect(box, &QPlainTextEdit::cursorPositionChanged, this, &RtbSyntax::onInnerSelectionChange);
    connect(box, &QPlainTextEdit::selectionChanged, this, &RtbSyntax::onInnerSelectionChange);
    connect(box, &InnerBox::keyDown, this, &RtbSyntax::KeyDown);
    connect(box, &InnerBox::keyUp, this, &RtbSyntax::KeyUp);
    connect(box, &InnerBox::keyPress, this, &RtbSyntax::KeyPress);
    connect(box, &InnerBox::mouseDown, this, &RtbSyntax::MouseDown);
    connect(box, &InnerBox::mouseMove, this, &RtbSyntax::MouseMove);
    connect(box, &InnerBox::mouseUp, this, &RtbSyntax::MouseUp);
    connect(box, &InnerBox::clicked, this, &RtbSyntax::Click);
    connect(box, &InnerBox::doubleClicked, this, &RtbSyntax::DblClick);
}

void RtbSyntax::onInnerSelectionChange()
{
    // The box reports a caret move and a selection change separately; one event each.
    const QTextCursor cursor = m_rtb->textCursor();
    const QPair<int, int> selection {cursor.anchor(), cursor.position()};
    if (selection == m_lastSelection)
        return;
    m_lastSelection = selection;
    Q_EMIT SelChange();
}

void RtbSyntax::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_rtb->setGeometry(0, 0, width(), height());
}

// --- colouring ---------------------------------------------------------------------

void RtbSyntax::HighlightRefresh()
{
    Q_EMIT Change();
    if (m_updating)
        return;
    m_colourer->colourAll();
    Refresh();
}

void RtbSyntax::assignWhole(const std::function<void()> &assign)
{
    m_updating = true;
    m_colourer->setSuspended(true);
    assign();
    m_colourer->setSuspended(false);
    m_updating = false;
    HighlightRefresh();
}

// --- persisted properties ----------------------------------------------------------

bool RtbSyntax::AutoVerbMenu() const
{
    return m_autoVerbMenu;
}

void RtbSyntax::setAutoVerbMenu(bool value)
{
    m_autoVerbMenu = value;
    static_cast<InnerBox *>(m_rtb)->setVerbMenu(value);
    Q_EMIT PropertyChanged(QStringLiteral("AutoVerbMenu"));
}

quint32 RtbSyntax::BackColor() const
{
    return m_backColor;
}

void RtbSyntax::setBackColor(quint32 value)
{
    m_backColor = value;
    QPalette palette = m_rtb->palette();
    const QColor colour = (value & 0x80000000u) ? QApplication::palette().color(QPalette::Base)
                                                : SyntaxColours::toQColor(value);
    palette.setColor(QPalette::Base, colour);
    m_rtb->setPalette(palette);
    applyHideSelection();
    Q_EMIT PropertyChanged(QStringLiteral("BackColor"));
}

quint32 RtbSyntax::ForeColor() const
{
    return m_ForeColor;
}

void RtbSyntax::setForeColor(quint32 value)
{
    m_ForeColor = value;
    Q_EMIT PropertyChanged(QStringLiteral("ForeColor"));
}

int RtbSyntax::BorderStyle() const
{
    return m_borderStyle;
}

void RtbSyntax::setBorderStyle(int value)
{
    m_borderStyle = value;
    m_rtb->setFrameShape(value == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    Q_EMIT PropertyChanged(QStringLiteral("BorderStyle"));
}

float RtbSyntax::BulletIndent() const
{
    return m_bulletIndent;
}

void RtbSyntax::setBulletIndent(float value)
{
    m_bulletIndent = value;
    Q_EMIT PropertyChanged(QStringLiteral("BulletIndent"));
}

bool RtbSyntax::Enabled() const
{
    return m_rtb->isEnabled();
}

void RtbSyntax::setEnabled(bool value)
{
    m_rtb->setEnabled(value);
    Q_EMIT PropertyChanged(QStringLiteral("Enabled"));
}

QString RtbSyntax::FileName() const
{
    return m_fileName;
}

void RtbSyntax::setFileName(const QString &value)
{
    m_fileName = value;
    Q_EMIT PropertyChanged(QStringLiteral("FileName"));
}

QFont RtbSyntax::Font() const
{
    return m_rtb->font();
}

void RtbSyntax::setFont(const QFont &value)
{
    m_rtb->setFont(value);
    Q_EMIT PropertyChanged(QStringLiteral("Font"));
}

bool RtbSyntax::HideSelection() const
{
    return m_hideSelection;
}

void RtbSyntax::setHideSelection(bool value)
{
    m_hideSelection = value;
    applyHideSelection();
    Q_EMIT PropertyChanged(QStringLiteral("HideSelection"));
}

void RtbSyntax::applyHideSelection()
{
    // Without focus the selection is drawn like the rest of the text, or as with focus.
    QPalette palette = m_rtb->palette();
    const QColor highlight = m_hideSelection ? palette.color(QPalette::Active, QPalette::Base)
                                             : palette.color(QPalette::Active, QPalette::Highlight);
    const QColor highlighted = m_hideSelection
        ? palette.color(QPalette::Active, QPalette::Text)
        : palette.color(QPalette::Active, QPalette::HighlightedText);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, highlighted);
    m_rtb->setPalette(palette);
}

int RtbSyntax::hwnd() const
{
    return m_hWnd;
}

void RtbSyntax::setHwnd(int value)
{
    m_hWnd = value;
    Q_EMIT PropertyChanged(QStringLiteral("hWnd"));
}

bool RtbSyntax::Locked() const
{
    return m_rtb->isReadOnly();
}

void RtbSyntax::setLocked(bool value)
{
    m_rtb->setReadOnly(value);
    Q_EMIT PropertyChanged(QStringLiteral("Locked"));
}

int RtbSyntax::MaxLength() const
{
    return m_maxLength;
}

void RtbSyntax::setMaxLength(int value)
{
    m_maxLength = std::max(value, 0);
    static_cast<InnerBox *>(m_rtb)->setMaxLength(m_maxLength);
    Q_EMIT PropertyChanged(QStringLiteral("MaxLength"));
}

QPixmap RtbSyntax::MouseIcon() const
{
    return m_mouseIcon;
}

void RtbSyntax::setMouseIcon(const QPixmap &value)
{
    m_mouseIcon = value;
    applyMousePointer();
    Q_EMIT PropertyChanged(QStringLiteral("MouseIcon"));
}

int RtbSyntax::MousePointer() const
{
    return m_mousePointer;
}

void RtbSyntax::setMousePointer(int value)
{
    m_mousePointer = value;
    applyMousePointer();
    Q_EMIT PropertyChanged(QStringLiteral("MousePointer"));
}

void RtbSyntax::applyMousePointer()
{
    static const Qt::CursorShape shapes[] = {
        Qt::IBeamCursor,
        Qt::ArrowCursor,
        Qt::CrossCursor,
        Qt::IBeamCursor,
        Qt::ArrowCursor,
        Qt::SizeAllCursor,
        Qt::SizeBDiagCursor,
        Qt::SizeVerCursor,
        Qt::SizeFDiagCursor,
        Qt::SizeHorCursor,
        Qt::UpArrowCursor,
        Qt::WaitCursor,
        Qt::ForbiddenCursor,
        Qt::BusyCursor,
        Qt::WhatsThisCursor,
        Qt::SizeAllCursor,
    };
    QWidget *surface = m_rtb->viewport();
    if (m_mousePointer == 99 && !m_mouseIcon.isNull())
        surface->setCursor(QCursor(m_mouseIcon));
    else if (m_mousePointer >= 0 && m_mousePointer < int(std::size(shapes)))
        surface->setCursor(shapes[m_mousePointer]);
    else
        surface->setCursor(Qt::IBeamCursor);
}

float RtbSyntax::RightMargin() const
{
    return m_rightMargin;
}

void RtbSyntax::setRightMargin(float value)
{
    m_rightMargin = value;
    Q_EMIT PropertyChanged(QStringLiteral("RightMargin"));
}

QString RtbSyntax::Text() const
{
    return CrLfPositions::toSurfaceText(m_rtb->document()->toRawText());
}

void RtbSyntax::setText(const QString &value)
{
    const QString text = CrLfPositions::toDocumentText(value);
    assignWhole([this, &text] { m_rtb->setPlainText(text); });
    Q_EMIT PropertyChanged(QStringLiteral("Text"));
}

// --- methods -------------------------------------------------------------------------

int RtbSyntax::Find(const QString &bstrString, const QVariant &vStart, const QVariant &vEnd,
    const QVariant &vOptions)
{
    const QString text = Text();
    const int options = vOptions.isValid() ? vOptions.toInt() : 0;
    const int start = std::clamp(vStart.isValid() ? vStart.toInt() : 0, 0, int(text.size()));
    const int end
        = std::clamp(vEnd.isValid() ? vEnd.toInt() : int(text.size()), start, int(text.size()));
    if (bstrString.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs
        = (options & rtfMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QStringView range = QStringView(text).first(end);
    for (int at = int(range.indexOf(bstrString, start, cs)); at >= 0;
         at = int(range.indexOf(bstrString, at + 1, cs))) {
        if ((options & rtfWholeWord) && !isWholeWord(text, at, int(bstrString.size())))
            continue;
        if (!(options & rtfNoHighlight))
            selectSurface(at, at + int(bstrString.size()));
        return at;
    }
    return -1;
}

bool RtbSyntax::isWholeWord(const QString &text, int at, int length)
{
    const auto wordChar = [](QChar c) { return c.isLetterOrNumber() || c == u'_'; };
    const bool before = at > 0 && wordChar(text.at(at - 1));
    const bool after = at + length < text.size() && wordChar(text.at(at + length));
    return !before && !after;
}

int RtbSyntax::GetLineFromChar(int lChar) const
{
    return CrLfPositions(m_rtb->document()).lineOf(lChar);
}

void RtbSyntax::LoadFile(const QString &bstrFilename, const QVariant &vFileType)
{
    QFile file(bstrFilename);
    if (!file.exists())
        throw OrvantaError(OrvantaError::FileNotFound);
    if (!file.open(QIODevice::ReadOnly))
        throw OrvantaError(OrvantaError::PathFileAccessError);
    const QString content = SyntaxFileText::decode(file.readAll());
    const bool plain = vFileType.isValid() && vFileType.toInt() == rtfText;
    // Colours nothing: the host calls HighlightRefresh once the file is in.
    m_colourer->setSuspended(true);
    m_updating = true;
    if (plain || !Qt::mightBeRichText(content))
        m_rtb->setPlainText(CrLfPositions::toDocumentText(content));
    else
        setInnerHtml(content);
    m_updating = false;
    m_colourer->setSuspended(false);
    m_fileName = bstrFilename;
}

void RtbSyntax::Refresh()
{
    m_rtb->viewport()->update();
}

void RtbSyntax::SaveFile(const QString &bstrFilename, const QVariant &vFlags)
{
    const bool plain = vFlags.isValid() && vFlags.toInt() == rtfText;
    const QString content = plain ? Text() : m_rtb->document()->toHtml();
    QFile file(bstrFilename);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content.toUtf8()) < 0
        || !file.flush())
        throw OrvantaError(OrvantaError::PathFileAccessError);
    m_fileName = bstrFilename;
}

void RtbSyntax::SelPrint(QPrinter &printer, const QVariant &)
{
    std::unique_ptr<QTextDocument> copy(m_rtb->document()->clone());
    copyShownColours(*copy);
    const QTextCursor selection = m_rtb->textCursor();
    if (selection.hasSelection()) {
        QTextCursor tail(copy.get());
        tail.setPosition(selection.selectionEnd());
        tail.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        tail.removeSelectedText();
        QTextCursor head(copy.get());
        head.setPosition(selection.selectionStart(), QTextCursor::KeepAnchor);
        head.removeSelectedText();
    }
    copy->print(&printer);
}

void RtbSyntax::copyShownColours(QTextDocument &copy) const
{
    // The colours live in the layout, which a copy does not carry: write them in.
    QTextBlock shown = m_rtb->document()->firstBlock();
    for (QTextBlock block = copy.firstBlock(); block.isValid() && shown.isValid();
         block = block.next(), shown = shown.next()) {
        for (const QTextLayout::FormatRange &range : shown.layout()->formats()) {
            QTextCursor cursor(&copy);
            cursor.setPosition(block.position() + range.start);
            cursor.setPosition(
                block.position() + range.start + range.length, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(range.format);
        }
    }
}

void RtbSyntax::Span(
    const QString &bstrCharacterSet, const QVariant &vForward, const QVariant &vNegate)
{
    const bool forward = optionalBool(vForward, true);
    const bool negate = optionalBool(vNegate, false);
    const QTextDocument *document = m_rtb->document();
    QTextCursor cursor = m_rtb->textCursor();
    int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    const auto spans = [&](int position) {
        return inCharacterSet(bstrCharacterSet, document->characterAt(position)) != negate;
    };
    if (forward) {
        const int last = document->characterCount() - 1;
        while (end < last && spans(end))
            ++end;
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
    } else {
        while (start > 0 && spans(start - 1))
            --start;
        cursor.setPosition(end);
        cursor.setPosition(start, QTextCursor::KeepAnchor);
    }
    m_rtb->setTextCursor(cursor);
}

void RtbSyntax::UpTo(
    const QString &bstrCharacterSet, const QVariant &vForward, const QVariant &vNegate)
{
    const bool forward = optionalBool(vForward, true);
    const bool negate = optionalBool(vNegate, false);
    const QTextDocument *document = m_rtb->document();
    QTextCursor cursor = m_rtb->textCursor();
    const auto stops = [&](int position) {
        return inCharacterSet(bstrCharacterSet, document->characterAt(position)) != negate;
    };
    int position = forward ? cursor.selectionEnd() : cursor.selectionStart();
    if (forward) {
        const int last = document->characterCount() - 1;
        while (position < last && !stops(position))
            ++position;
    } else {
        while (position > 0 && !stops(position - 1))
            --position;
    }
    cursor.setPosition(position);
    m_rtb->setTextCursor(cursor);
}

bool RtbSyntax::inCharacterSet(const QString &set, QChar c)
{
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
        return set.contains(u'\r') || set.contains(u'\n');
    return set.contains(c);
}

// --- run-time-only properties --------------------------------------------------------

void RtbSyntax::guardRead() const
{
    if (m_designMode)
        throw OrvantaError(OrvantaError::GetNotSupportedWriteOnly);
}

void RtbSyntax::guardWrite() const
{
    if (m_designMode)
        throw OrvantaError(OrvantaError::SetNotSupportedReadOnly);
}

QTextCharFormat RtbSyntax::selectionCharFormat() const
{
    return m_rtb->textCursor().charFormat();
}

void RtbSyntax::mergeSelectionCharFormat(const QTextCharFormat &format)
{
    // The selection, or what is typed next at the caret.
    m_rtb->mergeCurrentCharFormat(format);
}

QTextBlockFormat RtbSyntax::selectionBlockFormat() const
{
    return m_rtb->textCursor().blockFormat();
}

void RtbSyntax::mergeSelectionBlockFormat(const QTextBlockFormat &format)
{
    m_rtb->textCursor().mergeBlockFormat(format);
}

int RtbSyntax::SelAlignment() const
{
    guardRead();
    const Qt::Alignment alignment = selectionBlockFormat().alignment();
    if (alignment & Qt::AlignRight)
        return rtfRight;
    if (alignment & Qt::AlignHCenter)
        return rtfCenter;
    return rtfLeft;
}

void RtbSyntax::setSelAlignment(int value)
{
    guardWrite();
    QTextBlockFormat format;
    format.setAlignment(value == rtfRight ? Qt::AlignRight
            : value == rtfCenter          ? Qt::AlignHCenter
                                          : Qt::AlignLeft);
    mergeSelectionBlockFormat(format);
}

bool RtbSyntax::SelBold() const
{
    guardRead();
    return selectionCharFormat().fontWeight() >= QFont::Bold;
}

void RtbSyntax::setSelBold(bool value)
{
    guardWrite();
    QTextCharFormat format;
    format.setFontWeight(value ? QFont::Bold : QFont::Normal);
    mergeSelectionCharFormat(format);
}

bool RtbSyntax::SelItalic() const
{
    guardRead();
    return selectionCharFormat().fontItalic();
}

void RtbSyntax::setSelItalic(bool value)
{
    guardWrite();
    QTextCharFormat format;
    format.setFontItalic(value);
    mergeSelectionCharFormat(format);
}

bool RtbSyntax::SelStrikethru() const
{
    guardRead();
    return selectionCharFormat().fontStrikeOut();
}

void RtbSyntax::setSelStrikethru(bool value)
{
    guardWrite();
    QTextCharFormat format;
    format.setFontStrikeOut(value);
    mergeSelectionCharFormat(format);
}

bool RtbSyntax::SelUnderline() const
{
    guardRead();
    return selectionCharFormat().fontUnderline();
}

void RtbSyntax::setSelUnderline(bool value)
{
    guardWrite();
    QTextCharFormat format;
    format.setFontUnderline(value);
    mergeSelectionCharFormat(format);
}

QVariant RtbSyntax::SelBullet() const
{
    guardRead();
    return m_rtb->textCursor().currentList() != nullptr;
}

void RtbSyntax::setSelBullet(const QVariant &value)
{
    guardWrite();
    QTextCursor cursor = m_rtb->textCursor();
    QTextList *list = cursor.currentList();
    if (value.toBool() && !list) {
        cursor.createList(QTextListFormat::ListDisc);
    } else if (!value.toBool() && list) {
        list->remove(cursor.block());
        QTextBlockFormat format = cursor.blockFormat();
        format.setIndent(0);
        cursor.setBlockFormat(format);
    }
}

QVariant RtbSyntax::SelCharOffset() const
{
    guardRead();
    return selectionCharFormat().intProperty(charOffsetProperty);
}

void RtbSyntax::setSelCharOffset(const QVariant &value)
{
    guardWrite();
    const int offset = value.toInt();
    QTextCharFormat format;
    format.setProperty(charOffsetProperty, offset);
    format.setVerticalAlignment(offset > 0 ? QTextCharFormat::AlignSuperScript
            : offset < 0                   ? QTextCharFormat::AlignSubScript
                                           : QTextCharFormat::AlignNormal);
    mergeSelectionCharFormat(format);
}

QString RtbSyntax::SelRTF() const
{
    guardRead();
    return m_rtb->textCursor().selection().toHtml();
}

void RtbSyntax::setSelRTF(const QString &value)
{
    guardWrite();
    m_rtb->textCursor().insertHtml(value);
}

int RtbSyntax::SelTabCount() const
{
    guardRead();
    return int(selectionBlockFormat().tabPositions().size());
}

void RtbSyntax::setSelTabCount(int value)
{
    guardWrite();
    QList<QTextOption::Tab> tabs = selectionBlockFormat().tabPositions();
    const int count = std::max(value, 0);
    while (tabs.size() > count)
        tabs.removeLast();
    while (tabs.size() < count)
        tabs.append(
            QTextOption::Tab((tabs.size() + 1) * 720 / twipsPerPixel, QTextOption::LeftTab));
    QTextBlockFormat format;
    format.setTabPositions(tabs);
    mergeSelectionBlockFormat(format);
}

int RtbSyntax::SelTabs(int Index) const
{
    guardRead();
    const QList<QTextOption::Tab> tabs = selectionBlockFormat().tabPositions();
    if (Index < 0 || Index >= tabs.size())
        throw OrvantaError(OrvantaError::SubscriptOutOfRange);
    return int(tabs.at(Index).position * twipsPerPixel);
}

void RtbSyntax::setSelTabs(int Index, int value)
{
    guardWrite();
    QList<QTextOption::Tab> tabs = selectionBlockFormat().tabPositions();
    if (Index < 0 || Index >= tabs.size())
        throw OrvantaError(OrvantaError::SubscriptOutOfRange);
    tabs[Index].position = value / twipsPerPixel;
    QTextBlockFormat format;
    format.setTabPositions(tabs);
    mergeSelectionBlockFormat(format);
}

QVariant RtbSyntax::SelColor() const
{
    guardRead();
    const QTextCursor cursor = m_rtb->textCursor();
    // With nothing selected, the colour is that of the character before the caret.
    const int from
        = cursor.hasSelection() ? cursor.selectionStart() : std::max(cursor.position() - 1, 0);
    const int to = cursor.hasSelection() ? cursor.selectionEnd() : from + 1;
    const std::optional<quint32> shown = m_colourer->shownColour(from, to);
    return shown ? QVariant(*shown) : QVariant();
}

void RtbSyntax::setSelColor(const QVariant &value)
{
    guardWrite();
    const QTextCursor cursor = m_rtb->textCursor();
    m_colourer->paint(cursor.selectionStart(), cursor.selectionEnd(), value.toUInt());
}

int RtbSyntax::SelHangingIndent() const
{
    guardRead();
    return int(-selectionBlockFormat().textIndent() * twipsPerPixel);
}

void RtbSyntax::setSelHangingIndent(int value)
{
    guardWrite();
    QTextBlockFormat format;
    format.setTextIndent(-value / twipsPerPixel);
    mergeSelectionBlockFormat(format);
}

int RtbSyntax::SelIndent() const
{
    guardRead();
    return int(selectionBlockFormat().leftMargin() * twipsPerPixel);
}

void RtbSyntax::setSelIndent(int value)
{
    guardWrite();
    QTextBlockFormat format;
    format.setLeftMargin(value / twipsPerPixel);
    mergeSelectionBlockFormat(format);
}

int RtbSyntax::SelRightIndent() const
{
    guardRead();
    return int(selectionBlockFormat().rightMargin() * twipsPerPixel);
}

void RtbSyntax::setSelRightIndent(int value)
{
    guardWrite();
    QTextBlockFormat format;
    format.setRightMargin(value / twipsPerPixel);
    mergeSelectionBlockFormat(format);
}

int RtbSyntax::SelLength() const
{
    guardRead();
    const QTextCursor cursor = m_rtb->textCursor();
    const CrLfPositions positions(m_rtb->document());
    return positions.toSurface(cursor.selectionEnd())
        - positions.toSurface(cursor.selectionStart());
}

void RtbSyntax::setSelLength(int value)
{
    guardWrite();
    const int start = SelStart();
    selectSurface(start, start + std::max(value, 0));
}

int RtbSyntax::SelStart() const
{
    guardRead();
    return CrLfPositions(m_rtb->document()).toSurface(m_rtb->textCursor().selectionStart());
}

void RtbSyntax::setSelStart(int value)
{
    guardWrite();
    selectSurface(value, value);
}

void RtbSyntax::selectSurface(int from, int to)
{
    const CrLfPositions positions(m_rtb->document());
    QTextCursor cursor = m_rtb->textCursor();
    cursor.setPosition(positions.toDocument(from));
    cursor.setPosition(positions.toDocument(to), QTextCursor::KeepAnchor);
    m_rtb->setTextCursor(cursor);
}

QString RtbSyntax::SelText() const
{
    guardRead();
    return CrLfPositions::toSurfaceText(m_rtb->textCursor().selectedText());
}

void RtbSyntax::setSelText(const QString &value)
{
    guardWrite();
    QTextCursor cursor = m_rtb->textCursor();
    cursor.insertText(CrLfPositions::toDocumentText(value));
    m_rtb->setTextCursor(cursor);
}

QVariant RtbSyntax::SelProtected() const
{
    guardRead();
    return selectionCharFormat().boolProperty(protectedProperty);
}

void RtbSyntax::setSelProtected(const QVariant &value)
{
    guardWrite();
    QTextCharFormat format;
    format.setProperty(protectedProperty, value.toBool());
    mergeSelectionCharFormat(format);
}

QString RtbSyntax::TextRTF() const
{
    guardRead();
    return m_rtb->document()->toHtml();
}

void RtbSyntax::setTextRTF(const QString &value)
{
    guardWrite();
    assignWhole([this, &value] { setInnerHtml(value); });
}

void RtbSyntax::setInnerHtml(const QString &html)
{
    QTextDocument *document = m_rtb->document();
    document->setHtml(html);
    // Line breaks inside a paragraph become paragraph breaks, so that every break is
    // one CR LF at the surface.
    QTextCursor found = document->find(QString(QChar::LineSeparator));
    while (!found.isNull()) {
        found.insertBlock();
        found = document->find(QString(QChar::LineSeparator), found);
    }
    document->clearUndoRedoStacks();
    document->setModified(false);
}

// --- the host form -------------------------------------------------------------------

void RtbSyntax::InitProperties()
{
    m_ForeColor = 0;
    m_hWnd = 0;
}

void RtbSyntax::ReadProperties(const PropertyBag &bag)
{
    m_updating = true;
    m_colourer->setSuspended(true);
    setAutoVerbMenu(bag.ReadProperty(QStringLiteral("AutoVerbMenu"), false).toBool());
    setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), SystemWindowBackground).toUInt());
    setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), 0u).toUInt());
    setBorderStyle(bag.ReadProperty(QStringLiteral("BorderStyle"), 1).toInt());
    setBulletIndent(bag.ReadProperty(QStringLiteral("BulletIndent"), 0.0f).toFloat());
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    setFileName(bag.ReadProperty(QStringLiteral("FileName"), QString()).toString());
    setHideSelection(bag.ReadProperty(QStringLiteral("HideSelection"), true).toBool());
    setHwnd(bag.ReadProperty(QStringLiteral("hWnd"), 0).toInt());
    setLocked(bag.ReadProperty(QStringLiteral("Locked"), false).toBool());
    setMaxLength(bag.ReadProperty(QStringLiteral("MaxLength"), 0).toInt());
    setMouseIcon(bag.ReadProperty(QStringLiteral("MouseIcon"), QPixmap()).value<QPixmap>());
    setMousePointer(bag.ReadProperty(QStringLiteral("MousePointer"), 0).toInt());
    setRightMargin(bag.ReadProperty(QStringLiteral("RightMargin"), 0.0f).toFloat());
    m_rtb->setPlainText(CrLfPositions::toDocumentText(
        bag.ReadProperty(QStringLiteral("Text"), QString()).toString()));
    m_colourer->setSuspended(false);
    m_updating = false;
    HighlightRefresh();
}

void RtbSyntax::WriteProperties(PropertyBag &bag) const
{
    const QFont ambient = parentWidget() ? parentWidget()->font() : QApplication::font();
    bag.WriteProperty(QStringLiteral("AutoVerbMenu"), AutoVerbMenu(), false);
    bag.WriteProperty(QStringLiteral("BackColor"), BackColor(), SystemWindowBackground);
    bag.WriteProperty(QStringLiteral("ForeColor"), ForeColor(), 0u);
    bag.WriteProperty(QStringLiteral("BorderStyle"), BorderStyle(), 1);
    bag.WriteProperty(QStringLiteral("BulletIndent"), BulletIndent(), 0.0f);
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("FileName"), FileName(), QString());
    bag.WriteProperty(QStringLiteral("Font"), Font(), ambient);
    bag.WriteProperty(QStringLiteral("HideSelection"), HideSelection(), true);
    bag.WriteProperty(QStringLiteral("hWnd"), hwnd(), 0);
    bag.WriteProperty(QStringLiteral("Locked"), Locked(), false);
    bag.WriteProperty(QStringLiteral("MaxLength"), MaxLength(), 0);
    bag.WriteProperty(QStringLiteral("MouseIcon"), MouseIcon(), QPixmap());
    bag.WriteProperty(QStringLiteral("MousePointer"), MousePointer(), 0);
    bag.WriteProperty(QStringLiteral("RightMargin"), RightMargin(), 0.0f);
    bag.WriteProperty(QStringLiteral("Text"), Text(), QString());
}
