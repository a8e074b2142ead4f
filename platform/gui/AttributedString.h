// Styled text made of runs, each with its own attributes: the font and an
// underline style (0 none, 1 single).
#pragma once

#include <QFont>
#include <QString>
#include <optional>
#include <vector>

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
    // Rich text for a label: every character shown as it is, line feeds as
    // line breaks.
    QString toHtml() const;

private:
    std::vector<Run> runs_;
};

} // namespace platform
