#include "report/ReportWriter.h"

#include "core/AtomicFileWriter.h"
#include "report/ReportPage.h"
#include "report/StudyTexts.h"
#include "text/StringIds.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr double kLargestType = 10; // pt
constexpr double kSmallestType = 5;
constexpr double kTypeStep = 0.5;
constexpr double kMarginMm = 15;

} // namespace

void ReportWriter::paint(QPainter &painter, const QRectF &page, const Report &report) {
    // The largest type at which the text leaves a plot of at least a third of the page's
    // width, down to the smallest, which is used whatever it leaves.
    double size = kLargestType;
    double plotHeight = 0;
    for (;; size -= kTypeStep) {
        ReportPage measure(painter, page, size, false);
        const int plots = measure.plotCount(report);
        const double text = measure.run(report, 0);
        const double free = page.height() - text;
        plotHeight = plots > 0 ? std::min(free / plots, page.width() * 0.7) : 0;
        if (plots == 0 ? free >= 0 : plotHeight >= page.width() / 3)
            break;
        if (size - kTypeStep < kSmallestType) {
            plotHeight = std::max(plotHeight, 0.0);
            break;
        }
    }
    ReportPage(painter, page, size, true).run(report, plotHeight);
}

QByteArray ReportWriter::pdf(const Report &report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("TAV " TAV_VERSION));
        writer.setResolution(72); // one device unit a point
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            return QByteArray();
        paint(painter, QRectF(0, 0, writer.width(), writer.height()), report);
        // The PDF is complete only once the painter ends.
        if (!painter.end())
            return QByteArray();
    }
    return bytes;
}

QString ReportWriter::inputAt(const QString &path, const QStringList &inputs) {
    const std::string local = QFile::encodeName(path).toStdString();
    for (const QString &input : inputs)
        if (tav::isSameFile(local, QFile::encodeName(input).toStdString()))
            return input;
    return QString();
}

bool ReportWriter::write(const Report &report, const Target &target, const StudyTexts &texts,
                         QString *error) {
    QString reason;
    if (const QString input = inputAt(target.path, target.inputs); !input.isEmpty()) {
        reason = texts.text(StringId::kReportIsInput).arg(input);
    } else if (const QByteArray bytes = pdf(report); bytes.isEmpty()) {
        reason = texts.text(StringId::kReportNotDrawn);
    } else {
        const tav::SiteWriteResult written = tav::writeFileAtomically(
            QFile::encodeName(target.path).toStdString(), bytes.toStdString(), *target.system);
        if (written.status == tav::SiteWriteStatus::Success)
            return true;
        reason = texts.wording().siteWriteFailure(written);
    }
    if (error != nullptr)
        *error = reason;
    return false;
}
