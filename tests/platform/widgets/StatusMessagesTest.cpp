// A status bar's message beside a permanent label: cut to the room left,
// whole in the tooltip, fitted again when the bar is resized.
#include "platform/widgets/StatusMessages.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <gtest/gtest.h>

TEST(StatusMessages, ALongMessageIsCutBeforeThePermanentLabelAndShownWholeInTheTooltip) {
    QStatusBar bar;
    auto* label = new QLabel("Desktop mode, icon theme: Adwaita");
    bar.addPermanentWidget(label);
    platform::elideStatusMessages(bar);
    bar.resize(500, 24);
    bar.show();
    QApplication::processEvents();
    const QString whole = QString("Sets added from installed themes: ").repeated(3);
    const struct {
        int width;
        bool cut;
    } rows[] = {{500, true}, {3000, false}, {400, true}};
    bar.showMessage(whole);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        bar.resize(row.width, 24);
        QApplication::processEvents();
        const QString shown = bar.currentMessage();
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), row.cut) << shown.toStdString();
        EXPECT_LE(bar.fontMetrics().horizontalAdvance(shown), label->x() - 8);
        EXPECT_EQ(bar.toolTip(), row.cut ? whole : QString());
        EXPECT_EQ(platform::wholeStatusMessage(bar), whole);
    }
    bar.clearMessage();
    EXPECT_TRUE(bar.toolTip().isEmpty());
    EXPECT_TRUE(platform::wholeStatusMessage(bar).isEmpty());
}
