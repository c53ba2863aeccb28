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

#include <memory>
#include <new>

namespace {

constexpr double kMarginMm = 15;

// A report measured and put on pages: counted before any page is drawn, so that each can
// say how many there are.
struct Layout {
    Layout(QPainter &painter, const QRectF &page, const Report &report)
        : frame(painter, page, report),
          pieces(ReportPieces(painter, page.width(), frame.body().height()).of(report)),
          pages(ReportFlow::pages(pieces, frame.body().height())) {}

    void draw(int index) { frame.draw(pieces, pages[index], index + 1, int(pages.size())); }

    ReportPage frame;
    QVector<ReportPiece> pieces;
    QVector<ReportFlow::Page> pages;
};

} // namespace

void ReportWriter::paint(QPainter &painter, const QRectF &page, const Report &report,
                         int pageIndex) {
    Layout layout(painter, page, report);
    if (pageIndex >= 0 && pageIndex < layout.pages.size())
        layout.draw(pageIndex);
}

int ReportWriter::pageCount(QPainter &painter, const QRectF &page, const Report &report) {
    return int(Layout(painter, page, report).pages.size());
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
        // A painter that fails for want of memory is left, not ended: its end would write the
        // rest of the PDF and fail again in its destructor, which may not throw. The failure
        // goes on to the caller, who says it.
        auto painter = std::make_unique<QPainter>();
        try {
            if (!painter->begin(&writer))
                return QByteArray();
            Layout layout(*painter, QRectF(0, 0, writer.width(), writer.height()), report);
            for (int i = 0; i < layout.pages.size(); ++i) {
                if (i > 0 && !writer.newPage())
                    return QByteArray();
                layout.draw(i);
            }
            // The PDF is complete only once the painter ends.
            if (!painter->end())
                return QByteArray();
        } catch (const std::bad_alloc &) {
            (void)painter.release();
            throw;
        }
    }
    return bytes;
}

Report ReportWriter::paged(const Report &report, const StudyTexts &texts) {
    Report paged = report;
    if (paged.pageOf.isEmpty())
        paged.pageOf = texts.text(StringId::ReportPages::kPageOf);
    return paged;
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
    } else if (const QByteArray bytes = pdf(paged(report, texts)); bytes.isEmpty()) {
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
