// What the verbs print: the lines and JSON of list and status, and what the
// window's alerts would say of a change, with the exit status it comes to.
#pragma once

#include "app/CountingTool.h"
#include "library/PictureSystem.h"

#include <QByteArray>
#include <string>
#include <vector>

// The item's sets in the system's library (its visible folders), in
// listing order.
std::vector<std::string> setsOf(const library::PictureSystem& system, const std::string& item);

// The items, or with item the item's sets with the one in use marked.
void printList(library::PictureSystem& system, const std::string& item, bool json);
// The mode and theme, and per item what it shows: what status prints.
QByteArray statusText(library::PictureSystem& system, bool json);

// Prints the report's alerts: the outcome on standard output, warnings and
// failures on standard error. Returns the exit status, by what the report
// and the tool's copies say.
int tellReport(const library::PlaceReport& report, const CountingTool& tool);
