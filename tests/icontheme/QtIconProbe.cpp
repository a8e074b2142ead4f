// Asks Qt's own icon lookup, as a plain Qt client on an X11 desktop would:
//   icontheme_qt_probe THEME NAME:SIZE...
// prints one line per question: the size of the pixmap QIcon::fromTheme
// gives and its centre pixel as #aarrggbb, or "-" when Qt has no icon.
// It runs on the offscreen platform, which has no icon search paths of its
// own, so it sets those Qt's generic Unix theme gives on X11 (observed with
// Qt 6.4 under Xvfb): $HOME/.icons when it is a folder, then the icons
// folders of the XDG data locations, $XDG_DATA_HOME first.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStandardPaths>
#include <QTextStream>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QStringList paths;
    const QFileInfo homeIcons(QDir::homePath() + QStringLiteral("/.icons"));
    if (homeIcons.isDir())
        paths.append(homeIcons.absoluteFilePath());
    paths.append(QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                           QStringLiteral("icons"),
                                           QStandardPaths::LocateDirectory));
    QIcon::setThemeSearchPaths(paths);
    QIcon::setThemeName(QString::fromLocal8Bit(argv[1]));
    QTextStream out(stdout);
    for (int i = 2; i < argc; ++i) {
        const QStringList question = QString::fromLocal8Bit(argv[i]).split(u':');
        if (question.size() != 2)
            return 2;
        const QIcon icon = QIcon::fromTheme(question[0]);
        const QImage image = icon.isNull() ? QImage() : icon.pixmap(question[1].toInt()).toImage();
        if (image.isNull()) {
            out << "-\n";
            continue;
        }
        out << image.width() << u'x' << image.height() << " #"
            << QStringLiteral("%1").arg(image.pixel(image.width() / 2, image.height() / 2), 8, 16,
                                        QChar(u'0'))
            << u'\n';
    }
    return 0;
}
