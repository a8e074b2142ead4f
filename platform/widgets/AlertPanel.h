// Modal alert panels: a title, a message and one button. The presenter can be
// replaced, so that tests read what would be shown and answer it.
#pragma once

#include <QString>
#include <functional>

namespace platform {

struct Alert {
    QString title;
    QString message;
    QString button;
};

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // Shows the alert modally and returns when it is dismissed.
    virtual void present(const Alert& alert) = 0;
};

// Shows the alert with the current presenter (a modal message box unless a
// test has put its own in place). The message is shown literally.
void runAlertPanel(const QString& title, const QString& message, const QString& button);

// Installs a presenter; nullptr restores the message box. Not owned.
void setAlertPresenter(AlertPresenter* presenter);

} // namespace platform
