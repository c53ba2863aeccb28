#include "cli/ReportOutput.h"

#include "cli/CliStrings.h"
#include "cli/CommandLine.h"
#include "core/SiteFile.h"
#include "report/ReportWriter.h"
#include "text/StringIds.h"

#include <QDate>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

const QString kPdf = QStringLiteral("pdf");
const QString kSite = QStringLiteral("site");

} // namespace

namespace ReportOutput {

void addOptions(CliOptions &options) {
    options.addValue(kPdf, QStringLiteral("FILE"),
                     QStringLiteral("Also write the study window's one-page report as a PDF; the "
                                    "output is as without it."));
    options.addValue(kSite, QStringLiteral("FILE"),
                     QStringLiteral("A field information file whose items head the report."));
}

bool wanted(const CliOptions &options) {
    if (options.isSet(kSite) && !options.isSet(kPdf))
        throw UsageError("--site goes with --pdf");
    return options.isSet(kPdf);
}

int write(const CliOptions &options, const MakeReport &make) {
    StudyHeader header;
    header.date = QDate::currentDate();
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
    // QSaveFile names files by text: a path's bytes kept by CommandLine go back to bytes,
    // then to the text Qt turns into those bytes again.
    const QString path = QFile::decodeName(CommandLine::bytes(options.value(kPdf)));
    QString error = QStringLiteral("no drawing without the offscreen platform");
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr ||
        !ReportWriter::write(make(header, StudyTexts(&CliStrings::text)), path, &error)) {
        std::fprintf(stderr, "tav-calc: %s\n",
                     qPrintable(CliStrings::text(StringId::Study::kCannotWrite).arg(path, error)));
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
