#include "tests/icontheme/ThemeWorld.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace testing_support {
namespace {
const char* const kVariables[] = {"HOME",           "XDG_DATA_HOME",
                                  "XDG_DATA_DIRS",  "XDG_CONFIG_HOME",
                                  "XDG_STATE_HOME", "XDG_CACHE_HOME"};
}

ThemeWorld::ThemeWorld() {
    EXPECT_TRUE(dir_.isValid());
    for (const char* name : kVariables)
        saved_.append({name, qgetenv(name)});
    qputenv("HOME", QFile::encodeName(root() + QStringLiteral("/home")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root() + QStringLiteral("/data")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root() + QStringLiteral("/sys")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root() + QStringLiteral("/config")));
    qputenv("XDG_STATE_HOME", QFile::encodeName(root() + QStringLiteral("/home/.local/state")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(root() + QStringLiteral("/home/.cache")));
    for (const QString& base : bases())
        QDir().mkpath(base);
}

ThemeWorld::~ThemeWorld() {
    for (const auto& [name, value] : saved_) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

void ThemeWorld::put(const QString& base, const QString& relative, const QByteArray& bytes) {
    const QString path = base + u'/' + relative;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ThemeWorld::get(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ThemeWorld::copy(const QString& fixture) const {
    ASSERT_EQ(QProcess::execute("cp", {"-R", fixture + "/.", root()}), 0) << fixture.toStdString();
}

void age(const QString& root) {
    const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    QDirIterator it(root, QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(it.next()).constData(), old, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(root).constData(), old, 0), 0);
}

QByteArray manyDirectories(int count) {
    QByteArray list, groups;
    for (int i = 0; i < count; ++i) {
        const QByteArray dir = "d" + QByteArray::number(i) + "/status";
        list += (i ? "," : "") + dir;
        groups += "[" + dir + "]\nSize=16\n";
    }
    return "[Icon Theme]\nDirectories=" + list + "\n" + groups;
}

QByteArray pngBytes(int size, unsigned rgb) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor::fromRgb(rgb));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svgBytes(unsigned rgb) {
    return QStringLiteral("<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                          "width=\"16\" height=\"16\"><rect width=\"16\" height=\"16\" "
                          "fill=\"#%1\"/></svg>\n")
        .arg(rgb, 6, 16, QChar(u'0'))
        .toUtf8();
}

} // namespace testing_support
