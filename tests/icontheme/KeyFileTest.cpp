// Key files read and changed as their owners read them, held against the
// owners' own readers: GLib's, as GTK 3 reads settings.ini, and KDE's icon
// loader, which reads the theme that kdeglobals names.
#include "icontheme/KeyFile.h"
#include "tests/icontheme/RealClients.h"

#include <gtest/gtest.h>

using namespace icontheme;
using namespace testing_support;

namespace {

const QString kGroup = "Settings";
const QString kKey = "gtk-icon-theme-name";

TEST(KeyFile, GtkReadsWhatWeReadAndTheValueWeWriteAndEveryOtherLineStays) {
    // What GTK takes is the client's answer; it refuses the last five whole.
    const QByteArray cases[] = {
        "# mine\n[Settings]\ngtk-icon-theme-name=A\n\n# later\n  gtk-icon-theme-name = B\nx=1\n",
        "[Settings]\ngtk-icon-theme-name=A\n[Other]\ngtk-icon-theme-name=C\n[Settings]\n"
        "gtk-font-name=Sans 10\n",
        "[Settings]\ngtk-theme-name=T\n[Other]\n[Settings]\ngtk-icon-theme-name=B\ny=2",
        "[Settings]\r\ngtk-icon-theme-name=W\r\ngtk-theme-name=T\r\n",
        "[Settings]\ngtk-icon-theme-name=\\sA\\\\b \n",
        "[Settings]\ngtk-icon-theme-name[de]=Q\n",
        "# top\n[Other]\nk=v",
        "",
        "[Settings]\ngtk-icon-theme-name=A\n; not a comment to GLib\n",
        "gtk-icon-theme-name=A\n[Settings]\n",
        "[Settings]\ngtk-icon-theme-name=A\ngtk-icon-theme-name]=B\n",
        "[Settings]\n=A\n",
        "[Set[tings]\n",
    };
    ThemeWorld world;
    QStringList files; // each case's text, then the text with the new value
    for (const QByteArray& text : cases) {
        const auto next = KeyFile::parse(text, KeyFileRules::Gtk).withValue(kGroup, kKey, "New");
        for (const QByteArray& bytes : {text, next.value_or(text)}) {
            files << world.root() + QString("/%1.ini").arg(files.size());
            ThemeWorld::put(world.root(), QString("%1.ini").arg(files.size() - 1), bytes);
        }
    }
    // The icon theme name GTK takes from each file (tests/icontheme/gtk_lookup.py).
    const QStringList gtk = gtkLookup(world, "--settings", files);
    ASSERT_EQ(gtk.size(), files.size());
    for (qsizetype i = 0; i < qsizetype(std::size(cases)); ++i) {
        const QByteArray& text = cases[i];
        SCOPED_TRACE(text.toStdString());
        const KeyFile before = KeyFile::parse(text, KeyFileRules::Gtk);
        const auto ours = before.value(kGroup, kKey);
        EXPECT_EQ(before.readable() ? ours.value_or("-") : "refused", gtk[2 * i]);
        // A file GTK refuses is left as it is.
        EXPECT_EQ(gtk[2 * i + 1], before.readable() ? "New" : "refused");
        const auto next = before.withValue(kGroup, kKey, "New");
        if (!next)
            continue;
        // Changed back, the file is as it was; without a value before, GTK reads none.
        const QByteArray back =
            *KeyFile::parse(*next, KeyFileRules::Gtk).withValue(kGroup, kKey, ours);
        if (ours)
            EXPECT_EQ(back, text);
        else
            EXPECT_EQ(KeyFile::parse(back, KeyFileRules::Gtk).value(kGroup, kKey), std::nullopt);
    }
}

TEST(KeyFile, KdeReadsWhatWeReadAndTheValueWeWrite) {
    const QByteArray cases[] = {
        "[Icons]\nTheme=Aa\n[General]\nx=1\n[Icons]\nTheme = Bb \nnot a line\n",
        "[Icons][$i]\nTheme[de]=Cc\nTheme[$e]=Bb\n",
        "; mine\n[Icons]\nTheme=Bb\nTheme=Cc\n",
    };
    ThemeWorld world;
    for (const char* theme : {"Aa", "Bb", "Cc"}) {
        ThemeWorld::put(world.userIcons(), QString(theme) + "/index.theme",
                        "[Icon Theme]\nDirectories=16\n[16]\nSize=16\nType=Fixed\n");
        ThemeWorld::put(world.userIcons(), QString(theme) + "/16/probe.png", pngBytes(16, 1));
    }
    const auto kdeReads = [&](const QByteArray& text) {
        ThemeWorld::put(world.root(), "config/kdeglobals", text);
        return kdeLookup(world, {"probe"}).value(0).section('/', -3, -3);
    };
    for (const QByteArray& text : cases) {
        SCOPED_TRACE(text.toStdString());
        const KeyFile before = KeyFile::parse(text, KeyFileRules::Kde);
        EXPECT_EQ(before.value("Icons", "Theme"), kdeReads(text));
        const QByteArray next = *before.withValue("Icons", "Theme", "Aa");
        EXPECT_EQ(kdeReads(next), "Aa");
        EXPECT_EQ(*KeyFile::parse(next, KeyFileRules::Kde)
                       .withValue("Icons", "Theme", before.value("Icons", "Theme")),
                  text);
    }
}

} // namespace
