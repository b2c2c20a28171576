#pragma once

#include <QPlainTextEdit>

// The rich edit box inside the calculation box. It raises the control's keyboard and
// mouse events with parameters a handler may change, inserts the tab itself, and keeps
// every line break a paragraph break so positions map one to one with CR LF.
class InnerBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit InnerBox(QWidget *parent = nullptr);

    void setVerbMenu(bool on) { m_verbMenu = on; }
    // 0 means no limit.
    void setMaxLength(int length) { m_maxLength = length; }

Q_SIGNALS:
    void keyDown(int &keyCode, int &shift);
    void keyUp(int &keyCode, int &shift);
    void keyPress(int &keyAscii);
    void mouseDown(int &button, int &shift, float &x, float &y);
    void mouseMove(int &button, int &shift, float &x, float &y);
    void mouseUp(int &button, int &shift, float &x, float &y);
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    bool raiseKeyPress(QKeyEvent *event);
    void insertTyped(const QString &text);
    int roomLeft() const;
    QPointF inTwips(const QPointF &viewportPosition) const;

    bool m_verbMenu = false;
    int m_maxLength = 0;
};
