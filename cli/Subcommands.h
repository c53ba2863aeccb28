#pragma once

#include <QStringList>

#include <vector>

// Every subcommand of tav-calc in one table: its name, the line the usage text gives it,
// and what runs it. Both the usage text and the dispatch come from here.
struct Subcommand {
    const char *name;
    const char *summary;
    // The exit status: 0 done, 1 inputs refused or a file failed; a usage error is thrown
    // as UsageError.
    int (*run)(const QStringList &arguments);
};

const std::vector<Subcommand> &subcommands();

// "Usage: tav-calc COMMAND [OPTIONS]", the commands with their summaries, and how to
// learn more.
std::string usageText();
