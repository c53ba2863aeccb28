// Reading layouts: anything the reader does not know is refused, loudly and by name.
#include "ui/DialogLayout.h"
#include "ui/DialogUnits.h"
#include "ui/LanguageModule.h"

#include <QWidget>
#include <QtTest>

namespace {

// A layout of one window and two controls, with one part of it replaced.
QByteArray layout(const char *window, const char *control) {
    return QByteArray(R"({"id": 7, "title": "T", )") + window +
           R"(, "controls": [{"kind": "button", "id": 1, "text": "END", "rect": [7, 7, 50, 14]}, )" +
           control + "]}";
}

const char *kWindow = R"("size": [100, 50], "font": ["Arial", 11], "style": ["caption"])";
const char *kControl = R"({"kind": "edit", "id": 5, "rect": [7, 30, 40, 12], "style": ["border"]})";

} // namespace

class TestDialogLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error"); // empty: the layout is read
        QTest::newRow("well formed") << layout(kWindow, kControl) << "";
        QTest::newRow("unknown kind")
            << layout(kWindow, R"({"kind": "slider", "id": 5, "rect": [7, 30, 40, 12]})")
            << R"(layout 7: control 5: unknown kind "slider")";
        QTest::newRow("unknown flag")
            << layout(kWindow,
                      R"({"kind": "edit", "id": 5, "rect": [7, 30, 40, 12], "style": ["bordr"]})")
            << R"(layout 7: control 5: unknown style flag "bordr")";
        QTest::newRow("duplicate id")
            << layout(kWindow, R"({"kind": "edit", "id": 1, "rect": [7, 30, 40, 12]})")
            << "layout 7: control 1: the id is used twice";
        QTest::newRow("named control")
            << layout(kWindow,
                      R"({"kind": "edit", "id": 5, "name": "target", "rect": [7, 30, 40, 12]})")
            << "";
        QTest::newRow("one name twice")
            << QByteArray(
                   R"({"id": 7, "title": "T", "size": [100, 50], "font": ["Arial", 11], "controls": [)"
                   R"({"kind": "edit", "id": 4, "name": "x", "rect": [7, 7, 40, 12]}, )"
                   R"({"kind": "edit", "id": 5, "name": "x", "rect": [7, 30, 40, 12]}]})")
            << R"(layout 7: control 5: the name "x" is used twice)";
        QTest::newRow("unknown member")
            << layout(kWindow, R"({"kind": "edit", "id": 5, "rect": [7, 30, 40, 12], "colour": 1})")
            << R"(layout 7: control 5: unknown member "colour")";
        QTest::newRow("unnamed control by its place")
            << layout(kWindow, R"({"kind": "static", "rect": [7, 30, 40], "text": "x"})")
            << "layout 7: control #2: rect must be four numbers";
        QTest::newRow("control far off")
            << layout(kWindow, R"({"kind": "edit", "id": 5, "rect": [2147483647, 30, 40, 12]})")
            << "layout 7: control 5: rect must be a whole number from 0 to 1024";
        QTest::newRow("window of a billion units")
            << layout(R"("size": [1000000000, 50], "font": ["Arial", 11])", kControl)
            << "layout 7: width must be a whole number from 1 to 1024";
        QTest::newRow("font of 2147483647 points")
            << layout(R"("size": [100, 50], "font": ["Arial", 2147483647])", kControl)
            << "layout 7: font size must be a whole number from 6 to 36";
        QTest::newRow("font of 5000 points")
            << layout(R"("size": [100, 50], "font": ["Arial", 5000])", kControl)
            << "layout 7: font size must be a whole number from 6 to 36";
        QTest::newRow("unknown window flag")
            << layout(R"("size": [100, 50], "font": ["Arial", 11], "style": ["maximizebox"])",
                      kControl)
            << R"(layout 7: window: unknown style flag "maximizebox")";
        QByteArray many = R"({"kind": "static", "rect": [0, 0, 1, 1]})";
        many = (many + ", ").repeated(50000) + kControl;
        QTest::newRow("50 000 controls")
            << layout(kWindow, many.constData()) << "layout 7: more than 512 controls";
        QTest::newRow("not JSON") << QByteArray("{") << "not a layout: unterminated object";
    }

    void reading() {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        QString reason;
        const std::optional<DialogLayout> layout = DialogLayout::fromJson(json, &reason);
        QCOMPARE(reason, error);
        QCOMPARE(layout.has_value(), error.isEmpty());
        if (layout)
            QCOMPARE(layout->controls.size(), 2);
    }

    void moduleWithADamagedLayoutIsRefused() {
        QString reason;
        QVERIFY(LanguageModule::load({QStringLiteral(TAV_TEST_MODULES "/damaged_layout")},
                                     &reason) == nullptr);
        QVERIFY2(reason.endsWith(
                     QLatin1String(R"(layout 102: control 1: unknown style flag "tabstopp")")),
                 qPrintable(reason));
    }

    void hugeRectanglesAreClamped() {
        const DialogUnits units(QFont(QStringLiteral("Arial"), 11));
        const QRect pixels = units.toPixels(QRect(0, 0, 1 << 30, 1 << 30));
        QCOMPARE(pixels.size(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }
};

QTEST_MAIN(TestDialogLayout)
#include "tst_dialoglayout.moc"
