#include "platform/widgets/AlertPanel.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

class MessageBoxPresenter final : public AlertPresenter {
public:
    void present(const Alert& alert) override {
        QMessageBox box;
        box.setWindowTitle(alert.title);
        box.setIcon(QMessageBox::Information);
        box.setTextFormat(Qt::PlainText);
        box.setText(alert.title);
        // The informative text has no plain-text mode: escape it and mark it
        // as rich text, so that a path holding "<" or "&" shows as it is.
        QString literal = alert.message.toHtmlEscaped();
        literal.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        box.setInformativeText(QStringLiteral("<qt>") + literal + QStringLiteral("</qt>"));
        QPushButton* button = box.addButton(alert.button, QMessageBox::AcceptRole);
        box.setDefaultButton(button);
        box.setEscapeButton(button);
        box.exec();
    }
};

AlertPresenter* current = nullptr;

} // namespace

void setAlertPresenter(AlertPresenter* presenter) {
    current = presenter;
}

void runAlertPanel(const QString& title, const QString& message, const QString& button) {
    static MessageBoxPresenter messageBox;
    AlertPresenter* presenter = current ? current : &messageBox;
    presenter->present(Alert{title, message, button});
}

} // namespace platform
