#include "cli/SiteCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "cli/CommandLine.h"
#include "cli/SiteJson.h"
#include "core/SiteFile.h"
#include "text/StringIds.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The text of a string with %1, %2, ... replaced by the values, byte for byte: a path is
// given as the bytes it is, whatever its encoding.
std::string worded(unsigned id, const std::vector<std::string> &values) {
    const std::string text = CliStrings::text(id).toStdString();
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t value = i + 1 < text.size() ? std::size_t(text[i + 1] - '1') : 0;
        if (text[i] == '%' && text[i + 1] >= '1' && value < values.size()) {
            out += values[value];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void report(const std::string &message) {
    std::fprintf(stderr, "tav-calc: %s\n", message.c_str());
}

// Standard input whole, up to the limit; beyond it, or when it cannot be read (a folder),
// a UsageError that says so.
QByteArray readInput() {
    QByteArray input;
    char piece[1 << 16];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, piece, sizeof piece);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw UsageError(worded(StringId::kSiteInputUnreadable, {std::strerror(errno)}));
        if (got == 0)
            return input;
        if (input.size() + got > SiteCommand::kMostInput) {
            throw UsageError(
                worded(StringId::kSiteInputTooLong, {std::to_string(SiteCommand::kMostInput)}));
        }
        input.append(piece, got);
    }
}

int show(const QStringList &arguments) {
    CliOptions options(QStringLiteral("site show"),
                       QStringLiteral("Shows a field information file as the form shows it."));
    options.addArgument(QStringLiteral("FILE"), QStringLiteral("The field information file."));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    const std::string path = CommandLine::bytes(options.arguments().front()).toStdString();
    tav::SiteInformation record;
    const tav::SiteReadResult result = tav::SiteFile::read(path, record);
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        report(worded(StringId::kSiteCannotOpen,
                      {path, CliStrings::wording().siteOpenFailure(result).toStdString()}));
        return 1;
    }
    const std::string failure = SiteJson::failure(result);
    // Bytes after the last item are never read; that is worth a word, not a failure.
    const std::string trailing =
        result.trailingBytes == 0
            ? std::string()
            : worded(StringId::kSiteTrailingBytes, {std::to_string(result.trailingBytes)});
    if (options.format() == CliOptions::Format::Json)
        SiteJson::writeJson(stdout, record, result.itemsRead, failure, trailing);
    else
        SiteJson::writeText(stdout, record, result.itemsRead);
    if (!trailing.empty())
        report(path + ": " + worded(StringId::kSiteWarning, {trailing}));
    if (failure.empty())
        return 0;
    report(path + ": " + failure);
    return 1;
}

int write(const QStringList &arguments) {
    CliOptions options(QStringLiteral("site write"),
                       QStringLiteral("Writes a field information file from one record given as "
                                      "JSON on standard input, with the keys that site show "
                                      "--format json prints; a key left out takes the value a "
                                      "new form has."));
    options.addArgument(QStringLiteral("FILE"), QStringLiteral("The field information file."));
    if (options.parse(arguments))
        return 0;
    const std::string path = CommandLine::bytes(options.arguments().front()).toStdString();
    const tav::SiteInformation record = SiteJson::fromJson(readInput());
    const tav::SiteWriteResult result = tav::SiteFile::write(record, path);
    if (result.status == tav::SiteWriteStatus::Success)
        return 0;
    const unsigned id = result.status == tav::SiteWriteStatus::CannotCreate
                            ? StringId::kSiteCannotCreate
                            : StringId::kSiteCannotWrite;
    report(worded(id, {path, CliStrings::wording().siteWriteFailure(result).toStdString()}));
    return 1;
}

} // namespace

int SiteCommand::run(const QStringList &arguments) {
    const QString action = arguments.value(0);
    if (action == QLatin1String("show"))
        return show(arguments.mid(1));
    if (action == QLatin1String("write"))
        return write(arguments.mid(1));
    if (action == QLatin1String("--help") || action == QLatin1String("-h")) {
        std::fputs("Usage: tav-calc site show FILE [--format text|json]\n"
                   "       tav-calc site write FILE < record.json\n",
                   stdout);
        return 0;
    }
    throw UsageError("site: say show or write");
}
