#include "icontheme/IniFile.h"

#include <QFile>

namespace icontheme {

IniFile IniFile::parse(const QByteArray& text) {
    IniFile ini;
    QHash<QString, QString>* group = nullptr;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            group = nullptr;
            if (line.endsWith(u']') && line.size() > 2) {
                const QString name = line.mid(1, line.size() - 2);
                // A group given twice keeps its first keys, as a key given twice does.
                group = &ini.groups_[name];
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (group == nullptr || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!group->contains(key))
            group->insert(key, line.mid(eq + 1).trimmed());
    }
    return ini;
}

std::optional<IniFile> IniFile::read(const QString& path, qint64 maxBytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray text = file.read(maxBytes + 1);
    if (text.size() > maxBytes)
        return std::nullopt;
    return parse(text);
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
