#pragma once

// Every id of the string table (resources/strings.json), named once. The blocks:
//   101-129, 61712-61713  the design's own texts
//   2000-2099             names of the quantities a refusal or caution is about
//   2100-2199             refusals of the calculations
//   2200-2299             the field information file: its items, read failures, reports
//   2300-2399             cautions: a result that stands, but not as a determined answer
//   3000-3099             the earthing system solver: its quantities (3000-3019), refusals
//                         (3020-3059) and cautions (3060-3069); the system document's
//                         faults (3070-3086), its safety verdict (3087-3091);
//   3100-3199             the system document's later faults (3100-3102, 3146-3166) and
//                         the solver's later refusals (3140-3145)
//   4000-4199             the two-layer soil model window
//   4200-4399             the grid safety window
//   4400-4499             the study windows' reports and what the windows share; 4450-4499
//                         the safety criteria (IEEE Std 80 or EN 50522)
//   5500-5599             the earthing system study's report
//   5600-5619             the pages of every report: their head
//   7500-7699             hostile inputs answered: where no surface layer lies, the
//                         refusals of files, drawings, soundings and documents beyond
//                         what is taken, and an import's entities left out and why
//   7700-7899             the current into the earth from the network (lines and cables)
//   8100-8299             the plan's editor in the earthing study
//   8300-8399             outlines: fences and places of any shape
//   8400-8599             cases in one study and their envelope
//   8600-8799             the automatic design: its document's faults and its outcome
//   8800-8899             a sweep of one parameter over a range
//   8900-8999             a drawing's fences, touch areas and crushed rock outline
//   9000-9019             the main window's menu bar
//   9020-9039             a study's cases in its window
//   9100-9199             the record of a design and its words in the report

//   9200-9299             what a case varies besides soil and current; every case's maps

// Each block lives in a header of its own under text/ids/; a new area adds its own.
#include "ids/CaseKeys.h"
#include "ids/CasesWindow.h"
#include "ids/Design.h"
#include "ids/DesignRecord.h"
#include "ids/DesignWindow.h"
#include "ids/DrawingRoles.h"
#include "ids/EarthingStudy.h"
#include "ids/Editor.h"
#include "ids/Forms.h"
#include "ids/MainMenu.h"
#include "ids/Network.h"
#include "ids/SoilAndDrawings.h"
#include "ids/Sweep.h"
#include "ids/SystemReport.h"
#include "ids/Windows.h"
