#include "platform/core/Bundle.h"

#include "platform/core/FileManager.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <climits>
#include <unistd.h>

namespace platform::bundle {

namespace {
std::string& overridePath() {
    static std::string path;
    return path;
}

std::string parentOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return "/";
    return path.substr(0, slash);
}
} // namespace

std::string bundlePath() {
    if (!overridePath().empty())
        return overridePath();
    char buffer[PATH_MAX + 1];
    ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return {};
    std::string exe(buffer, static_cast<std::size_t>(n));
    // <bundle>/Contents/MacOS/<program>
    return parentOf(parentOf(parentOf(exe)));
}

void setMainBundlePath(const std::string& path) {
    overridePath() = path;
}

std::string resourcesFolder() {
    return bundlePath() + "/Contents/Resources";
}

std::string pathForResource(const std::string& name, const std::string& type) {
    const std::string file = name + (type.empty() ? "" : "." + type);
    // The version for the user's language first (<language>.lproj), in the
    // order of the user's languages, then the bundle's own.
    for (const QString& language : QLocale().uiLanguages()) {
        const std::string code = language.section(QLatin1Char('-'), 0, 0).toStdString();
        const std::string localized = resourcesFolder() + "/" + code + ".lproj/" + file;
        if (!code.empty() && fs::exists(localized))
            return localized;
    }
    std::string path = resourcesFolder() + "/" + file;
    return fs::exists(path) ? path : std::string();
}

bool loadTranslations() {
    // Qt's own words (standard buttons and dialogs), where installed.
    static QTranslator qt;
    QCoreApplication::removeTranslator(&qt);
    if (qt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
    static QTranslator translator;
    QCoreApplication::removeTranslator(&translator);
    QString folder = QString::fromStdString(resourcesFolder() + "/translations");
    if (!translator.load(QLocale(), QStringLiteral("trayskin"), QStringLiteral("_"), folder))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

QString localizedString(const char* key) {
    QString text = QCoreApplication::translate("Trayskin", key);
    return text.isEmpty() ? QString::fromUtf8(key) : text;
}

} // namespace platform::bundle
