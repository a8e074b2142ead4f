// The views that follow the browser's selection: the status bar's line of
// the set the selected item shows now and its words for the mode, and the
// preview strip of the selected set.
#pragma once

#include <string>

class QLabel;
class QMainWindow;
class QScrollArea;

namespace browser {
class PanelPreview;
} // namespace browser
namespace library {
class PictureSystem;
} // namespace library

class SelectionViews final {
public:
    // The labels go into the window's status bar; the preview is shown in
    // the scroller, which is hidden while it is empty.
    SelectionViews(QMainWindow& window, QLabel& preview, QScrollArea& scroller,
                   library::PictureSystem& system);

    // What the item shows now and the set's preview ("" for none), and the
    // mode as it stands.
    void show(const std::string& item, const std::string& set);

private:
    void showInUse(const std::string& item);
    void showPreview(const std::string& item, const std::string& set);
    void showPreviewInPlace();
    // The highest the preview strip grows before it scrolls.
    static constexpr int kPreviewMaxHeight = 124;

    QLabel* inUse_;
    QLabel* mode_;
    QLabel& preview_;
    QScrollArea& scroller_;
    library::PictureSystem& system_;
    // Where panels show the pictures at several sizes, their preview in the
    // scroller in place of the strip.
    browser::PanelPreview* panel_ = nullptr;
};
