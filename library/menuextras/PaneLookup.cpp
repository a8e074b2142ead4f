#include "library/menuextras/PaneLookup.h"

#include "platform/core/Bundle.h"

#include <QtGlobal>

namespace library {

namespace {

struct Pane {
    const char* extra;
    const char* displayKey;
    const char* file;
};

// Tested from the top; names compare whole and case-sensitively.
constexpr Pane kPanes[] = {
    {"Volume", QT_TRANSLATE_NOOP("Trayskin", "Sound"), "Sound"},
    {"Displays", QT_TRANSLATE_NOOP("Trayskin", "Displays"), "Displays"},
    {"Battery", QT_TRANSLATE_NOOP("Trayskin", "Energy"), "EnergySaver"},
    {"Clock", QT_TRANSLATE_NOOP("Trayskin", "DateTime"), "DateAndTime"},
};

const Pane* paneOf(const std::string& extra) {
    for (const Pane& pane : kPanes)
        if (extra == pane.extra)
            return &pane;
    return nullptr;
}

} // namespace

QString whichPanel(const std::string& extra) {
    const Pane* pane = paneOf(extra);
    return pane ? platform::bundle::localizedString(pane->displayKey) : QString();
}

std::string whichSystemPanel(const std::string& extra) {
    const Pane* pane = paneOf(extra);
    return pane ? pane->file : std::string();
}

} // namespace library
