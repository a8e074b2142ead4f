// Why Use This Set would leave a file out, or cannot use a set at all, as
// desktop mode says it before the user tries.
#include "library/SetReasons.h"
#include "tests/library/SystemWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using testing_support::pngBytes;
using testing_support::svgBytes;
using testing_support::ThemeWorld;

namespace {

TEST(SetReasons, EachFileThatUseWouldLeaveOutHasItsReason) {
    testing_support::SystemWorld w("test-blue");
    const QString data = w.data;
    library::IconThemeSystem system = w.system("Test");
    const QString set = data + "/trayskin/Volume/Mine";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason; // "" for none
    } rows[] = {
        {"audio-volume-high.png", pngBytes(16, 1), ""},
        {"audio-volume-low.svg", svgBytes(2), ""},
        {"audio-volume-muted.png", "\xff\xd8\xff\xe0 a JPEG", "not a PNG or SVG"},
        {"audio volume.png", pngBytes(16, 3), "not an icon name"},
        {"battery-low.png", pngBytes(16, 4), "not an icon name of this item"},
        {"audio-volume-medium.jpg", "\xff\xd8\xff\xe0", "only PNG and SVG"},
    };
    for (const auto& row : rows)
        ThemeWorld::put(set, row.name, row.bytes);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString reason = system.pictureRefusal("Volume", "Mine", row.name);
        EXPECT_EQ(reason.isEmpty(), *row.reason == '\0') << reason.toStdString();
        EXPECT_TRUE(reason.contains(row.reason)) << reason.toStdString();
    }
    // A set: first its info file, then a picture that the item shows.
    EXPECT_TRUE(library::setUnusableReason(system, "Volume", "Mine").contains("no info file"));
    ThemeWorld::put(set, "trayskininfo.txt", "mine");
    EXPECT_EQ(library::setUnusableReason(system, "Volume", "Mine"), QString());
    EXPECT_TRUE(library::setUnusableReason(system, "Battery", "Other").contains("no info file"));
    ThemeWorld::put(data + "/trayskin/Battery/Other", "trayskininfo.txt", "other");
    ThemeWorld::put(data + "/trayskin/Battery/Other", "audio-volume-high.png", pngBytes(16, 5));
    EXPECT_TRUE(library::setUnusableReason(system, "Battery", "Other")
                    .contains("no picture that this item shows"));
}

} // namespace
