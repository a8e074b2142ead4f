#include "platform/widgets/AlertPanel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct Shown {
    QString title, windowTitle, message, detail, button;
    bool plain = false;
    bool detailShown = false;
    QAccessible::Role role = QAccessible::NoRole;
    QString spoken; // what an assistive client reads: name and description
    QWidget* parent = nullptr;
};

// Shows the alert with the real panel, reads what is on screen and answers it.
Shown showAndRead(const QString& title, const QString& message, const QString& detail = QString()) {
    Shown shown;
    QTimer::singleShot(0, [&] {
        auto* panel = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(panel);
        auto* titleLabel = panel->findChild<QLabel*>("alertTitle");
        auto* messageLabel = panel->findChild<QLabel*>("alertMessage");
        auto* detailLabel = panel->findChild<QLabel*>("alertDetail");
        ASSERT_TRUE(titleLabel && messageLabel && detailLabel);
        shown.title = titleLabel->text();
        shown.windowTitle = panel->windowTitle();
        shown.message = messageLabel->text();
        shown.detail = detailLabel->text();
        shown.detailShown = detailLabel->isVisible();
        shown.plain = titleLabel->textFormat() == Qt::PlainText &&
                      messageLabel->textFormat() == Qt::PlainText &&
                      detailLabel->textFormat() == Qt::PlainText;
        auto buttons = panel->findChildren<QAbstractButton*>();
        ASSERT_EQ(buttons.size(), 1);
        shown.button = buttons.front()->text();
        shown.parent = panel->parentWidget();
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(panel);
        ASSERT_TRUE(read);
        shown.role = read->role();
        shown.spoken =
            read->text(QAccessible::Name) + QLatin1Char('|') + read->text(QAccessible::Description);
        buttons.front()->click();
    });
    platform::setAlertPresenter(nullptr);
    platform::runAlertPanel(title, message, "OK", detail);
    return shown;
}

} // namespace

TEST(AlertPanel, ShowsTitleAndMessageExactlyAsGiven) {
    // A path with runs of spaces, markup, ampersands, percent signs and a
    // line break, as a failure alert may carry it.
    const QString title = "Installation  Complete <b>&amp;</b>";
    const QString message =
        "Wrong Password (/a/Big  Set %@/<b>bold</b> & 100% %d.tif to\n  /x/y z.tif)";
    const Shown shown = showAndRead(title, message);
    EXPECT_TRUE(shown.plain);
    EXPECT_EQ(shown.title, title);
    EXPECT_EQ(shown.windowTitle, title);
    EXPECT_EQ(shown.message, message);
    EXPECT_EQ(shown.parent, nullptr);
    EXPECT_FALSE(shown.detailShown);

    // The cause of a failure beneath the message, as plain as the rest.
    const QString detail = "The picture is not a <b>TIFF</b> picture & 100%.";
    const Shown failure = showAndRead("My Apologies", message, detail);
    EXPECT_TRUE(failure.plain);
    EXPECT_EQ(failure.message, message);
    EXPECT_EQ(failure.detail, detail);
    EXPECT_TRUE(failure.detailShown);
    EXPECT_EQ(shown.role, QAccessible::AlertMessage);
    EXPECT_EQ(shown.spoken, title + QLatin1Char('|') + message);

    // With a main window on screen, the panel sits on it.
    QMainWindow window;
    window.show();
    platform::setAlertParent(&window);
    EXPECT_EQ(showAndRead("My Apologies", "Bad copy").parent, &window);
    platform::setAlertParent(nullptr);
}

// A second button: a cancel answers Escape too; an offer is taken only by a
// click on it, never by Escape.
TEST(AlertPanel, ASecondButtonIsACancelOrAnOffer) {
    enum class Answer { Escape, Button, Other };
    const struct {
        bool otherCancels;
        Answer answer;
        bool other;
    } cases[] = {
        {true, Answer::Escape, true},   {true, Answer::Button, false},
        {true, Answer::Other, true},    {false, Answer::Escape, false},
        {false, Answer::Button, false}, {false, Answer::Other, true},
    };
    platform::setAlertPresenter(nullptr);
    for (const auto& c : cases) {
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* panel = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(panel);
            buttons = static_cast<int>(panel->findChildren<QAbstractButton*>().size());
            auto* other = panel->findChild<QAbstractButton*>("alertOther");
            ASSERT_TRUE(other);
            EXPECT_EQ(other->text(), "Later");
            if (c.answer == Answer::Escape)
                panel->reject();
            else if (c.answer == Answer::Other)
                other->click();
            else
                panel->accept();
        });
        EXPECT_EQ(platform::runAlertPanel({"T", "M", "OK", QString(), "Later", c.otherCancels}),
                  c.other)
            << c.otherCancels << static_cast<int>(c.answer);
        EXPECT_EQ(buttons, 2);
    }
}
