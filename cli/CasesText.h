#pragma once

#include "document/CaseStudy.h"

#include <string>

// A study's cases as tav-calc system writes them after the governing case's result: the
// line naming the governing case; a row per case (its current, R, GPR, worst touch and
// step against their tolerable values, its verdict); and the envelope, every place's
// worst case, named, with the verdict over every case.
namespace CasesText {

std::string governing(const tav::StudyEvaluation &study);
std::string text(const tav::StudyEvaluation &study);

} // namespace CasesText
