#pragma once

#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QString>

// The report's title block, as a drawing office's: the client, the field and the file
// number from the field information when the report has it, and the revision; under them a
// row each for who prepared, checked and approved the report, with room for a name, a
// signature and a date. Cells the field information does not fill are left blank, to be
// written in by hand.
namespace TitleBlock {

// What the field information fills in, blank without it.
struct Filled {
    QString client;
    QString field;
    QString fileNumber;
};
Filled filled(const StudyHeader &header);

// The block, drawn as a ruled grid on the first page; nothing of it in the copied text.
ReportBlock block(const StudyHeader &header, const StudyTexts &texts);

} // namespace TitleBlock
