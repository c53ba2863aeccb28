#pragma once

#include <QJsonObject>
#include <QWidget>

#include <optional>

class JsonFieldEdits;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QRadioButton;

// What a study takes besides its parts: the soil (uniform or two layers), the current to
// earth, the safety criteria of the tolerable voltages (fault duration, surface layer,
// body weight) and the solve's accuracy (the surface raster, the step search's margin, the
// segment length), each field tied to its place in the study's document.
class StudyInputs : public QWidget {
    Q_OBJECT
public:
    explicit StudyInputs(QWidget *parent = nullptr);

    // Shows the document; fields whose text stands for their values keep it as typed.
    void load(const QJsonObject &document);

    JsonFieldEdits *fields() const { return m_fields; }

Q_SIGNALS:
    // The user typed into the field at path of the document; label names the field.
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    void layeredChosen(bool layered);
    void surfaceChosen(bool present);
    void bodyChosen(int kilograms);

private:
    void showSoil(bool layered);
    void showSurface(bool present);

    JsonFieldEdits *m_fields;
    QRadioButton *m_uniform;
    QRadioButton *m_layered;
    QCheckBox *m_surface;
    QComboBox *m_body;
    QFormLayout *m_soilForm;
    QFormLayout *m_safetyForm;
};
