#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "core/network/NetworkResult.h"
#include "document/PartLeakage.h"

#include <QGroupBox>
#include <QPointF>

#include <optional>

class CasesPanel;
class QLabel;
class QTableWidget;
class ValueList;

// The results of an earthing study's solve, as its report gives them: R, the GPR, the
// worst touch and step with their places and the tolerable voltages; every place judged
// (each touch area, touch point and the step) with its verdict in words and colour; each
// group's potential; the current each part leaks; the overall verdict, the cautions; and
// whether the study has changed since.
class StudyResultsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit StudyResultsPanel(QWidget *parent = nullptr);

    // None: not solved yet. safetyRefusal: why the tolerable voltages could not be had;
    // site: the site coordinates of the study's 0, 0, which the worst places are given in too.
    void showResult(const tav::earthing::EarthingResult *result,
                    const std::optional<tav::earthing::SystemSafety> &safety,
                    const QString &safetyRefusal,
                    const std::optional<tav::earthing::Point2> &site = std::nullopt);
    void setStale(bool stale);
    // A row per part under the groups; none: not solved.
    void showLeakage(const tav::SystemLeakage *leakage);
    // How the fault current shared out, with Df the study took: Sf, I_E, Df |I_E| and a row
    // per line and cable (r, its return current, its first tower's potential, the remote
    // station's rise); none: no network, or not solved.
    void showNetwork(const tav::network::NetworkResult *network, double decrement);
    // The study's cases, above the rest: the case shown chosen there.
    CasesPanel *cases() const { return m_cases; }

Q_SIGNALS:
    // A row of the places was double-clicked: where it is, m.
    void placeActivated(QPointF at);

private:
    void clearVerdicts();
    void showPlaces(const tav::earthing::EarthingResult &result,
                    const std::optional<tav::earthing::SystemSafety> &safety);

    CasesPanel *m_cases;
    ValueList *m_values;
    QTableWidget *m_groups;
    QTableWidget *m_leakage;
    ValueList *m_networkValues;
    QTableWidget *m_network;
    QTableWidget *m_places;
    QWidget *m_verdicts;
    QLabel *m_staleNote;
};
