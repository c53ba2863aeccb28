// "Calculate" of the vertical rod form as a user runs it: read every field, compute the
// table and the rod quantities, write every field back.
//   build/bin/bench_calculate -median 15
#include "forms/VerticalElectrodeDlg.h"
#include "ui/LanguageModule.h"

#include <QLineEdit>
#include <QtTest>

class BenchCalculate : public QObject {
    Q_OBJECT
    std::unique_ptr<LanguageModule> m_module;

private Q_SLOTS:
    void initTestCase() {
        m_module = LanguageModule::load(LanguageModule::defaultSearchDirs());
        QVERIFY(m_module != nullptr);
        LanguageModule::setCurrent(m_module.get());
    }

    void cleanupTestCase() {
        LanguageModule::setCurrent(nullptr);
        m_module.reset();
    }

    void calculate() {
        CVerticalElectrodeDlg dialog;
        QVERIFY(dialog.create());
        dialog.show();
        dialog.item<QLineEdit>(RodDesignIds::IDC_TARGET_RESISTANCE)->setText(QStringLiteral("10"));
        dialog.item<QLineEdit>(RodDesignIds::IDC_SOIL_RESISTIVITY)->setText(QStringLiteral("100"));
        int flip = 0;
        QBENCHMARK {
            // Alternate the resistivity so that every run rewrites every result field.
            dialog.item<QLineEdit>(RodDesignIds::IDC_SOIL_RESISTIVITY)
                ->setText((++flip & 1) ? QStringLiteral("100") : QStringLiteral("250"));
            dialog.sendCommand(RodDesignIds::IDC_CALCULATE);
        }
        QVERIFY(dialog.item<QLineEdit>(RodDesignIds::IDC_ROW_RESISTANCE_FIRST)->text() !=
                QStringLiteral("0"));
    }
};

QTEST_MAIN(BenchCalculate)
#include "bench_calculate.moc"
