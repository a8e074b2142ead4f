#include "platform/widgets/AlertPanel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>

namespace platform {

namespace {

QPointer<QWidget>& alertParent() {
    static QPointer<QWidget> parent;
    return parent;
}

// An assistive client hears a panel as an alert, not as a plain dialog.
QAccessibleInterface* alertAccessible(const QString&, QObject* object) {
    if (object && object->isWidgetType() && object->objectName() == QLatin1String("alertPanel"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

// A modal panel with the application's icon, the title in bold, the message,
// the detail below it when there is one, and one button. The texts are plain
// text, shown exactly as given: every space, "%", "<", "&" and line break.
class AlertDialog final : public QDialog {
public:
    explicit AlertDialog(const Alert& alert, QWidget* parent) : QDialog(parent) {
        static const bool factoryInstalled = (QAccessible::installFactory(alertAccessible), true);
        (void)factoryInstalled;
        setObjectName(QStringLiteral("alertPanel"));
        setWindowTitle(alert.title);
        setAccessibleName(alert.title);
        setAccessibleDescription(alert.detail.isEmpty()
                                     ? alert.message
                                     : alert.message + QLatin1Char('\n') + alert.detail);
        setModal(true);
        auto* icon = new QLabel(this);
        const QIcon appIcon = QApplication::windowIcon().isNull()
                                  ? style()->standardIcon(QStyle::SP_MessageBoxInformation)
                                  : QApplication::windowIcon();
        icon->setPixmap(appIcon.pixmap(QSize(48, 48), devicePixelRatio()));
        icon->setAlignment(Qt::AlignTop);
        title_ = new QLabel(this);
        title_->setObjectName(QStringLiteral("alertTitle"));
        title_->setTextFormat(Qt::PlainText);
        title_->setText(alert.title);
        QFont bold = title_->font();
        bold.setBold(true);
        title_->setFont(bold);
        message_ = new QLabel(this);
        message_->setObjectName(QStringLiteral("alertMessage"));
        message_->setTextFormat(Qt::PlainText);
        message_->setText(alert.message);
        message_->setWordWrap(true);
        message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        detail_ = new QLabel(this);
        detail_->setObjectName(QStringLiteral("alertDetail"));
        detail_->setTextFormat(Qt::PlainText);
        detail_->setText(alert.detail);
        detail_->setWordWrap(true);
        detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        detail_->setVisible(!alert.detail.isEmpty());
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* button = buttons->addButton(alert.button, QDialogButtonBox::AcceptRole);
        button->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        if (!alert.other.isEmpty()) {
            QPushButton* other =
                buttons->addButton(alert.other, alert.otherCancels ? QDialogButtonBox::RejectRole
                                                                   : QDialogButtonBox::ActionRole);
            other->setObjectName(QStringLiteral("alertOther"));
            other->setAutoDefault(false);
            connect(other, &QPushButton::clicked, this, [this] { done(kOther); });
        }
        otherCancels_ = alert.otherCancels;

        auto* layout = new QGridLayout(this);
        layout->addWidget(icon, 0, 0, 2, 1);
        layout->addWidget(title_, 0, 1);
        layout->addWidget(message_, 1, 1);
        layout->addWidget(detail_, 2, 1);
        layout->addWidget(buttons, 3, 0, 1, 2);
        layout->setColumnStretch(1, 1);
        // Wide enough for the whole title, in the panel and in a frame's
        // title bar; the message wraps below it.
        const int titleWidth = QFontMetrics(bold).horizontalAdvance(alert.title);
        message_->setMinimumWidth(std::max(320, titleWidth + 96));
        title_->setMinimumWidth(titleWidth);
    }

    // Escape answers with the cancel when there is one, else with the
    // button, as a click would.
    void reject() override {
        if (otherCancels_)
            done(kOther);
        else
            accept();
    }
    static constexpr int kOther = 2;

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        QAccessibleEvent shown(this, QAccessible::Alert);
        QAccessible::updateAccessibility(&shown);
    }

private:
    QLabel* title_;
    QLabel* message_;
    QLabel* detail_;
    bool otherCancels_ = false;
};

class DialogPresenter final : public AlertPresenter {
public:
    bool present(const Alert& alert) override {
        QWidget* parent = alertParent();
        if (parent && !parent->isVisible())
            parent = nullptr;
        AlertDialog dialog(alert, parent);
        dialog.adjustSize();
        if (!parent) {
            // No window to sit on yet: the middle of the screen.
            if (QScreen* screen = QGuiApplication::primaryScreen())
                dialog.move(screen->availableGeometry().center() - dialog.rect().center());
        }
        return dialog.exec() == AlertDialog::kOther;
    }
};

AlertPresenter* current = nullptr;

} // namespace

void setAlertPresenter(AlertPresenter* presenter) {
    current = presenter;
}

void setAlertParent(QWidget* window) {
    alertParent() = window;
}

void runAlertPanel(const QString& title, const QString& message, const QString& button,
                   const QString& detail) {
    runAlertPanel(Alert{title, message, button, detail});
}

bool runAlertPanel(const Alert& alert) {
    static DialogPresenter dialogs;
    AlertPresenter* presenter = current ? current : &dialogs;
    return presenter->present(alert);
}

} // namespace platform
