// Sets from everywhere, without windows:
//   bench_sets themes LIBRARY         Add Sets from Installed Themes (the
//                                     machine's themes, Adwaita in use)
//   bench_sets baseline LIBRARY       the same work as a shell script of
//                                     mkdir, one cp per set and the info files
//   bench_sets tree DIR N             a made-up theme of N pictures (SVGs
//                                     drawn here) with its index.theme
//   bench_sets import LIBRARY ARCHIVE Import Sets of the archive
#include "icontheme/BaseDirs.h"
#include "icontheme/IconThemes.h"
#include "icontheme/StatusItems.h"
#include "icontheme/ThemePictures.h"
#include "library/Layout.h"
#include "library/SetArchive.h"
#include "library/icontheme/ThemeSets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

constexpr auto kInUse = "Adwaita";

int themes(const QString& library) {
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    icontheme::IconThemes themes(dirs.bases);
    QDir().mkpath(QString::fromStdString(library::workFolder(library.toStdString())));
    const auto result = library::makeThemeSets(
        themes, dirs, {library.toStdString(), QString::fromLatin1(kInUse), QString(), true});
    std::printf("%lld sets\n", static_cast<long long>(result.made.size()));
    return result.failed.isEmpty() && !result.made.isEmpty() ? 0 : 1;
}

QString quoted(const QString& text) {
    QString out = text;
    out.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + out + u'\'';
}

// The files the sets hold, copied by cp, with each set's info file and the
// library's note, as a shell would write them.
int baseline(const QString& library) {
    icontheme::BaseDirs dirs = icontheme::baseDirsFromEnvironment();
    icontheme::IconThemes themes(dirs.bases);
    std::printf("set -e\nmkdir -p %s\n", qPrintable(quoted(library)));
    for (const QString& name : library::installedThemes(themes)) {
        if (name == QLatin1String(kInUse))
            continue;
        const auto items = icontheme::bestPictures(themes, {name}, QString());
        const QString set = themes.theme(name)->index.displayName;
        for (auto item = items.cbegin(); item != items.cend(); ++item) {
            const QString folder = library + u'/' + item.key() + u'/' + set;
            QStringList files;
            for (const QString& file : item.value())
                files.append(quoted(file));
            std::printf("mkdir -p %s\ncp %s %s\n", qPrintable(quoted(folder)),
                        qPrintable(files.join(u' ')), qPrintable(quoted(folder)));
            std::printf("printf '%%s\\n' 'Pictures of the icon theme %s.' > %s/trayskininfo.txt\n",
                        qPrintable(name), qPrintable(quoted(folder)));
        }
        std::printf("echo %s >> %s/.theme-sets\n", qPrintable(quoted(name)),
                    qPrintable(quoted(library)));
    }
    return 0;
}

bool put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.left(path.lastIndexOf(u'/')));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture of its own for every file: a circle whose size and colour come
// from the name's number.
QByteArray svg(int number, int size) {
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\">"
                          "<circle cx=\"%2\" cy=\"%2\" r=\"%3\" fill=\"#%4\"/></svg>\n")
        .arg(size)
        .arg(size / 2)
        .arg(1 + number % (size / 2))
        .arg(number * 2654435761u % 0xffffff, 6, 16, QLatin1Char('0'))
        .toUtf8();
}

// Folders of every size, each holding one picture of each item name.
int tree(const QString& dir, int count) {
    const auto& items = icontheme::statusItems();
    const int perFolder = 100;
    const int folders = (count + perFolder - 1) / perFolder;
    QStringList names, groups;
    for (int f = 0; f < folders; ++f) {
        const QString folder = QStringLiteral("%1x%1/status").arg(8 + f);
        names.append(folder);
        groups.append(QStringLiteral("[%1]\nSize=%2\nType=Fixed\n").arg(folder).arg(8 + f));
    }
    bool ok = put(dir + QStringLiteral("/Bench/index.theme"),
                  (QStringLiteral("[Icon Theme]\nName=Bench Theme\nDirectories=") +
                   names.join(u',') + u'\n' + groups.join(QString()))
                      .toUtf8());
    for (int n = 0; ok && n < count; ++n) {
        const auto& item = items[(n % perFolder) % items.size()];
        const QString icon = item.prefixes.front() + QStringLiteral("b%1").arg(n % perFolder);
        ok = put(dir + QStringLiteral("/Bench/") + names[n / perFolder] + u'/' + icon +
                     QStringLiteral(".svg"),
                 svg(n, 8 + n / perFolder));
    }
    return ok ? 0 : 1;
}

int import(const QString& library, const QString& archive) {
    QDir().mkpath(QString::fromStdString(library::workFolder(library.toStdString())));
    const auto result = library::importSets(library.toStdString(), archive.toStdString());
    std::printf("%lld sets\n", static_cast<long long>(result.made.size()));
    return result.done ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"themes")
        return themes(args[2]);
    if (args.size() == 3 && args[1] == u"baseline")
        return baseline(args[2]);
    if (args.size() == 4 && args[1] == u"tree")
        return tree(args[2], args[3].toInt());
    if (args.size() == 4 && args[1] == u"import")
        return import(args[2], args[3]);
    std::fprintf(stderr, "usage: bench_sets themes LIBRARY | baseline LIBRARY | tree DIR N | "
                         "import LIBRARY ARCHIVE\n");
    return 2;
}
