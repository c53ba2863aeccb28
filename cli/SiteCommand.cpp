#include "cli/SiteCommand.h"

#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "cli/SiteJson.h"
#include "core/SiteFile.h"

#include <QFile>
#include <QJsonDocument>

#include <cstdio>

namespace {

int show(const QStringList &arguments) {
    CliOptions options(QStringLiteral("site show"),
                       QStringLiteral("Shows a field information file as the form shows it."));
    options.addArgument(QStringLiteral("FILE"), QStringLiteral("The field information file."));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    const QString path = options.arguments().front();
    tav::SiteInformation record;
    const tav::SiteReadResult result =
        tav::SiteFile::read(QFile::encodeName(path).toStdString(), record);
    if (result.status == tav::SiteReadStatus::CannotOpen) {
        std::fprintf(stderr, "tav-calc: cannot open %s: %s\n", qPrintable(path),
                     qPrintable(CliStrings::wording().siteOpenFailure(result)));
        return 1;
    }
    const bool json = options.format() == CliOptions::Format::Json;
    const std::string failure = SiteJson::failure(result);
    if (json)
        std::fputs(SiteJson::toJson(record, result.itemsRead, failure).c_str(), stdout);
    else
        std::fputs(SiteJson::toText(record, result.itemsRead).c_str(), stdout);
    if (failure.empty())
        return 0;
    std::fprintf(stderr, "tav-calc: %s: %s\n", qPrintable(path), failure.c_str());
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
    const QString path = options.arguments().front();
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        throw UsageError("cannot read standard input");
    const tav::SiteInformation record = SiteJson::fromJson(input.readAll());
    const tav::SiteWriteResult result =
        tav::SiteFile::write(record, QFile::encodeName(path).toStdString());
    if (result.status == tav::SiteWriteStatus::Success)
        return 0;
    std::fprintf(stderr, "tav-calc: %s %s: %s\n",
                 result.status == tav::SiteWriteStatus::CannotCreate ? "could not create"
                                                                     : "could not write",
                 qPrintable(path), result.reason.c_str());
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
