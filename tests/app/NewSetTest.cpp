// New Set and drops onto the window, in both modes: each picture is checked
// as it comes (kind, size, a name the item has, or one offered), the refused
// are listed with why, the set appears whole or not at all, and folders and
// archives dropped are imported.
#include "library/NewSet.h"
#include "app/NewSetDialog.h"
#include "library/Layout.h"
#include "platform/core/FileManager.h"
#include "tests/app/DesktopFixture.h"
#include "tests/support/BrowserDriver.h"
#include "tests/support/ControllerFixture.h"
#include "tests/support/TiffFiles.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QStringList rows(QWidget& dialog, const char* list) {
    QStringList shown;
    const auto* widget = dialog.findChild<QListWidget*>(QString::fromLatin1(list));
    for (int row = 0; widget && row < widget->count(); ++row)
        shown.append(widget->item(row)->text());
    return shown;
}

// Sends a drop of the files to the widget, as a file manager's drag ends.
void dropOn(QWidget& target, const std::vector<std::string>& files) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& file : files)
        urls.append(QUrl::fromLocalFile(QString::fromStdString(file)));
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

// Answers the name question that comes next with the name ("" cancels).
void answerName(const QString& name, QStringList* offered = nullptr) {
    QTimer::singleShot(0, [name, offered] {
        auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(ask, nullptr);
        if (offered)
            *offered = ask->comboBoxItems();
        if (name.isEmpty())
            return ask->reject();
        ask->setTextValue(name);
        ask->accept();
    });
}

// A file offered to the New Set dialog: the name chosen when one is asked
// ("" cancels), and the row it makes in the pictures, or with why in the refused.
struct Offer {
    const char* file;
    QByteArray bytes;
    const char* answer;
    const char* listed;
};

// Adds each file, written into the folder, to the dialog in turn: the dialog
// lists what came so far, and each name question offers the name.
void addEach(QWidget& dialog, const QString& folder, std::initializer_list<Offer> offers,
             const QString& offeredName) {
    QStringList pictures, refused;
    for (const Offer& c : offers) {
        SCOPED_TRACE(c.file);
        ThemeWorld::put(folder, c.file, c.bytes);
        QStringList offered;
        if (c.answer)
            answerName(QString::fromUtf8(c.answer), &offered);
        static_cast<NewSetDialog&>(dialog).addFiles({folder + "/" + c.file});
        EXPECT_TRUE(!c.answer || offered.contains(offeredName)) << qPrintable(offered.join(", "));
        (QString::fromUtf8(c.listed).contains(": ") ? refused : pictures) << c.listed;
        EXPECT_EQ(rows(dialog, "newSetPictures"), pictures);
        EXPECT_EQ(rows(dialog, "newSetRefused"), refused);
    }
}

class NewSetDesktopTest : public MadeUpThemeTest {
protected:
    NewSetDialog& dialog() {
        auto* open = controller.mainWindow()->findChild<NewSetDialog*>("newSetDialog");
        if (!open)
            throw std::logic_error("no New Set dialog");
        return *open;
    }
    std::string file(const std::string& name, const QByteArray& bytes) {
        const std::string path = world.root().toStdString() + "/drop/" + name;
        writeFile(path, bytes.toStdString());
        return path;
    }
    void make(const QString& name, const QString& description) {
        dialog().findChild<QLineEdit*>("newSetName")->setText(name);
        dialog().findChild<QPlainTextEdit*>("newSetDescription")->setPlainText(description);
        QMetaObject::invokeMethod(&dialog(),
                                  [this] { dialog().findChild<QDialogButtonBox*>()->accepted(); });
        QApplication::processEvents();
    }
};

// A name is offered from the item's own pictures, in the file's kind.
TEST_F(NewSetDesktopTest, EachPictureIsCheckedAsItComesAndTheSetAppearsWhole) {
    click(browser(), 0, "Volume");
    part<QAction>("actionNewSet").trigger();
    addEach(
        dialog(), world.root() + "/drop",
        {{"audio-volume-muted.svg", svgBytes(0x112233), nullptr, "audio-volume-muted.svg"},
         {"speaker.png", pngBytes(16, 0x00ff00), "audio-volume-high.png", "audio-volume-high.png"},
         {"other.png", pngBytes(16, 0x00ff00), "", "other.png: not an icon name of this item"},
         {"photo.jpg", "\xff\xd8\xff\xe0 JFIF", nullptr,
          "photo.jpg: Use This Set takes only PNG and SVG pictures."},
         {"audio-volume-low.png", "plain text", nullptr,
          "audio-volume-low.png: the file is not a PNG or SVG picture"},
         {"audio-volume-low.svg", pngBytes(16, 0), "",
          "audio-volume-low.svg: the name's extension does not match the contents"},
         {"audio-volume-muted.svg", svgBytes(0x445566), nullptr,
          "audio-volume-muted.svg: the set has a picture of this name already"}},
        "audio-volume-high.png");
    // Until it is made, the set is nowhere in the library but the work folder.
    EXPECT_FALSE(platform::fs::exists(library() + "/Volume/Green"));
    make("Green", "Green speakers.");
    EXPECT_EQ(snapshot(library() + "/Volume/Green"),
              (std::map<std::string, std::string>{
                  {"audio-volume-high.png", "f:" + pngBytes(16, 0x00ff00).toStdString()},
                  {"audio-volume-muted.svg", "f:" + svgBytes(0x112233).toStdString()},
                  {"trayskininfo.txt", "f:Green speakers.\n"}}));
    EXPECT_EQ(browser().path(), "/Volume/Green");
    EXPECT_TRUE(snapshot(library::workFolder(library())).empty());
    EXPECT_TRUE(presenter.alerts.empty());
}

TEST_F(NewSetDesktopTest, DropsOpenNewSetAddToItAndImportFoldersAndArchives) {
    click(browser(), 0, "Volume");
    // Pictures dropped on the window start a New Set for the selected item.
    dropOn(*controller.mainWindow(), {file("audio-volume-high.svg", svgBytes(1))});
    EXPECT_EQ(rows(dialog(), "newSetPictures"), QStringList{"audio-volume-high.svg"});
    // More, on the window or on the dialog, go into the same one.
    dropOn(*controller.mainWindow(), {file("audio-volume-low.svg", svgBytes(2))});
    dropOn(dialog(), {file("notes.txt", "notes")});
    EXPECT_EQ(rows(dialog(), "newSetPictures"),
              (QStringList{"audio-volume-high.svg", "audio-volume-low.svg"}));
    EXPECT_EQ(rows(dialog(), "newSetRefused").size(), 1);
    // A name already taken refuses the set and keeps the dialog; a free one makes it.
    const auto mine = snapshot(library() + "/Volume/Mine");
    make("Mine", "");
    ASSERT_EQ(presenter.alerts.size(), 1u);
    EXPECT_TRUE(presenter.alerts[0].message.contains("already"));
    EXPECT_EQ(snapshot(library() + "/Volume/Mine"), mine);
    make("Dropped", "");
    EXPECT_EQ(snapshot(library() + "/Volume/Dropped").size(), 3u);

    // A folder dropped is imported as Import Sets from Folder does.
    file("Folder Set/audio-volume-high.svg", svgBytes(3));
    file("Folder Set/trayskininfo.txt", "From a folder.\n");
    const std::string folder = world.root().toStdString() + "/drop/Folder Set";
    dropOn(*controller.mainWindow(), {folder});
    EXPECT_EQ(snapshot(library() + "/Volume/Folder Set"), snapshot(folder));
    EXPECT_EQ(browser().path(), "/Volume/Folder Set");
}

// (That a start empties the work folder is DesktopStartTest's.)
TEST_F(NewSetDesktopTest, ADraftWhoseStagingIsGoneMakesNoHalfSet) {
    library::NewSetDraft draft(*system, "Volume");
    ASSERT_EQ(draft.add(QString::fromStdString(file("audio-volume-high.svg", svgBytes(1)))).outcome,
              library::PictureOffer::Outcome::Added);
    ASSERT_EQ(snapshot(library::workFolder(library())).size(), 2u); // the staging and its picture
    ASSERT_TRUE(QDir(QString::fromStdString(library::workFolder(library()))).removeRecursively());
    EXPECT_FALSE(draft.make("Half", "").done);
    EXPECT_FALSE(platform::fs::exists(library() + "/Volume/Half"));
}

using NewSetMenuExtrasTest = ControllerFixture;

TEST_F(NewSetMenuExtrasTest, TiffPicturesUnderTheExtrasNames) {
    box.addBundle("Volume",
                  {{"Volume1.tif", tiffBytes("system")}, {"Volume2.tif", tiffBytes("2")}});
    startShown();
    click(browser(), 0, "Volume");
    part<QAction>("actionNewSet").trigger();
    auto& dialog = *controller.mainWindow()->findChild<NewSetDialog*>("newSetDialog");
    const auto tiff = [](const char* text) { return QByteArray::fromStdString(tiffBytes(text)); };
    addEach(
        dialog, QString::fromStdString(box.base() + "/drop"),
        {{"Volume1.tif", tiff("mine"), nullptr, "Volume1.tif"},
         {"Speaker.tif", tiff("two"), "Volume2.tif", "Volume2.tif"},
         {"Volume2.tiff", "not a tiff", nullptr, "Volume2.tiff: the file is not a TIFF picture"}},
        "Volume2.tif");
    dialog.findChild<QLineEdit*>("newSetName")->setText("Made");
    dialog.findChild<QDialogButtonBox*>()->accepted();
    ASSERT_EQ(browser().path(), "/Volume/Made");
    EXPECT_EQ(snapshot(box.library() + "/Volume/Made").size(), 3u);
}

} // namespace
