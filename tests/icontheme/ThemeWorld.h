// Made-up icon themes in a temporary folder: three base directories (a
// home's .icons, a user's data folder, a system's), with the environment
// pointing at them while the world lives.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>

namespace testing_support {

class ThemeWorld {
public:
    ThemeWorld();
    ~ThemeWorld();
    ThemeWorld(const ThemeWorld&) = delete;
    ThemeWorld& operator=(const ThemeWorld&) = delete;

    QString root() const { return dir_.path(); }
    QString homeIcons() const { return root() + QStringLiteral("/home/.icons"); }
    QString userIcons() const { return root() + QStringLiteral("/data/icons"); }
    QString systemIcons() const { return root() + QStringLiteral("/sys/icons"); }
    QStringList bases() const { return {homeIcons(), userIcons(), systemIcons()}; }

    // Writes base/relative, making its folders.
    static void put(const QString& base, const QString& relative, const QByteArray& bytes = "x");
    static QByteArray get(const QString& path);
    // Copies everything below a fixture folder (tests/icontheme/themes/NAME) into the world.
    void copy(const QString& fixture) const;

private:
    QTemporaryDir dir_;
    QList<std::pair<const char*, QByteArray>> saved_;
};

// Everything below root (root too) as if it had not changed for an hour,
// so that no theme looks as if it changed in the tick it was read in.
void age(const QString& root);
// An index.theme of that many directories "d0/status" ... of size 16.
QByteArray manyDirectories(int count);

// A square PNG of that size, of one colour.
QByteArray pngBytes(int size, unsigned rgb);
QByteArray svgBytes(unsigned rgb);

} // namespace testing_support
