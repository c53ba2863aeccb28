#pragma once

#include "core/design/DesignSearch.h"
#include "document/SystemDocument.h"

#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

// The layouts of a design spread over other machines: each stage's layouts written into a
// folder as system documents (layout-00042.json, numbered by the layout's place in the
// family), and the results tav-calc system --format json wrote beside them
// (layout-00042.result.json) read back, so that a batch engine solves them and the search
// goes on where it stopped.
class DesignStages {
public:
    // A stage whose results are not all in the folder: its documents were written.
    struct Pending {
        QStringList documents; // each layout's document still to be solved
    };
    // A result that cannot be read: the file and why, worded.
    struct Unreadable : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    DesignStages(const tav::SystemDocument &document, const tav::design::FamilyBounds &bounds,
                 const QString &folder);

    // The evaluation for DesignStudy: the stage's results when all are in the folder; else
    // the documents of those that are not are written and Pending is thrown.
    tav::Refusable<std::vector<tav::design::Judgement>>
    operator()(const std::vector<tav::design::Layout> &layouts) const;

    // A layout's judgement from tav-calc system --format json's output for its document.
    static tav::design::Judgement judged(const QByteArray &result);

private:
    QString name(const tav::design::Layout &layout) const;

    tav::SystemDocument m_document;
    std::vector<tav::design::Layout> m_family;
    QString m_folder;
};
