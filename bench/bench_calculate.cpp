// "Calculate" of the vertical rod form as a user runs it: read every field, compute the
// table and the rod quantities, write every field back.
//   build/bin/bench_calculate -median 15
#include "LanguageModule.h"
#include "VerticalElectrodeDlg.h"

#include <QLineEdit>
#include <QtTest>

class BenchCalculate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        g_hLangModule = LanguageModule::Load(LanguageModule::DefaultSearchDirs()).release();
        QVERIFY(g_hLangModule != nullptr);
    }

    void cleanupTestCase() {
        delete g_hLangModule;
        g_hLangModule = nullptr;
    }

    void calculate() {
        CVerticalElectrodeDlg dialog;
        QVERIFY(dialog.Create());
        dialog.show();
        dialog.item<QLineEdit>(1074)->setText(QStringLiteral("10"));
        dialog.item<QLineEdit>(1076)->setText(QStringLiteral("100"));
        int flip = 0;
        QBENCHMARK {
            // Alternate the resistivity so that every run rewrites every result field.
            dialog.item<QLineEdit>(1076)->setText((++flip & 1) ? QStringLiteral("100")
                                                               : QStringLiteral("250"));
            dialog.SendCommand(CVerticalElectrodeDlg::IDC_CALCULATE);
        }
        QVERIFY(dialog.item<QLineEdit>(1028)->text() != QStringLiteral("0"));
    }
};

QTEST_MAIN(BenchCalculate)
#include "bench_calculate.moc"
