// The views that follow the browser's selection: the status bar's line of
// the set the selected item shows now and its words for the mode, and the
// preview strip of the selected set.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QMainWindow;
class QScrollArea;

namespace browser {
class PanelPreview;
} // namespace browser
namespace library {
class PictureSystem;
struct InUse;
} // namespace library

class SelectionViews final {
public:
    // Runs work off the window's thread.
    using Runner = std::function<void(std::function<void()>)>;
    // The labels go into the window's status bar; the preview is shown in
    // the scroller, which is hidden while it is empty. What the item shows
    // now is worked out by the runner (Qt's shared thread pool when none);
    // the "inUse" label's property "pending" is true until its answer for
    // the latest selection is shown.
    SelectionViews(QMainWindow& window, QLabel& preview, QScrollArea& scroller,
                   library::PictureSystem& system, Runner runner = Runner());

    // What the item shows now and the set's preview ("" for none), and the
    // mode as it stands.
    void show(const std::string& item, const std::string& set);

private:
    void showInUse(const std::string& item);
    static void showAnswer(QLabel& label, library::PictureSystem& system,
                           const library::InUse& inUse);
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
    Runner runner_;
    // Which selection the status bar answers: an answer for an earlier one
    // is dropped, and a task not yet started for one is not run.
    std::shared_ptr<std::atomic<unsigned>> asked_ = std::make_shared<std::atomic<unsigned>>(0);
};
