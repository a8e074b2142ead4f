#include "app/PaneLookup.h"
#include "platform/core/Bundle.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(PaneLookup, KnowsFourExtras) {
    EXPECT_EQ(whichPanel("Volume"), QStringLiteral("Sound"));
    EXPECT_EQ(whichSystemPanel("Volume"), "Sound");
    EXPECT_EQ(whichPanel("Displays"), QStringLiteral("Displays"));
    EXPECT_EQ(whichSystemPanel("Displays"), "Displays");
    EXPECT_EQ(whichPanel("Battery"), QStringLiteral("Energy"));
    EXPECT_EQ(whichSystemPanel("Battery"), "EnergySaver");
    EXPECT_EQ(whichPanel("Clock"), QStringLiteral("DateTime"));
    EXPECT_EQ(whichSystemPanel("Clock"), "DateAndTime");
    for (const char* other : {"volume", "Volume ", "Energy", "Eject", ""}) {
        EXPECT_EQ(whichPanel(other), QString()) << other;
        EXPECT_EQ(whichSystemPanel(other), "") << other;
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    ASSERT_TRUE(platform::bundle::loadTranslations());
    EXPECT_EQ(whichPanel("Volume"), QStringLiteral("Ton"));
    EXPECT_EQ(whichSystemPanel("Volume"), "Sound");
    QLocale::setDefault(QLocale::c());
    platform::bundle::loadTranslations();
}
