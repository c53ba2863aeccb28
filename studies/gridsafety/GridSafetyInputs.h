#pragma once

#include "report/GridSafetyStudy.h"
#include "text/Wording.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The inputs of the grid safety window: the grid, the fault current, the surface layer,
// the person and the rods, and the conductor to size, each field named for tests.
class GridSafetyInputs : public QWidget {
    Q_OBJECT
public:
    // What the mesh grid form gives: its soil resistivity, sides, depth and (when both are
    // equal) spacing, or why the spacing is left empty.
    struct Prefill {
        std::optional<double> soilResistivity;
        std::optional<double> lengthX;
        std::optional<double> lengthY;
        std::optional<double> depth;
        std::optional<double> spacing;
        QString spacingNote;
    };

    // The study the fields describe, and what keeps them from describing one yet (the
    // first field missing or unreadable); the conductor's sizing apart, since the grid is
    // checked without it and it is sized without the grid.
    struct Reading {
        GridSafetyStudy study;
        QString missing;
        QString conductorMissing;
    };

    explicit GridSafetyInputs(QWidget *parent = nullptr);

    void prefill(const Prefill &prefill);
    Reading read() const;
    QLineEdit *field(const QString &name) const { return m_fields.value(name); }
    // The words of the conductor's sizing: the current it takes is the symmetrical fault
    // current of its field, which the core's refusals call by the grid's fault current.
    static Wording sizingWording();

Q_SIGNALS:
    void changed();

private:
    QGroupBox *makeGrid();
    QGroupBox *makeFault();
    QGroupBox *makeSurface();
    QGroupBox *makePersonAndRods();
    QGroupBox *makeConductor();
    QLineEdit *addField(QFormLayout *form, const char *name, unsigned label,
                        const QString &initial = {});
    void updateEnabled();

    // The field's number; an empty field gives none, an unreadable one the message why,
    // naming the field's quantity in the words given.
    std::optional<double> number(const char *name, tav::Quantity quantity, QString &message,
                                 bool optional = false) const;
    std::optional<double> number(const char *name, tav::Quantity quantity, QString &message,
                                 const Wording &wording, bool optional = false) const;

    QHash<QString, QLineEdit *> m_fields;
    QLabel *m_spacingNote = nullptr;
    QGroupBox *m_fault = nullptr;
    QRadioButton *m_fromXOverR = nullptr;
    QRadioButton *m_dfTyped = nullptr;
    QComboBox *m_frequency = nullptr;
    QGroupBox *m_surface = nullptr;
    QComboBox *m_body = nullptr;
    QComboBox *m_criteria = nullptr;
    QCheckBox *m_perimeter = nullptr;
    QGroupBox *m_conductor = nullptr;
    QComboBox *m_material = nullptr;
};
