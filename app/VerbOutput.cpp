#include "app/VerbOutput.h"

#include "app/CommandLine.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/core/PathString.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdio>

namespace {

using platform::bundle::localizedString;

void printLine(std::FILE* stream, const QString& text) {
    std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
}

void printJson(const QJsonObject& object) {
    std::fputs(QJsonDocument(object).toJson(QJsonDocument::Indented).constData(), stdout);
}

const char* kindName(library::InUse::Kind kind) {
    switch (kind) {
    case library::InUse::Kind::Set:
        return "set";
    case library::InUse::Kind::Mix:
        return "mix";
    case library::InUse::Kind::Unknown:
        return "unknown";
    case library::InUse::Kind::NoBundle:
        break;
    }
    return "none";
}

// What the status bar says of the item.
QString inUseText(const library::PictureSystem& system, const library::InUse& inUse) {
    switch (inUse.kind) {
    case library::InUse::Kind::Set:
        return QString::fromStdString(inUse.set);
    case library::InUse::Kind::Mix:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "a mix of sets"));
    case library::InUse::Kind::Unknown:
        return localizedString(QT_TRANSLATE_NOOP("Trayskin", "pictures that no set holds"));
    case library::InUse::Kind::NoBundle:
        break;
    }
    return system.nothingShownText();
}

void printAlert(std::FILE* stream, const library::Notice& notice) {
    printLine(stream, notice.title);
    printLine(stream, notice.message);
    if (!notice.detail.isEmpty())
        printLine(stream, notice.detail);
}

} // namespace

std::vector<std::string> setsOf(const library::PictureSystem& system, const std::string& item) {
    const std::string root = system.libraryRoot();
    std::vector<std::string> sets;
    for (const std::string& set :
         platform::fs::listFolder(platform::formatPath(library::kExtraFolderPattern, {root, item})))
        if (!library::isHiddenName(set) && platform::fs::isDirectory(platform::formatPath(
                                               library::kPictureSetPattern, {root, item, set})))
            sets.push_back(set);
    return sets;
}

void printList(library::PictureSystem& system, const std::string& item, bool json) {
    QJsonArray array;
    if (item.empty()) {
        for (const std::string& name : system.items()) {
            array.append(QString::fromStdString(name));
            if (!json)
                printLine(stdout, system.itemTitle(name));
        }
        if (json)
            printJson({{QStringLiteral("items"), array}});
        return;
    }
    const library::InUse inUse = system.inUse(item);
    for (const std::string& set : setsOf(system, item)) {
        const bool used = inUse.kind == library::InUse::Kind::Set && inUse.set == set;
        array.append(QJsonObject{{QStringLiteral("name"), QString::fromStdString(set)},
                                 {QStringLiteral("inUse"), used}});
        if (!json)
            printLine(stdout, (used ? QStringLiteral("* ") : QStringLiteral("  ")) +
                                  QString::fromStdString(set));
    }
    if (json)
        printJson({{QStringLiteral("item"), QString::fromStdString(item)},
                   {QStringLiteral("sets"), array}});
}

QByteArray statusText(library::PictureSystem& system, bool json) {
    QByteArray text;
    const auto line = [&text](const QString& words) { text += words.toLocal8Bit() + '\n'; };
    QJsonArray array;
    if (!json)
        line(system.statusLabel());
    for (const auto& [item, inUse] : system.itemsInUse()) {
        QJsonObject object{{QStringLiteral("item"), QString::fromStdString(item)},
                           {QStringLiteral("inUse"), QString::fromLatin1(kindName(inUse.kind))}};
        if (inUse.kind == library::InUse::Kind::Set)
            object.insert(QStringLiteral("set"), QString::fromStdString(inUse.set));
        array.append(object);
        if (!json)
            line(system.itemTitle(item) + u'\t' + inUseText(system, inUse));
    }
    if (json) {
        text += QJsonDocument(QJsonObject{{QStringLiteral("description"), system.description()},
                                          {QStringLiteral("items"), array}})
                    .toJson(QJsonDocument::Indented);
    }
    return text;
}

int tellReport(const library::PlaceReport& report, const CountingTool& tool) {
    // When the change was made, the last alert tells so and those before it
    // name the pictures that were not used; else every alert says why not.
    const std::size_t count = report.notices.size();
    for (std::size_t i = 0; i < count; ++i)
        printAlert(report.done && i + 1 == count ? stdout : stderr, report.notices[i]);
    // The status bar's line, where no alert said it already.
    const bool said = std::any_of(
        report.notices.cbegin(), report.notices.cend(), [&](const library::Notice& notice) {
            return notice.detail == report.statusLine || notice.message.contains(report.statusLine);
        });
    if (!report.statusLine.isEmpty() && !said)
        printLine(stderr, report.statusLine);
    std::fflush(stdout);
    if (report.done)
        return count > 1 || report.partly ? exitstatus::kPartly : exitstatus::kDone;
    if (tool.refused())
        return exitstatus::kRefused;
    if (tool.made() > 0)
        return exitstatus::kPartly;
    // A command that found nothing to do changed nothing; every other
    // failure is one to write.
    return report.nothingChanged ? exitstatus::kNothing : exitstatus::kCannotWrite;
}
