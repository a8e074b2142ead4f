// The small ini files of icon themes and desktop settings (index.theme,
// settings.ini, kdeglobals): groups of key=value lines. Anything that is
// not a group, a key line, a comment or blank is ignored, so a damaged
// file still yields what it holds.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace icontheme {

class IniFile {
public:
    static IniFile parse(const QByteArray& text);
    // Reads at most maxBytes; none when the file cannot be read or is larger.
    static std::optional<IniFile> read(const QString& path, qint64 maxBytes = 4 << 20);

    bool hasGroup(const QString& group) const { return groups_.contains(group); }
    // The first value of the key in the group, trimmed; none when absent.
    std::optional<QString> value(const QString& group, const QString& key) const;

private:
    QHash<QString, QHash<QString, QString>> groups_;
};

} // namespace icontheme
