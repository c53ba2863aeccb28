#pragma once

#include "text/Wording.h"

#include <QString>

// A text of the language module's string table; empty when no module is loaded or it
// has no such string. Cut to 255 characters, as the table's texts always were.
QString LoadLanguageString(unsigned id);

// The words of the core's refusals and cautions, from the same string table.
Wording languageWording();
