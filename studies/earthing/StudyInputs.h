#pragma once

#include "core/TolerableVoltage.h"
#include "studies/earthing/StudySoil.h"

#include <QJsonObject>
#include <QWidget>

#include <optional>

class JsonFieldEdits;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QRadioButton;
class SoilLayersTable;

// What a study takes besides its parts: the soil (uniform, two layers or a list of layers), the
// current to earth, the safety criteria of the tolerable voltages (IEEE Std 80's or EN 50522's,
// fault duration, surface layer and where it lies, body weight or footwear) and the solve's
// accuracy (the surface raster, the step search's margin, the segment length), each field tied to
// its place in the study's document.
class StudyInputs : public QWidget {
    Q_OBJECT
public:
    explicit StudyInputs(QWidget *parent = nullptr);

    // Shows the document; fields whose text stands for their values keep it as typed.
    void load(const QJsonObject &document);

    JsonFieldEdits *fields() const { return m_fields; }
    // The fields' and the soil's layers' together: the label of a field or cell (by its
    // path in the window or the document), their marks.
    QString label(const QString &path) const;
    bool mark(const QString &documentPath, const QString &why);
    void clearMarks();

Q_SIGNALS:
    // The user typed into the field at path of the document; label names the field.
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    void soilShapeChosen(StudySoil::Shape shape);
    void layerAdded();
    void layerRemoved(int layer);
    void surfaceChosen(bool present);
    void bodyChosen(int kilograms);
    void criteriaChosen(tav::Criteria criteria);
    // "everywhere", "fence", "grids" or "drawn": where the surface layer lies.
    void surfaceZoneChosen(const QString &zone);

private:
    void showSoil(StudySoil::Shape shape);
    void showSurface(bool present, const QString &zone);
    void showCriteria(tav::Criteria criteria);

    JsonFieldEdits *m_fields;
    QRadioButton *m_uniform;
    QRadioButton *m_layered;
    QRadioButton *m_layers;
    SoilLayersTable *m_layersTable;
    QCheckBox *m_surface;
    QComboBox *m_body;
    QComboBox *m_criteria;
    QComboBox *m_zone;
    QFormLayout *m_soilForm;
    QFormLayout *m_faultForm = nullptr;
    QFormLayout *m_safetyForm;
};
