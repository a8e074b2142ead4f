// An answer worked out from the disk, kept in the user's cache folder with a
// stamp (platform/core/Stamps.h) of everything it was worked out from, and
// given again while every stamp holds: what status last said of every item
// (IconThemeStatus.cpp), and which items the theme holds once their default
// sets are made (IconThemeLibrary.cpp). When one stamp does not hold, the
// answer is worked out again (reading the themes and the pictures), so a
// change anywhere is seen at once.
#pragma once

#include "platform/core/Stamps.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace icontheme {
class IconThemes;
}

namespace library {

class StampedMemo {
public:
    // file: where the answer is kept; key: what else it depends on (the
    // library, the themes asked, the base directories), compared whole, with
    // the running program's path.
    StampedMemo(QString file, QStringList key);

    // The kept answer, when there is one for the key and every stamp holds.
    std::optional<QByteArray> kept();

    // Stamps the path as it is now (absent, a file or a folder).
    void note(const QString& path);
    // Stamps the program, the base directories, and the named themes' folders
    // and index files in each, with the folders of their indexes' directories.
    void noteThemes(const QStringList& bases, icontheme::IconThemes& themes,
                    const QStringList& names);
    // Keeps the answer with the stamps noted (taken before what they stand
    // for was read); false when it could not be written.
    bool save(const QByteArray& answer) const;

    // The stamps of the answer: the kept ones after kept() gave it, else
    // those noted (platform::stamps::holds reads them).
    std::string stamps() const;

private:
    QString file_;
    QStringList key_;
    platform::stamps::StampList noted_;
    std::string kept_;
};

} // namespace library
