// tav-calc: TAV's calculations for scripts and batch work.
#include "cli/CliOptions.h"
#include "cli/MeshCommand.h"
#include "cli/RodCommand.h"
#include "cli/SafetyCommand.h"
#include "cli/SiteCommand.h"
#include "cli/SoilModelCommand.h"
#include "cli/WennerCommand.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "Usage: tav-calc COMMAND [OPTIONS]\n"
                      "\n"
                      "Commands:\n"
                      "  vertical   vertical rod design\n"
                      "  horizontal horizontal rod design\n"
                      "  mesh       mesh grid wire length and resistance\n"
                      "  site       show or write a field information file\n"
                      "  wenner     soil resistivity from Wenner measurements\n"
                      "  soil-model two-layer soil fitted to Wenner measurements\n"
                      "  safety     touch and step safety of a grid (IEEE Std 80)\n"
                      "\n"
                      "tav-calc COMMAND --help tells the options of a command.\n"
                      "Exit status: 0 done, 1 inputs refused, 2 usage error.\n";

int usageFailure(const char *message) {
    std::fprintf(stderr, "tav-calc: %s\nTry 'tav-calc --help'.\n", message);
    return 2;
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
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == QLatin1String("--version")) {
        std::printf("tav-calc %s\n", TAV_VERSION);
        return 0;
    }
    try {
        if (command == QLatin1String("vertical"))
            return RodCommand::runVertical(arguments);
        if (command == QLatin1String("horizontal"))
            return RodCommand::runHorizontal(arguments);
        if (command == QLatin1String("mesh"))
            return MeshCommand::run(arguments);
        if (command == QLatin1String("site"))
            return SiteCommand::run(arguments);
        if (command == QLatin1String("wenner"))
            return WennerCommand::run(arguments);
        if (command == QLatin1String("soil-model"))
            return SoilModelCommand::run(arguments);
        if (command == QLatin1String("safety"))
            return SafetyCommand::run(arguments);
        return usageFailure(("unknown command '" + command.toStdString() + "'").c_str());
    } catch (const UsageError &error) {
        return usageFailure(error.what());
    }
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    return finish(run(QCoreApplication::arguments().mid(1)));
}
