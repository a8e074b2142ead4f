#include "icontheme/KeyFile.h"

#include "icontheme/Picture.h"

#include <algorithm>
#include <cctype>

namespace icontheme {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView skipSpaces(QByteArrayView text) {
    qsizetype start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    return text.sliced(start);
}

QByteArrayView chompSpaces(QByteArrayView text) {
    while (!text.isEmpty() && isSpace(text.back()))
        text.chop(1);
    return text;
}

// KDE's flags after a key or a group: "Theme[$e]", "[Icons][$i]".
QByteArrayView withoutKdeFlags(QByteArrayView text) {
    while (text.endsWith(']')) {
        const qsizetype open = text.lastIndexOf('[');
        if (open < 0 || open + 1 >= text.size() || text[open + 1] != '$')
            break;
        text.truncate(open);
    }
    return text;
}

// GLib's key names: no "=", "[" or "]" but for a locale "[de_DE.UTF-8@euro]".
bool isGtkKey(QByteArrayView key) {
    const qsizetype open = key.indexOf('[');
    const QByteArrayView name = open < 0 ? key : key.first(open);
    if (name.isEmpty() || name.contains(']') || name.contains('='))
        return false;
    if (open < 0)
        return true;
    const QByteArrayView locale = key.sliced(open + 1);
    if (!locale.endsWith(']'))
        return false;
    return std::all_of(locale.cbegin(), locale.cend() - 1, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
               c == '@' || static_cast<unsigned char>(c) >= 0x80;
    });
}

// GLib's group names: not empty, no brackets, no control characters.
bool isGtkGroup(QByteArrayView name) {
    return !name.isEmpty() && std::none_of(name.cbegin(), name.cend(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '[' || c == ']' || byte < 0x20 || byte == 0x7f;
    });
}

std::optional<QString> unescaped(QByteArrayView raw, KeyFileRules rules) {
    if (!raw.contains('\\'))
        return QString::fromUtf8(raw);
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out.append(raw[i]);
            continue;
        }
        const char next = i + 1 < raw.size() ? raw[++i] : '\0';
        switch (next) {
        case 's':
            out.append(' ');
            break;
        case 't':
            out.append('\t');
            break;
        case 'n':
            out.append('\n');
            break;
        case 'r':
            out.append('\r');
            break;
        case '\\':
            out.append('\\');
            break;
        default:
            if (rules == KeyFileRules::Gtk)
                return std::nullopt; // GLib refuses the value
            out.append('\\').append(next);
        }
    }
    return QString::fromUtf8(out);
}

// As both owners write a value: leading blanks, line breaks and backslashes escaped.
QByteArray escaped(const QString& value) {
    QByteArray out;
    bool leading = true;
    for (const char c : value.toUtf8()) {
        leading = leading && (c == ' ' || c == '\t');
        if (leading)
            out.append(c == ' ' ? "\\s" : "\\t");
        else if (c == '\n' || c == '\r' || c == '\\')
            out.append('\\').append(c == '\n' ? 'n' : c == '\r' ? 'r' : '\\');
        else
            out.append(c);
    }
    return out;
}

} // namespace

std::optional<QByteArrayView> KeyFile::Group::raw(QByteArrayView key) const {
    // The last of a key given twice is the one read.
    const auto entry = std::find_if(entries_.crbegin(), entries_.crend(),
                                    [&](const Entry& entry) { return entry.key == key; });
    if (entry == entries_.crend())
        return std::nullopt;
    return entry->value;
}

KeyFile KeyFile::parse(const QByteArray& text, KeyFileRules rules) {
    KeyFile file;
    file.text_ = text;
    file.rules_ = rules;
    // Names, keys and values stay where they are in the text, which the file
    // keeps; a theme's index of thousands of groups is read without a string
    // made for each line.
    const QByteArrayView all(file.text_);
    for (qsizetype start = 0; start < all.size() && file.readable_;) {
        qsizetype end = all.indexOf('\n', start);
        end = end < 0 ? all.size() : end + 1;
        QByteArrayView line = all.sliced(start, end - start);
        start = end;
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        file.addLine(rules == KeyFileRules::Gtk ? skipSpaces(line) : line.trimmed(), end);
    }
    if (!file.readable_)
        file.groups_.clear();
    file.current_ = nullptr;
    return file;
}

void KeyFile::addLine(QByteArrayView line, qsizetype end) {
    const bool gtk = rules_ == KeyFileRules::Gtk;
    if (line.isEmpty() || line.front() == '#')
        return;
    if (line.front() == '[') {
        QByteArrayView name;
        if (gtk) {
            const qsizetype close = line.indexOf(']');
            const bool blankAfter =
                close > 0 && std::all_of(line.cbegin() + close + 1, line.cend(),
                                         [](char c) { return c == ' ' || c == '\t'; });
            name = blankAfter ? line.sliced(1, close - 1) : QByteArrayView();
            readable_ = isGtkGroup(name);
        } else {
            line = withoutKdeFlags(line);
            if (line.size() > 2 && line.endsWith(']'))
                name = line.sliced(1, line.size() - 2);
        }
        // A group given twice is one group; its keys go on where they stood last.
        current_ = name.isEmpty() ? nullptr : &groups_[name];
        if (current_ == nullptr)
            return;
        current_->rules_ = rules_;
        current_->end_ = end;
        if (firstGroup_.isNull())
            firstGroup_ = name;
        inFirstGroup_ = name == firstGroup_;
        return;
    }
    const qsizetype eq = line.indexOf('=');
    if (gtk && (eq <= 0 || current_ == nullptr || !isGtkKey(chompSpaces(line.first(eq))))) {
        readable_ = false;
        return;
    }
    if (eq <= 0 || current_ == nullptr)
        return;
    QByteArrayView key = chompSpaces(line.first(eq));
    if (!gtk)
        key = withoutKdeFlags(key).trimmed();
    const QByteArrayView value = skipSpaces(line.sliced(eq + 1));
    if (gtk && inFirstGroup_ && key == "Encoding" &&
        value.compare("UTF-8", Qt::CaseInsensitive) != 0) {
        readable_ = false;
        return;
    }
    current_->entries_.append({key, value});
    current_->end_ = end;
}

std::optional<KeyFile> KeyFile::read(const QString& path, KeyFileRules rules, qint64 maxBytes) {
    const auto text = readSmallFile(path, maxBytes);
    if (!text)
        return std::nullopt;
    return parse(*text, rules);
}

const KeyFile::Group* KeyFile::group(const QString& name) const {
    const QByteArray bytes = name.toUtf8();
    const auto found = groups_.constFind(QByteArrayView(bytes));
    return found == groups_.cend() ? nullptr : &*found;
}

std::optional<QString> KeyFile::Group::value(QByteArrayView key) const {
    const auto bytes = raw(key);
    if (!bytes)
        return std::nullopt;
    return unescaped(*bytes, rules_);
}

std::optional<QString> KeyFile::value(const QString& group, const QString& key) const {
    const Group* found = this->group(group);
    return found ? found->value(key.toUtf8()) : std::nullopt;
}

std::optional<QByteArray> KeyFile::withValue(const QString& group, const QString& key,
                                             const std::optional<QString>& value) const {
    if (!readable_)
        return std::nullopt;
    const QByteArray name = key.toUtf8();
    const qsizetype firstBreak = text_.indexOf('\n');
    const QByteArray eol = firstBreak > 0 && text_[firstBreak - 1] == '\r' ? "\r\n" : "\n";
    const Group* found = this->group(group);
    QByteArray out = text_;
    const auto offset = [&](QByteArrayView view) { return view.data() - text_.constData(); };
    QList<QByteArrayView> lines; // the values of the key, in the file's order
    for (const Group::Entry& entry : found ? found->entries_ : QList<Group::Entry>()) {
        if (entry.key == name)
            lines.append(entry.value);
    }
    if (value && !lines.isEmpty())
        return out.replace(offset(lines.last()), lines.last().size(), escaped(*value));
    if (!value) {
        // No value at all: every line of the key goes, the last first.
        for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
            const qsizetype start = text_.lastIndexOf('\n', offset(*it)) + 1;
            const qsizetype next = text_.indexOf('\n', offset(*it));
            out.remove(start, (next < 0 ? text_.size() : next + 1) - start);
        }
        return out;
    }
    const QByteArray line = name + '=' + escaped(*value) + eol;
    const qsizetype at = found ? found->end_ : out.size();
    QByteArray insert = at == out.size() && !out.isEmpty() && !out.endsWith('\n') ? eol : "";
    if (!found) {
        const bool blankBefore = out.isEmpty() || out.endsWith("\n\n") || out.endsWith("\n\r\n");
        insert += (blankBefore ? QByteArray() : eol) + '[' + group.toUtf8() + ']' + eol;
    }
    return out.insert(at, insert + line);
}

namespace {

// Where the value of the setting's last line is: the line's start and end
// (after its newline) and the value's start and end between the quotes.
struct GtkrcLine {
    qsizetype start = -1, end = -1, valueStart = -1, valueEnd = -1;
};

GtkrcLine lastGtkrcLine(const QByteArray& text, QByteArrayView name) {
    GtkrcLine found;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        end = end < 0 ? text.size() : end + 1;
        qsizetype at = start;
        while (at < end && (text[at] == ' ' || text[at] == '\t'))
            ++at;
        if (QByteArrayView(text).sliced(at, end - at).startsWith(name)) {
            at += name.size();
            while (at < end && (text[at] == ' ' || text[at] == '\t'))
                ++at;
            if (at < end && text[at] == '=') {
                ++at;
                while (at < end && (text[at] == ' ' || text[at] == '\t'))
                    ++at;
                const qsizetype close =
                    at < end && text[at] == '"' ? text.indexOf('"', at + 1) : -1;
                if (close > at && close < end)
                    found = {start, end, at + 1, close};
            }
        }
        start = end;
    }
    return found;
}

} // namespace

std::optional<QString> gtkrcValue(const QByteArray& text, QByteArrayView name) {
    const GtkrcLine line = lastGtkrcLine(text, name);
    if (line.start < 0)
        return std::nullopt;
    return QString::fromUtf8(text.mid(line.valueStart, line.valueEnd - line.valueStart));
}

QByteArray gtkrcWithValue(const QByteArray& text, QByteArrayView name,
                          const std::optional<QString>& value) {
    const GtkrcLine line = lastGtkrcLine(text, name);
    QByteArray next = text;
    if (line.start >= 0 && value)
        return next.replace(line.valueStart, line.valueEnd - line.valueStart, value->toUtf8());
    if (line.start >= 0)
        return next.remove(line.start, line.end - line.start);
    if (!value)
        return next;
    if (!next.isEmpty() && !next.endsWith('\n'))
        next += '\n';
    return next + name.toByteArray() + "=\"" + value->toUtf8() + "\"\n";
}

} // namespace icontheme
