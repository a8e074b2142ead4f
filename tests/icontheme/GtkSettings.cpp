#include "tests/icontheme/GtkSettings.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace testing_support {

QStringList gtkSettingsThemes(const QStringList& files) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  QStringList{QStringLiteral(TRAYSKIN_GTK_SETTINGS)} + files);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace testing_support
