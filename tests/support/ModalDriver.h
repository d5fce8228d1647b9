#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

// Once the top modal window is a visible T for which `ready` holds, runs `act` on it (from the event loop
// of whatever modal window is running). Nothing here ever waits for a person.
template <typename T> void whenModal(std::function<bool(T*)> ready, std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, ready, act] {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (window != nullptr && window->isVisible() && ready(window)) {
            timer->stop();
            timer->deleteLater();
            act(window);
        }
    });
    timer->start();
}

template <typename T> void whenModal(std::function<void(T*)> act) {
    whenModal<T>([](T*) { return true; }, std::move(act));
}

// The child widget of that objectName; a test failure when there is none.
template <typename W> W* child(QWidget* parent, const char* name) {
    W* widget = parent->findChild<W*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// A test that goes wrong closes the modal windows it left open instead of hanging: after `milliseconds`
// the watchdog fails the test and rejects every modal window.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int milliseconds = 30000) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [] {
            ADD_FAILURE() << "a window was left open";
            while (auto* w = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                w->done(QDialog::Rejected);
                QApplication::processEvents();
            }
        });
        timer_.start(milliseconds);
    }

private:
    QTimer timer_;
};
