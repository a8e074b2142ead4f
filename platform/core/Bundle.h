// The application bundle: where the program and its resources are, and the
// localized words of its default strings table.
#pragma once

#include <QString>
#include <string>

namespace platform::bundle {

// The bundle folder: two folders up from Contents/MacOS of the running
// executable, or the path set with setMainBundlePath.
std::string bundlePath();

// Lets a test or a tool make another folder the main bundle.
void setMainBundlePath(const std::string& path);

// Contents/Resources of the bundle.
std::string resourcesFolder();

// The path of resource "name.type" in the Resources folder, or empty when
// there is no such file.
std::string pathForResource(const std::string& name, const std::string& type);

// Loads the translation of the user's language from Contents/Resources/
// translations, if there is one. Returns true when a table was installed.
bool loadTranslations();

// The translation of the key in the default table; the key itself when the
// table has none.
QString localizedString(const char* key);

} // namespace platform::bundle
