#include "platform/gui/AttributedString.h"

#include <QGuiApplication>

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

QString AttributedString::toHtml() const {
    QString html;
    for (const auto& run : runs_) {
        QString style;
        if (run.attributes.font) {
            style += run.attributes.font->bold() ? QStringLiteral("font-weight:bold;")
                                                 : QStringLiteral("font-weight:normal;");
        }
        if (run.attributes.underlineStyle)
            style += QStringLiteral("text-decoration:underline;");
        QString text = run.text.toHtmlEscaped();
        text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
        html += QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
    }
    return html;
}

} // namespace platform
