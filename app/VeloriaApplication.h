#pragma once

#include <QApplication>
#include <QGuiApplication>

// The application object of the window program. Its last line of defence shows any error that no handler
// caught in the standard error box and goes on with the next event.
class VeloriaApplication : public QApplication {
    Q_OBJECT
public:
    VeloriaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The application object of the service: fonts and painting for the tickets, and no widgets at all (one
// made by mistake would end the program at once). Errors that no handler caught are reported the same way.
class VeloriaServiceApplication : public QGuiApplication {
    Q_OBJECT
public:
    VeloriaServiceApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
