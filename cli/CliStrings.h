#pragma once

#include "text/Wording.h"

#include <QString>

// tav-calc's texts: the language module's string table, compiled into the program, so
// that a text changed in the module reads the same here.
namespace CliStrings {

QString text(unsigned id);
const Wording &wording();

} // namespace CliStrings
