// Desktop mode's Use This Set and Restore where the user's own entries are
// in the way, on a made-up theme of 10 directories that hold 100 names of
// the Volume item each; the set has a picture of each name.
//   bench_keep DIR make [overrides]   the theme and the set, and with
//                                     "overrides" the user's entry at each
//                                     of the 1,000 places
//   bench_keep DIR run                Use This Set, then Restore
//   bench_keep DIR dirs               the theme's directories, one a line
#include "icontheme/BaseDirs.h"
#include "library/icontheme/IconThemeSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

constexpr int kDirs = 10;
constexpr int kNames = 100;

bool put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString dirName(int dir) {
    return QStringLiteral("d%1/status").arg(dir);
}

QString iconName(int name) {
    return QStringLiteral("audio-volume-b%1").arg(name);
}

bool make(const QString& root, bool overrides) {
    QString index = QStringLiteral("[Icon Theme]\nDirectories=");
    QStringList dirs, groups;
    for (int dir = 0; dir < kDirs; ++dir) {
        dirs.append(dirName(dir));
        groups.append(
            QStringLiteral("[%1]\nSize=%2\nType=Fixed\n").arg(dirName(dir)).arg(16 + dir));
    }
    bool ok = put(root + QStringLiteral("/sys/icons/Bench/index.theme"),
                  (index + dirs.join(u',') + u'\n' + groups.join(QString())).toUtf8());
    const QString set = root + QStringLiteral("/data/trayskin/Volume/Bench/");
    for (int name = 0; name < kNames; ++name) {
        const QByteArray svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" "
                                              "width=\"16\" height=\"16\"><!-- %1 --></svg>\n")
                                   .arg(name)
                                   .toUtf8();
        ok = ok && put(set + iconName(name) + QStringLiteral(".svg"), svg);
        for (int dir = 0; dir < kDirs; ++dir) {
            const QString place =
                u'/' + dirName(dir) + u'/' + iconName(name) + QStringLiteral(".png");
            ok = ok && put(root + QStringLiteral("/sys/icons/Bench") + place, "theme");
            if (overrides)
                ok = ok && put(root + QStringLiteral("/data/icons/Bench") + place, "user's own");
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[2] == u"make")
        return make(args[1], args.size() == 4 && args[3] == u"overrides") ? 0 : 1;
    if (args.size() == 3 && args[2] == u"dirs") {
        for (int dir = 0; dir < kDirs; ++dir)
            std::printf("%s\n", qPrintable(dirName(dir)));
        return 0;
    }
    if (args.size() != 3 || args[2] != u"run") {
        std::fprintf(stderr, "usage: bench_keep DIR make [overrides] | run | dirs\n");
        return 2;
    }
    const QString root = args[1];
    icontheme::BaseDirs dirs{{root + QStringLiteral("/home/.icons"),
                              root + QStringLiteral("/data/icons"),
                              root + QStringLiteral("/sys/icons")},
                             root + QStringLiteral("/home/.icons"),
                             root + QStringLiteral("/data/icons")};
    library::IconThemeSystem system(dirs, QStringLiteral("Bench"), root + QStringLiteral("/data"));
    // The lines of what was done are not what is measured.
    std::FILE* quiet = std::freopen("/dev/null", "w", stdout);
    const bool installed = system.install("Volume", "Bench").done;
    const bool restored = system.restore("Volume").done;
    return quiet && installed && restored ? 0 : 1;
}
