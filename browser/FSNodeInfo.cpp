#include "browser/FSNodeInfo.h"

#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/gui/Image.h"
#include "platform/gui/Workspace.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace browser {

namespace fs = platform::fs;

std::unique_ptr<FSNodeInfo> FSNodeInfo::nodeWithParent(const FSNodeInfo* parent,
                                                       std::string relativePath) {
    return std::make_unique<FSNodeInfo>(parent, std::move(relativePath));
}

FSNodeInfo::FSNodeInfo(const FSNodeInfo* parent, std::string relativePath)
    : parent_(parent), relativePath_(std::move(relativePath)) {}

std::unique_ptr<FSNodeInfo> FSNodeInfo::rootNode(std::string path, PictureRule isPicture) {
    auto node = nodeWithParent(nullptr, std::move(path));
    node->isPicture_ = std::move(isPicture);
    return node;
}

std::string FSNodeInfo::absolutePath() const {
    if (!parent_)
        return relativePath_;
    std::string parentPath = parent_->absolutePath();
    if (parentPath == "/")
        parentPath.clear();
    return platform::formatPath(kChildPathPattern, {parentPath, relativePath_});
}

std::string FSNodeInfo::lastPathComponent() const {
    return platform::lastPathComponent(relativePath_);
}

std::vector<std::unique_ptr<FSNodeInfo>> FSNodeInfo::subNodes() const {
    std::vector<std::unique_ptr<FSNodeInfo>> nodes;
    for (auto& name : fs::listFolder(absolutePath()))
        nodes.push_back(nodeWithParent(this, std::move(name)));
    return nodes;
}

std::vector<std::unique_ptr<FSNodeInfo>> FSNodeInfo::visibleSubNodes() const {
    return visibleSubNodesAmong(fs::listFolder(absolutePath()));
}

std::vector<std::unique_ptr<FSNodeInfo>>
FSNodeInfo::visibleSubNodesAmong(std::vector<std::string> entryNames) const {
    std::vector<std::unique_ptr<FSNodeInfo>> nodes;
    for (auto& name : entryNames) {
        auto node = nodeWithParent(this, std::move(name));
        if (node->isVisible())
            nodes.push_back(std::move(node));
    }
    return nodes;
}

bool FSNodeInfo::isVisible() const {
    return !library::isHiddenName(lastPathComponent());
}

bool FSNodeInfo::isLink() const {
    return fs::isSymbolicLink(absolutePath());
}

bool FSNodeInfo::isDirectory() const {
    return fs::isDirectory(absolutePath());
}

bool FSNodeInfo::isReadable() const {
    return fs::isReadable(absolutePath());
}

QString FSNodeInfo::fsType() const {
    if (isDirectory())
        return platform::bundle::localizedString(QT_TRANSLATE_NOOP("Trayskin", "Directory"));
    return QString();
}

QString FSNodeInfo::readInfoText(const std::string& path) {
    // A character takes at most four bytes: a file longer than this gives
    // more characters than are ever shown, and no more is read.
    const auto prefix = fs::readFilePrefix(path, 4 * (kInfoTextShownLimit + 1));
    if (!prefix)
        return QString();
    return QString::fromUtf8(prefix->bytes);
}

bool FSNodeInfo::hasInfoFile(QString& text) const {
    return hasInfoFileAmong(fs::listFolder(absolutePath()), text);
}

bool FSNodeInfo::hasInfoFileAmong(const std::vector<std::string>& entryNames, QString& text) const {
    // The entry names, compared one by one with the info file's name, exactly
    // as the child nodes would be.
    for (const auto& name : entryNames) {
        if (name == library::kInfoFileName) {
            text = readInfoText(FSNodeInfo(this, name).absolutePath());
            return true;
        }
    }
    text.clear();
    return false;
}

std::shared_ptr<platform::Image> FSNodeInfo::iconImageOfSize(double width, double height) const {
    const std::string path = absolutePath();
    const std::string extension = platform::pathExtension(path);
    std::shared_ptr<platform::Image> image;
    const FSNodeInfo* root = this;
    while (root->parent_)
        root = root->parent_;
    if (root->isPicture_ && root->isPicture_(path)) {
        // Our pictures always scale when their size is changed.
        // Decoded at most at twice the size asked for (sharp on a dense
        // screen), whatever the picture's own size.
        const QSize fit(static_cast<int>(std::ceil(2 * width)),
                        static_cast<int>(std::ceil(2 * height)));
        image = platform::Image::fromFile(path, fit);
    } else {
        // Asked for at the size it is shown, so that it is drawn sharp.
        const int side = static_cast<int>(std::ceil(std::max(width, height)));
        image = platform::sharedWorkspace().iconForFile(path, side);
        if (!image)
            image = platform::sharedWorkspace().iconForFileType(extension, side);
    }
    if (!image)
        return platform::Image::named(kDefaultIconName);
    if (width > image->size().width())
        image->setSize(QSizeF(width, height));
    return image;
}

} // namespace browser
