#pragma once

#include "document/DocumentError.h"
#include "text/Wording.h"

#include <QString>

// The words for a fault of a system document, from the string table through the lookup
// it is given (as Wording takes it), so that tav-calc and the study window say the same.
class DocumentWording {
public:
    static QString error(const tav::DocumentError &error, const Wording::Lookup &lookup);
    static unsigned errorId(tav::DocumentError::Kind kind);
};
