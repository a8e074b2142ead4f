#include "icontheme/IniFile.h"

#include "icontheme/Picture.h"

namespace icontheme {

IniFile IniFile::parse(const QByteArray& text) {
    IniFile ini;
    QHash<QString, QString>* group = nullptr;
    // Lines are looked at in place; only names and values become strings.
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty() || line.front() == '#' || line.front() == ';')
            continue;
        if (line.front() == '[') {
            group = nullptr;
            if (line.back() == ']' && line.size() > 2) {
                // A group given twice keeps its first keys, as a key given twice does.
                group = &ini.groups_[QString::fromUtf8(line.sliced(1, line.size() - 2))];
            }
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (group == nullptr || eq <= 0)
            continue;
        const QString key = QString::fromUtf8(line.first(eq).trimmed());
        if (!group->contains(key))
            group->insert(key, QString::fromUtf8(line.sliced(eq + 1).trimmed()));
    }
    return ini;
}

std::optional<IniFile> IniFile::read(const QString& path, qint64 maxBytes) {
    const auto text = readSmallFile(path, maxBytes);
    if (!text)
        return std::nullopt;
    return parse(*text);
}

std::optional<QString> IniFile::value(const QString& group, const QString& key) const {
    const auto g = groups_.constFind(group);
    if (g == groups_.cend())
        return std::nullopt;
    const auto v = g->constFind(key);
    if (v == g->cend())
        return std::nullopt;
    return *v;
}

} // namespace icontheme
