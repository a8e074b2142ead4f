#include "platform/gui/Workspace.h"

#include "platform/gui/Image.h"

#include <QAbstractFileIconProvider>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

namespace platform {

namespace {

// Desktops without a theme of their own get the common one, when installed.
void useCommonIconTheme() {
    static const bool done = [] {
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

std::shared_ptr<Image> imageOfIcon(const QIcon& icon, int side) {
    if (icon.isNull())
        return nullptr;
    // At the screen's pixel density, shown at the side in points.
    const qreal ratio = QGuiApplication::primaryScreen()
                            ? QGuiApplication::primaryScreen()->devicePixelRatio()
                            : 1.0;
    QImage pixels = icon.pixmap(QSize(side, side), ratio).toImage();
    if (pixels.isNull())
        return nullptr;
    auto image = std::make_shared<Image>(std::move(pixels));
    image->setSize(QSizeF(side, side));
    return image;
}

} // namespace

std::shared_ptr<Image> Workspace::iconForFile(const std::string& path, int side) {
    QFileInfo info(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!info.exists() && !info.isSymLink())
        return nullptr;
    useCommonIconTheme();
    static QAbstractFileIconProvider provider;
    return imageOfIcon(provider.icon(info), side);
}

std::shared_ptr<Image> Workspace::iconForFileType(const std::string& extension, int side) {
    if (extension.empty())
        return nullptr;
    useCommonIconTheme();
    static QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile(
        QStringLiteral("x.") + QString::fromStdString(extension), QMimeDatabase::MatchExtension);
    if (type.isDefault())
        return nullptr;
    return imageOfIcon(QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName())),
                       side);
}

namespace {

// Whether the desktop names a program for the file's type: $BROWSER, or
// a desktop entry that the applications folders' caches or the user's and
// the system's default lists give for the type.
bool someProgramOpens(const QString& file) {
    if (!qEnvironmentVariableIsEmpty("BROWSER"))
        return true;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(file);
    const QStringList types = QStringList{type.name()} + type.aliases();
    QStringList lists = QStandardPaths::locateAll(QStandardPaths::GenericConfigLocation,
                                                  QStringLiteral("mimeapps.list"));
    const QStringList apps =
        QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    for (const QString& dir : apps)
        lists << dir + QStringLiteral("/mimeapps.list") << dir + QStringLiteral("/mimeinfo.cache");
    for (const QString& list : lists) {
        QFile in(list);
        if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        while (!in.atEnd()) {
            const QString line = QString::fromUtf8(in.readLine()).trimmed();
            const qsizetype equals = line.indexOf(u'=');
            if (equals <= 0 || !types.contains(line.left(equals)))
                continue;
            for (const QString& id : line.mid(equals + 1).split(u';', Qt::SkipEmptyParts))
                if (!QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id).isEmpty())
                    return true;
        }
    }
    return false;
}

class DesktopWorkspace final : public Workspace {
public:
    bool openFile(const std::string& path, std::function<void()> failed) override {
        return openFileAt(path, std::string(), std::move(failed));
    }

    bool openFileAt(const std::string& path, const std::string& anchor,
                    std::function<void()> failed) override {
        const QString file = QFile::decodeName(QByteArray::fromStdString(path));
        QUrl url = QUrl::fromLocalFile(file);
        if (!anchor.empty())
            url.setFragment(QString::fromStdString(anchor));
        // The desktop's opener, as Qt would start it, but watched: xdg-open
        // ends with a status other than 0 when nothing could open the file.
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return QDesktopServices::openUrl(url);
        // It takes seconds to try every program it knows before it says so;
        // where the desktop names none for the file, that is known now.
        if (!someProgramOpens(file))
            return false;
        auto* process = new QProcess();
        process->setProgram(opener);
        process->setArguments({anchor.empty() ? file : url.toString(QUrl::FullyEncoded)});
        process->setStandardInputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        // Never waited on: an opener that cannot start, or that ends with a
        // failure, is said from the event loop.
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed](int code, QProcess::ExitStatus how) {
                             if ((how != QProcess::NormalExit || code != 0) && failed)
                                 failed();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, opener, failed](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             std::fprintf(stderr, "Could not start %s.\n", qPrintable(opener));
                             if (failed)
                                 failed();
                             process->deleteLater();
                         });
        process->start();
        return true;
    }

    bool launchApplication(const std::string& name) override {
        // The name is looked up on the search path as it stands, with spaces
        // and all; there is no shell in between.
        QString program = QStandardPaths::findExecutable(QString::fromStdString(name));
        if (program.isEmpty() || !QProcess::startDetached(program, {})) {
            std::fprintf(stderr, "Could not launch the application \"%s\".\n", name.c_str());
            return false;
        }
        return true;
    }
};

Workspace* current = nullptr;

} // namespace

Workspace& sharedWorkspace() {
    static DesktopWorkspace desktop;
    return current ? *current : desktop;
}

void setWorkspace(Workspace* workspace) {
    current = workspace;
}

} // namespace platform
