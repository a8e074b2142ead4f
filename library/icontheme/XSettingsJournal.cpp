#include "library/icontheme/XSettingsJournal.h"

#include "icontheme/SafeFolder.h"
#include "icontheme/ThemeIndex.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace library {
namespace {

// The names the journal gives the managers, in the order of the enum.
const char* const kKinds[] = {"", "xfce", "gnome", "mate", "cinnamon", "xsettingsd"};
constexpr qint64 kMaxJournalBytes = 4 << 20; // two xsettingsd files of at most 1 MiB, in base64

std::optional<icontheme::SafeFolder> folderOf(const QString& path, bool create) {
    return icontheme::SafeFolder::open(QFileInfo(path).path(), create);
}

std::optional<ToggleJournal> parse(const QByteArray& bytes) {
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    ToggleJournal journal;
    const QString kind = root.value(QStringLiteral("manager")).toString();
    for (int i = 1; i < int(std::size(kKinds)); ++i)
        if (kind == QLatin1StringView(kKinds[i]))
            journal.kind = XSettingsManager(i);
    journal.value = root.value(QStringLiteral("value")).toString();
    journal.set = root.value(QStringLiteral("set")).toString();
    if (journal.kind == XSettingsManager::None || !icontheme::isSafeThemeName(journal.set) ||
        (journal.kind != XSettingsManager::Xsettingsd &&
         !icontheme::isSafeThemeName(journal.value)))
        return std::nullopt;
    if (journal.kind != XSettingsManager::Xsettingsd)
        return journal;
    journal.path = root.value(QStringLiteral("path")).toString();
    const auto original =
        QByteArray::fromBase64Encoding(root.value(QStringLiteral("original")).toString().toLatin1(),
                                       QByteArray::AbortOnBase64DecodingErrors);
    const auto ours =
        QByteArray::fromBase64Encoding(root.value(QStringLiteral("ours")).toString().toLatin1(),
                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!QFileInfo(journal.path).isAbsolute() || !original || !ours || ours.decoded.isEmpty())
        return std::nullopt;
    journal.original = original.decoded;
    journal.ours = ours.decoded;
    return journal;
}

void say(const char* what, const ToggleJournal& journal, const QString& now) {
    const QString where = journal.kind == XSettingsManager::Xsettingsd
                              ? journal.path
                              : QLatin1StringView(kKinds[int(journal.kind)]);
    std::fprintf(stderr, "interrupted icon theme toggle of %s: %s (%s, was %s)\n",
                 qPrintable(where), what, qPrintable(now), qPrintable(journal.value));
    std::fflush(stderr);
}

// True when the journal is done with: the value put back, or the user's kept.
bool finishSetting(const ToggleJournal& journal, const ToggleContext& context) {
    const auto command = settingCommand(journal.kind);
    const auto now = command ? readSetting(*command, context) : std::nullopt;
    if (!now)
        return false; // the setting cannot be read now: tried again at the next start
    if (*now != journal.set)
        return say("the setting no longer holds the toggle's value and is kept", journal, *now),
               true;
    const bool back = context.run(command->tool, command->set + QStringList{journal.value});
    say(back ? "put back the user's icon theme" : "could not put back the icon theme", journal,
        back ? journal.value : *now);
    return back;
}

bool finishFile(const ToggleJournal& journal, const ToggleContext& context,
                const FoundManager& running) {
    const QFileInfo info(journal.path);
    auto folder = icontheme::SafeFolder::open(info.path(), false);
    const auto now = folder ? folder->read(info.fileName(), 1 << 20) : std::nullopt;
    if (!now || *now != journal.ours)
        return say("the file no longer holds the toggle's bytes and is kept", journal,
                   QStringLiteral("file")),
               true;
    const bool back = folder->write(info.fileName(), journal.original);
    say(back ? "put back the user's file byte for byte" : "could not put back the file", journal,
        journal.set);
    if (back && running.kind == XSettingsManager::Xsettingsd &&
        QFileInfo(running.configFile).absoluteFilePath() == info.absoluteFilePath())
        context.reload(running.pid);
    return back;
}

} // namespace

bool writeToggleJournal(const QString& path, const ToggleJournal& journal) {
    QJsonObject root{{QStringLiteral("manager"), QLatin1StringView(kKinds[int(journal.kind)])},
                     {QStringLiteral("value"), journal.value},
                     {QStringLiteral("set"), journal.set}};
    if (journal.kind == XSettingsManager::Xsettingsd) {
        root.insert(QStringLiteral("path"), journal.path);
        root.insert(QStringLiteral("original"), QString::fromLatin1(journal.original.toBase64()));
        root.insert(QStringLiteral("ours"), QString::fromLatin1(journal.ours.toBase64()));
    }
    auto folder = folderOf(path, true);
    return folder && folder->write(QFileInfo(path).fileName(), QJsonDocument(root).toJson());
}

bool removeToggleJournal(const QString& path) {
    auto folder = folderOf(path, false);
    return !folder || folder->remove(QFileInfo(path).fileName());
}

void finishInterruptedToggle(const QString& path, const ToggleContext& context,
                             const FoundManager& running) {
    auto folder = folderOf(path, false);
    const QString name = QFileInfo(path).fileName();
    if (!folder || !folder->exists(name))
        return;
    const auto bytes = folder->read(name, kMaxJournalBytes);
    const auto journal = bytes ? parse(*bytes) : std::nullopt;
    if (!journal) {
        std::fprintf(stderr, "removed a damaged icon theme toggle journal %s; nothing put back\n",
                     qPrintable(path));
        std::fflush(stderr);
        folder->remove(name);
        return;
    }
    const bool done = journal->kind == XSettingsManager::Xsettingsd
                          ? finishFile(*journal, context, running)
                          : finishSetting(*journal, context);
    if (done)
        folder->remove(name);
}

} // namespace library
