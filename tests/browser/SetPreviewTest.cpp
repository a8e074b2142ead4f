#include "browser/SetPreview.h"
#include "browser/PanelPictures.h"
#include "library/SystemChoice.h"

#include "tests/support/Sandbox.h"
#include "tests/support/TiffFiles.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_NE(preview.description.indexOf(QLatin1String("3")), -1);

    // At twice the pixel ratio: the same places, twice the pixels.
    const browser::SetPreview sharp = browser::renderSetPreview(pictures, 2.0);
    EXPECT_EQ(sharp.image.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.image.size(), preview.image.size() * 2);
    EXPECT_EQ(sharp.light.set, preview.light.set);
    EXPECT_EQ(sharp.image.pixelColor(sharp.light.set[0].center() * 2), QColor(Qt::red));
    EXPECT_TRUE(browser::renderSetPreview({}).image.isNull());
}

TEST(SetPreview, DecodesABoundedNumberOfBoundedPictures) {
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
}

namespace {

QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

// Each picture is drawn at the device's pixels: a stripe half a pixel wide
// is one device pixel at twice the ratio, next to an empty one, where an
// enlarged picture would show two half-covered ones.
TEST(PanelPictures, DrawnAtTheDevicesPixelsNeverEnlarged) {
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 16 16'>"
                           "<rect x='4' y='0' width='0.5' height='16'/></svg>";
    QImage stripe(32, 32, QImage::Format_ARGB32);
    stripe.fill(Qt::transparent);
    QPainter(&stripe).fillRect(8, 0, 1, 32, Qt::black);
    const QByteArray png = pngOf(stripe);
    const struct {
        const QByteArray* bytes;
        int side;
        double ratio;
        int x, alpha, nextAlpha; // device pixel x and x + 1
    } cases[] = {
        {&svg, 16, 1, 4, 128, 0},    {&svg, 16, 2, 8, 255, 0}, {&svg, 32, 1, 8, 255, 0},
        {&svg, 24, 2, 12, 255, 128}, {&png, 16, 2, 8, 255, 0}, {&png, 16, 1, 4, 128, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.side << " at " << c.ratio << (c.bytes == &png));
        const QImage image =
            browser::drawPicture(*c.bytes, false, browser::lightBarInk(), c.side, c.ratio);
        ASSERT_EQ(image.size(), QSize(c.side, c.side) * c.ratio);
        EXPECT_EQ(image.devicePixelRatio(), c.ratio);
        EXPECT_NEAR(qAlpha(image.pixel(c.x, 5)), c.alpha, 2);
        EXPECT_NEAR(qAlpha(image.pixel(c.x + 1, 5)), c.nextAlpha, 2);
        EXPECT_EQ(qAlpha(image.pixel(c.x - 1, 5)), 0);
    }
    EXPECT_TRUE(browser::drawPicture("no picture", false, browser::lightBarInk(), 16, 1).isNull());
}

// A symbolic picture takes the bar's text colour, and its success, warning
// and error parts their colours, opacity kept; other pictures keep theirs.
TEST(PanelPictures, SymbolicPicturesTakeTheBarsInk) {
    const QByteArray svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
        "<style>.x{fill:#00ff00}</style><path d='M0 0h4v16H0z' fill='#bebebe'/>"
        "<rect x='4' width='4' height='16' class='warning' style='fill:#123456'/>"
        "<g fill='#ff00ff'><rect x='8' width='4' height='16' opacity='0.5'/></g>"
        "<rect x='12' width='4' height='16' class='x'/></svg>";
    QImage red(8, 8, QImage::Format_ARGB32);
    red.fill(Qt::red);
    const QByteArray png = pngOf(red);
    for (const browser::BarInk* ink : {&browser::lightBarInk(), &browser::darkBarInk()}) {
        const QImage image = browser::drawPicture(svg, true, *ink, 16, 2);
        const auto at = [&](int x) { return image.pixelColor(x * 2 + 2, 8); };
        EXPECT_EQ(at(0), ink->foreground);
        EXPECT_EQ(at(4), ink->warning);
        EXPECT_NEAR(at(8).alpha(), 128, 1);
        EXPECT_NEAR(at(8).red(), ink->foreground.red(), 2);
        EXPECT_EQ(at(12), ink->foreground);
        // Dark on the light bar, light on the dark bar.
        EXPECT_EQ(at(0).lightness() > 128, ink == &browser::darkBarInk());
        EXPECT_EQ(browser::drawPicture(png, true, *ink, 16, 1).pixelColor(8, 8), ink->foreground);
        EXPECT_EQ(browser::drawPicture(svg, false, *ink, 16, 1).pixelColor(1, 8),
                  QColor(0xbe, 0xbe, 0xbe));
    }
    EXPECT_TRUE(browser::recolouredSvg("<svg><unclosed", browser::darkBarInk()).isEmpty());
}

// The plain picture beside its symbolic one, by icon name.
TEST(PanelPictures, GroupedByIconName) {
    const std::vector<std::string> paths = {"s/b.png",          "s/a-symbolic.svg",
                                            "s/a.svg",          "s/a-symbolic-rtl.png",
                                            "s/c.symbolic.png", "s/ab.svg"};
    const struct {
        const char* icon;
        const char* group;
        bool symbolic;
    } expected[] = {{"a", "a", false},   {"a-symbolic", "a", true}, {"a-symbolic-rtl", "a", true},
                    {"ab", "ab", false}, {"b", "b", false},         {"c.symbolic", "c", true}};
    const auto pictures = browser::groupedPictures(paths);
    ASSERT_EQ(pictures.size(), std::size(expected));
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(pictures[i].icon, QLatin1String(expected[i].icon));
        EXPECT_EQ(pictures[i].group, QLatin1String(expected[i].group));
        EXPECT_EQ(pictures[i].symbolic, expected[i].symbolic);
    }
    for (const char* name : {"a-symbolic/a.png", "symbolic.png", "Volume1.tif"})
        EXPECT_FALSE(browser::isSymbolicPicture(name)) << name;
}

// A set of many pictures is drawn in parts at once: every picture, at every
// side, on both bars, as it is drawn alone.
TEST(PanelPictures, ManyPicturesAreDrawnWholeInParts) {
    QTemporaryDir dir;
    std::vector<std::string> paths;
    for (int i = 0; i < 37; ++i) {
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(QColor(i * 6, 255 - i * 6, 128));
        const bool symbolic = i % 3 == 0;
        paths.push_back(QString(dir.path() + QStringLiteral("/p%1%2.png"))
                            .arg(i, 2, 10, QLatin1Char('0'))
                            .arg(symbolic ? QStringLiteral("-symbolic") : QString())
                            .toStdString());
        QFile file(QString::fromStdString(paths.back()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(pngOf(image)) > 0);
    }
    const auto drawing = browser::drawPanelPictures(browser::groupedPictures(paths), {16, 32}, 1);
    ASSERT_EQ(drawing.pictures.size(), paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        QFile file(QString::fromStdString(drawing.pictures[i].path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (std::size_t s = 0; s < 2; ++s)
            for (const auto* bar : {&drawing.light, &drawing.dark}) {
                ASSERT_EQ((*bar)[i].size(), 2u) << i;
                const auto& ink = bar == &drawing.dark && drawing.pictures[i].symbolic
                                      ? browser::darkBarInk()
                                      : browser::lightBarInk();
                EXPECT_EQ((*bar)[i][s], browser::drawPicture(bytes, drawing.pictures[i].symbolic,
                                                             ink, s == 0 ? 16 : 32, 1))
                    << i;
            }
    }
    // Where no thread is to be had (the user's limit of processes), all is
    // drawn on the caller's: in a child that may start none (its real user
    // not root's, no capabilities), the same drawing.
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit none{0, 0};
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[2]{};
        bool same = (::getuid() != 0 || (::setresuid(65534, 0, 0) == 0 &&
                                         ::syscall(SYS_capset, &header, caps) == 0)) &&
                    ::setrlimit(RLIMIT_NPROC, &none) == 0;
        try {
            const auto alone =
                browser::drawPanelPictures(browser::groupedPictures(paths), {16, 32}, 1);
            same = same && alone.light == drawing.light && alone.dark == drawing.dark;
        } catch (...) {
            same = false;
        }
        ::_exit(same ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(status, 0);
}
