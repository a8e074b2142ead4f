#include "app/CommandMain.h"

#include "app/CommandVerbs.h"
#include "library/FileLines.h"
#include "library/Layout.h"
#include "platform/core/Bundle.h"
#include "platform/core/KeptOutput.h"
#include "platform/core/Memory.h"
#include "platform/core/Stamps.h"

#include <QCoreApplication>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace {

// Where no program could be started (sysexits' EX_OSFILE: a file of the
// installation is missing).
constexpr int kMissingProgram = 72;

CommandStart commandStart(int argc, char** argv) {
    CommandStart start{platform::kept::commandKey(argc, argv, environ), {}};
    platform::stamps::StampList programs;
    char self[PATH_MAX + 1];
    const ssize_t size = ::readlink("/proc/self/exe", self, PATH_MAX);
    if (size <= 0)
        return {};
    programs.note(std::string(self, std::size_t(size)));
    // The front that gives what is kept, the folder whose presence chooses
    // the mode, and the translations.
    const std::string bundle = platform::bundle::bundlePath();
    programs.note(bundle + "/Contents/MacOS/trayskin");
    programs.note(library::menuExtrasFolder());
    const std::string translations = bundle + "/Contents/Resources/translations";
    programs.note(translations);
    if (DIR* dir = ::opendir(translations.c_str())) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                programs.note(translations + '/' + entry->d_name);
        ::closedir(dir);
    }
    start.programStamps = programs.bytes();
    return start;
}

} // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Trayskin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRAYSKIN_VERSION));
}

StartOptions readCommandLine(int argc, char** argv, int* exitStatus) {
    const CommandStart start = commandStart(argc, argv);
    QCoreApplication core(argc, argv);
    nameApplication();
    platform::bundle::loadTranslations();
    const StartOptions options = parseStartOptions(QCoreApplication::arguments());
    if (options.verbose)
        library::showFileLines();
    *exitStatus = answerStartOptions(options);
    if (*exitStatus < 0 && options.verb != Verb::Window)
        *exitStatus = runVerb(options, start);
    return options;
}

int commandMain(int argc, char** argv) {
    platform::retainFreedMemory();
    int exitStatus = -1;
    readCommandLine(argc, argv, &exitStatus);
    if (exitStatus >= 0)
        return exitStatus;
    // The window's program links the window system, which a verb never
    // needs: loading it is most of a short verb's time. It reads the same
    // arguments again, in this same process (the same pid).
    const std::string window = platform::bundle::bundlePath() + "/Contents/MacOS/trayskin-window";
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "Could not start %s: %s\n", window.c_str(), std::strerror(errno));
    return kMissingProgram;
}
