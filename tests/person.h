#pragma once

// Acting on the windows as a person does, from inside a test.

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

// Types into a box: keys for ASCII, the input method's committed text for
// anything else (a Japanese name, say), as it reaches a box from an IME.
inline void Type(QWidget* box, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(box, QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(box, &commit);
        }
    }
}

// A modal window's exec() blocks the test, so what is to be done in it is
// queued to run once the window is open.

// Runs act on the next active modal widget of type T, as soon as one is
// open. Gives up after about five seconds, leaving failed set, or when owner
// is destroyed.
template <typename T>
void WhenModalOpens(QObject* owner, std::function<void(T*)> act, bool* failed = nullptr) {
    auto* timer = new QTimer(owner);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries, failed] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(window);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            if (failed)
                *failed = true;
        }
    });
    timer->start(10);
}
