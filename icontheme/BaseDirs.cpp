#include "icontheme/BaseDirs.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace icontheme {
namespace {

QString absoluteEnv(const char* name) {
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

} // namespace

BaseDirs baseDirsFromEnvironment() {
    const QString home = QDir::cleanPath(QDir::homePath());
    QString dataHome = absoluteEnv("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = home + QStringLiteral("/.local/share");
    QStringList dataDirs;
    qsizetype leftOut = 0;
    for (const QString& dir :
         qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(dir))
            continue;
        if (dataDirs.size() < kMaxDataDirs)
            dataDirs.append(QDir::cleanPath(dir));
        else
            ++leftOut;
    }
    if (leftOut > 0)
        std::fprintf(stderr,
                     "XDG_DATA_DIRS: only the first %lld data folders are read, %lld left out\n",
                     static_cast<long long>(kMaxDataDirs), static_cast<long long>(leftOut));
    if (dataDirs.isEmpty())
        dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};

    BaseDirs dirs;
    dirs.homeIcons = home + QStringLiteral("/.icons");
    dirs.userIcons = dataHome + QStringLiteral("/icons");
    dirs.bases = {dirs.homeIcons, dirs.userIcons};
    for (const QString& dir : dataDirs)
        dirs.bases.append(dir + QStringLiteral("/icons"));
    dirs.bases.append(QStringLiteral("/usr/share/pixmaps"));
    dirs.bases.removeDuplicates();
    // A base that is the overlay's folder by another name (~/.icons as a
    // link to it) is read once, as the overlay's, which is never read for
    // the theme's own pictures.
    const QString overlay = QFileInfo(dirs.userIcons).canonicalFilePath();
    dirs.bases.removeIf([&](const QString& base) {
        return !overlay.isEmpty() && base != dirs.userIcons &&
               QFileInfo(base).canonicalFilePath() == overlay;
    });
    return dirs;
}

} // namespace icontheme
