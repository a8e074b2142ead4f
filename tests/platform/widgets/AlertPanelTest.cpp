#include "platform/widgets/AlertPanel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AlertPanel, TheMessageBoxShowsTheMessageLiterally) {
    // A path with markup and percent signs, as a failure alert carries it.
    const QString message =
        QStringLiteral("Wrong Password (/a/<b>bold</b> & 100%@ %d.tif to /x/y z.tif)");
    QString shown, button;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        ASSERT_TRUE(label);
        QTextDocument rendered;
        rendered.setHtml(label->text());
        shown = rendered.toPlainText();
        button = box->buttons().front()->text();
        box->accept();
    });
    platform::setAlertPresenter(nullptr);
    platform::runAlertPanel(QStringLiteral("My Apologies"), message, QStringLiteral("OK"));
    EXPECT_EQ(shown, message);
    EXPECT_EQ(button, QStringLiteral("OK"));
}
