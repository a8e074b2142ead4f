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

class DesktopWorkspace final : public Workspace {
public:
    bool openFile(const std::string& path, std::function<void()> failed) override {
        const QString file = QFile::decodeName(QByteArray::fromStdString(path));
        // The desktop's opener, as Qt would start it, but watched: xdg-open
        // ends with a status other than 0 when nothing could open the file.
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
        auto* process = new QProcess();
        process->setProgram(opener);
        process->setArguments({file});
        process->setStandardInputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        QObject::connect(process, &QProcess::finished, process,
                         [process, failed = std::move(failed)](int code, QProcess::ExitStatus how) {
                             if ((how != QProcess::NormalExit || code != 0) && failed)
                                 failed();
                             process->deleteLater();
                         });
        process->start();
        if (!process->waitForStarted()) {
            std::fprintf(stderr, "Could not start %s.\n", qPrintable(opener));
            delete process;
            return false;
        }
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
