// The key files of icon themes and desktop settings (index.theme, GTK's
// settings.ini, KDE's kdeglobals), read as their owners read them and
// changed in place. Under both owners' rules the last value of a key given
// twice wins, a group given twice is one group, and "Key[de]" is a key of
// its own. GTK (GLib's key-file reader) refuses the whole file for one line
// that is not a group, a key or a comment, keeps the spaces after a value
// and takes only "#" as a comment; KDE skips such a line, trims the value
// and drops the "[$i]"-style flags of a key or a group.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace icontheme {

enum class KeyFileRules { Gtk, Kde };

class KeyFile {
public:
    class Group {
    public:
        // The value the owner reads, as it stands in the file; none when absent.
        std::optional<QByteArrayView> raw(QByteArrayView key) const;
        // The same with its escapes (\s, \t, \n, \r, \\) undone.
        std::optional<QString> value(QByteArrayView key) const;

    private:
        friend class KeyFile;
        struct Entry {
            QByteArrayView key;
            QByteArrayView value; // up to the end of its line's text
        };
        QList<Entry> entries_;
        KeyFileRules rules_ = KeyFileRules::Gtk;
        qsizetype end_ = 0; // where a new key of the group goes: after its last line
    };

    static KeyFile parse(const QByteArray& text, KeyFileRules rules);
    // Reads at most maxBytes; none when the file cannot be read or is larger.
    static std::optional<KeyFile> read(const QString& path, KeyFileRules rules,
                                       qint64 maxBytes = 4 << 20);

    // False when the owner refuses the file and reads nothing of it.
    bool readable() const { return readable_; }
    bool hasGroup(const QString& group) const { return this->group(group) != nullptr; }
    const Group* group(const QString& name) const;
    std::optional<QString> value(const QString& group, const QString& key) const;

    // The file's text changed so that its owner reads value for the key (none:
    // no value at all), every other line kept byte for byte. The line the
    // owner reads is the one changed, so earlier copies of the key stay as the
    // user left them and a change back gives the file as it was. None for a
    // file its owner refuses.
    std::optional<QByteArray> withValue(const QString& group, const QString& key,
                                        const std::optional<QString>& value) const;

private:
    void addLine(QByteArrayView line, qsizetype end);

    QByteArray text_; // the names, keys and values point into it
    KeyFileRules rules_ = KeyFileRules::Gtk;
    bool readable_ = true;
    QHash<QByteArrayView, Group> groups_;
    // While parsing: the group of the lines read, and GLib's first group,
    // whose "Encoding" key it checks.
    Group* current_ = nullptr;
    QByteArrayView firstGroup_;
    bool inFirstGroup_ = false;
};

// GTK 2's gtkrc is no key file: a setting is a line "name = "value"" (the
// last one wins), beside styles, includes and comments.
std::optional<QString> gtkrcValue(const QByteArray& text, QByteArrayView name);
// The text with the value of the setting's last line replaced between its
// quotes (none: that line removed; a new one appended where there was
// none), every other byte kept, so that putting the old value back gives
// the file as it was.
QByteArray gtkrcWithValue(const QByteArray& text, QByteArrayView name,
                          const std::optional<QString>& value);

} // namespace icontheme
