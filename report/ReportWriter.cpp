#include "report/ReportWriter.h"

#include "report/ReportPage.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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

bool ReportWriter::write(const Report &report, const QString &path, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("TAV " TAV_VERSION));
        writer.setResolution(72); // one device unit a point
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error != nullptr)
                *error = QStringLiteral("cannot draw into the PDF");
            file.cancelWriting();
            return false;
        }
        paint(painter, QRectF(0, 0, writer.width(), writer.height()), report);
        painter.end();
    }
    if (!file.commit()) {
        if (error != nullptr)
            *error = file.errorString();
        return false;
    }
    return true;
}
