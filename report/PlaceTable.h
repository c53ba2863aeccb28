#pragma once

#include "core/GridSafety.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

// Where a person stands that the solve judged, one row each: every touch area ("Grid 1",
// "Fence 1", "Touch area 2": its kind and its number among the parts of its kind), every
// touch point by its name, and the step. The study window's results and the report's table
// both read these rows, so that both say the same.
class PlaceTable {
public:
    struct Row {
        QString name;
        double voltage = 0; // V
        tav::earthing::Point2 at;
        bool reached = true; // false: the area reaches no ground the search kept
        bool onLayer = true;
        // Without criteria there is no verdict; NoLimit: the value is for information.
        std::optional<tav::Verdict> verdict;
        double tolerable = 0; // V, with a verdict other than NoLimit
        bool surfaceLayer = false; // whether the study lays one: else neither on nor off
    };

    static QVector<Row> rows(const tav::earthing::EarthingResult &result,
                             const std::optional<tav::earthing::SystemSafety> &safety,
                             const StudyTexts &texts);
    static QString areaName(const tav::earthing::TouchArea &area, const StudyTexts &texts);

    // The columns: place, voltage, where, on or off the surface layer, tolerable, verdict.
    static QStringList header(const StudyTexts &texts);
    static QStringList cells(const Row &row, const StudyTexts &texts);
    // The verdict in words: pass, FAIL, outside the method's range, or for information.
    static QString verdictWord(tav::Verdict verdict, const StudyTexts &texts);
    static ReportLine::Tone tone(tav::Verdict verdict);
    // To the centimetre: the search refines places to the millimetre, a plan needs no more.
    static QString place(const tav::earthing::Point2 &p);
    // The same on site, where coordinates run to millions of metres: every digit to the
    // centimetre, "(512448.86, 4381292.22)".
    static QString sitePlace(const tav::earthing::Point2 &p);

    // The table under its heading, as the report writes it.
    static ReportBlock block(const tav::earthing::EarthingResult &result,
                             const std::optional<tav::earthing::SystemSafety> &safety,
                             const StudyTexts &texts);
};
