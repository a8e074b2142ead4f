#include "platform/gui/Workspace.h"

#include "platform/gui/Image.h"

#include <QAbstractFileIconProvider>
#include <QDesktopServices>
#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>

namespace platform {

namespace {

constexpr int kDesktopIconSize = 32;

// Desktops without a theme of their own get the common one, when installed.
void useCommonIconTheme() {
    static const bool done = [] {
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

std::shared_ptr<Image> imageOfIcon(const QIcon& icon) {
    if (icon.isNull())
        return nullptr;
    QImage pixels = icon.pixmap(kDesktopIconSize, kDesktopIconSize).toImage();
    if (pixels.isNull())
        return nullptr;
    return std::make_shared<Image>(std::move(pixels));
}

} // namespace

std::shared_ptr<Image> Workspace::iconForFile(const std::string& path) {
    QFileInfo info(QString::fromStdString(path));
    if (!info.exists() && !info.isSymLink())
        return nullptr;
    useCommonIconTheme();
    static QAbstractFileIconProvider provider;
    return imageOfIcon(provider.icon(info));
}

std::shared_ptr<Image> Workspace::iconForFileType(const std::string& extension) {
    if (extension.empty())
        return nullptr;
    useCommonIconTheme();
    static QMimeDatabase mimes;
    const QMimeType type = mimes.mimeTypeForFile(
        QStringLiteral("x.") + QString::fromStdString(extension), QMimeDatabase::MatchExtension);
    if (type.isDefault())
        return nullptr;
    return imageOfIcon(QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName())));
}

namespace {

class DesktopWorkspace final : public Workspace {
public:
    bool openFile(const std::string& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
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
