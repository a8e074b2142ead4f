// A picture of a set as the overlay accepts it: a PNG or an SVG by its first
// bytes, at most 16 MiB, named "<icon>.png" or "<icon>.svg" with
// [A-Za-z0-9._+-] only (a theme's "<icon>.symbolic.png" is taken as
// "<icon>.png").
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace icontheme {

constexpr qint64 kMaxPictureBytes = 16 << 20;

enum class PictureProblem {
    None,
    BadName,
    Unreadable,
    TooLarge,
    NotPngOrSvg,
    WrongExtension,
    Duplicate // a second picture of the same icon in one set
};

struct Picture {
    QString source;    // the set's file
    QString icon;      // the icon name it stands for
    QString extension; // "png" or "svg"
    QByteArray bytes;
    int width = 0; // a PNG's size; 0 for an SVG
    int height = 0;
    PictureProblem problem = PictureProblem::None;

    QString fileName() const { return icon + u'.' + extension; }
};

// Reads and checks the file; problem says why it cannot be used.
Picture readPicture(const QString& path);
// The bytes of a regular file (a FIFO or a device is refused at once, never
// waited on), none when it cannot be read or holds more than maxBytes (then
// *tooLarge is set).
std::optional<QByteArray> readSmallFile(const QString& path, qint64 maxBytes,
                                        bool* tooLarge = nullptr);
// "png", "svg", or empty for anything else.
QString pictureKind(const QByteArray& head);

} // namespace icontheme
