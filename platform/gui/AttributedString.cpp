#include "platform/gui/AttributedString.h"

#include <QGuiApplication>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace platform {

QFont systemFont() {
    return QGuiApplication::font();
}

QFont boldSystemFont() {
    QFont font = systemFont();
    font.setBold(true);
    return font;
}

AttributedString::AttributedString(QString text, TextAttributes attributes) {
    runs_.push_back({std::move(text), std::move(attributes)});
}

void AttributedString::append(const AttributedString& other) {
    runs_.insert(runs_.end(), other.runs_.begin(), other.runs_.end());
}

QString AttributedString::string() const {
    QString all;
    for (const auto& run : runs_)
        all += run.text;
    return all;
}

void AttributedString::writeTo(QTextDocument& document, qsizetype limit,
                               const QString& note) const {
    document.clear();
    QTextCursor cursor(&document);
    qsizetype left = limit;
    for (const auto& run : runs_) {
        QTextCharFormat format;
        if (run.attributes.font)
            format.setFont(*run.attributes.font);
        format.setFontUnderline(run.attributes.underlineStyle != 0);
        if (run.text.size() > left) {
            cursor.insertText(run.text.left(left), format);
            QTextCharFormat quiet;
            quiet.setFontItalic(true);
            cursor.insertText(QStringLiteral("\n") + note, quiet);
            return;
        }
        cursor.insertText(run.text, format);
        left -= run.text.size();
    }
}

} // namespace platform
