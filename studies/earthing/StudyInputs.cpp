#include "studies/earthing/StudyInputs.h"

#include "core/earthing/EarthingInput.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/common/StudyNumber.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace Id = StringId::EarthingStudy;

namespace {

const QString pRho = QStringLiteral("soil/rho");
const QString pRho1 = QStringLiteral("soil/rho1");
const QString pRho2 = QStringLiteral("soil/rho2");
const QString pH = QStringLiteral("soil/h");
const QString pSurfaceRho = QStringLiteral("safety/surface/rho");
const QString pSurfaceThickness = QStringLiteral("safety/surface/thickness");
const QString pDuration = QStringLiteral("safety/duration");

} // namespace

StudyInputs::StudyInputs(QWidget *parent) : QWidget(parent) {
    m_fields = new JsonFieldEdits(this);
    auto *soil = new QGroupBox(LoadLanguageString(Id::kSoil), this);
    m_soilForm = new QFormLayout(soil);
    m_uniform = new QRadioButton(LoadLanguageString(Id::kUniform), soil);
    m_uniform->setObjectName(QStringLiteral("uniform"));
    m_layered = new QRadioButton(LoadLanguageString(Id::kTwoLayers), soil);
    m_layered->setObjectName(QStringLiteral("twoLayers"));
    auto *shape = new QHBoxLayout;
    shape->addWidget(m_uniform);
    shape->addWidget(m_layered);
    m_soilForm->addRow(shape);
    m_fields->add(m_soilForm, pRho, Id::kRho);
    m_fields->add(m_soilForm, pRho1, Id::kRho1);
    m_fields->add(m_soilForm, pRho2, Id::kRho2);
    m_fields->add(m_soilForm, pH, Id::kH);

    auto *fault = new QGroupBox(LoadLanguageString(Id::kFault), this);
    auto *faultForm = new QFormLayout(fault);
    m_fields->add(faultForm, QStringLiteral("current"), Id::kCurrent);
    m_fields->add(faultForm, pDuration, Id::kDuration);

    auto *safety = new QGroupBox(LoadLanguageString(Id::kSafetyCriteria), this);
    m_safetyForm = new QFormLayout(safety);
    m_surface = new QCheckBox(LoadLanguageString(Id::kSurface), safety);
    m_surface->setObjectName(QStringLiteral("surfaceLayer"));
    m_safetyForm->addRow(m_surface);
    m_fields->add(m_safetyForm, pSurfaceRho, Id::kSurfaceRho);
    m_fields->add(m_safetyForm, pSurfaceThickness, Id::kSurfaceThickness);
    m_body = new QComboBox(safety);
    m_body->setObjectName(QStringLiteral("bodyWeight"));
    m_body->addItems({LoadLanguageString(Id::kBody50), LoadLanguageString(Id::kBody70)});
    m_safetyForm->addRow(LoadLanguageString(Id::kBody), m_body);

    // Left empty, each takes tav-calc's default.
    auto *accuracy = new QGroupBox(LoadLanguageString(Id::kAccuracy), this);
    auto *accuracyForm = new QFormLayout(accuracy);
    m_fields->add(accuracyForm, QStringLiteral("search/step"), Id::kSearchStep);
    m_fields->add(accuracyForm, QStringLiteral("search/margin"), Id::kSearchMargin);
    m_fields->add(accuracyForm, QStringLiteral("segment_length"), Id::kSegmentLength);
    const tav::earthing::EarthingInput defaults;
    m_fields->field(QStringLiteral("search/step"))
        ->setPlaceholderText(StudyNumber::shown(defaults.search.step));
    m_fields->field(QStringLiteral("search/margin"))
        ->setPlaceholderText(StudyNumber::shown(defaults.search.margin));
    m_fields->field(QStringLiteral("segment_length"))
        ->setPlaceholderText(StudyNumber::shown(defaults.segmentLength));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(soil);
    layout->addWidget(fault);
    layout->addWidget(safety);
    layout->addWidget(accuracy);
    connect(m_fields, &JsonFieldEdits::edited, this, &StudyInputs::edited);
    for (QRadioButton *b : {m_uniform, m_layered})
        connect(b, &QRadioButton::clicked, this, [this] {
            showSoil();
            Q_EMIT edited();
        });
    connect(m_surface, &QCheckBox::clicked, this, [this] {
        showSurface();
        Q_EMIT edited();
    });
    connect(m_body, &QComboBox::activated, this, &StudyInputs::edited);
}

void StudyInputs::showSoil() {
    const bool layered = m_layered->isChecked();
    for (const QString &path : {pRho1, pRho2, pH}) {
        m_soilForm->setRowVisible(m_fields->field(path), layered);
        m_fields->field(path)->setEnabled(layered);
    }
    m_soilForm->setRowVisible(m_fields->field(pRho), !layered);
    m_fields->field(pRho)->setEnabled(!layered);
    // The top layer's resistivity is the uniform one when the shape changes.
    QLineEdit *from = m_fields->field(layered ? pRho : pRho1);
    QLineEdit *to = m_fields->field(layered ? pRho1 : pRho);
    if (to->text().isEmpty())
        to->setText(from->text());
}

void StudyInputs::showSurface() {
    for (const QString &path : {pSurfaceRho, pSurfaceThickness}) {
        m_fields->field(path)->setEnabled(m_surface->isChecked());
        m_safetyForm->setRowVisible(m_fields->field(path), m_surface->isChecked());
    }
}

void StudyInputs::load(const QJsonObject &document) {
    m_fields->load(document);
    const QJsonObject soil = document.value(QStringLiteral("soil")).toObject();
    // tav-calc soil-model's uniform answer: h null, or layered false.
    const bool uniformFit = soil.value(QStringLiteral("h")).isNull() ||
                            (soil.value(QStringLiteral("layered")).isBool() &&
                             !soil.value(QStringLiteral("layered")).toBool());
    const bool uniform = soil.contains(QStringLiteral("rho")) || uniformFit;
    if (!soil.contains(QStringLiteral("rho")) && uniformFit)
        m_fields->field(pRho)->setText(m_fields->field(pRho1)->text());
    m_uniform->setChecked(uniform);
    m_layered->setChecked(!uniform);
    showSoil();
    const QJsonObject safety = document.value(QStringLiteral("safety")).toObject();
    const QJsonValue surface = safety.value(QStringLiteral("surface"));
    m_surface->setChecked(surface.isObject());
    showSurface();
    m_body->setCurrentIndex(safety.value(QStringLiteral("body")).toInt(50) == 70 ? 1 : 0);
}

void StudyInputs::write(QJsonObject &document) const {
    QJsonObject soil = document.value(QStringLiteral("soil")).toObject();
    for (const char *key : {"rho", "rho1", "rho2", "h", "layered", "uniform"})
        soil.remove(QLatin1String(key));
    document[QStringLiteral("soil")] = soil;
    QJsonObject safety = document.value(QStringLiteral("safety")).toObject();
    safety[QStringLiteral("body")] = m_body->currentIndex() == 1 ? 70 : 50;
    if (!m_surface->isChecked())
        safety[QStringLiteral("surface")] = QJsonValue();
    document[QStringLiteral("safety")] = safety;
    m_fields->write(document);
    if (document.value(QStringLiteral("search")).toObject().isEmpty())
        document.remove(QStringLiteral("search"));
}
