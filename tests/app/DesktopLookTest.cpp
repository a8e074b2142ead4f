// How desktop mode looks and asks: the route as a choice, the own theme
// switched to and back, the first item at the start and after Reload, the
// inspector's words and the rows' pictures.
#include "browser/FSBrowserCell.h"
#include "icontheme/StatusItems.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Image.h"
#include "tests/app/DesktopFixture.h"

#include "browser/PanelPreview.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QTest>
#include <QTextEdit>
#include <QThreadPool>
#include <QTranslator>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The route is one of two choices. The own theme's pictures show once the
// desktop is switched to it, by the menu command (a settings file that is a
// link is left alone, and the alert says why) or as the install offers; the
// way back by the command or by Restore All (which asks first) resets the
// route; a theme the user picked since is said once, at the next start.
TEST_F(MadeUpThemeTest, OwnThemeShowsOnceSwitchedToAndEitherWayBackResetsTheRoute) {
    const QString settings = world.root() + "/config/gtk-3.0/settings.ini";
    const auto pick = [&](const QByteArray& theme) {
        ThemeWorld::put(world.root(), "config/gtk-3.0/settings.ini",
                        "[Settings]\ngtk-icon-theme-name=" + theme + "\n");
    };
    const auto shows = [&] { return ThemeWorld::get(settings).trimmed().split('=').last(); };
    const auto routeIsOwn = [&] {
        EXPECT_NE(part<QAction>("ownThemeRoute").isChecked(),
                  part<QAction>("overlayRoute").isChecked());
        return part<QAction>("ownThemeRoute").isChecked();
    };
    auto& switchDesktop = part<QAction>("switchDesktop");
    ThemeWorld::put(world.root(), "elsewhere.ini", "[Settings]\ngtk-icon-theme-name=Test\n");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).path()));
    ASSERT_TRUE(QFile::link(world.root() + "/elsewhere.ini", settings));
    EXPECT_FALSE(switchDesktop.isEnabled());
    EXPECT_FALSE(switchDesktop.toolTip().isEmpty()); // greyed, says why
    EXPECT_FALSE(routeIsOwn());
    part<QAction>("ownThemeRoute").trigger();
    EXPECT_TRUE(routeIsOwn());
    use("Volume", "Mine");
    EXPECT_TRUE(presenter.alerts.back().message.contains(
        "in the own theme Test-Trayskin. The desktop shows them once it is switched"));
    EXPECT_FALSE(inOverlay("16x16/status/audio-volume-high.png"));
    EXPECT_EQ(inUse(), "In use: default");
    switchDesktop.trigger();
    EXPECT_EQ(presenter.alerts.back().detail,
              "The settings file cannot be read or written, or is a link: " + settings);
    ASSERT_TRUE(QFile::remove(settings));
    pick("Test");
    switchDesktop.trigger();
    EXPECT_EQ(shows(), "Test-Trayskin");
    EXPECT_EQ(inUse(), "In use: Mine");
    EXPECT_EQ(switchDesktop.text(), "S&witch Desktop Back to Test");
    EXPECT_EQ(part<QLabel>("mode").text(), "Desktop mode, icon theme: Test (the desktop shows "
                                           "Test-Trayskin) \u00b7 installs into Test-Trayskin");
    quietly([&] { switchDesktop.trigger(); });
    EXPECT_EQ(shows(), "Test");
    EXPECT_FALSE(routeIsOwn());

    // Switch Desktop Now, then the question's cancel changes nothing.
    part<QAction>("ownThemeRoute").trigger();
    presenter.takeOther = true;
    use("Volume", "Mine");
    EXPECT_EQ(alertTitles().mid(alertTitles().size() - 2),
              (QStringList{"Installation Partly Complete", "Desktop Switched"}));
    EXPECT_EQ(shows(), "Test-Trayskin");
    quietly([&] { controller.restoreAllOriginalPictures(); });
    ASSERT_EQ(alertTitles().last(), "Restore All Original Pictures?");
    EXPECT_TRUE(presenter.alerts.back().message.contains(
        "The desktop is switched back from Test-Trayskin to Test."));
    EXPECT_EQ(shows(), "Test-Trayskin");
    presenter.takeOther = false;
    quietly([&] { controller.restoreAllOriginalPictures(); });
    EXPECT_TRUE(
        presenter.alerts.back().message.endsWith("The desktop uses the icon theme Test again."));
    EXPECT_FALSE(QFileInfo::exists(world.userIcons() + "/Test-Trayskin"));
    EXPECT_EQ(shows(), "Test");
    EXPECT_FALSE(routeIsOwn());

    // Switched again, then the user picks another theme.
    part<QAction>("ownThemeRoute").trigger();
    presenter.takeOther = true;
    use("Volume", "Mine");
    presenter.takeOther = false;
    ASSERT_EQ(shows(), "Test-Trayskin");
    pick("Other");
    for (const QStringList& said : {QStringList{"Own Theme Not Shown"}, QStringList()}) {
        presenter.alerts.clear();
        AppController again;
        startQuietly(again);
        EXPECT_EQ(alertTitles(), said);
    }
    EXPECT_EQ(shows(), "Other");
}

// The window starts on the first item; Reload shows it again, and the old
// set's inspector and preview go with the old columns, a preview still being
// drawn too.
TEST_F(MadeUpThemeTest, StartsOnTheFirstItemAndReloadShowsItAgain) {
    const auto inspector = [&] { return part<QTextEdit>("nodeInspector").toPlainText(); };
    const QFrame& bar = part<QFrame>("lightBar");
    const auto& preview = part<browser::PanelPreview>("panelPreview");
    EXPECT_EQ(browser().path(), "/Battery");
    EXPECT_TRUE(inspector().startsWith("Name: Battery\n"));
    for (bool drawn : {true, false}) {
        click(browser(), 0, "Volume");
        click(browser(), 1, drawn ? "Mine" : "default");
        if (drawn) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.pending(); }, 60000));
        }
        controller.reloadData();
        QThreadPool::globalInstance()->waitForDone();
        QApplication::processEvents();
        EXPECT_EQ(browser().path(), "/Battery");
        EXPECT_TRUE(inspector().startsWith("Name: Battery\n"));
        EXPECT_FALSE(preview.pending());
        EXPECT_TRUE(bar.isHidden());
    }
}

// The inspector names an item, a set with its pictures and the names they
// cover, and a picture's kind and pixel size.
TEST_F(MadeUpThemeTest, InspectorNamesWhatEachEntryIs) {
    const struct {
        std::vector<std::string> path;
        const char *type, *note; // the second line's type, the last line ("": any)
    } cases[] = {
        {{"Volume"}, "Status item", "Choose a set in the next column to see its pictures."},
        {{"Volume", "Mine"},
         "Picture set",
         "4 pictures, of: audio-volume-high, "
         "audio-volume-high-symbolic, audio-volume-low, folder-open"},
        {{"Volume", "Mine", "audio-volume-high.png"}, "PNG picture, 20 x 20", ""},
        {{"Volume", "Mine", "audio-volume-high-symbolic.svg"}, "SVG picture, scalable", ""},
        {{"Volume", "Mine", "audio-volume-low.svg"}, "", ""}, // PNG bytes: no kind
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.back());
        open(c.path);
        const QStringList lines =
            part<QTextEdit>("nodeInspector").toPlainText().split(u'\n', Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[1], QString("Type: ") + c.type);
        EXPECT_TRUE(!*c.note || lines.back() == c.note) << qPrintable(lines.back());
    }
}

// An item's row shows the picture the theme lookup gives its first name now,
// a set's row the set's picture of that name.
TEST_F(MadeUpThemeTest, RowsShowTheirPictures) {
    const auto rowPixels = [&](int column, const std::string& title) {
        const auto all = titles(browser(), column);
        const auto row = std::find(all.begin(), all.end(), title) - all.begin();
        auto* cell = dynamic_cast<browser::FSBrowserCell*>(
            browser().loadedCellAtRow(static_cast<int>(row), column));
        return cell && cell->iconImage() ? cell->iconImage()->pixels() : QImage();
    };
    const auto pixelsOf = [](const QString& path) {
        return platform::Image::fromFile(path.toStdString(), {64, 64})->pixels();
    };
    const QString themeFile = world.systemIcons() + "/Test/24x24/legacy/audio-volume-high.png";
    const QString mineFile =
        QString::fromStdString(library()) + "/Volume/Mine/audio-volume-high.png";
    // The inspector's well shows the same picture (one colour each here).
    const auto centre = [](const QImage& image) { return image.pixel(image.rect().center()); };
    const auto well = [&] { return centre(part<QLabel>("nodeIconWell").pixmap().toImage()); };
    click(browser(), 0, "Volume");
    EXPECT_EQ(rowPixels(0, "Volume"), pixelsOf(themeFile));
    EXPECT_EQ(well(), centre(pixelsOf(themeFile)));
    EXPECT_EQ(rowPixels(1, "Mine"), pixelsOf(mineFile));
    click(browser(), 1, "Mine");
    EXPECT_EQ(well(), centre(pixelsOf(mineFile)));
    use("Volume", "Mine");
    controller.reloadData();
    settle(browser());
    EXPECT_EQ(rowPixels(0, "Volume"), pixelsOf(overlay("24x24/legacy/audio-volume-high.png")));
}

// Every item's title has a German entry of its own in the table the bundle
// ships (that it differs from its key where German has a word of its own is
// the translation tables' check). Under German the items' rows show, read out
// and name in their tooltips those titles, typing one selects it, and the
// inspector names the item by it; the paths keep the folders' names, the
// sets' rows their own.
TEST_F(MadeUpThemeTest, ItemRowsShowTheirTitlesFromTheTranslationTable) {
    QTranslator german;
    ASSERT_TRUE(
        german.load(TRAYSKIN_TEST_BUNDLE "/Contents/Resources/translations/trayskin_de.qm"));
    for (const icontheme::StatusItem& item : icontheme::statusItems())
        EXPECT_FALSE(german.translate("Trayskin", qPrintable(item.title)).isEmpty())
            << qPrintable(item.title);
    QCoreApplication::installTranslator(&german);
    reload();
    const std::vector<std::string> items = titles(browser(), 0);
    ASSERT_NE(std::find(items.begin(), items.end(), "Volume"), items.end());
    for (int row = 0; row < static_cast<int>(items.size()); ++row) {
        const QString title = german.translate("Trayskin", items[row].c_str());
        SCOPED_TRACE(items[row]);
        ASSERT_NE(title, "");
        const QModelIndex index = browser().columnView(0)->model()->index(row, 0);
        for (int role : {Qt::DisplayRole, Qt::AccessibleTextRole, Qt::ToolTipRole})
            EXPECT_EQ(index.data(role).toString(), title) << role;
        browser().columnView(0)->setFocus();
        QTest::keyClicks(browser().columnView(0), title.left(3));
        settle(browser());
        EXPECT_EQ(browser().path(), "/" + items[row]);
        EXPECT_TRUE(
            part<QTextEdit>("nodeInspector").toPlainText().startsWith("Name: " + title + "\n"));
        QTest::keyClick(browser().columnView(0), Qt::Key_Escape); // ends the search
    }
    const QModelIndex set = browser().columnView(1)->model()->index(rowOf(browser(), 1, "Mine"), 0);
    EXPECT_EQ(set.data(Qt::DisplayRole).toString(), "Mine");
    QCoreApplication::removeTranslator(&german);
}

// About speaks of the panel in desktop mode.
TEST_F(MadeUpThemeTest, AboutSpeaksOfThePanel) {
    controller.showAbout();
    ASSERT_FALSE(presenter.alerts.empty());
    EXPECT_TRUE(presenter.alerts.back().message.contains(
        "Chooses the pictures of the panel's status icons."));
}

// Until a set's pictures are shown the preview is a line of hint and the
// browser has the room; a set's pictures take room for both bars, side by
// side within the view also where they take several lines, whole at the
// size the window opens at and maximised on a 1280 x 800 screen, each picture
// named with its size, the plain one beside its symbolic one, drawn at the
// screen's pixels ("app_layout_at_2x" runs this at scale 2); the room goes
// back to the browser with them.
TEST_F(MadeUpThemeTest, PreviewTakesRoomOnlyForPicturesAndShowsBothBarsNamed) {
    const auto& scroller = part<QScrollArea>("previewScroller");
    const auto& viewport = *scroller.viewport();
    const auto& hint = part<QLabel>("previewHint");
    auto& preview = part<browser::PanelPreview>("panelPreview");
    for (const char* name : {"high", "low", "medium", "muted"})
        for (const char* kind : {"", "-symbolic"})
            put(std::string("Volume/Many/audio-volume-") + name + kind + ".png",
                pngBytes(16, 0x3366cc));
    const QStringList icons = {"audio-volume-high", "audio-volume-high-symbolic",
                               "audio-volume-low", "bad name!", "folder-open"};
    const double ratio = controller.mainWindow()->devicePixelRatioF();
    EXPECT_EQ(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? 2.0 : 1.0);
    for (const QSize window : {QSize(900, 720), QSize(1280, 760)}) {
        controller.mainWindow()->resize(window);
        int browserWithHint = 0;
        using Path = std::vector<std::string>;
        for (const Path& path :
             {Path{"Volume"}, {"Volume", "Mine"}, {"Volume", "Many"}, {"Battery"}}) {
            const std::string set = path.back();
            SCOPED_TRACE(set);
            open(path);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.pending(); }, 60000));
            QApplication::processEvents();
            const bool pictures = path.size() == 2;
            EXPECT_EQ(hint.isVisible(), !pictures);
            if (!pictures) {
                EXPECT_FALSE(preview.bar(false).isVisible() || preview.bar(true).isVisible());
                EXPECT_EQ(scroller.height(), hint.sizeHint().height() + 2 * scroller.frameWidth());
                browserWithHint = browser().height();
                continue;
            }
            EXPECT_LT(browser().height(), browserWithHint);
            for (bool dark : {false, true}) {
                const QFrame& bar = preview.bar(dark);
                const QRect shown(bar.mapTo(&viewport, QPoint(0, 0)), bar.size());
                EXPECT_TRUE(bar.isVisible());
                EXPECT_LE(shown.right(), viewport.rect().right());
                if (set == "Many")
                    continue;
                EXPECT_TRUE(viewport.rect().contains(shown));
                QStringList captions, named;
                for (const QLabel* label : bar.findChildren<QLabel*>()) {
                    captions << label->text();
                    if (label->accessibleName().endsWith(", 24 px")) {
                        named << label->accessibleName().chopped(7);
                        EXPECT_EQ(label->toolTip(), label->accessibleName());
                        ASSERT_FALSE(label->pixmap().isNull());
                        EXPECT_EQ(label->pixmap().devicePixelRatio(), ratio);
                        EXPECT_EQ(label->pixmap().size(), QSize(24, 24) * ratio);
                    }
                }
                EXPECT_EQ(named, icons);
                for (const char* caption : {"Panel size", "Twice the size", "16 px", "64 px"})
                    EXPECT_TRUE(captions.contains(caption)) << caption;
            }
        }
    }
}

} // namespace
