// Modal alert panels: a title, a message, an optional detail below it (why
// something failed), one button and, for a question or an offer, a second
// one. The presenter can be replaced, so that tests read what would be shown
// and answer it.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace platform {

struct Alert {
    QString title;
    QString message;
    QString button;
    QString detail; // empty: none
    // A second button (empty: none): a cancel, which Escape answers too,
    // or an offer beside the button, which only a click takes.
    QString other{};
    bool otherCancels = false;
};

class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    // Shows the alert modally and returns when it is dismissed: whether the
    // second button answered it.
    virtual bool present(const Alert& alert) = 0;
};

// Shows the alert with the current presenter (a modal panel unless a test
// has put its own in place). Title, message and detail are shown literally.
void runAlertPanel(const QString& title, const QString& message, const QString& button,
                   const QString& detail = QString());
// The same with its second button; whether that button answered it.
bool runAlertPanel(const Alert& alert);

// Installs a presenter; nullptr restores the panel. Not owned.
void setAlertPresenter(AlertPresenter* presenter);

// The window that panels sit on (centred on it, modal to it) while it is
// shown; otherwise they appear in the middle of the screen. Not owned.
void setAlertParent(QWidget* window);

} // namespace platform
