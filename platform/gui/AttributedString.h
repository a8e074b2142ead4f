// Styled text made of runs, each with its own attributes: the font and an
// underline style (0 none, 1 single).
#pragma once

#include <QFont>
#include <QString>
#include <optional>
#include <vector>

class QTextDocument;

namespace platform {

struct TextAttributes {
    std::optional<QFont> font;
    int underlineStyle = 0;
    bool operator==(const TextAttributes&) const = default;
};

// The system font at the standard size, and its bold face.
QFont systemFont();
QFont boldSystemFont();

class AttributedString {
public:
    struct Run {
        QString text;
        TextAttributes attributes;
    };

    AttributedString() = default;
    AttributedString(QString text, TextAttributes attributes = {});

    void append(const AttributedString& other);
    const std::vector<Run>& runs() const { return runs_; }
    QString string() const;
    // Puts the text into a document, every character as it is, run by run
    // with its font and underline. Past the limit (in characters) the rest
    // is left out and the note ends the document instead.
    void writeTo(QTextDocument& document, qsizetype limit, const QString& note) const;

private:
    std::vector<Run> runs_;
};

} // namespace platform
