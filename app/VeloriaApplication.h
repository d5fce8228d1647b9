#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object. Its last line of defence shows any error that no handler caught in the
// standard error box and goes on with the next event.
class VeloriaApplication : public QApplication {
    Q_OBJECT
public:
    VeloriaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// What the default handler does with an error that reached it.
void handleUncaughtException(std::exception_ptr error);

// Runs the body of one of the program's handlers (a button, a menu item, a timer tick) and shows an error
// it raises in the standard error box right here. The toolkit's libraries are built without exception
// support, so an error must never unwind through their frames on its way to the default handler.
void runHandler(const std::function<void()>& body);
