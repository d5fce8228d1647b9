#include "CycleInputGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool isOperatorInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

CycleInputGate::CycleInputGate(Predicate inCycle, Passes passes, QObject* parent)
    : QObject(parent), inCycle_(std::move(inCycle)), passes_(std::move(passes)) {
    QCoreApplication::instance()->installEventFilter(this);
}

CycleInputGate::~CycleInputGate() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool CycleInputGate::eventFilter(QObject* watched, QEvent* event) {
    // Only the widgets' own input: the window system's events reach a widget through its window, and
    // holding them there would leave the window's press and release bookkeeping half done.
    if (!isOperatorInput(event->type()) || !watched->isWidgetType() || !inCycle_() || passes_(watched)) {
        return false;
    }
    held_.push_back(Held{watched, std::unique_ptr<QEvent>(event->clone())});
    return true;
}

void CycleInputGate::release() {
    std::vector<Held> held;
    held.swap(held_);
    for (Held& h : held) {
        if (h.receiver) {
            // Posted, so that each reaches its widget from the event loop, after the cycle's handler.
            QCoreApplication::postEvent(h.receiver, h.event.release());
        }
    }
}
