// A light handle on one path of the picture library. It caches nothing:
// every answer is read from the disk when it is asked.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Image;
}

namespace browser {

class FSNodeInfo {
public:
    // Whether a file is one of the system's pictures, by its name.
    using PictureRule = std::function<bool(std::string_view)>;

    // A node for the current request. The parent is not owned and must
    // outlive the node; without a parent the path is a full path.
    static std::unique_ptr<FSNodeInfo> nodeWithParent(const FSNodeInfo* parent,
                                                      std::string relativePath);
    FSNodeInfo(const FSNodeInfo* parent, std::string relativePath);
    // A node at a full path whose files, and those of every node below it,
    // are pictures by the rule. A node without one shows no file as a picture.
    static std::unique_ptr<FSNodeInfo> rootNode(std::string path, PictureRule isPicture);

    std::string absolutePath() const;
    std::string lastPathComponent() const;
    const std::string& relativePath() const { return relativePath_; }
    const FSNodeInfo* parentNode() const { return parent_; }

    // One child per entry of the folder, hidden ones included, in listing order.
    std::vector<std::unique_ptr<FSNodeInfo>> subNodes() const;
    std::vector<std::unique_ptr<FSNodeInfo>> visibleSubNodes() const;
    // The same from a listing of this folder that the caller already made.
    std::vector<std::unique_ptr<FSNodeInfo>>
    visibleSubNodesAmong(std::vector<std::string> entryNames) const;

    bool isVisible() const;
    bool isLink() const;
    bool isDirectory() const;
    bool isReadable() const;
    // The localized "Directory" for a folder; empty for anything else.
    QString fsType() const;

    // Rewrites the text with the folder's info text and returns true when the
    // folder has an info file; empties it and returns false otherwise. An info
    // file that cannot be read as text (a folder of that name, no permission)
    // gives the empty text; bytes that are not UTF-8 are shown with
    // replacement characters.
    bool hasInfoFile(QString& text) const;
    bool hasInfoFileAmong(const std::vector<std::string>& entryNames, QString& text) const;

    // The picture itself for a picture file (by the root's rule), else the
    // desktop's icon, else the shared default icon at its own size. An image
    // narrower than asked is given the size asked for; none is made smaller.
    std::shared_ptr<platform::Image> iconImageOfSize(double width, double height) const;

    // The text of an info file as the inspector shows it: the whole text,
    // or for a longer file its beginning, longer than kInfoTextShownLimit
    // (UTF-16 units). A file that is not a regular one gives the empty text.
    static QString readInfoText(const std::string& path);

private:
    const FSNodeInfo* parent_;
    std::string relativePath_;
    PictureRule isPicture_; // a root's; the nodes below ask their root
};

// A child's path: the parent's path ("" for "/") and the entry name.
inline constexpr std::string_view kChildPathPattern = "%@/%@";

// The most characters of an info text that the inspector shows.
inline constexpr qsizetype kInfoTextShownLimit = 20000;

// The name of the icon resource used when nothing better is known.
inline constexpr const char* kDefaultIconName = "FSIconImage-Default";

} // namespace browser
