#include "studies/earthing/StudyInputs.h"

#include "core/earthing/EarthingInput.h"
#include "studies/common/StudyNumber.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/JsonFieldEdits.h"
#include "studies/earthing/JsonPath.h"
#include "studies/earthing/SoilLayersTable.h"
#include "studies/earthing/StudyProject.h"
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
const QString pFootwear = QStringLiteral("safety/footwear");
const QString pSurfaceArea = QStringLiteral("safety/surface/area");
// In the zone box's order.
const QStringList kZones{QStringLiteral("everywhere"), QStringLiteral("fence"),
                         QStringLiteral("grids"), QStringLiteral("drawn")};
// A thickness, a step or a length, to the millimetre.
constexpr StudyNumber::Shown kMetres = StudyNumber::Shown::Metres;

} // namespace

StudyInputs::StudyInputs(QWidget *parent) : QWidget(parent) {
    m_fields = new JsonFieldEdits(this);
    auto *soil = new QGroupBox(LoadLanguageString(Id::kSoil), this);
    m_soilForm = new QFormLayout(soil);
    m_uniform = new QRadioButton(LoadLanguageString(Id::kUniform), soil);
    m_uniform->setObjectName(QStringLiteral("uniform"));
    m_layered = new QRadioButton(LoadLanguageString(Id::kTwoLayers), soil);
    m_layered->setObjectName(QStringLiteral("twoLayers"));
    m_layers = new QRadioButton(LoadLanguageString(StringId::SoilLayers::kChoice), soil);
    m_layers->setObjectName(QStringLiteral("layers"));
    auto *shape = new QHBoxLayout;
    shape->addWidget(m_uniform);
    shape->addWidget(m_layered);
    shape->addWidget(m_layers);
    m_soilForm->addRow(shape);
    m_fields->add(m_soilForm, pRho, Id::kRho);
    m_fields->add(m_soilForm, pRho1, Id::kRho1);
    m_fields->add(m_soilForm, pRho2, Id::kRho2);
    m_fields->add(m_soilForm, pH, Id::kH, JsonFieldEdits::Type::Number, kMetres);
    m_layersTable = new SoilLayersTable(soil);
    m_soilForm->addRow(m_layersTable);

    auto *fault = new QGroupBox(LoadLanguageString(Id::kFault), this);
    m_faultForm = new QFormLayout(fault);
    QFormLayout *faultForm = m_faultForm;
    m_fields->add(faultForm, QStringLiteral("current"), Id::kCurrent, JsonFieldEdits::Type::Number,
                  StudyNumber::Shown::Amperes);
    m_fields->add(faultForm, pDuration, Id::kDuration);

    auto *safety = new QGroupBox(LoadLanguageString(Id::kSafetyCriteria), this);
    m_safetyForm = new QFormLayout(safety);
    m_criteria = new QComboBox(safety);
    m_criteria->setObjectName(QStringLiteral("criteria"));
    m_criteria->addItems({LoadLanguageString(StringId::Criteria::kIeee80),
                          LoadLanguageString(StringId::Criteria::kEn50522)});
    m_safetyForm->addRow(LoadLanguageString(Id::kCriteria), m_criteria);
    m_surface = new QCheckBox(LoadLanguageString(Id::kSurface), safety);
    m_surface->setObjectName(QStringLiteral("surfaceLayer"));
    m_safetyForm->addRow(m_surface);
    m_fields->add(m_safetyForm, pSurfaceRho, Id::kSurfaceRho);
    m_fields->add(m_safetyForm, pSurfaceThickness, Id::kSurfaceThickness,
                  JsonFieldEdits::Type::Number, kMetres);
    m_zone = new QComboBox(safety);
    m_zone->setObjectName(QStringLiteral("surfaceZone"));
    m_zone->addItems({LoadLanguageString(Id::kZoneEverywhere), LoadLanguageString(Id::kZoneFence),
                      LoadLanguageString(Id::kZoneGrids), LoadLanguageString(Id::kZoneDrawn)});
    m_safetyForm->addRow(LoadLanguageString(Id::kSurfaceZone), m_zone);
    m_fields->add(m_safetyForm, pSurfaceArea, Id::kSurfaceArea, JsonFieldEdits::Type::Points);
    m_body = new QComboBox(safety);
    m_body->setObjectName(QStringLiteral("bodyWeight"));
    m_body->addItems({LoadLanguageString(Id::kBody50), LoadLanguageString(Id::kBody70)});
    m_safetyForm->addRow(LoadLanguageString(Id::kBody), m_body);
    m_fields->add(m_safetyForm, pFootwear, Id::kFootwear);
    m_fields->field(pFootwear)->setPlaceholderText(
        StudyNumber::shown(tav::SafetyCriteria{}.footwear));

    // Left empty, each takes tav-calc's default.
    auto *accuracy = new QGroupBox(LoadLanguageString(Id::kAccuracy), this);
    auto *accuracyForm = new QFormLayout(accuracy);
    for (const auto &[path, label] :
         {std::pair{"search/step", Id::kSearchStep}, std::pair{"search/margin", Id::kSearchMargin},
          std::pair{"segment_length", Id::kSegmentLength}})
        m_fields->add(accuracyForm, QLatin1String(path), label, JsonFieldEdits::Type::Number,
                      kMetres);
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
    connect(m_fields, &JsonFieldEdits::edited, this,
            [this](const QString &path, const QJsonValue &value) {
                Q_EMIT edited(path, value, m_fields->label(path));
            });
    connect(m_layersTable, &SoilLayersTable::edited, this, &StudyInputs::edited);
    connect(m_layersTable, &SoilLayersTable::layerAdded, this, &StudyInputs::layerAdded);
    connect(m_layersTable, &SoilLayersTable::layerRemoved, this, &StudyInputs::layerRemoved);
    connect(m_uniform, &QRadioButton::clicked, this,
            [this] { Q_EMIT soilShapeChosen(StudySoil::Shape::Uniform); });
    connect(m_layered, &QRadioButton::clicked, this,
            [this] { Q_EMIT soilShapeChosen(StudySoil::Shape::TwoLayers); });
    connect(m_layers, &QRadioButton::clicked, this,
            [this] { Q_EMIT soilShapeChosen(StudySoil::Shape::Layers); });
    connect(m_surface, &QCheckBox::clicked, this,
            [this](bool checked) { Q_EMIT surfaceChosen(checked); });
    connect(m_body, &QComboBox::activated, this,
            [this](int index) { Q_EMIT bodyChosen(index == 1 ? 70 : 50); });
    connect(m_criteria, &QComboBox::activated, this, [this](int index) {
        Q_EMIT criteriaChosen(index == 1 ? tav::Criteria::En50522 : tav::Criteria::Ieee80);
    });
    connect(m_zone, &QComboBox::activated, this,
            [this](int index) { Q_EMIT surfaceZoneChosen(kZones.value(index)); });
}

// Each criteria's person: IEEE Std 80's body weight, EN 50522's footwear.
void StudyInputs::showCriteria(tav::Criteria criteria) {
    const bool en50522 = criteria == tav::Criteria::En50522;
    m_criteria->setCurrentIndex(en50522 ? 1 : 0);
    m_safetyForm->setRowVisible(m_body, !en50522);
    m_body->setEnabled(!en50522);
    m_safetyForm->setRowVisible(m_fields->field(pFootwear), en50522);
    m_fields->field(pFootwear)->setEnabled(en50522);
}

void StudyInputs::showSoil(StudySoil::Shape shape) {
    const bool layered = shape == StudySoil::Shape::TwoLayers;
    for (const QString &path : {pRho1, pRho2, pH}) {
        m_soilForm->setRowVisible(m_fields->field(path), layered);
        m_fields->field(path)->setEnabled(layered);
    }
    const bool uniform = shape == StudySoil::Shape::Uniform;
    m_soilForm->setRowVisible(m_fields->field(pRho), uniform);
    m_fields->field(pRho)->setEnabled(uniform);
    const bool layers = shape == StudySoil::Shape::Layers;
    m_soilForm->setRowVisible(m_layersTable, layers);
    m_layersTable->setEnabled(layers);
}

// A path as the document's reader names it ("safety.surface.rho") or as the fields do.
QString StudyInputs::label(const QString &path) const {
    if (const QString cell = SoilLayersTable::label(path); !cell.isEmpty())
        return cell;
    const QString document = path.contains(QLatin1Char('/')) ? JsonPath::documentPath(path) : path;
    for (const QString &field : m_fields->paths())
        if (JsonPath::documentPath(field) == document)
            return m_fields->label(field);
    return QString();
}

bool StudyInputs::mark(const QString &documentPath, const QString &why) {
    return m_fields->mark(documentPath, why) || m_layersTable->mark(documentPath, why);
}

void StudyInputs::clearMarks() {
    m_fields->clearMarks();
    m_layersTable->clearMarks();
}

// The zone's corners are shown wherever it lies within a polygon, typed only when drawn:
// a fence's or the grids' are the parts' own.
void StudyInputs::showSurface(bool present, const QString &zone) {
    for (const QString &path : {pSurfaceRho, pSurfaceThickness}) {
        m_fields->field(path)->setEnabled(present);
        m_safetyForm->setRowVisible(m_fields->field(path), present);
    }
    m_safetyForm->setRowVisible(m_zone, present);
    m_zone->setCurrentIndex(std::max(0, int(kZones.indexOf(zone))));
    QLineEdit *area = m_fields->field(pSurfaceArea);
    const bool polygon = present && zone != kZones.first();
    m_safetyForm->setRowVisible(area, polygon);
    area->setEnabled(polygon);
    area->setReadOnly(zone != kZones.last());
}

void StudyInputs::load(const QJsonObject &document) {
    QJsonObject shown = document;
    QJsonObject soil = document.value(QStringLiteral("soil")).toObject();
    const StudySoil::Shape shape = StudySoil::shape(soil);
    const bool uniform = shape == StudySoil::Shape::Uniform;
    // tav-calc soil-model's uniform answer: its rho1 is the soil's.
    if (uniform && !soil.contains(QStringLiteral("rho")) && soil.contains(QStringLiteral("rho1"))) {
        soil[QStringLiteral("rho")] = soil.value(QStringLiteral("rho1"));
        shown[QStringLiteral("soil")] = soil;
    }
    m_fields->load(shown);
    // With a network the current into the earth is worked out, not typed.
    const bool typed = !document.value(QStringLiteral("network")).isObject();
    QLineEdit *current = m_fields->field(QStringLiteral("current"));
    m_faultForm->setRowVisible(current, typed);
    current->setEnabled(typed);
    m_layersTable->load(soil);
    m_uniform->setChecked(uniform);
    m_layered->setChecked(shape == StudySoil::Shape::TwoLayers);
    m_layers->setChecked(shape == StudySoil::Shape::Layers);
    showSoil(shape);
    const QJsonObject safety = document.value(QStringLiteral("safety")).toObject();
    const bool surface = safety.value(QStringLiteral("surface")).isObject();
    m_surface->setChecked(surface);
    showSurface(surface, EarthingProject::surfaceZone(document));
    m_body->setCurrentIndex(safety.value(QStringLiteral("body")).toInt(50) == 70 ? 1 : 0);
    showCriteria(safety.value(QStringLiteral("criteria")).toString() == QLatin1String("en50522")
                     ? tav::Criteria::En50522
                     : tav::Criteria::Ieee80);
}
