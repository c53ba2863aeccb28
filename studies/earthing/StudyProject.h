#pragma once

#include "document/InputOrigin.h"
#include "document/DocumentError.h"
#include "document/SystemDocument.h"
#include "studies/earthing/StudyPart.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

namespace tav {
struct GridSafetyInput;
struct TwoLayerSoil;
} // namespace tav

// An earthing study as its window edits it: the document tav-calc system --input reads,
// its parts taken out of their arrays into a list kept in the document's order (so that a
// saved study reopens with its parts as they were listed), everything else (soil, current,
// safety, search, the window's settings, keys the window does not know) kept as read.
class StudyProject {
public:
    QJsonObject rest; // the document without its parts' arrays
    QVector<StudyPart> parts;
    // What the study window tells of how the study came to be, not part of the document:
    // that a sounding's layers were not determined, so the uniform soil was taken. Empty
    // otherwise.
    QString notice;

    // Why a study over a sounding has a uniform soil.
    enum class UniformBecause {
        Fitted,            // a uniform soil explains the readings as well as two layers
        LayersUndetermined // the fit found two layers the readings do not determine
    };

    // A new study: a 20 m grid over uniform soil.
    static StudyProject made();
    // A new study over the two layers a sounding determines, as its window shows them.
    static StudyProject overSoil(const tav::TwoLayerSoil &layers,
                                 std::optional<tav::InputOrigin::Soil> origin = {});
    // A new study over the layers a sounding determines, from the top down, the thickness
    // of all but the last: three or more as the soil's layers, one or two in their forms.
    static StudyProject overSoil(const std::vector<double> &rho,
                                 const std::vector<double> &thickness,
                                 std::optional<tav::InputOrigin::Soil> origin = {});
    // A new study over the uniform soil a sounding's window shows; notice says why when the
    // layers were not determined.
    static StudyProject overSoil(double rho, UniformBecause why,
                                 std::optional<tav::InputOrigin::Soil> origin = {});
    // The grid the IEEE 80 check took, solved numerically: its soil, sides, spacing, depth,
    // conductor, grid current (and how the fault gave it), rods and safety criteria.
    static StudyProject ofGridCheck(const tav::GridSafetyInput &input,
                                    std::optional<tav::InputOrigin::Current> basis = {});
    // Either the study or why not: the text is no JSON object, or an array of parts is not
    // an array of objects.
    static std::optional<StudyProject> fromJson(const QByteArray &json, tav::DocumentError &error);
    QJsonObject document() const;
    // Whether the soil object is of two layers: rho1, rho2 or h given (even as null, to be
    // typed), no rho, and not tav-calc soil-model's uniform answer (h null, layered false).
    static bool soilLayered(const QJsonObject &soil);
    QByteArray toJson() const;

    // Puts the part after the others of its kind; its index.
    int insert(const StudyPart &part);
    // Removes it, with the touch areas and points that stand on its group alone
    // (placesOn), and renumbers the floating groups left, which must run without gaps; the
    // touch areas and points left keep to the metal they stood on.
    void remove(int index);
    // One place up or down among the parts of its kind (a fence without a group: its
    // group's number moves), the touch areas and points keeping to their metal.
    void move(int index, int to);
    // Energised: group 0; floating: a group of its own (a fence: none, which is one). The
    // touch areas and points on its group follow it when no other part is of it.
    void setFloating(int index, bool floating);

    // The group of each part's metal as the document numbers it (a fence without a group
    // one above every other's, in order), -1 for a touch area or point.
    QVector<int> metalGroups() const;
    // The touch areas and points of the part's group when no other part is of it, in order.
    QVector<int> placesOn(int index) const;

    // The part a document path points into and the path within it ("grids[1].rods.count":
    // the second grid's part and "rods.count"), if it is a part's.
    std::optional<std::pair<int, QString>> partAt(const QString &documentPath) const;
    // The part a conductor of the expanded document came from; -1 when none is.
    int partOf(const tav::ConductorSource &source) const;

private:
    void compactGroups();
    // The touch areas' and points' groups renumbered as the metal's were: before, each
    // part's metal group before the change; from, the part each part was before it (-1:
    // none); changed, the part whose own group went or moved (-1: none).
    void followGroups(const QVector<int> &before, const QVector<int> &from, int changed);
};
