#pragma once

namespace StringId {

// 8800-8899: a sweep of one parameter of the earthing study over a range.
namespace Sweep {
// 8800-8809: the range refused: a step of 0 (); a step leading away from the end (from,
// to, step); more values than are solved (values, limit); a count's value not whole
// (value); a bound or step not finite (value).
inline constexpr unsigned kStepZero = 8800;
inline constexpr unsigned kStepWrongSign = 8801;
inline constexpr unsigned kTooManyPoints = 8802;
inline constexpr unsigned kNotWhole = 8803;
inline constexpr unsigned kNotFinite = 8804;
// 8810-8819: what is asked refused: a path no parameter has (path, the paths); a
// parameter the document has nothing of (path); --vary not PATH=FROM:TO:STEP (text); a
// bound or step not a number (path, text); where a range is refused (path, why).
inline constexpr unsigned kUnknownPath = 8810;
inline constexpr unsigned kNothingToVary = 8811;
inline constexpr unsigned kRangeShape = 8812;
inline constexpr unsigned kNotANumber = 8813;
inline constexpr unsigned kRangeRefused = 8814;
// 8820-8829: the table's 10 columns: value, R, GPR, touch, its tolerable value and margin,
// step, its tolerable value and margin, verdict.
inline constexpr unsigned kColumns = 8820;
// 8830-8839: the heading (path); a refused value's verdict; the plot's axes: the
// voltages (V), the resistance (ohm); its legend: touch, tolerable touch, step, tolerable
// step, resistance.
inline constexpr unsigned kHeading = 8830;
inline constexpr unsigned kRefused = 8831;
inline constexpr unsigned kVoltageAxis = 8832;
inline constexpr unsigned kResistanceAxis = 8833;
inline constexpr unsigned kLegend = 8834; // 8834-8838
// 8840-8859: the study window: the menu's action; the dialog's title, its fields'
// labels (parameter, from, to, step), its Run, Save as PDF and Close buttons; the progress
// (point, points); the report's title; a field not a number (text); the menu.
inline constexpr unsigned kAction = 8840;
inline constexpr unsigned kTitle = 8841;
inline constexpr unsigned kParameterLabel = 8842;
inline constexpr unsigned kFromLabel = 8843;
inline constexpr unsigned kToLabel = 8844;
inline constexpr unsigned kStepLabel = 8845;
inline constexpr unsigned kRun = 8846;
inline constexpr unsigned kSavePdf = 8847;
inline constexpr unsigned kProgress = 8848;
inline constexpr unsigned kReportTitle = 8849;
inline constexpr unsigned kNotANumberField = 8850;
inline constexpr unsigned kMenu = 8851; // the menu that holds the action
// 8860-8869: each parameter's name, in StudySweep::parameters()' order.
inline constexpr unsigned kParameterNames = 8860;
} // namespace Sweep

} // namespace StringId
