#include "cli/ReportOutput.h"

#include "cli/CliStrings.h"
#include "cli/CommandLine.h"
#include "core/SiteFile.h"
#include "report/ReportWriter.h"
#include "text/StringIds.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

const QString kPdf = QStringLiteral("pdf");
const QString kSite = QStringLiteral("site");

// A path as the command line gave it, as the text Qt turns into the same bytes: a path's
// bytes kept by CommandLine need not be UTF-8.
QString localPath(const QString &argument) {
    return QFile::decodeName(CommandLine::bytes(argument));
}

// The files the report is made from, as paths Qt opens; standard input is the file it
// was redirected from, if any.
QStringList inputPaths(const CliOptions &options, const QStringList &inputs) {
    QStringList paths;
    for (const QString &input : inputs)
        paths.append(input == QLatin1String("-") ? QStringLiteral("/dev/stdin") : localPath(input));
    if (options.isSet(kSite))
        paths.append(localPath(options.value(kSite)));
    return paths;
}

QString cannotWrite(const QString &path, const QString &reason) {
    return CliStrings::text(StringId::Study::kCannotWrite).arg(path, reason);
}

} // namespace

namespace ReportOutput {

void addOptions(CliOptions &options) {
    options.addValue(kPdf, QStringLiteral("FILE"),
                     QStringLiteral("Also write the study window's report as a PDF; the "
                                    "output is as without it."));
    options.addValue(kSite, QStringLiteral("FILE"),
                     QStringLiteral("A field information file whose items head the report."));
}

bool wanted(const CliOptions &options, const QStringList &inputs) {
    if (options.isSet(kSite) && !options.isSet(kPdf))
        throw UsageError("--site goes with --pdf");
    if (!options.isSet(kPdf))
        return false;
    // Refused before the calculation, as any other contradiction among the options is.
    const QString path = localPath(options.value(kPdf));
    const QString input = ReportWriter::inputAt(path, inputPaths(options, inputs));
    if (!input.isEmpty())
        throw UsageError(
            cannotWrite(path, CliStrings::text(StringId::kReportIsInput).arg(input)).toStdString());
    return true;
}

int write(const CliOptions &options, const MakeReport &make, const QStringList &inputs) {
    StudyHeader header;
    header.date = QDate::currentDate();
    if (!inputs.isEmpty())
        header.project = QFileInfo(inputs.first()).fileName();
    if (options.isSet(kSite)) {
        const QString path = options.value(kSite);
        tav::SiteInformation site;
        const tav::SiteReadResult result =
            tav::SiteFile::read(CommandLine::bytes(path).toStdString(), site);
        if (result.status != tav::SiteReadStatus::Success) {
            const Wording &wording = CliStrings::wording();
            const QString reason = result.status == tav::SiteReadStatus::CannotOpen
                                       ? wording.siteOpenFailure(result)
                                       : wording.siteReadStatus(result.status) +
                                             QStringLiteral(" in ") +
                                             wording.siteItem(result.itemsRead);
            std::fprintf(stderr, "tav-calc: cannot read %s: %s\n", qPrintable(path),
                         qPrintable(reason));
            return 1;
        }
        header.site = site;
    }
    const QString path = localPath(options.value(kPdf));
    const StudyTexts texts(&CliStrings::text);
    QString error = QStringLiteral("no drawing without the offscreen platform");
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr ||
        !ReportWriter::write(make(header, texts), {path, inputPaths(options, inputs)}, texts,
                             &error)) {
        std::fprintf(stderr, "tav-calc: %s\n", qPrintable(cannotWrite(path, error)));
        return 1;
    }
    return 0;
}

bool requestedIn(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        const char *word = argv[i];
        // QCommandLineParser takes -pdf as --pdf, and either with =FILE.
        word += word[0] == '-' && word[1] == '-' ? 2 : word[0] == '-' ? 1 : 0;
        if (word != argv[i] && std::strncmp(word, "pdf", 3) == 0 &&
            (word[3] == '\0' || word[3] == '='))
            return true;
    }
    return false;
}

} // namespace ReportOutput
