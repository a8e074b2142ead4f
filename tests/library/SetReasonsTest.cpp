// Why Use This Set would leave a file out, or cannot use a set at all, as
// desktop mode says it before the user tries.
#include "library/SetReasons.h"
#include "tests/library/SystemWorld.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

using testing_support::pngBytes;
using testing_support::ThemeWorld;

namespace {

// Each file's reason is New Set's (NewSetTest, the same check of a file),
// and the install's words for a picture refused (DesktopModeTest); a set's is
// made of them.
TEST(SetReasons, ASetNeedsItsInfoFileAndAPictureTheItemShows) {
    testing_support::SystemWorld w("test-blue");
    const QString data = w.data;
    library::IconThemeSystem system = w.system("Test");
    const QString set = data + "/trayskin/Volume/Mine";
    ThemeWorld::put(set, "audio-volume-high.png", pngBytes(16, 1));
    ThemeWorld::put(set, "audio-volume-medium.jpg", "\xff\xd8\xff\xe0");
    // A set: first its info file, then a picture that the item shows.
    EXPECT_TRUE(library::setUnusableReason(system, "Volume", "Mine").contains("no info file"));
    ThemeWorld::put(set, "trayskininfo.txt", "mine");
    EXPECT_EQ(library::setUnusableReason(system, "Volume", "Mine"), QString());
    ThemeWorld::put(data + "/trayskin/Battery/Other", "trayskininfo.txt", "other");
    ThemeWorld::put(data + "/trayskin/Battery/Other", "audio-volume-high.png", pngBytes(16, 5));
    EXPECT_TRUE(library::setUnusableReason(system, "Battery", "Other")
                    .contains("no picture that this item shows"));
}

} // namespace
