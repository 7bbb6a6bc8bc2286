#include "ui/wording/commandline.h"

#include <QCommandLineParser>

#include <cstdlib>

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(CommandLine::tr("Quillmark — генератор ников"));
    parser.addHelpOption();
    parser.addVersionOption();
}

} // namespace

bool CommandLine::asksForAnswer(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    // parse(), not process(): an option the parser does not know must not end the program.
    return parser.parse(arguments) && (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
                                       parser.isSet(QStringLiteral("version")));
}

int CommandLine::answer(const QCoreApplication &application)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(application); // prints the answer and exits
    return EXIT_SUCCESS;
}
