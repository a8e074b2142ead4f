// The program's command line: which system's pictures to work on.
//   --desktop             the user's icon theme (desktop mode)
//   --menu-extras         the Menu Extras folder
//   --icon-theme NAME     that icon theme (desktop mode)
//   --own-theme           sets go into a theme of their own (desktop mode)
//   --help, --version
#pragma once

#include "library/SystemChoice.h"

#include <QString>
#include <QStringList>

struct StartOptions {
    library::ModeRequest request = library::ModeRequest::Any;
    QString iconTheme;
    bool ownTheme = false; // the own-theme route from now on
    QString error;         // why the arguments cannot be used; empty when they can
};

// Reads the arguments (the program's name first). --help and --version are
// answered by the caller through QCommandLineParser.
StartOptions parseStartOptions(const QStringList& arguments);

// For the program: prints help, the version or an error and ends the
// process where the arguments say so.
StartOptions startOptionsOrExit(const QStringList& arguments);
