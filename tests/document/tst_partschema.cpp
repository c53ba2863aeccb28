// The table of each kind of part: a new part of every kind is read and solved as it is,
// every field the table calls required is refused when left out, where it is, and the
// labels and new values are those the study window showed before they came from the table.
#include "core/earthing/InputCheck.h"
#include "document/PartSchema.h"
#include "document/SystemDocument.h"
#include "text/StringIds.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

using namespace tav;

namespace {

// A document of one part of the kind; a fence needs energised metal to go round, a touch
// area or touch point the metal of its group, a new drawing (its rows come from its file)
// metal besides.
QJsonObject documentOf(PartKind kind, const QJsonObject &part) {
    QJsonObject d{{"soil", QJsonObject{{"rho", 100}}}, {"current", 10}};
    d[QLatin1String(PartSchema::key(kind))] = QJsonArray{part};
    if (kind == PartKind::Fence || kind == PartKind::TouchArea || kind == PartKind::TouchPoint ||
        kind == PartKind::Drawing)
        d["rods"] = QJsonArray{QJsonObject{{"at", QJsonArray{QJsonArray{0, 0}}},
                                           {"top", 0.5},
                                           {"length", 3},
                                           {"diameter", 0.016}}};
    return d;
}

DocumentError readBack(const QJsonObject &document) {
    DocumentError error;
    SystemDocument::fromJson(QJsonDocument(document).toJson(), error);
    return error;
}

// "posts/length" of the first fence as the reader names it: "fences[0].posts.length".
QString documentPath(PartKind kind, const QString &field) {
    return QLatin1String(PartSchema::key(kind)) + QStringLiteral("[0].") +
           field.section(QLatin1Char('/'), 0, 0) +
           (field.contains(QLatin1Char('/')) &&
                    !field.section(QLatin1Char('/'), 1).front().isDigit()
                ? QLatin1Char('.') + field.section(QLatin1Char('/'), 1)
                : QString());
}

QJsonObject without(QJsonObject part, const QString &field) {
    const QString key = field.section(QLatin1Char('/'), 0, 0);
    const QString inner = field.section(QLatin1Char('/'), 1);
    if (inner.isEmpty() || inner.front().isDigit()) {
        part.remove(key);
        return part;
    }
    QJsonObject child = part[key].toObject();
    child.remove(inner);
    part[key] = child;
    return part;
}

} // namespace

Q_DECLARE_METATYPE(tav::PartKind)

class TestPartSchema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void kinds_data() {
        QTest::addColumn<PartKind>("kind");
        for (PartKind kind : PartSchema::kinds())
            QTest::newRow(PartSchema::key(kind)) << kind;
    }

    // A new part is sound: the reader takes it and the solver's check finds no fault.
    void defaultsAreSound_data() { kinds_data(); }
    void defaultsAreSound() {
        QFETCH(PartKind, kind);
        const QJsonObject document = documentOf(kind, PartSchema::defaults(kind));
        DocumentError error;
        const SystemDocument d = SystemDocument::fromJson(QJsonDocument(document).toJson(), error);
        QCOMPARE(error.kind, DocumentError::Kind::None);
        const earthing::EarthingInput input = d.input();
        QVERIFY(!input.conductors.empty());
        QVERIFY(!earthing::InputCheck::check(input));
    }

    // Each field the table requires is refused at its own path when left out of a new part;
    // each optional one is not.
    void fieldsLeftOut_data() { kinds_data(); }
    void fieldsLeftOut() {
        QFETCH(PartKind, kind);
        const QJsonObject part = PartSchema::defaults(kind);
        QString previous;
        for (const PartField &field : PartSchema::fields(kind)) {
            const QString path = QLatin1String(field.path);
            const QString key = path.section(QLatin1Char('/'), 0, 0);
            // A grid's rods are not in a new part; an array is left out once, by its key.
            if (key == QLatin1String("rods") && kind != PartKind::Rods)
                continue;
            const QString dropped =
                path.section(QLatin1Char('/'), 1).startsWith(QLatin1Char('0')) ? key : path;
            if (dropped == previous || field.type == FieldType::Object)
                continue;
            previous = dropped;
            const DocumentError error = readBack(documentOf(kind, without(part, dropped)));
            if (field.required) {
                QCOMPARE(error.kind, DocumentError::Kind::MissingKey);
                QCOMPARE(error.path, documentPath(kind, dropped));
            } else {
                QVERIFY2(error.kind == DocumentError::Kind::None, qPrintable(dropped));
            }
        }
    }

    // What a new part held before its values came from the table.
    void newParts() {
        const QJsonObject grid = PartSchema::defaults(PartKind::Grid);
        QCOMPARE(grid["size"].toArray(), (QJsonArray{20, 20}));
        QCOMPARE(grid["conductors"].toArray(), (QJsonArray{5, 5}));
        QCOMPARE(grid["diameter"].toDouble(), 0.0105);
        QCOMPARE(grid["group"].toInt(-1), 0);
        QVERIFY(!grid.contains("rods"));
        const QJsonObject l = PartSchema::defaults(PartKind::LGrid);
        QCOMPARE(l["size"].toArray(), (QJsonArray{30, 30}));
        QCOMPARE(l["cut"].toArray(), (QJsonArray{15, 15}));
        QCOMPARE(l["conductors"].toArray(), (QJsonArray{7, 7}));
        const QJsonObject ring = PartSchema::defaults(PartKind::Ring);
        QCOMPARE(ring["count"].toInt(), 6);
        QCOMPARE(ring["rod"].toObject()["diameter"].toDouble(), 0.016);
        const QJsonObject fence = PartSchema::defaults(PartKind::Fence);
        QVERIFY(!fence.contains("group"));
        QCOMPARE(fence["posts"].toObject()["top"].toDouble(), 0.05);
        QCOMPARE(fence["posts"].toObject()["diameter"].toDouble(), 0.06);
        const QJsonObject rods = PartSchema::defaults(PartKind::Rods);
        QCOMPARE(rods["at"].toArray(), (QJsonArray{QJsonArray{0, 0}}));
        QCOMPARE(rods["diameter"].toDouble(), 0.016);
        const QJsonObject conductor = PartSchema::defaults(PartKind::Conductor);
        QCOMPARE(conductor["to"].toArray(), (QJsonArray{10, 0, 0.5}));
        QCOMPARE(PartSchema::initial(PartKind::Grid, "rods/diameter").toDouble(), 0.016);
        QCOMPARE(PartSchema::initial(PartKind::Grid, "rods/count").toInt(), 8);
    }

    void labels() {
        using namespace StringId::EarthingStudy;
        QCOMPARE(PartSchema::label(PartKind::Grid, "size/0"), kSideX);
        QCOMPARE(PartSchema::label(PartKind::LGrid, "cut/1"), kCutY);
        QCOMPARE(PartSchema::label(PartKind::Ring, "rod/length"), kRodLength);
        QCOMPARE(PartSchema::label(PartKind::Fence, "posts/top"), kPostTop);
        QCOMPARE(PartSchema::label(PartKind::Conductor, "group"), 0u);
        QCOMPARE(PartSchema::nameId(PartKind::LGrid), kKindLGrid);
    }
};

QTEST_APPLESS_MAIN(TestPartSchema)
#include "tst_partschema.moc"
