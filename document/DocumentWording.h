#pragma once

#include "cad/ImportedPlan.h"
#include "document/DocumentError.h"
#include "text/Wording.h"

#include <QString>

// The words for a fault of a system document, from the string table through the lookup
// it is given (as Wording takes it), so that tav-calc and the study window say the same.
class DocumentWording {
public:
    static QString error(const tav::DocumentError &error, const Wording::Lookup &lookup);
    static unsigned errorId(tav::DocumentError::Kind kind);
    // Why an imported drawing's entity was left out, in words: the import's summary on the
    // command line and in the window's import say it alike.
    static unsigned leftOutId(tav::cad::LeftOutReason why);
};
