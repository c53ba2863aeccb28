#pragma once

#include "report/StudyTexts.h"
#include "tests/support/ShippedWording.h"

// The shipped string table's words as the reports write them.
inline const StudyTexts &shippedTexts() {
    static const StudyTexts texts(shippedText);
    return texts;
}
