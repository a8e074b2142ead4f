#include "app/CommandMain.h"

#include "app/CommandVerbs.h"
#include "library/FileLines.h"
#include "platform/core/Bundle.h"
#include "platform/core/Memory.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Where no program could be started (sysexits' EX_OSFILE: a file of the
// installation is missing).
constexpr int kMissingProgram = 72;

} // namespace

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Trayskin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRAYSKIN_VERSION));
}

StartOptions readCommandLine(int argc, char** argv, int* exitStatus) {
    QCoreApplication core(argc, argv);
    nameApplication();
    platform::bundle::loadTranslations();
    const StartOptions options = parseStartOptions(QCoreApplication::arguments());
    if (options.verbose)
        library::showFileLines();
    *exitStatus = answerStartOptions(options);
    if (*exitStatus < 0 && options.verb != Verb::Window)
        *exitStatus = runVerb(options);
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
