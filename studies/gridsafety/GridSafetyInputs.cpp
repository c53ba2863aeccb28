#include "studies/gridsafety/GridSafetyInputs.h"

#include "studies/common/StudyNumber.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

using namespace StringId::GridSafety;
using tav::Quantity;

namespace {

QString given(const std::optional<double> &value) {
    return value ? StudyNumber::shown(*value) : QString();
}

} // namespace

GridSafetyInputs::GridSafetyInputs(QWidget *parent) : QWidget(parent) {
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    auto *left = new QVBoxLayout;
    left->addWidget(makeGrid());
    left->addWidget(makeFault());
    left->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(makeSurface());
    right->addWidget(makePersonAndRods());
    right->addWidget(makeConductor());
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);
    for (QLineEdit *edit : std::as_const(m_fields))
        connect(edit, &QLineEdit::textEdited, this, &GridSafetyInputs::changed);
    updateEnabled();
}

QLineEdit *GridSafetyInputs::addField(QFormLayout *form, const char *name, unsigned label,
                                      const QString &initial) {
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto *edit = new QLineEdit(initial, form->parentWidget());
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(Qt::AlignRight);
    form->addRow(LoadLanguageString(label), edit);
    m_fields.insert(QLatin1String(name), edit);
    return edit;
}

QGroupBox *GridSafetyInputs::makeGrid() {
    auto *box = new QGroupBox(LoadLanguageString(kGrid), this);
    auto *form = new QFormLayout(box);
    addField(form, "soilResistivity", kSoilResistivity);
    addField(form, "lengthX", kSideX);
    addField(form, "lengthY", kSideY);
    addField(form, "spacing", kSpacing);
    m_spacingNote = new QLabel(box);
    m_spacingNote->setObjectName(QStringLiteral("spacingNote"));
    m_spacingNote->setWordWrap(true);
    m_spacingNote->hide();
    form->addRow(m_spacingNote);
    addField(form, "depth", kDepth);
    addField(form, "conductorDiameter", kDiameter);
    return box;
}

QGroupBox *GridSafetyInputs::makeFault() {
    m_fault = new QGroupBox(LoadLanguageString(kFault), this);
    auto *form = new QFormLayout(m_fault);
    addField(form, "faultCurrent", kFaultCurrent);
    addField(form, "splitFactor", kSplitFactor, QStringLiteral("1"));
    m_fromXOverR = new QRadioButton(LoadLanguageString(kDfFromXOverR), m_fault);
    m_fromXOverR->setObjectName(QStringLiteral("dfFromXOverR"));
    m_fromXOverR->setChecked(true);
    form->addRow(m_fromXOverR);
    addField(form, "xOverR", kXOverR);
    m_frequency = new QComboBox(m_fault);
    m_frequency->setObjectName(QStringLiteral("frequency"));
    for (int hertz : {50, 60})
        m_frequency->addItem(LoadLanguageString(kHertz).arg(hertz), hertz);
    form->addRow(LoadLanguageString(kFrequency), m_frequency);
    m_dfTyped = new QRadioButton(LoadLanguageString(kDfTyped), m_fault);
    m_dfTyped->setObjectName(QStringLiteral("dfTyped"));
    form->addRow(m_dfTyped);
    addField(form, "decrementFactor", kDecrementFactor, QStringLiteral("1"));
    addField(form, "duration", kDuration);
    for (QRadioButton *radio : {m_fromXOverR, m_dfTyped})
        connect(radio, &QRadioButton::toggled, this, [this] {
            updateEnabled();
            Q_EMIT changed();
        });
    connect(m_frequency, &QComboBox::currentIndexChanged, this, &GridSafetyInputs::changed);
    return m_fault;
}

QGroupBox *GridSafetyInputs::makeSurface() {
    m_surface = new QGroupBox(LoadLanguageString(kUseSurface), this);
    m_surface->setObjectName(QStringLiteral("surface"));
    m_surface->setCheckable(true);
    m_surface->setChecked(false);
    auto *form = new QFormLayout(m_surface);
    addField(form, "surfaceResistivity", kSurfaceResistivity);
    addField(form, "surfaceThickness", kSurfaceThickness);
    connect(m_surface, &QGroupBox::toggled, this, &GridSafetyInputs::changed);
    return m_surface;
}

QGroupBox *GridSafetyInputs::makePersonAndRods() {
    auto *box = new QGroupBox(LoadLanguageString(kBodyAndRods), this);
    auto *form = new QFormLayout(box);
    m_body = new QComboBox(box);
    m_body->setObjectName(QStringLiteral("bodyWeight"));
    for (int kg : {50, 70})
        m_body->addItem(LoadLanguageString(kKilograms).arg(kg), kg);
    form->addRow(LoadLanguageString(kBodyWeight), m_body);
    // Whose limits Em and Es are held against; the footwear counts under EN 50522 only.
    m_criteria = new QComboBox(box);
    m_criteria->setObjectName(QStringLiteral("criteria"));
    m_criteria->addItem(LoadLanguageString(StringId::Criteria::kIeee80),
                        int(tav::Criteria::Ieee80));
    m_criteria->addItem(LoadLanguageString(StringId::Criteria::kEn50522),
                        int(tav::Criteria::En50522));
    form->addRow(LoadLanguageString(StringId::Criteria::kCriteria), m_criteria);
    addField(form, "footwear", StringId::Criteria::kFootwear, QStringLiteral("1000"));
    addField(form, "rodCount", kRodCount, QStringLiteral("0"));
    addField(form, "rodLength", kRodLength);
    m_perimeter = new QCheckBox(LoadLanguageString(kRodsOnPerimeter), box);
    m_perimeter->setObjectName(QStringLiteral("rodsOnPerimeter"));
    form->addRow(m_perimeter);
    connect(m_body, &QComboBox::currentIndexChanged, this, &GridSafetyInputs::changed);
    connect(m_criteria, &QComboBox::currentIndexChanged, this, [this] {
        updateEnabled();
        Q_EMIT changed();
    });
    connect(m_perimeter, &QCheckBox::toggled, this, &GridSafetyInputs::changed);
    return box;
}

QGroupBox *GridSafetyInputs::makeConductor() {
    m_conductor = new QGroupBox(LoadLanguageString(kConductor), this);
    m_conductor->setObjectName(QStringLiteral("conductorSizing"));
    m_conductor->setCheckable(true);
    auto *form = new QFormLayout(m_conductor);
    m_material = new QComboBox(m_conductor);
    m_material->setObjectName(QStringLiteral("material"));
    for (const tav::ConductorMaterial material : tav::conductorMaterials())
        m_material->addItem(LoadLanguageString(kMaterials + unsigned(material)), int(material));
    form->addRow(LoadLanguageString(kMaterial), m_material);
    addField(form, "sizingCurrent", kSizingCurrent);
    addField(form, "sizingDuration", kSizingDuration);
    addField(form, "ambient", kAmbient, QStringLiteral("40"));
    addField(form, "maxTemperature", kMaxTemperature);
    connect(m_material, &QComboBox::currentIndexChanged, this, [this] {
        updateEnabled();
        Q_EMIT changed();
    });
    connect(m_conductor, &QGroupBox::toggled, this, &GridSafetyInputs::changed);
    return m_conductor;
}

void GridSafetyInputs::updateEnabled() {
    const bool typed = m_dfTyped->isChecked();
    field(QStringLiteral("decrementFactor"))->setEnabled(typed);
    field(QStringLiteral("xOverR"))->setEnabled(!typed);
    m_frequency->setEnabled(!typed);
    const bool en50522 = m_criteria->currentData().toInt() == int(tav::Criteria::En50522);
    field(QStringLiteral("footwear"))->setEnabled(en50522);
    m_body->setEnabled(!en50522); // IEEE Std 80's body weights
    const auto material = tav::ConductorMaterial(m_material->currentData().toInt());
    field(QStringLiteral("maxTemperature"))
        ->setPlaceholderText(LoadLanguageString(kFusingPlaceholder)
                                 .arg(tav::materialConstants(material).fusingTemperature));
}

void GridSafetyInputs::prefill(const Prefill &prefill) {
    const std::pair<const char *, const std::optional<double> *> values[] = {
        {"soilResistivity", &prefill.soilResistivity},
        {"lengthX", &prefill.lengthX},
        {"lengthY", &prefill.lengthY},
        {"depth", &prefill.depth},
        {"spacing", &prefill.spacing}};
    for (const auto &[name, value] : values)
        field(QLatin1String(name))->setText(given(*value));
    m_spacingNote->setText(prefill.spacingNote);
    m_spacingNote->setVisible(!prefill.spacingNote.isEmpty());
    Q_EMIT changed();
}

Wording GridSafetyInputs::sizingWording() {
    return Wording([](unsigned id) {
        return LoadLanguageString(id == Wording::quantityId(Quantity::FaultCurrent)
                                      ? StringId::StudyWindows::kSymmetricalCurrent
                                      : id);
    });
}

std::optional<double> GridSafetyInputs::number(const char *name, Quantity quantity,
                                               QString &message, bool optional) const {
    return number(name, quantity, message, languageWording(), optional);
}

std::optional<double> GridSafetyInputs::number(const char *name, Quantity quantity,
                                               QString &message, const Wording &wording,
                                               bool optional) const {
    const QString text = field(QLatin1String(name))->text().trimmed();
    if (!message.isEmpty())
        return std::nullopt; // the first problem is the one reported
    if (text.isEmpty()) {
        if (!optional)
            message = LoadLanguageString(kMissing).arg(wording.quantity(quantity));
        return std::nullopt;
    }
    const std::optional<double> value = StudyNumber::read(text);
    if (!value)
        message = LoadLanguageString(kUnreadable).arg(text, wording.quantity(quantity));
    return value;
}

GridSafetyInputs::Reading GridSafetyInputs::read() const {
    Reading reading;
    QString &missing = reading.missing;
    GridSafetyStudy &study = reading.study;
    tav::GridSafetyInput &grid = study.grid;
    const std::pair<const char *, std::pair<Quantity, double tav::GridSafetyInput::*>>
        gridFields[] = {{"soilResistivity",
                         {Quantity::SoilResistivity, &tav::GridSafetyInput::soilResistivity}},
                        {"lengthX", {Quantity::GridSideX, &tav::GridSafetyInput::lengthX}},
                        {"lengthY", {Quantity::GridSideY, &tav::GridSafetyInput::lengthY}},
                        {"spacing", {Quantity::ConductorSpacing, &tav::GridSafetyInput::spacing}},
                        {"depth", {Quantity::BurialDepth, &tav::GridSafetyInput::depth}},
                        {"conductorDiameter",
                         {Quantity::ConductorDiameter, &tav::GridSafetyInput::conductorDiameter}}};
    for (const auto &[name, target] : gridFields)
        grid.*target.second = number(name, target.first, missing).value_or(0);
    tav::FaultCurrentInput fault;
    fault.faultCurrent = number("faultCurrent", Quantity::FaultCurrent, missing).value_or(0);
    fault.splitFactor = number("splitFactor", Quantity::SplitFactor, missing).value_or(0);
    if (m_dfTyped->isChecked()) {
        fault.decrementFactor = number("decrementFactor", Quantity::DecrementFactor, missing);
    } else if (const auto xOverR = number("xOverR", Quantity::XOverR, missing, true)) {
        // Without X/R the fault is taken as symmetrical, as tav-calc takes it.
        fault.asymmetry = tav::Asymmetry{*xOverR, double(m_frequency->currentData().toInt())};
    }
    grid.faultDuration = number("duration", Quantity::FaultDuration, missing).value_or(0);
    study.fault = fault;
    if (m_surface->isChecked()) {
        const double rho =
            number("surfaceResistivity", Quantity::SurfaceResistivity, missing).value_or(0);
        const double thickness =
            number("surfaceThickness", Quantity::SurfaceThickness, missing).value_or(0);
        grid.surface = tav::SurfaceLayer{rho, thickness};
    }
    grid.body = m_body->currentData().toInt() == 70 ? tav::BodyWeight::Kg70 : tav::BodyWeight::Kg50;
    grid.criteria = tav::Criteria(m_criteria->currentData().toInt());
    if (grid.criteria == tav::Criteria::En50522)
        grid.footwear =
            number("footwear", Quantity::FootwearResistance, missing).value_or(grid.footwear);
    const double rods = number("rodCount", Quantity::RodCount, missing, true).value_or(0);
    if (missing.isEmpty() && rods != std::trunc(rods))
        missing = LoadLanguageString(kUnreadable)
                      .arg(field(QStringLiteral("rodCount"))->text().trimmed(),
                           languageWording().quantity(Quantity::RodCount));
    grid.rods.count = int(std::clamp(rods, -1e6, 1e6));
    if (grid.rods.count > 0)
        grid.rods.length = number("rodLength", Quantity::RodLength, missing).value_or(0);
    grid.rods.onPerimeter = m_perimeter->isChecked();
    if (m_conductor->isChecked()) {
        QString &conductorMissing = reading.conductorMissing;
        tav::ConductorSizingInput sizing;
        sizing.material = tav::ConductorMaterial(m_material->currentData().toInt());
        sizing.current =
            number("sizingCurrent", Quantity::FaultCurrent, conductorMissing, sizingWording())
                .value_or(0);
        sizing.duration =
            number("sizingDuration", Quantity::FaultDuration, conductorMissing).value_or(0);
        sizing.ambient =
            number("ambient", Quantity::AmbientTemperature, conductorMissing).value_or(0);
        sizing.maxTemperature =
            number("maxTemperature", Quantity::MaximumTemperature, conductorMissing, true);
        if (conductorMissing.isEmpty())
            study.conductor = sizing;
    }
    return reading;
}
