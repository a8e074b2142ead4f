// Writes the manual page (man) or the bash completion (bash) of the
// program from the command line's one table, at build time:
//     trayskin_docs man|bash OUTPUT
#include "app/CommandLine.h"
#include "platform/core/Bundle.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

namespace {

using platform::bundle::localizedString;

// Text for troff: a backslash and a leading dot or quote are escaped, and a
// minus stays a minus.
QString roff(QString text) {
    text.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

QString roffTable(std::span<const CommandEntry> table, const QString& prefix) {
    QString text;
    for (const CommandEntry& entry : table) {
        text += QStringLiteral(".TP\n\\fB") + roff(prefix + QString::fromLatin1(entry.name)) +
                QStringLiteral("\\fR");
        if (entry.argument && *entry.argument)
            text += QStringLiteral(" \\fI") + roff(QString::fromLatin1(entry.argument)) +
                    QStringLiteral("\\fR");
        text += u'\n' + roff(localizedString(entry.description)) + u'\n';
    }
    return text;
}

QString manPage() {
    return QStringLiteral(".TH TRAYSKIN 1 \"\" \"Trayskin %1\" \"User Commands\"\n"
                          ".SH NAME\ntrayskin \\- %2\n"
                          ".SH SYNOPSIS\n\\fBtrayskin\\fR [\\fIoptions\\fR]\n.br\n"
                          "\\fBtrayskin\\fR [\\fIoptions\\fR] \\fIverb\\fR [\\fIarguments\\fR]\n"
                          ".SH DESCRIPTION\n%3\n.SH OPTIONS\n%4.SH VERBS\n%5.SH EXIT STATUS\n%6"
                          ".SH ENVIRONMENT\n.TP\n\\fBTRAYSKIN_SYSROOT\\fR\n%7\n"
                          ".SH FILES\n.TP\n\\fI~/Library/Trayskin\\fR\n%8\n")
        .arg(QCoreApplication::applicationVersion(),
             roff(localizedString(QT_TRANSLATE_NOOP(
                 "Trayskin", "Chooses the pictures of the status icons of a panel or of the "
                             "menu bar."))),
             roff(localizedString(QT_TRANSLATE_NOOP(
                 "Trayskin", "Without a verb the window opens. The verbs need no display and "
                             "work on the system the window would work on."))),
             roffTable(commandOptions(), QStringLiteral("--")), roffTable(commandVerbs(), {}),
             roffTable(exitStatuses(), {}),
             roff(localizedString(QT_TRANSLATE_NOOP(
                 "Trayskin", "Put in front of the system folders, to try the program in a "
                             "sandbox."))),
             roff(localizedString(
                 QT_TRANSLATE_NOOP("Trayskin", "The picture library of the Menu Extras."))));
}

// Verbs and options from the table; items and sets from trayskin list,
// asked with the mode options already typed; files where nothing else fits.
QString bashCompletion() {
    QStringList verbs;
    for (const CommandEntry& entry : commandVerbs())
        verbs << QString::fromLatin1(entry.name);
    QStringList options;
    for (const CommandEntry& entry : commandOptions())
        options << QStringLiteral("--") + QString::fromLatin1(entry.name);
    return QStringLiteral(
               "# bash completion for trayskin, made from its option table\n"
               "_trayskin() {\n"
               "    local cur=\"${COMP_WORDS[COMP_CWORD]}\" mode=() words=() w i\n"
               "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
               "        w=\"${COMP_WORDS[i]}\"\n"
               "        case \"$w\" in\n"
               "            --desktop|--menu-extras) mode+=(\"$w\") ;;\n"
               "            --icon-theme) mode+=(\"$w\" \"${COMP_WORDS[i+1]}\"); ((i++)) ;;\n"
               "            -*) ;;\n"
               "            *) words+=(\"$w\") ;;\n"
               "        esac\n"
               "    done\n"
               "    if [[ \"${COMP_WORDS[COMP_CWORD-1]}\" == --icon-theme ]]; then return; fi\n"
               "    if [[ \"$cur\" == -* ]]; then\n"
               "        COMPREPLY=($(compgen -W \"%1\" -- \"$cur\")); return\n"
               "    fi\n"
               "    local IFS=$'\\n'\n"
               "    case \"${#words[@]}:${words[0]}\" in\n"
               "        0:) COMPREPLY=($(compgen -W \"%2\" -- \"$cur\")) ;;\n"
               "        1:list|1:use|1:restore|1:export)\n"
               "            COMPREPLY=($(compgen -W \"$(\"$1\" \"${mode[@]}\" list 2>/dev/null)\" "
               "-- \"$cur\")) ;;\n"
               "        2:use|2:export)\n"
               "            COMPREPLY=($(compgen -W \"$(\"$1\" \"${mode[@]}\" list "
               "\"${words[1]}\" 2>/dev/null | cut -c3-)\" -- \"$cur\")) ;;\n"
               "    esac\n"
               "}\n"
               "complete -o default -F _trayskin trayskin\n")
        .arg(options.join(u' '), verbs.join(QStringLiteral("\n")));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(TRAYSKIN_VERSION));
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3 || (arguments[1] != u"man" && arguments[1] != u"bash")) {
        std::fputs("usage: trayskin_docs man|bash OUTPUT\n", stderr);
        return 64;
    }
    QFile out(arguments[2]);
    const QString text = arguments[1] == u"man" ? manPage() : bashCompletion();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0 ||
        !out.flush())
        return 73;
    return 0;
}
