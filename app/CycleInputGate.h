#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QEvent;

// Holds the operator's clicks and keys back while a print cycle runs. Printing lets the windows handle
// events between pages; a click handled then (a settings window's Save, a button that opens a window)
// would run inside the cycle while its order's transaction is open, or wait for a window to close with the
// database held. Held input is handed to its widget, in its order, once the cycle has ended. What must
// act at once (Stop, Exit, the menus, whose items defer themselves) passes.
class CycleInputGate : public QObject {
    Q_OBJECT
public:
    using Predicate = std::function<bool()>;
    using Passes = std::function<bool(QObject* receiver)>;

    // `inCycle` tells whether a cycle runs; `passes` picks the receivers whose input is never held.
    CycleInputGate(Predicate inCycle, Passes passes, QObject* parent = nullptr);
    ~CycleInputGate() override;

    // Posts the held input to its widgets (those still there), in the order it came.
    void release();
    bool holding() const { return !held_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QObject> receiver;
        std::unique_ptr<QEvent> event;
    };

    Predicate inCycle_;
    Passes passes_;
    std::vector<Held> held_;
};
