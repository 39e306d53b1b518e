#include "startup_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace zelkon {

std::optional<QString> startupReply(const QStringList& arguments) {
    // Long forms only: -h, -v and the like opened the window before and still do.
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    QCommandLineParser parser;
    parser.addOption(help);
    parser.addOption(version);
    // An unknown argument fails the parse but leaves the known ones read.
    static_cast<void>(parser.parse(arguments));
    if (parser.isSet(help)) {
        return QStringLiteral(
            "Usage: zelkon [--help | --version]\n"
            "カルデナ: a trainer for reading the waits of a concealed single-suit mahjong hand.\n"
            "Without options it opens the window.\n"
            "\n"
            "  --help     print this text and exit\n"
            "  --version  print the version and exit\n"
            "\n"
            "The practice settings are kept in ~/.config/zelkon/zelkon.conf and the records in\n"
            "~/.local/share/zelkon/records.sqlite3, each from the first time it is needed.\n"
            "See zelkon(1) and zelkon-cli(1).\n");
    }
    if (parser.isSet(version)) {
        return QStringLiteral("zelkon " ZELKON_VERSION "\n");
    }
    return std::nullopt;
}

}  // namespace zelkon
