#pragma once

#include "text/Wording.h"

#include <QString>

// A text of the language module's string table; empty when no module is loaded or it
// has no such string. Cut to 255 characters, as the table's texts always were.
QString LoadLanguageString(unsigned id);
// The same text whole, for what a study window words as tav-calc does from the same table
// (a report's sentences run past 255 characters): both then say the same, word for word.
QString LanguageText(unsigned id);

// The words of the core's refusals and cautions, from the same string table.
Wording languageWording();
