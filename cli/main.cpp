// tav-calc: TAV's calculations for scripts and batch work.
#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "cli/CommandLine.h"
#include "cli/DocumentInput.h"
#include "cli/ReportOutput.h"
#include "cli/Subcommands.h"
#include "text/StringIds.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

int usageFailure(const char *message) {
    std::fprintf(stderr, "tav-calc: %s\nTry 'tav-calc --help'.\n", message);
    return 2;
}

// An allocation that failed, on any thread the work ran on, ends the command as a failure
// said in words, not as an abort. Unwound to here, what the work held is free again.
int outOfMemory() {
    try {
        std::fprintf(stderr, "tav-calc: %s\n",
                     qPrintable(CliStrings::text(StringId::kOutOfMemory)));
    } catch (...) {
        std::fputs("tav-calc: out of memory\n", stderr);
    }
    return 1;
}

// Output that never reached its destination (a full disk, a closed pipe) is a failure,
// whatever the command made of its inputs.
int finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tav-calc: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    }
    return status;
}

int run(QStringList arguments) {
    if (arguments.isEmpty())
        return usageFailure("no command given");
    const QString command = arguments.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (command == QLatin1String("--version")) {
        std::printf("tav-calc %s\n", TAV_VERSION);
        return 0;
    }
    try {
        for (const Subcommand &subcommand : subcommands())
            if (command == QLatin1String(subcommand.name))
                return subcommand.run(arguments);
        return usageFailure(("unknown command '" + command.toStdString() + "'").c_str());
    } catch (const UsageError &error) {
        return usageFailure(error.what());
    } catch (const std::bad_alloc &) {
        return outOfMemory();
    } catch (const std::length_error &) { // a size beyond any allocation
        return outOfMemory();
    }
}

} // namespace

int main(int argc, char *argv[]) {
    DocumentInput::noteStandardInput();
    // Drawing a report needs Qt Gui; everything else runs without it, and neither needs a
    // display.
    if (ReportOutput::requestedIn(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // The platform's notes on its set-up are no part of tav-calc's output.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "tav-calc: %s\n", qPrintable(text));
        });
        QGuiApplication application(argc, argv);
        return finish(run(CommandLine::arguments(argc, argv).mid(1)));
    }
    QCoreApplication application(argc, argv);
    // From argv's own bytes: QCoreApplication::arguments() loses those of a file name that
    // is not UTF-8.
    return finish(run(CommandLine::arguments(argc, argv).mid(1)));
}
