#pragma once

#include <QString>
#include <exception>
#include <functional>

// Every message box of the program goes through the current MessageService, so that tests can answer
// the boxes instead of blocking on them.
enum class MessageIcon { None, Error, Warning, Information, Question };

enum MessageButton : int { MbOk = 1, MbCancel = 2, MbYes = 4, MbNo = 8 };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    int buttons = MbOk;
};

class MessageService {
public:
    virtual ~MessageService() = default;

    // Shows the box modally and returns the button the user pressed.
    virtual MessageButton show(const MessageRequest& request) = 0;

    static MessageService& current();
    // Replaces the service; the caller keeps ownership. nullptr restores the default, which writes each box
    // to standard error: the window program puts its message boxes in place at start, the service its log.
    static void setCurrent(MessageService* service);
};

// The caption of the program's own boxes: the application title.
inline constexpr const char* ApplicationTitle = "Printing Server";

// The standard error box text: a full stop is appended unless the text already ends in one or in a
// character whose code is below it.
QString withClosingFullStop(const QString& message);

// The application's standard error box: error icon, one OK button, the application title as caption.
void showStandardError(const QString& message);

// A plain information box: no icon, one OK button, the application title as caption.
void showInformation(const QString& text);

// An error's own message ("Unknown error" for what is no standard exception).
QString errorMessage(std::exception_ptr error);

// What the default handler does with an error that reached it: the standard error box with the error's
// message. The settings windows use it for the failures they leave to the program.
void handleUncaughtException(std::exception_ptr error);

// Runs `work` (the body of one of the program's handlers: a button, a menu item, a timer tick) and hands
// any error it raises to the default handler right here. The toolkit's libraries are built without
// exception support, so an error must never unwind through their frames on its way to the default handler.
void runReportingErrors(const std::function<void()>& work);
