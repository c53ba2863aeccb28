#include "cli/Subcommands.h"

#include "cli/ConductorCommand.h"
#include "cli/DesignCommand.h"
#include "cli/DxfImportCommand.h"
#include "cli/MeshCommand.h"
#include "cli/RodCommand.h"
#include "cli/SafetyCommand.h"
#include "cli/SiteCommand.h"
#include "cli/SoilModelCommand.h"
#include "cli/SplitCommand.h"
#include "cli/SweepCommand.h"
#include "cli/SystemCommand.h"
#include "cli/TolerableCommand.h"
#include "cli/WennerCommand.h"

#include <algorithm>
#include <cstring>
#include <string>

const std::vector<Subcommand> &subcommands() {
    static const std::vector<Subcommand> commands{
        {"vertical", "vertical rod design", &RodCommand::runVertical},
        {"horizontal", "horizontal rod design", &RodCommand::runHorizontal},
        {"mesh", "mesh grid wire length and resistance", &MeshCommand::run},
        {"site", "show or write a field information file", &SiteCommand::run},
        {"wenner", "soil resistivity from Wenner measurements", &WennerCommand::run},
        {"soil-model", "two-layer soil fitted to Wenner measurements", &SoilModelCommand::run},
        {"safety", "touch and step safety of a grid (IEEE Std 80 or EN 50522 limits)",
         &SafetyCommand::run},
        {"tolerable", "tolerable touch and step voltages (IEEE Std 80 or EN 50522)",
         &TolerableCommand::run},
        {"system", "an earthing system solved numerically: resistance, touch, step",
         &SystemCommand::run},
        {"conductor", "earthing conductor sized for a fault (IEEE Std 80)", &ConductorCommand::run},
        {"dxf-import", "a CAD drawing's conductors and rods as a system document",
         &DxfImportCommand::run},
        {"split", "the fault current's split between the station's earth and its lines",
         &SplitCommand::run},
        {"sweep", "one parameter of an earthing system study over a range, each value solved",
         &SweepCommand::run},
        {"design", "the layout of least cost inside an outline that passes every case",
         &DesignCommand::run},
    };
    return commands;
}

std::string usageText() {
    std::size_t width = 0;
    for (const Subcommand &command : subcommands())
        width = std::max(width, std::strlen(command.name));
    std::string text = "Usage: tav-calc COMMAND [OPTIONS]\n\nCommands:\n";
    for (const Subcommand &command : subcommands()) {
        const std::string name = command.name;
        text += "  " + name + std::string(width + 1 - name.size(), ' ') + command.summary + "\n";
    }
    return text + "\n"
                  "tav-calc COMMAND --help tells the options of a command.\n"
                  "Exit status: 0 done, 1 inputs refused, 2 usage error.\n";
}
