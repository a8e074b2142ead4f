#include "browser/SetPreview.h"
#include "library/SystemChoice.h"

#include "tests/support/Sandbox.h"
#include "tests/support/SpecialFiles.h"
#include "tests/support/TiffFiles.h"

#include <gtest/gtest.h>

using browser::PreviewPicture;
using namespace testing_support;

namespace {

QImage filled(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST(SetPreview, EveryPictureAboveTheCurrentOneAtBothSizesOnBothBars) {
    const QColor light(0xf2, 0xf2, 0xf2), dark(0x2b, 0x2b, 0x2b);
    const std::vector<PreviewPicture> pictures = {
        {filled(16, 16, Qt::red), filled(16, 16, Qt::blue)},
        {filled(20, 10, Qt::green), QImage()}, // the bundle has no such picture
        {filled(12, 18, Qt::yellow), filled(12, 18, Qt::magenta)},
        {filled(16, 16, Qt::black), filled(16, 16, Qt::black), true, false}, // a symbolic one
    };
    const browser::SetPreview preview = browser::renderSetPreview(pictures);
    ASSERT_FALSE(preview.image.isNull());
    for (const auto* bar : {&preview.light, &preview.dark}) {
        ASSERT_EQ(bar->set.size(), pictures.size());
        ASSERT_EQ(bar->setTwice.size(), pictures.size());
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            // The menu bar's size, and twice it; each set picture above the
            // current one.
            EXPECT_EQ(bar->set[i].size(), pictures[i].set.size());
            EXPECT_EQ(bar->setTwice[i].size(), pictures[i].set.size() * 2);
            EXPECT_LT(bar->set[i].bottom(), bar->area.bottom());
            if (!pictures[i].current.isNull()) {
                EXPECT_LT(bar->set[i].bottom(), bar->current[i].top());
                EXPECT_EQ(bar->currentTwice[i].size(), pictures[i].current.size() * 2);
            }
            EXPECT_TRUE(bar->area.contains(bar->setTwice[i]));
        }
        // Drawn from the pictures: their colours at their places.
        const QColor ground = bar == &preview.light ? light : dark;
        EXPECT_EQ(preview.image.pixelColor(bar->set[0].center()), QColor(Qt::red));
        EXPECT_EQ(preview.image.pixelColor(bar->current[0].center()), QColor(Qt::blue));
        EXPECT_EQ(preview.image.pixelColor(bar->setTwice[1].center()), QColor(Qt::green));
        EXPECT_EQ(preview.image.pixelColor(bar->currentTwice[2].center()), QColor(Qt::magenta));
        // A symbolic picture in the bar's text colour, as panels draw it: a
        // black one is light on the dark bar; the others as they are.
        const QColor ink =
            bar == &preview.light ? QColor(0x20, 0x20, 0x20) : QColor(0xf0, 0xf0, 0xf0);
        EXPECT_EQ(preview.image.pixelColor(bar->set[3].center()), ink);
        EXPECT_EQ(preview.image.pixelColor(bar->setTwice[3].center()), ink);
        EXPECT_EQ(preview.image.pixelColor(bar->current[3].center()), QColor(Qt::black));
        EXPECT_EQ(preview.image.pixelColor(bar->area.topLeft() + QPoint(1, 1)), ground);
        // Where the bundle has no picture, the bar shows through.
        EXPECT_EQ(preview.image.pixelColor(bar->current[1].center()), ground);
        // An edge that differs from both grounds; rows and sizes labelled.
        const QColor edge = preview.image.pixelColor(bar->area.topLeft());
        EXPECT_NE(edge, light);
        EXPECT_NE(edge, dark);
        EXPECT_EQ(preview.image.pixelColor(bar->area.bottomRight()), edge);
        for (const QRect& label :
             {bar->setLabel, bar->currentLabel, bar->sizeLabel, bar->twiceLabel}) {
            int inked = 0;
            for (int y = label.top(); y <= label.bottom(); ++y)
                for (int x = label.left(); x <= label.right(); ++x)
                    inked += preview.image.pixelColor(x, y) != ground;
            EXPECT_GT(inked, 0);
            EXPECT_TRUE(bar->area.contains(label));
        }
        EXPECT_LT(bar->setLabel.bottom(), bar->currentLabel.top());
        EXPECT_LT(bar->setLabel.right(), bar->set[0].left());
    }
    EXPECT_NE(preview.description.indexOf(QLatin1String("4")), -1);

    // At twice the pixel ratio: the same places, twice the pixels.
    const browser::SetPreview sharp = browser::renderSetPreview(pictures, 2.0);
    EXPECT_EQ(sharp.image.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.image.size(), preview.image.size() * 2);
    EXPECT_EQ(sharp.light.set, preview.light.set);
    EXPECT_EQ(sharp.image.pixelColor(sharp.light.set[0].center() * 2), QColor(Qt::red));
    EXPECT_TRUE(browser::renderSetPreview({}).image.isNull());
    for (const char* name : {"s/a-symbolic.svg", "s/a-symbolic-rtl.png", "t/16x16/a.symbolic.png"})
        EXPECT_TRUE(browser::isSymbolicPicture(name)) << name;
    for (const char* name : {"s/a.svg", "a-symbolic/a.png", "symbolic.png", "Volume1.tif"})
        EXPECT_FALSE(browser::isSymbolicPicture(name)) << name;
}

TEST(SetPreview, DecodesABoundedNumberOfBoundedPicturesAndNeverWaits) {
    Sandbox box;
    box.addBundle("Volume", {});
    const auto menuExtras = library::chooseSystem(library::ModeRequest::MenuExtras, QString());
    const std::string set = box.library() + "/Volume/Many/";
    writeTiff(set + "A0.tif", 600, 300, true);
    for (int i = 1; i < 60; ++i)
        writeTiff(set + "A" + std::to_string(i) + ".tif", 4, 4);
    const auto pictures = browser::previewPicturesOf(*menuExtras, "Volume", "Many");
    ASSERT_EQ(pictures.size(), browser::kPreviewMostPictures);
    EXPECT_EQ(pictures[0].set.size(), QSize(64, 32));
    EXPECT_EQ(pictures[1].set.size(), QSize(4, 4));

    for (Special kind : kAllSpecials) {
        SCOPED_TRACE(nameOf(kind));
        const std::string odd = box.library() + "/Volume/" + nameOf(kind);
        makeSpecial(kind, odd + "/x.tif");
        makeSpecial(kind,
                    box.menuExtras() + "/Volume.menu/Contents/Resources/" + nameOf(kind) + ".tif");
        writeTiff(odd + "/" + nameOf(kind) + ".tif", 4, 4);
        FifoWatchdog watchdog({box.base()});
        const auto odds = browser::previewPicturesOf(*menuExtras, "Volume", nameOf(kind));
        // The set's readable picture over the bundle's odd one, then the
        // set's odd one over none.
        ASSERT_EQ(odds.size(), 2u);
        EXPECT_EQ(odds[0].set.size(), QSize(4, 4));
        EXPECT_TRUE(odds[0].current.isNull() && odds[1].set.isNull() && odds[1].current.isNull());
        EXPECT_FALSE(watchdog.fired());
    }
}
