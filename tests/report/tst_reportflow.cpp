// Reports on as many pages as they take: where the flow breaks (heights worked out by hand),
// and the PDFs read back with poppler's pdfinfo and pdftotext: a long table on several
// pages under its header each time, every page counted, the type the same size throughout.
#include "document/SystemDocument.h"
#include "document/SystemStudy.h"
#include "report/ReportFlow.h"
#include "report/ReportWriter.h"
#include "report/SystemReport.h"
#include "tests/support/ShippedTexts.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

QString poppler(const char *tool, const QStringList &arguments) {
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty())
        return QStringLiteral("<%1 missing: install poppler-utils>").arg(QLatin1String(tool));
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pages(const QString &pdf) {
    const QString info = poppler("pdfinfo", {pdf});
    const qsizetype at = info.indexOf(QStringLiteral("Pages:"));
    return at < 0 ? -1 : info.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
}

QString pageText(const QString &pdf, int page) {
    const QString n = QString::number(page);
    return poppler("pdftotext", {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                 QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
}

// The height of the box pdftotext gives the word on the page (from 1): the type's size
// times its font's ascent and descent, 0.905 + 0.212 em for Arial and for Liberation Sans,
// which takes its place with the same measures.
constexpr double kBoxPerPoint = 0.905 + 0.212;
std::optional<double> wordHeight(const QString &pdf, int page, const QString &word) {
    const QString n = QString::number(page);
    const QString boxes = poppler("pdftotext", {QStringLiteral("-bbox"), QStringLiteral("-f"), n,
                                                QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
    const QRegularExpression box(
        QStringLiteral("yMin=\"([0-9.]+)\"[^>]*yMax=\"([0-9.]+)\">%1</word>")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch m = box.match(boxes);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(2).toDouble() - m.captured(1).toDouble();
}

ReportPiece piece(double height, double before = 0, int keep = 0, int header = -1) {
    ReportPiece p;
    p.height = height;
    p.before = before;
    p.keep = keep;
    p.header = header;
    return p;
}

// The pieces' indices page by page.
QVector<QVector<int>> indices(const QVector<ReportFlow::Page> &pages) {
    QVector<QVector<int>> all;
    for (const ReportFlow::Page &page : pages) {
        all.append(QVector<int>());
        for (const ReportFlow::Placed &p : page)
            all.last().append(p.piece);
    }
    return all;
}

Report longTable(int rows) {
    Report report;
    report.title = QStringLiteral("Readings");
    report.project = QStringLiteral("Substation 7");
    report.footer = QStringLiteral("Written by TAV on 2026-01-02.");
    ReportBlock block;
    block.heading = QStringLiteral("Every reading");
    block.header = {QStringLiteral("Spacing"), QStringLiteral("Measured")};
    for (int i = 1; i <= rows; ++i)
        block.rows.append(
            {QStringLiteral("r%1").arg(i, 3, 10, QLatin1Char('0')), QString::number(100 + i)});
    report.blocks = {block};
    return report;
}

tav::SystemDocument systemOfRods(int parts) {
    QByteArray rods;
    for (int i = 0; i < parts; ++i)
        rods += (i > 0 ? ", " : "") +
                QStringLiteral(R"({"at": [[%1, 0]], "top": 0.5, "length": 3, "diameter": 0.02})")
                    .arg(i * 5)
                    .toUtf8();
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        R"({"soil": {"rho": 100}, "current": 10, "rods": [)" + rods + "]}", error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("%s", qPrintable(error.path));
    return d;
}

// Every word pdftotext finds on each page, with its box.
struct Word {
    QRectF box;
    QString text;
};
QVector<QVector<Word>> words(const QString &pdf) {
    const QString boxes = poppler("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral(
        R"re(xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
    QVector<QVector<Word>> all;
    for (const QString &page : boxes.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        all.append(QVector<Word>());
        for (const QRegularExpressionMatch &m : word.globalMatch(page)) {
            const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
            const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
            all.last().append({QRectF(from, to), m.captured(5)});
        }
    }
    return all;
}

// Twelve conductors given one by one, at places to the millimetre, beside a fence, a touch
// area and a surface layer in a zone: long cells in every column of the parts table.
tav::SystemDocument twelveConductors() {
    QStringList conductors;
    for (int k = 0; k < 6; ++k) {
        const double at = 0.125 + 4.875 * k;
        conductors.append(QStringLiteral(R"({"from": [0.125, %1, 0.65], "to": [24.875, %1, 0.65], )"
                                         R"("diameter": 0.0105})")
                              .arg(at));
        conductors.append(QStringLiteral(R"({"from": [%1, 0.125, 0.6], "to": [%1, 24.875, 0.6], )"
                                         R"("diameter": 0.0105})")
                              .arg(at));
    }
    tav::DocumentError error;
    const tav::SystemDocument d = tav::SystemDocument::fromJson(
        (R"({"soil": {"rho": 100}, "current": 1000, "conductors": [)" +
         conductors.join(QStringLiteral(", ")) +
         R"(], "fences": [{"distance": 2, "posts": {"spacing": 3, "length": 1.2, )"
         R"("diameter": 0.06}}], "touch_areas": [{"polygon": [[2.5, 2.5], [10.25, 2.5], )"
         R"([10.25, 8.75], [2.5, 8.75]]}], "safety": {"duration": 0.5, "surface": {"rho": )"
         R"(3000, "thickness": 0.1, "area": [[-1.5, -1.5], [26.5, -1.5], [26.5, 26.5], )"
         R"([-1.5, 26.5]]}}})")
            .toUtf8(),
        error);
    if (error.kind != tav::DocumentError::Kind::None)
        qFatal("%s", qPrintable(error.path));
    return d;
}

} // namespace

Q_DECLARE_METATYPE(QVector<ReportPiece>)

class TestReportFlow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_folder.isValid()); }

    // A page of 100 pt of text. What fits stays; what does not goes on, at the top of the
    // next page without the space above it.
    void breaks_data() {
        QTest::addColumn<QVector<ReportPiece>>("pieces");
        QTest::addColumn<QVector<QVector<int>>>("pages");
        QTest::addColumn<QVector<double>>("tops"); // each piece's, in order
        QTest::newRow("all on one page") << QVector<ReportPiece>{piece(40), piece(50, 10)}
                                         << QVector<QVector<int>>{{0, 1}} << QVector<double>{0, 50};
        QTest::newRow("the space above is dropped at a page's top")
            << QVector<ReportPiece>{piece(60), piece(35, 10)} << QVector<QVector<int>>{{0}, {1}}
            << QVector<double>{0, 0};
        // 40 + 40 + 10 + 20 = 110: the heading would stand alone at the foot.
        QTest::newRow("a heading goes on with its first line")
            << QVector<ReportPiece>{piece(40), piece(40), piece(10, 0, 1), piece(20)}
            << QVector<QVector<int>>{{0, 1}, {2, 3}} << QVector<double>{0, 40, 0, 10};
        // heading 10 keeps the header 10, which keeps the first row 10: 85 + 30 > 100.
        QTest::newRow("a heading keeps the table's header and first row")
            << QVector<ReportPiece>{piece(85), piece(10, 0, 1), piece(10, 0, 1), piece(10, 0, 0, 2)}
            << QVector<QVector<int>>{{0}, {1, 2, 3}} << QVector<double>{0, 0, 10, 20};
        // Header 20 and rows of 30: two rows a page, the header again above the third.
        QTest::newRow("the header again above a row at the top of a page")
            << QVector<ReportPiece>{piece(20, 0, 1), piece(30, 0, 0, 0), piece(30, 0, 0, 0),
                                    piece(30, 0, 0, 0), piece(30, 0, 0, 0)}
            << QVector<QVector<int>>{{0, 1, 2}, {0, 3, 4}} << QVector<double>{0, 20, 50, 20, 50};
        QTest::newRow("a picture taller than what is left goes whole to the next page")
            << QVector<ReportPiece>{piece(50), piece(70, 5)} << QVector<QVector<int>>{{0}, {1}}
            << QVector<double>{0, 0};
        QTest::newRow("taller than a page: alone on one")
            << QVector<ReportPiece>{piece(10), piece(150), piece(10)}
            << QVector<QVector<int>>{{0}, {1}, {2}} << QVector<double>{0, 0, 0};
    }
    void breaks() {
        QFETCH(QVector<ReportPiece>, pieces);
        QFETCH(QVector<QVector<int>>, pages);
        QFETCH(QVector<double>, tops);
        const QVector<ReportFlow::Page> flow = ReportFlow::pages(pieces, 100);
        QCOMPARE(indices(flow), pages);
        QVector<double> placed;
        for (const ReportFlow::Page &page : flow)
            for (const ReportFlow::Placed &p : page)
                if (placed.size() <= p.piece)
                    placed.append(p.y);
        QCOMPARE(placed, tops);
    }

    void newPageStartsOne() {
        QVector<ReportPiece> pieces{piece(10), piece(10), piece(10)};
        pieces[1].newPage = true;
        QCOMPARE(indices(ReportFlow::pages(pieces, 100)), (QVector<QVector<int>>{{0}, {1, 2}}));
        // Already at the top of a page: no empty page before it.
        pieces[0].newPage = true;
        QCOMPARE(indices(ReportFlow::pages(pieces, 100)).size(), 2);
    }

    // 150 rows of at least 9 pt type are more than 1 350 pt: more than the 767 pt of an A4
    // page's height, whatever the margins.
    void longTableTakesPages() {
        const QString pdf = m_folder.filePath(QStringLiteral("long.pdf"));
        QVERIFY(ReportWriter::write(longTable(150), {pdf}, shippedTexts()));
        const int count = pages(pdf);
        QVERIFY2(count >= 2, qPrintable(QString::number(count)));
        QString all;
        for (int page = 1; page <= count; ++page) {
            const QString text = pageText(pdf, page);
            all += text;
            QVERIFY2(text.contains(QStringLiteral("page %1 of %2").arg(page).arg(count)),
                     qPrintable(text));
            QVERIFY2(text.contains(QRegularExpression(QStringLiteral("Spacing\\s+Measured"))),
                     qPrintable(text));
            QVERIFY(text.contains(QStringLiteral("Substation 7")));
            QVERIFY(text.contains(QStringLiteral("Readings")));
            QVERIFY(text.contains(QStringLiteral("Written by TAV on 2026-01-02.")));
        }
        QCOMPARE(all.count(QStringLiteral("Spacing")), count);
        for (int i = 1; i <= 150; ++i) {
            const QString row = QStringLiteral("r%1").arg(i, 3, 10, QLatin1Char('0'));
            QVERIFY2(
                all.contains(QRegularExpression(row + QStringLiteral("\\s+%1\\b").arg(100 + i))),
                qPrintable(row));
            QCOMPARE(all.count(row), 1);
        }
        // The same size of type on the first page and the last, of at least 9 pt.
        const std::optional<double> first = wordHeight(pdf, 1, QStringLiteral("Spacing"));
        const std::optional<double> last = wordHeight(pdf, count, QStringLiteral("Spacing"));
        QVERIFY(first && last);
        QCOMPARE(*first, *last);
        QVERIFY2(*first >= 9 * kBoxPerPoint - 0.01, qPrintable(QString::number(*first)));
        const std::optional<double> row1 = wordHeight(pdf, 1, QStringLiteral("r001"));
        const std::optional<double> row150 = wordHeight(pdf, count, QStringLiteral("r150"));
        QVERIFY(row1 && row150);
        QCOMPARE(*row1, *row150);
        QVERIFY2(*row1 >= 9 * kBoxPerPoint - 0.01, qPrintable(QString::number(*row1)));
    }

    // A picture keeps the height it asks for however much comes before it, moving to the
    // next page rather than shrink: 50 mm is 50 / 25.4 × 72 = 141.73 pt.
    void pictureKeepsItsHeight_data() {
        QTest::addColumn<int>("linesBefore");
        QTest::newRow("alone") << 0;
        QTest::newRow("under a page of lines") << 60;
    }
    void pictureKeepsItsHeight() {
        QFETCH(int, linesBefore);
        Report report;
        report.title = QStringLiteral("Pictures");
        ReportBlock text;
        for (int i = 0; i < linesBefore; ++i)
            text.lines.append({QStringLiteral("line %1").arg(i), ReportLine::Tone::Plain});
        ReportBlock picture;
        picture.heading = QStringLiteral("Plan");
        picture.pictureHeight = 50;
        picture.caption = QStringLiteral("The plan, to no scale.");
        QVector<QPair<int, QRectF>> drawn; // page, area
        int page = 0;
        picture.picture = [&](QPainter &, const QRectF &area) { drawn.append({page, area}); };
        report.blocks = {text, picture};
        QImage image(595, 842, QImage::Format_RGB32);
        QPainter painter(&image);
        const QRectF area(42.5, 42.5, 510, 757);
        const int count = ReportWriter::pageCount(painter, area, report);
        for (page = 0; page < count; ++page)
            ReportWriter::paint(painter, area, report, page);
        QCOMPARE(drawn.size(), 1);
        QCOMPARE(drawn[0].second.height(), 50 / 25.4 * 72);
        QCOMPARE(drawn[0].second.width(), 510.);
        QVERIFY(area.contains(drawn[0].second));
        QCOMPARE(drawn[0].first, count - 1);
        QCOMPARE(count, linesBefore > 0 ? 2 : 1);
    }

    // A heading over a picture goes on to the next page with its line and its picture
    // rather than stand at the foot of a page without them; with room, all stay.
    void headingStaysWithItsPicture_data() {
        QTest::addColumn<int>("linesBefore");
        QTest::addColumn<int>("pages");
        QTest::newRow("room for all") << 5 << 1;
        QTest::newRow("room for the heading and its line only") << 33 << 2;
    }
    void headingStaysWithItsPicture() {
        QFETCH(int, linesBefore);
        QFETCH(int, pages);
        Report report;
        report.title = QStringLiteral("Profiles");
        ReportBlock text;
        for (int i = 0; i < linesBefore; ++i)
            text.lines.append({QStringLiteral("line %1").arg(i), ReportLine::Tone::Plain});
        ReportBlock profile;
        profile.heading = QStringLiteral("Profile");
        profile.lines = {{QStringLiteral("From (0, 0) m to (10, 0) m"), ReportLine::Tone::Plain}};
        profile.pictureHeight = 80;
        profile.picture = [](QPainter &, const QRectF &) {};
        report.blocks = {text, profile};
        QImage image(595, 842, QImage::Format_RGB32);
        QPainter painter(&image);
        const double body = 700;
        const QVector<ReportPiece> pieces = ReportPieces(painter, 510, body).of(report);
        const QVector<ReportFlow::Page> flow = ReportFlow::pages(pieces, body);
        QCOMPARE(flow.size(), pages);
        // The heading, its line and the picture are the last three pieces, on one page.
        const int heading = int(pieces.size()) - 3;
        QCOMPARE(flow.last().first().piece, pages > 1 ? heading : 0);
        // What came before fills the first page past what the heading and its line need:
        // without the picture they would have fitted under it.
        if (pages > 1) {
            double y = flow.first().last().y + pieces[flow.first().last().piece].height;
            y += pieces[heading].before + pieces[heading].height + pieces[heading + 1].height;
            QVERIFY2(y < body, qPrintable(QString::number(y)));
        }
    }

    // Forty parts take more pages than two, in type of the same size.
    void largerSystemTakesMorePages() {
        auto write = [&](int parts) {
            const tav::SystemDocument d = systemOfRods(parts);
            const QString pdf = m_folder.filePath(QStringLiteral("system%1.pdf").arg(parts));
            StudyHeader header;
            header.date = QDate(2026, 1, 2);
            const Report report = SystemReport::report(d, tav::earthing::EarthingResult(),
                                                       std::nullopt, header, shippedTexts());
            if (!ReportWriter::write(report, {pdf}, shippedTexts()))
                return QString();
            return pdf;
        };
        const QString small = write(2);
        const QString large = write(40);
        QVERIFY(!small.isEmpty() && !large.isEmpty());
        QVERIFY2(pages(large) > pages(small),
                 qPrintable(QStringLiteral("%1 against %2").arg(pages(large)).arg(pages(small))));
        QCOMPARE(
            poppler("pdftotext", {large, QStringLiteral("-")}).count(QStringLiteral("rods of 3 m")),
            40);
        const std::optional<double> inSmall = wordHeight(small, 1, QStringLiteral("Inputs"));
        const std::optional<double> inLarge = wordHeight(large, 1, QStringLiteral("Inputs"));
        QVERIFY(inSmall && inLarge);
        QCOMPARE(*inSmall, *inLarge);
    }

    // No word of a report is drawn over another, in its tables, its pictures or their
    // legends; and every conductor given one by one is listed with both its ends.
    void noWordOverAnother() {
        const tav::SystemDocument d = twelveConductors();
        const auto evaluated = tav::SystemStudy::evaluate(d);
        QVERIFY(!evaluated.refused());
        StudyHeader header;
        header.date = QDate(2026, 1, 2);
        // A client's name longer than its cell of the title block.
        tav::SiteInformation site;
        site.clientCompanyName = "Northern Regional Electricity Distribution Company Limited";
        site.fieldName = "Substation 7";
        site.fileNumber = "E-2026-114";
        header.site = site;
        const Report report = SystemReport::report(
            d, *evaluated.result().result, evaluated.result().safety, header, shippedTexts());
        const QString pdf = m_folder.filePath(QStringLiteral("twelve.pdf"));
        QVERIFY(ReportWriter::write(report, {pdf}, shippedTexts()));
        const QVector<QVector<Word>> pages = words(pdf);
        QVERIFY(pages.size() > 3);
        for (int p = 0; p < pages.size(); ++p)
            for (int i = 0; i < pages[p].size(); ++i)
                for (int j = i + 1; j < pages[p].size(); ++j) {
                    // Boxes that touch are no overlap: a tenth of a point of slack.
                    const QRectF common = pages[p][i].box.adjusted(0.1, 0.1, -0.1, -0.1) &
                                          pages[p][j].box.adjusted(0.1, 0.1, -0.1, -0.1);
                    QVERIFY2(common.isEmpty(),
                             qPrintable(QStringLiteral("page %1: \"%2\" over \"%3\"")
                                            .arg(p + 1)
                                            .arg(pages[p][i].text, pages[p][j].text)));
                }
        const QString text = poppler("pdftotext", {pdf, QStringLiteral("-")}).simplified();
        for (int k = 0; k < 6; ++k) {
            const QString at = QString::number(0.125 + 4.875 * k);
            for (const QString &end :
                 {QStringLiteral("(0.125, %1, 0.65) to (24.875, %1, 0.65)").arg(at),
                  QStringLiteral("(%1, 0.125, 0.6) to (%1, 24.875, 0.6)").arg(at)})
                QVERIFY2(text.contains(end), qPrintable(end));
        }
        for (int k = 1; k <= 12; ++k)
            QVERIFY(text.contains(QStringLiteral("Conductor %1 ").arg(k)));
        // The title block on the first page, filled from the field information, the rest
        // left to sign; the plan's key with the plan.
        const QString first = pageText(pdf, 1);
        for (const char *words : {"Revision and approval", "E-2026-114", "Prepared", "Checked",
                                  "Approved", "Signature"})
            QVERIFY2(first.contains(QLatin1String(words)), words);
        QVERIFY(text.contains(QStringLiteral("Conductor, energised")));
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestReportFlow)
#include "tst_reportflow.moc"
