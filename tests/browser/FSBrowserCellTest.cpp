#include "browser/FSBrowserCell.h"
#include "browser/FSNodeInfo.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/gui/Image.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TiffFiles.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>
#include <unistd.h>

using browser::FSBrowserCell;
using browser::FSNodeInfo;
using namespace testing_support;

namespace {

// A 22 x 16 icon in pure blue, so that its pixels are easy to find.
std::shared_ptr<platform::Image> blueIcon() {
    QImage pixels(22, 16, QImage::Format_ARGB32);
    pixels.fill(QColor(0, 0, 255));
    return std::make_shared<platform::Image>(pixels);
}

QPalette testPalette() {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(255, 0, 0));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(0, 255, 0));
    return palette;
}

// Draws the cell in a frame of the given height at (10, 30) of a white image.
QImage render(FSBrowserCell& cell, double height, double width = 200) {
    QImage image(260, 80, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    platform::BrowserView view{painter, testPalette(), true};
    cell.drawInteriorWithFrame(QRectF(10, 30, width, height), view);
    return image;
}

// Rows and columns where the picture is blue.
QRect blueArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0, 0, 255))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

TEST(FSBrowserCell, CopiesTheIconAndLeavesItRoomBesideTheText) {
    FSBrowserCell cell;
    auto icon = blueIcon();
    cell.setIconImage(icon);
    EXPECT_EQ(icon->size(), QSizeF(22, 16)); // the given image is left as it was
    cell.setAttributedStringValue("Volume1.tif", {});
    const QRectF bounds(0, 0, 300, 300);
    EXPECT_FLOAT_EQ(cell.cellSizeForBounds(bounds).width(),
                    cell.platform::BrowserCell::cellSizeForBounds(bounds).width() + 24);
}

TEST(FSBrowserCell, DrawsTheIconStripWithItsGeometry) {
    FSBrowserCell cell;
    cell.setIconImage(blueIcon());
    cell.setLeaf(true);

    // A 20-point row: the icon 4 points in, with 2 points above and below.
    QImage plain = render(cell, 20);
    EXPECT_EQ(blueArea(plain), QRect(14, 32, 16, 16));
    // The strip (22 points: 4 + 16 + 2) is filled with the control colour.
    EXPECT_EQ(plain.pixelColor(11, 31), QColor(0, 255, 0));
    EXPECT_EQ(plain.pixelColor(31, 49), QColor(0, 255, 0));
    EXPECT_NE(plain.pixelColor(32, 40), QColor(0, 255, 0)); // the text frame is the base's

    cell.setHighlighted(true);
    QImage highlighted = render(cell, 20);
    EXPECT_EQ(highlighted.pixelColor(11, 31), QColor(255, 0, 0));
    EXPECT_EQ(blueArea(highlighted), QRect(14, 32, 16, 16));

    // A 19-point row: ceilf(17.5) puts the bottom edge 18 points down.
    cell.setHighlighted(false);
    EXPECT_EQ(blueArea(render(cell, 19)), QRect(14, 32, 16, 16));

    // Narrower than the strip: the strip takes all, the icon is still drawn there.
    QImage narrow = render(cell, 20, 12);
    EXPECT_EQ(narrow.pixelColor(11, 31), QColor(0, 255, 0));
    EXPECT_EQ(narrow.pixelColor(30, 31), QColor(Qt::white));

    // Without an icon the base cell draws alone: no strip.
    cell.setIconImage(nullptr);
    EXPECT_EQ(render(cell, 20).pixelColor(11, 31), QColor(Qt::white));
}

TEST(FSBrowserCell, ConfiguredFromNodes) {
    Sandbox box;
    platform::bundle::setMainBundlePath(TRAYSKIN_TEST_BUNDLE);
    const std::string dir = box.base() + "/set";
    writeTiff(dir + "/Volume1.tif", 22, 16);
    makeFolders(dir + "/Sub");
    ASSERT_EQ(::symlink("Volume1.tif", (dir + "/Link.tif").c_str()), 0);
    ASSERT_EQ(::symlink("gone", (dir + "/Gone").c_str()), 0);
    auto folder = FSNodeInfo::rootNode(dir, library::isPicture);

    std::map<std::string, std::unique_ptr<FSBrowserCell>> cells;
    for (const auto& node : folder->visibleSubNodes()) {
        auto cell = std::make_unique<FSBrowserCell>();
        cell->setAttributedStringValueFromFSNodeInfo(*node);
        cells[node->lastPathComponent()] = std::move(cell);
    }
    ASSERT_EQ(cells.size(), 4u);
    for (const auto& [name, cell] : cells) {
        EXPECT_EQ(cell->stringValue(), name);
        ASSERT_TRUE(cell->iconImage()) << name;
        EXPECT_EQ(cell->attributes().underlineStyle, name == "Link.tif" || name == "Gone" ? 1 : 0)
            << name;
        ASSERT_TRUE(cell->attributes().font.has_value());
    }
    EXPECT_TRUE(cells["Volume1.tif"]->isLeaf());
    EXPECT_FALSE(cells["Sub"]->isLeaf());
    EXPECT_TRUE(cells["Gone"]->isLeaf());
    // The picture's own pixels are what the row shows.
    EXPECT_EQ(cells["Volume1.tif"]->iconImage()->pixels().size(), QSize(22, 16));
}
