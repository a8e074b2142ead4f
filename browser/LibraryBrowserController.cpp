#include "browser/LibraryBrowserController.h"

#include "browser/FSBrowserCell.h"
#include "browser/FSNodeInfo.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"
#include "platform/gui/Image.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>

namespace browser {

using platform::bundle::localizedString;

std::string LibraryBrowserController::fsPathToColumn(int column) const {
    if (column == 0)
        return root_;
    return platform::formatPath(library::kBrowserFolderPattern,
                                {root_, outlets_.fsBrowser->pathToColumn(column)});
}

std::unique_ptr<FSNodeInfo> LibraryBrowserController::folderNode(std::string path) const {
    return FSNodeInfo::rootNode(std::move(path), isPicture_);
}

int LibraryBrowserController::browserNumberOfRowsInColumn(platform::ColumnBrowser&, int column) {
    std::string folder = fsPathToColumn(column);
    std::shared_ptr<PassListing> listing = listingForPass(folder);
    const int rows = static_cast<int>(listing->visible.size());
    // The columns to the right go when a column is counted.
    columnListings_.erase(columnListings_.upper_bound(column), columnListings_.end());
    columnListings_[column] = {std::move(folder), std::move(listing)};
    return rows;
}

void LibraryBrowserController::browserWillDisplayCell(platform::ColumnBrowser&,
                                                      platform::BrowserCell& cell, int row,
                                                      int column) {
    const std::string path = fsPathToColumn(column);
    auto folder = folderNode(path);
    // One listing serves both questions: the row's entry and the info file.
    const std::shared_ptr<PassListing> listing = listingOfColumn(column, path);
    if (!listing->infoRead) {
        listing->hasInfo = folder->hasInfoFileAmong(listing->names, listing->info);
        listing->infoRead = true;
    }
    infostore_ = listing->info;
    if (outlets_.useButton)
        outlets_.useButton->setEnabled(listing->hasInfo);
    // The folder may have lost entries since the rows were counted: the
    // cell of a row that is gone stays blank.
    const std::string* name = presentRowName(*listing, path, row);
    if (!name)
        return;
    FSNodeInfo entry(folder.get(), *name);
    auto* fsCell = dynamic_cast<FSBrowserCell*>(&cell);
    if (!fsCell)
        return;
    fsCell->setAttributedStringValueFromFSNodeInfo(entry);
    // Where the system has a picture of its own for the entry, the row shows it.
    const std::string picture = rowPicture_ ? rowPicture_(entry.absolutePath()) : std::string();
    if (auto image = picture.empty() ? nullptr : platform::Image::fromFile(picture, kRowPictureFit))
        fsCell->setIconImage(image);
}

bool LibraryBrowserController::browserDescribeCell(platform::ColumnBrowser&,
                                                   platform::BrowserCell& cell, int row,
                                                   int column) {
    const std::string path = fsPathToColumn(column);
    auto folder = folderNode(path);
    const std::shared_ptr<PassListing> listing = listingOfColumn(column, path);
    const std::string* name = presentRowName(*listing, path, row);
    if (!name)
        return true; // a row that is gone reads as blank
    FSNodeInfo entry(folder.get(), *name);
    // Title and flags as the fill sets them; no icon is read for a reader.
    cell.setAttributedStringValue(entry.lastPathComponent(),
                                  FSBrowserCell::stringAttributesForNode(entry));
    cell.setEnabled(entry.isReadable());
    cell.setLeaf(!entry.isDirectory());
    return true;
}

const std::string* LibraryBrowserController::PassListing::rowName(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= visible.size())
        return nullptr;
    return &names[visible[static_cast<std::size_t>(row)]];
}

const std::shared_ptr<LibraryBrowserController::PassListing>&
LibraryBrowserController::listingForPass(const std::string& folder) {
    const std::string version = platform::fs::folderVersion(folder);
    const auto known = passListings_.find(folder);
    if (known != passListings_.end() && !version.empty() && known->second->version == version)
        return known->second;
    if (passListings_.empty())
        QTimer::singleShot(0, &passContext_, [this] { passListings_.clear(); });
    auto listing = std::make_shared<PassListing>();
    listing->version = version;
    listing->names = platform::fs::listFolder(folder);
    // The rows' rule: a node is visible by its name alone.
    for (std::size_t i = 0; i < listing->names.size(); ++i)
        if (!library::isHiddenName(listing->names[i]))
            listing->visible.push_back(i);
    return passListings_[folder] = std::move(listing);
}

std::shared_ptr<LibraryBrowserController::PassListing>
LibraryBrowserController::listingOfColumn(int column, const std::string& folder) {
    const auto counted = columnListings_.find(column);
    if (counted != columnListings_.end() && counted->second.folder == folder)
        return counted->second.listing;
    return listingForPass(folder);
}

const std::string* LibraryBrowserController::presentRowName(const PassListing& listing,
                                                            const std::string& folder, int row) {
    const std::string* name = listing.rowName(row);
    if (!name || platform::fs::folderVersion(folder) == listing.version)
        return name;
    // Listings are sorted by their bytes.
    const std::vector<std::string>& now = listingForPass(folder)->names;
    return std::binary_search(now.begin(), now.end(), *name) ? name : nullptr;
}

bool LibraryBrowserController::browserTitlesInColumn(platform::ColumnBrowser&, int column,
                                                     std::vector<std::string>& titles) {
    const std::shared_ptr<PassListing> listing = listingOfColumn(column, fsPathToColumn(column));
    titles.clear();
    titles.reserve(listing->visible.size());
    for (std::size_t i : listing->visible)
        titles.push_back(listing->names[i]);
    return true;
}

QString LibraryBrowserController::browserDisplayTitle(platform::ColumnBrowser&, int column,
                                                      const std::string& title) {
    // The first column lists the items; the folders keep their own names.
    if (column != 0 || !itemTitle_)
        return {};
    const QString shown = itemTitle_(title);
    return shown == QString::fromUtf8(title) ? QString() : shown;
}

void LibraryBrowserController::browserDoubleClick(platform::ColumnBrowser&) {
    // A double click adds nothing to its first click.
}

void LibraryBrowserController::browserSingleClick(platform::ColumnBrowser& browser) {
    const auto count = browser.selectedCells().size();
    if (count != 1) {
        const char* key = count > 1 ? QT_TRANSLATE_NOOP("Trayskin", "Multiple Selection")
                                    : QT_TRANSLATE_NOOP("Trayskin", "No Selection");
        showInspector(platform::AttributedString(localizedString(key)), nullptr);
        return;
    }
    auto node =
        folderNode(platform::formatPath(library::kBrowserFolderPattern, {root_, browser.path()}));
    if (node->isDirectory()) {
        // The child of that exact name, read by its path: no listing of a
        // folder of thousands for one name.
        infostore_ = FSNodeInfo::readInfoText(
            FSNodeInfo(node.get(), std::string(library::kInfoFileName)).absolutePath());
    }
    QString shownName = browserDisplayTitle(browser, browser.selectedColumn(),
                                            browser.selectedCells().front()->stringValue());
    if (shownName.isEmpty())
        shownName = QString::fromUtf8(node->lastPathComponent());
    auto text = attributedInspectorStringForFSNode(*node, shownName);
    // An item or set with a picture of its own shows it in the well too,
    // decoded at twice the well's side to stay sharp on a dense screen.
    const std::string picture = rowPicture_ ? rowPicture_(node->absolutePath()) : std::string();
    auto image = picture.empty() ? nullptr : platform::Image::fromFile(picture, 2 * kRowPictureFit);
    if (!image)
        image = node->iconImageOfSize(kWellIconSide, kWellIconSide);
    showInspector(text, image, shownName);
}

void LibraryBrowserController::showInspector(const platform::AttributedString& text,
                                             const std::shared_ptr<platform::Image>& image,
                                             const QString& shownName) {
    if (outlets_.nodeInspector) {
        // Every space, tab and line as stored; a huge description is shown
        // in part, so that laying it out never holds the window up.
        text.writeTo(*outlets_.nodeInspector->document(), kInspectorShownLimit,
                     localizedString(QT_TRANSLATE_NOOP(
                         "Trayskin", "The rest of the description is not shown.")));
    }
    if (outlets_.nodeIconWell) {
        outlets_.nodeIconWell->setAccessibleName(
            image ? localizedString(QT_TRANSLATE_NOOP("Trayskin", "Icon of %1")).arg(shownName)
                  : localizedString(QT_TRANSLATE_NOOP("Trayskin", "No icon")));
        if (!image) {
            outlets_.nodeIconWell->clear();
        } else {
            // The well shows the icon at its display size, scaled down to fit.
            QSize size = image->size().toSize();
            size = size.boundedTo(outlets_.nodeIconWell->contentsRect().size());
            QImage shown = image->pixels().scaled(size * outlets_.nodeIconWell->devicePixelRatio(),
                                                  Qt::KeepAspectRatio, Qt::SmoothTransformation);
            QPixmap pixmap = QPixmap::fromImage(shown);
            pixmap.setDevicePixelRatio(outlets_.nodeIconWell->devicePixelRatio());
            outlets_.nodeIconWell->setPixmap(pixmap);
        }
    }
}

platform::AttributedString
LibraryBrowserController::attributedInspectorStringForFSNode(const FSNodeInfo& node,
                                                             const QString& shownName) const {
    const auto bold = boldFontAttributes();
    const auto normal = normalFontAttributes();
    platform::AttributedString text(localizedString(QT_TRANSLATE_NOOP("Trayskin", "Name: ")), bold);
    text.append({(shownName.isEmpty() ? QString::fromUtf8(node.lastPathComponent()) : shownName) +
                     QLatin1Char('\n'),
                 normal});
    const auto [type, note] =
        describe_ ? describe_(node.absolutePath()) : std::pair<QString, QString>();
    text.append({localizedString(QT_TRANSLATE_NOOP("Trayskin", "Type: ")), bold});
    text.append({(type.isEmpty() ? node.fsType() : type) + QLatin1Char('\n'), normal});
    text.append({infostore_ + QLatin1Char('\n'), normal});
    if (!note.isEmpty())
        text.append({note + QLatin1Char('\n'), normal});
    return text;
}

platform::TextAttributes LibraryBrowserController::normalFontAttributes() {
    return {platform::systemFont(), 0};
}

platform::TextAttributes LibraryBrowserController::boldFontAttributes() {
    return {platform::boldSystemFont(), 0};
}

} // namespace browser
