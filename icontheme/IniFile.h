// The small ini files of icon themes and desktop settings (index.theme,
// settings.ini, kdeglobals): groups of key=value lines. Anything that is
// not a group, a key line, a comment or blank is ignored, so a damaged
// file still yields what it holds.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace icontheme {

class IniFile {
public:
    // A group's keys and values, as they stand in the file (trimmed).
    class Group {
    public:
        // The first value of the key; none when absent.
        std::optional<QByteArrayView> raw(QByteArrayView key) const;
        std::optional<QString> value(QByteArrayView key) const;

    private:
        friend class IniFile;
        QList<std::pair<QByteArrayView, QByteArrayView>> entries_;
    };

    static IniFile parse(const QByteArray& text);
    // Reads at most maxBytes; none when the file cannot be read or is larger.
    static std::optional<IniFile> read(const QString& path, qint64 maxBytes = 4 << 20);

    bool hasGroup(const QString& group) const { return this->group(group) != nullptr; }
    const Group* group(const QString& name) const;
    // The first value of the key in the group, trimmed; none when absent.
    std::optional<QString> value(const QString& group, const QString& key) const;

private:
    // The file's bytes, which the groups' names, keys and values point into.
    QByteArray text_;
    QHash<QByteArrayView, Group> groups_;
};

} // namespace icontheme
