#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// The polls still waiting; the test environment deletes them when a test ends, since
// their actions refer to that test's variables.
inline QObject &pendingPolls()
{
    static QObject owner;
    return owner;
}

// Polls every 10 ms until find returns a window, then runs action on it; after 5 s
// it gives up, fails the test with what it waited for and closes the window at hand.
template<class W>
void pollForWindow(
    std::function<W *()> find, std::function<void(W &)> action, const QString &waitedFor)
{
    auto *poll = new QTimer(&pendingPolls());
    QObject::connect(poll, &QTimer::timeout, [=, waited = 0]() mutable {
        W *window = find();
        if (!window && ++waited <= 500)
            return;
        poll->stop();
        poll->deleteLater();
        if (window)
            return action(*window);
        ADD_FAILURE() << qPrintable(waitedFor) << " never showed";
        QApplication::closeAllWindows();
    });
    poll->start(10);
}

// Runs action on the visible top-level window named objectName once a modal loop (which
// the test is about to enter) shows it.
template<class W = QWidget>
void whenShown(const QString &objectName, std::function<void(W &)> action)
{
    pollForWindow<W>(
        [objectName]() -> W * {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *window = qobject_cast<W *>(widget);
                if (window && window->isVisible() && window->objectName() == objectName)
                    return window;
            }
            return nullptr;
        },
        action, QStringLiteral("window ") + objectName);
}

// The visible modal message box or dialog of the moment.
template<class W> void whenModal(std::function<void(W &)> action)
{
    pollForWindow<W>([]() { return qobject_cast<W *>(QApplication::activeModalWidget()); }, action,
        QStringLiteral("a modal window"));
}

// Fails the test and closes every window when a modal loop is still running after the
// time given, so that a window that does not close cannot hang the test run.
class ModalWatchdog
{
public:
    explicit ModalWatchdog(int milliseconds = 15000)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            ADD_FAILURE() << "a window was still open; closing it";
            QApplication::closeAllWindows();
        });
        m_timer.start(milliseconds);
    }

private:
    QTimer m_timer;
};
