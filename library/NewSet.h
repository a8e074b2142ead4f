// A set made from pictures the user picks, one at a time: each is checked as
// it comes (its kind by its first bytes, its size, a name the item's
// pictures have, by the picture system's own rule) and copied into a
// staging folder in the library's work folder; the set appears in the
// library only when it is made, by one rename of that folder, whole or not at
// all. What an abandoned draft leaves in the work folder goes at the next
// start.
#pragma once

#include "library/SetOperations.h"

#include <QString>
#include <QStringList>
#include <string>

namespace library {

class PictureSystem;

struct PictureOffer {
    enum class Outcome { Added, NeedsName, Refused };
    Outcome outcome = Outcome::Refused;
    QString name;      // the picture's name in the set (Added)
    QString reason;    // why it is refused, or why it needs another name
    QStringList names; // NeedsName: the names the item's pictures have, for its kind
};

class NewSetDraft {
public:
    NewSetDraft(PictureSystem& system, std::string item);
    // An unmade draft's staging folder goes with it.
    ~NewSetDraft();
    NewSetDraft(const NewSetDraft&) = delete;
    NewSetDraft& operator=(const NewSetDraft&) = delete;

    const std::string& item() const { return item_; }
    // The pictures staged so far, in the order they came.
    const QStringList& pictures() const { return pictures_; }

    // Checks the file and stages it under its own name, or under asName
    // (one of the names offered).
    PictureOffer add(const QString& path, const QString& asName = QString());
    // Writes the description as the info file and puts the set in place
    // under the name.
    SetOutcome make(const QString& name, const QString& description);

private:
    // The names of the item's own pictures (its default set's), for a
    // picture of the kind.
    QStringList namesFor(const QString& kind) const;

    PictureSystem& system_;
    std::string item_;
    std::string root_;
    std::string staging_; // "" once made, or when it could not be made
    QStringList pictures_;
};

} // namespace library
