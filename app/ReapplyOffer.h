// The window's Reapply: its status bar says when the theme changed under an
// installed set and offers to install it again.
#pragma once

#include "app/Reapply.h"

#include <QObject>
#include <functional>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;

// The window's offer: a line and a Reapply button in the status bar while
// the theme has changed under an installed set, and File > Reapply Sets.
class ReapplyOffer final : public QObject {
public:
    using Tell = std::function<void(const library::PlaceReport&)>;
    // The command goes into the File menu before the action `before`.
    ReapplyOffer(QMainWindow& window, QMenu& fileMenu, QAction* before,
                 library::PictureSystem& system, Tell tell);

    // Reads the records again: the line and the button show while an
    // installed set is out of date; the command is there while any is installed.
    void check();
    // Reapplies and tells the outcome; then checks again.
    void run();

private:
    library::PictureSystem& system_;
    Tell tell_;
    QWidget* bar_;
    QLabel* line_;
    QAction* action_;
};
