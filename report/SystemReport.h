#pragma once

#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "core/network/NetworkResult.h"
#include "document/CaseStudy.h"
#include "document/SystemDocument.h"
#include "report/ProfilePicture.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QJsonObject>
#include <QLineF>
#include <QRectF>

#include <optional>
#include <vector>

// The report of an earthing system study: what the study window's "Save as PDF..." and
// tav-calc system --pdf write.
namespace SystemReport {

using Pairs = QVector<QPair<QString, QString>>;

// "energised" for group 0, else "floating group n".
QString group(int group, const StudyTexts &texts);

// The soil, the current and the safety criteria: whose, the fault's duration, the surface
// layer and where it lies, and IEEE Std 80's body weight or EN 50522's footwear; the site
// coordinates of the study's 0, 0 when it has them. With a network and how the fault
// current shared out, the current is the network's Df |I_E|.
Pairs inputs(const tav::SystemDocument &document, const StudyTexts &texts,
             const std::optional<tav::network::NetworkResult> &network = std::nullopt);
// The sounding the soil was fitted to, when the study keeps it: its array and a row per
// reading, its spacing (a, or AB/2 and MN/2) and the apparent resistivity read.
std::optional<ReportBlock> sounding(const tav::SystemDocument &document, const StudyTexts &texts);
// Each part of the system in words, one line each.
QVector<ReportLine> parts(const tav::SystemDocument &document, const StudyTexts &texts);
// R, GPR, the worst touch and step with their places (on site too, given the site
// coordinates of the study's 0, 0), the tolerable voltages.
Pairs resultPairs(const tav::earthing::EarthingResult &result,
                  const std::optional<tav::earthing::SystemSafety> &safety, const StudyTexts &texts,
                  const std::optional<tav::earthing::Point2> &site = std::nullopt);
// Each group's potential and current: the floating metal's potential is the point.
ReportBlock groups(const tav::earthing::EarthingResult &result, const StudyTexts &texts);
// The worst touch and step against the tolerable ones, passing, failing or no answer; the
// cautions of the solve and of the tolerable voltages.
QVector<ReportLine> verdicts(const tav::earthing::EarthingResult &result,
                             const std::optional<tav::earthing::SystemSafety> &safety,
                             const StudyTexts &texts);

// The verdict over every place judged, in its tone; none without criteria.
std::optional<ReportLine> overall(const std::optional<tav::earthing::SystemSafety> &safety,
                                  const StudyTexts &texts);

// Where the report's profile runs: the line the study window keeps under study_window's
// profile ([x1, y1, x2, y2], m) when there is one, else along x through the worst touch,
// across the plan.
QLineF profileLine(const tav::SystemDocument &document, const tav::earthing::EarthingResult &result,
                   const QRectF &plan);
// The report's profiles when the window keeps none: across the middle of the plan along x,
// and at 45 degrees through the worst touch, each from edge to edge of the plan.
std::vector<QLineF> defaultProfiles(const tav::earthing::EarthingResult &result,
                                    const QRectF &plan);
// The line kept under study_window's profile, when it is four finite numbers apart.
std::optional<QLineF> keptProfileLine(const QJsonObject &studyWindow);

// The samples along a profile: finer than the raster of any study that fits on a page or
// a screen.
constexpr int kProfileSamples = 400;
// A profile with its titles and the tolerable touch voltage of each place (none: no line),
// to be sampled.
ProfilePicture profileFrame(const PlaceLimits &tolerable, const StudyTexts &texts);

// The plan with the touch map and the tolerable touch voltage's contour, and the profile
// along profileLine, drawn by PlanPicture and ProfilePicture.
std::vector<ReportBlock> pictures(const tav::SystemDocument &document,
                                  const tav::earthing::EarthingResult &result,
                                  const std::optional<tav::earthing::SystemSafety> &safety,
                                  const StudyTexts &texts);

// network: how the fault current shared out, for a study whose document has a network.
Report report(const tav::SystemDocument &document, const tav::earthing::EarthingResult &result,
              const std::optional<tav::earthing::SystemSafety> &safety, const StudyHeader &header,
              const StudyTexts &texts,
              const std::optional<tav::network::NetworkResult> &network = std::nullopt);

// What a study of cases' report shows besides the governing case.
struct Options {
    // Every case's maps, each headed with its case's name, rather than the governing
    // case's alone.
    bool allMaps = false;
};

// A study of cases: the governing case's report (its maps alone, or every case's on
// request), the cases' table and the verdict over every case after its summary, and each
// case's places.
Report report(const tav::StudyEvaluation &study, const StudyHeader &header, const StudyTexts &texts,
              const Options &options = {});

} // namespace SystemReport
