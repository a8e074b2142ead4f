// What status last said of every item in desktop mode, kept in the user's
// cache folder with a stamp (platform/core/Stamps.h) of everything the
// answer was worked out from: the theme's folders and index files in every
// base directory, the library's item and set folders and set pictures, and
// the files of the user's own icon folders whose bytes were compared
// (IconThemeStatus.cpp). The next status gives the kept answer when every
// stamp still holds, and works it out again (reading the themes and the
// pictures) when one does not, so a change anywhere is seen at once.
#pragma once

#include "library/PictureSystem.h"
#include "platform/core/Stamps.h"

#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace library {

class StatusMemo {
public:
    // file: where the answer is kept; key: what else it depends on (the
    // library, the themes asked, the base directories), compared whole.
    StatusMemo(QString file, QStringList key);

    // The kept answer, when there is one for the key and every stamp holds.
    std::optional<std::vector<ItemInUse>> kept();

    // Stamps the path as it is now (absent, a file or a folder).
    void note(const QString& path);
    // Stamps the folder and every folder below it (through links to folders,
    // each folder once).
    void noteTree(const QString& folder);
    // Keeps the answer with the stamps noted (taken before what they stand
    // for was read); false when it could not be written.
    bool save(const std::vector<ItemInUse>& answer) const;

    // The stamps of the answer: the kept ones after kept() gave it, else
    // those noted (platform::stamps::holds reads them).
    std::string stamps() const;

private:
    QString file_;
    QStringList key_;
    platform::stamps::StampList noted_;
    std::string kept_;
    QSet<QPair<quint64, quint64>> visited_; // folders noted with what is below them
};

} // namespace library
