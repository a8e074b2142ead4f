#include "app/ReapplyOffer.h"

#include "platform/core/Bundle.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

using platform::bundle::localizedString;

ReapplyOffer::ReapplyOffer(QMainWindow& window, QMenu& fileMenu, QAction* before,
                           library::PictureSystem& system, Tell tell)
    : QObject(&window), system_(system), tell_(std::move(tell)), bar_(new QWidget(&window)),
      line_(new QLabel(bar_)), action_(new QAction(&window)) {
    line_->setObjectName(QStringLiteral("reapplyLine"));
    line_->setTextFormat(Qt::PlainText);
    auto* button = new QPushButton(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Reapply")), bar_);
    button->setObjectName(QStringLiteral("reapplyButton"));
    auto* layout = new QHBoxLayout(bar_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(line_);
    layout->addWidget(button);
    // Beside the mode, where a message of the status bar does not hide it.
    window.statusBar()->insertPermanentWidget(1, bar_);
    bar_->hide();
    action_->setObjectName(QStringLiteral("reapply"));
    action_->setText(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Reappl&y Sets")));
    fileMenu.setToolTipsVisible(true);
    fileMenu.insertAction(before, action_);
    connect(button, &QPushButton::clicked, this, [this] { run(); });
    connect(action_, &QAction::triggered, this, [this] { run(); });
}

void ReapplyOffer::check() {
    QStringList outdated;
    const std::vector<library::InstalledSet> sets = system_.installedSets();
    for (const library::InstalledSet& installed : sets)
        if (installed.outdated)
            outdated << system_.itemTitle(installed.item) + QStringLiteral(": ") +
                            QString::fromStdString(installed.set);
    line_->setText(localizedString(QT_TRANSLATE_NOOP(
                       "Trayskin", "The theme changed since these sets were installed:")) +
                   u' ' + outdated.join(QStringLiteral(", ")));
    bar_->setVisible(!outdated.isEmpty());
    action_->setEnabled(!sets.empty());
    action_->setToolTip(sets.empty() ? localizedString(QT_TRANSLATE_NOOP(
                                           "Trayskin", "No item shows a set to reapply."))
                                     : QString());
}

void ReapplyOffer::run() {
    tell_(reapplyReport(system_));
    check();
}
