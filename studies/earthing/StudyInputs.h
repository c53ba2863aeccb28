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

    void load(const QJsonObject &document);
    // What is typed, into the document: its soil keeps what else it holds (the fit of
    // tav-calc soil-model). The study always has its safety criteria: a document without
    // them opens with the duration to be given.
    void write(QJsonObject &document) const;

    JsonFieldEdits *fields() const { return m_fields; }

Q_SIGNALS:
    void edited();

private:
    void showSoil();
    void showSurface();

    JsonFieldEdits *m_fields;
    QRadioButton *m_uniform;
    QRadioButton *m_layered;
    QCheckBox *m_surface;
    QComboBox *m_body;
    QFormLayout *m_soilForm;
    QFormLayout *m_safetyForm;
};
