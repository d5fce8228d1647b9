#pragma once

#include "MessageService.h"

#include <QApplication>

// The application object. Its last line of defence shows any error that no handler caught in the
// standard error box and goes on with the next event.
class VeloriaApplication : public QApplication {
    Q_OBJECT
public:
    VeloriaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
