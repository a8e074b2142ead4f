#include "icontheme/IniFile.h"

#include "icontheme/Picture.h"

#include <algorithm>

namespace icontheme {

std::optional<QByteArrayView> IniFile::Group::raw(QByteArrayView key) const {
    const auto entry = std::find_if(entries_.cbegin(), entries_.cend(),
                                    [&](const auto& entry) { return entry.first == key; });
    if (entry == entries_.cend())
        return std::nullopt;
    return entry->second;
}

std::optional<QString> IniFile::Group::value(QByteArrayView key) const {
    const auto bytes = raw(key);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

IniFile IniFile::parse(const QByteArray& text) {
    IniFile ini;
    // Names, keys and values stay where they are in the text, which the
    // file keeps; a theme's index of hundreds of groups is read without a
    // string made for each line.
    ini.text_ = text;
    const QByteArrayView all(ini.text_);
    Group* group = nullptr;
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        const QByteArrayView line = all.sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            group = nullptr;
            // A group given twice keeps its first keys, as a key given twice does.
            if (line.back() == ']' && line.size() > 2)
                group = &ini.groups_[line.sliced(1, line.size() - 2)];
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (group == nullptr || eq <= 0)
            continue;
        // Kept in order: the first of a key given twice is the one looked up.
        group->entries_.append({line.first(eq).trimmed(), line.sliced(eq + 1).trimmed()});
    }
    return ini;
}

std::optional<IniFile> IniFile::read(const QString& path, qint64 maxBytes) {
    const auto text = readSmallFile(path, maxBytes);
    if (!text)
        return std::nullopt;
    return parse(*text);
}

const IniFile::Group* IniFile::group(const QString& name) const {
    const QByteArray bytes = name.toUtf8();
    const auto found = groups_.constFind(QByteArrayView(bytes));
    return found == groups_.cend() ? nullptr : &*found;
}

std::optional<QString> IniFile::value(const QString& group, const QString& key) const {
    const Group* found = this->group(group);
    if (found == nullptr)
        return std::nullopt;
    return found->value(key.toUtf8());
}

} // namespace icontheme
