// Sine and cosine for the almanac's series, the same bits in every build.
//
// The C runtimes differ (glibc natively, mingw/msvcrt under Wine and on
// Windows) and may round the same argument differently by an ulp, which can
// flip a floor near a boundary. These are evaluated in double-double
// arithmetic with only +, -, * and rounded once at the end, so they give the
// correctly rounded result, identically in both builds.
#pragma once

namespace hiyomi {

double AlmanacSin(double x) noexcept;
double AlmanacCos(double x) noexcept;

}  // namespace hiyomi
