#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Runs action on the visible top-level window named objectName once a modal loop (which
// the test is about to enter) shows it. A window that never shows fails the test, and
// every window is closed so that the loop cannot hang.
template<class W = QWidget>
void whenShown(const QString &objectName, std::function<void(W &)> action)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *window = qobject_cast<W *>(widget);
            if (window && window->isVisible() && window->objectName() == objectName) {
                poll->stop();
                poll->deleteLater();
                action(*window);
                return;
            }
        }
        if (++*waited > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "window " << qPrintable(objectName) << " never showed";
            QApplication::closeAllWindows();
        }
    });
    poll->start();
}

// The visible modal message box or dialog of the moment.
template<class W> void whenModal(std::function<void(W &)> action)
{
    auto *poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*window);
            return;
        }
        if (++*waited > 500) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal window showed";
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    poll->start();
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
