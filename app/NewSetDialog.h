// File > New Set: a name, the item, a description (the set's info file) and
// pictures, added through a file dialog or dropped onto this dialog or the
// main window. Each picture is checked as it comes; a picture named unlike
// the item's pictures is offered one of their names, and what is refused is
// listed with why. The set appears in the library when it is made, whole.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QMimeData;
class QPlainTextEdit;

namespace library {
class NewSetDraft;
class PictureSystem;
} // namespace library

class NewSetDialog final : public QDialog {
public:
    NewSetDialog(QWidget* parent, library::PictureSystem& system, const std::string& item);
    ~NewSetDialog() override;

    // Checks and stages each file, asking a name where one is needed.
    void addFiles(const QStringList& paths);
    // After the set is made: its item and name.
    void onMade(std::function<void(const std::string&, const std::string&)> made) {
        made_ = std::move(made);
    }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void addPictures();
    void chooseItem();
    void makeSet();

    library::PictureSystem& system_;
    std::unique_ptr<library::NewSetDraft> draft_;
    std::vector<std::string> items_;
    std::function<void(const std::string&, const std::string&)> made_;
    QLineEdit* name_;
    QComboBox* item_;
    QPlainTextEdit* description_;
    QListWidget* pictures_;
    QListWidget* refused_;
};

// The local files of a drop ("" for none that are).
QStringList droppedFiles(const QMimeData* mime);
