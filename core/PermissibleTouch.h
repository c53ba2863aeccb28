#pragma once

namespace tav {

// EN 50522:2010's permissible touch voltage U_Tp, tabulated against the fault duration in
// its Annex B (Figure 4), from 0.05 s to 10 s. The 2022 edition's curve differs from it by
// up to 2 %; this program follows the 2010 edition.
inline constexpr double kLeastPermissibleDuration = 0.05;  // s
inline constexpr double kGreatestPermissibleDuration = 10; // s
// EN 50522's R_F2 per ohm metre of the ground the feet stand on, in 1/m.
inline constexpr double kFeetResistancePerResistivity = 1.5;

class PermissibleTouch {
public:
    // U_Tp in V at the fault duration t in s: log-log linear between the tabulated points,
    // the table's end values beyond them (the caller cautions that t lies outside).
    static double voltage(double t);
    // The body impedance in ohm at the touch voltage u in V that 50 % of people do not
    // exceed: IEC/TS 60479-1:2005 Table 1 (hand to hand, large contact area, dry, 50 %),
    // linear in u between its rows. Not reduced by the factor 0.75 of the path from a hand
    // to both feet: the body current it gives at U_Tp is then the smaller, and the limit
    // with additional resistances the stricter; at 0.05 s it gives the 0.9 A quoted from
    // EN 50522's tabulation within 3 %, where the reduced impedance would give 1.23 A.
    static double bodyImpedance(double u);
    // The body current I_B in A that drives U_Tp through the body at the duration t:
    // U_Tp / Z_B(U_Tp).
    static double bodyCurrent(double t);
    // Whether t lies within the table, 0.05 s to 10 s.
    static bool tabulated(double t);
};

} // namespace tav
