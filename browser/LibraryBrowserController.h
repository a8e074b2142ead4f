// The controller's side of the library browser: it maps columns to folders
// of the library, fills the rows, keeps the info text of the folder examined
// last and shows the selection in the inspector.
#pragma once

#include "browser/FSNodeInfo.h"
#include "platform/gui/AttributedString.h"
#include "platform/widgets/ColumnBrowser.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QTextEdit;

namespace platform {
class Image;
}

namespace browser {

class FSNodeInfo;

class LibraryBrowserController final : public platform::ColumnBrowserDelegate {
public:
    struct Outlets {
        platform::ColumnBrowser* fsBrowser = nullptr;
        QLabel* nodeIconWell = nullptr;
        QTextEdit* nodeInspector = nullptr;
        QPushButton* useButton = nullptr;
    };

    // The browser shows the library at root; its files are pictures by the
    // rule of the system the library is for.
    LibraryBrowserController(const Outlets& outlets, std::string libraryRoot,
                             FSNodeInfo::PictureRule isPicture)
        : outlets_(outlets), root_(std::move(libraryRoot)), isPicture_(std::move(isPicture)) {}

    // The folder that a column lists.
    std::string fsPathToColumn(int column) const;

    int browserNumberOfRowsInColumn(platform::ColumnBrowser& browser, int column) override;
    void browserWillDisplayCell(platform::ColumnBrowser& browser, platform::BrowserCell& cell,
                                int row, int column) override;
    // A row's title, icon and flags, as a fill gives them, but without the
    // info text and the use button: for a reader, not for the screen.
    bool browserDescribeCell(platform::ColumnBrowser& browser, platform::BrowserCell& cell, int row,
                             int column) override;
    // The names of the column folder's visible entries, from one listing.
    bool browserTitlesInColumn(platform::ColumnBrowser& browser, int column,
                               std::vector<std::string>& titles) override;
    // An item's title in the user's words, where the item's setter gave one.
    QString browserDisplayTitle(platform::ColumnBrowser& browser, int column,
                                const std::string& title) override;
    void browserDoubleClick(platform::ColumnBrowser& browser);
    void browserSingleClick(platform::ColumnBrowser& browser);

    // The name line says shownName, the node's name when none is given.
    platform::AttributedString
    attributedInspectorStringForFSNode(const FSNodeInfo& node, const QString& shownName = {}) const;
    static platform::TextAttributes normalFontAttributes();
    static platform::TextAttributes boldFontAttributes();

    // The system's words for an entry at a path: its kind ("" for the file
    // system's word) and a note below the description ("" for none).
    using Describer = std::function<std::pair<QString, QString>(const std::string& path)>;
    void setDescriber(Describer describer) { describe_ = std::move(describer); }
    // The system's picture for a row's entry ("" for the file system's icon).
    using RowPicture = std::function<std::string(const std::string& path)>;
    void setRowPicture(RowPicture rowPicture) { rowPicture_ = std::move(rowPicture); }

    // An item's title in the user's words, from its folder name; the rows of
    // the first column show it, and the inspector names the item by it.
    using ItemTitle = std::function<QString(const std::string& item)>;
    void setItemTitle(ItemTitle itemTitle) { itemTitle_ = std::move(itemTitle); }

    // Start-up gives the info text its first contents.
    void setInfostore(const QString& text) { infostore_ = text; }

    // The most a row's own picture is decoded at (16 points at up to 4x).
    static constexpr QSize kRowPictureFit{64, 64};
    // Side of the icon asked for the well.
    static constexpr double kWellIconSide = 64.0;
    // The most characters of a description that the inspector lays out; the
    // rest is left out with a note (the info text is read only that far).
    static constexpr qsizetype kInspectorShownLimit = kInfoTextShownLimit;

private:
    QString infostore_;
    Outlets outlets_;
    std::string root_;
    FSNodeInfo::PictureRule isPicture_;
    Describer describe_;
    RowPicture rowPicture_;
    ItemTitle itemTitle_;
    // The node of a folder of the library, with the picture rule.
    std::unique_ptr<FSNodeInfo> folderNode(std::string path) const;
    // The column folders' listings that the rows counted, the titles matched,
    // and the cells filled and described in one pass of the event loop
    // share, so that a reload or a search in a folder of thousands costs
    // one listing; each is served only while its folder's version is the
    // one it was made at, and all are dropped at the end of the pass. The
    // info text is read once, for the first fill.
    struct PassListing {
        std::string version;
        std::vector<std::string> names;
        std::vector<std::size_t> visible; // the rows: indexes into names
        bool infoRead = false;
        bool hasInfo = false;
        QString info;
        // The name of a row, or nothing for a row that is gone.
        const std::string* rowName(int row) const;
    };
    std::map<std::string, std::shared_ptr<PassListing>> passListings_;
    QObject passContext_;
    const std::shared_ptr<PassListing>& listingForPass(const std::string& folder);
    // The listing each column's rows were counted from: until the column is
    // counted again, its rows, titles, fills and descriptions are that
    // listing's entries, even when the folder gains entries meanwhile (a
    // start's later work makes sets while the window shows the columns).
    struct ColumnListing {
        std::string folder;
        std::shared_ptr<PassListing> listing;
    };
    std::map<int, ColumnListing> columnListings_;
    std::shared_ptr<PassListing> listingOfColumn(int column, const std::string& folder);
    // The name of the row, or nothing for a row whose entry is gone since
    // the listing was made.
    const std::string* presentRowName(const PassListing& listing, const std::string& folder,
                                      int row);

    // The text, and the icon in the well, which is named after what it shows.
    void showInspector(const platform::AttributedString& text,
                       const std::shared_ptr<platform::Image>& image,
                       const QString& shownName = {});
};

} // namespace browser
