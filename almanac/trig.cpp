#include "almanac/trig.h"

#include <cmath>

namespace hiyomi {

namespace {

// Double-double arithmetic (Dekker, Knuth). The build has no fused
// multiply-add (-ffp-contract=off), so these are exact as written.
struct DD {
  double hi;
  double lo;
};

DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

DD FastTwoSum(double a, double b) {  // |a| >= |b|
  const double s = a + b;
  return {s, b - (s - a)};
}

DD Split(double a) {
  const double t = 134217729.0 * a;  // 2^27 + 1
  const double hi = t - (t - a);
  return {hi, a - hi};
}

DD TwoProd(double a, double b) {
  const double p = a * b;
  const DD as = Split(a);
  const DD bs = Split(b);
  const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
  return {p, err};
}

DD Add(DD x, DD y) {
  const DD s = TwoSum(x.hi, y.hi);
  const DD t = TwoSum(x.lo, y.lo);
  DD r = FastTwoSum(s.hi, s.lo + t.hi);
  return FastTwoSum(r.hi, r.lo + t.lo);
}

DD Mul(DD x, DD y) {
  DD p = TwoProd(x.hi, y.hi);
  p.lo += x.hi * y.lo + x.lo * y.hi;
  return FastTwoSum(p.hi, p.lo);
}

DD Neg(DD x) { return {-x.hi, -x.lo}; }

// pi/2 in 24-bit pieces: n * piece is exact for |n| < 2^29.
constexpr double kPiOver2Pieces[7] = {
    0x1.921fb40000000p+0, 0x1.4442d00000000p-24, 0x1.8469880000000p-48, 0x1.8cc5160000000p-72,
    0x1.01b8380000000p-96, 0x1.a252040000000p-120, 0x1.3822280000000p-145,
};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kReduceLimit = 0x1p+28;  // |x| beyond: the C runtime (never in the almanac)

// sin(j/64) and cos(j/64) for j = 0..51, as double-doubles.
struct SinCos {
  DD s;
  DD c;
};
constexpr SinCos kTable[52] = {
    {{0x0.0p+0, 0x0.0p+0}, {0x1.0000000000000p+0, 0x0.0p+0}},
    {{0x1.fffaaaaeeeed5p-7, -0x1.2ab639a9f0776p-63}, {0x1.fff000155549fp-1, 0x1.28a28a03a5ef3p-55}},
    {{0x1.ffeaaaeeee86fp-6, -0x1.cd406fb224ae2p-60}, {0x1.ffc00155527d3p-1, -0x1.3b54492d89b5bp-55}},
    {{0x1.7fdc01032fba9p-5, -0x1.599bdf46e997ap-59}, {0x1.ff7006bfdf99fp-1, -0x1.8b3b560648d5fp-56}},
    {{0x1.ffaaaeeed4edbp-5, -0x1.2d16d32684b69p-59}, {0x1.ff0015549f4d3p-1, 0x1.328387b99426fp-55}},
    {{0x1.3facb12d1755bp-4, -0x1.921915299468bp-58}, {0x1.fe7034129ef6fp-1, -0x1.cbf4337c96f97p-57}},
    {{0x1.7f701032550e4p-4, 0x1.afc2d1800501ap-60}, {0x1.fdc06bf7e6b9bp-1, 0x1.31902b535f8dbp-55}},
    {{0x1.bf1b78568391dp-4, 0x1.e91841dea4cc8p-58}, {0x1.fcf0c800e99b1p-1, 0x1.ea3d786d186acp-57}},
    {{0x1.feaaeee86ee36p-4, -0x1.afcb2bcc6f03bp-59}, {0x1.fc015527d5bd3p-1, 0x1.b68f35094efb8p-55}},
    {{0x1.1f0d3d7afceafp-3, -0x1.6ef95099769a5p-57}, {0x1.faf22263c4bd3p-1, -0x1.52ace133a2769p-58}},
    {{0x1.3eb312c5d66cbp-3, 0x1.47d666b66cb91p-57}, {0x1.f9c340a7cc428p-1, 0x1.c5b6b063b7462p-55}},
    {{0x1.5e44fcfa126f3p-3, -0x1.6f443063f89b6p-57}, {0x1.f874c2e1eecf6p-1, -0x1.c6514e1332b16p-55}},
    {{0x1.7dc102fbaf2b5p-3, 0x1.5ab50e23c97c3p-59}, {0x1.f706bdf9ece1cp-1, -0x1.698c80c36dcb4p-55}},
    {{0x1.9d252d0cec312p-3, 0x1.9c43d80b1137dp-58}, {0x1.f57948cff6797p-1, 0x1.e3a0d3e03b1d4p-57}},
    {{0x1.bc6f84edc6199p-3, 0x1.9c1a56a7b0cabp-57}, {0x1.f3cc7c3b3d16ep-1, -0x1.21a3ad28a3494p-57}},
    {{0x1.db9e15fb5a5d0p-3, -0x1.32e20d6cc6fc2p-57}, {0x1.f20073086649fp-1, 0x1.b940416c1984bp-56}},
    {{0x1.faaeed4f31577p-3, -0x1.15d88508e32b8p-57}, {0x1.f01549f7deea1p-1, 0x1.d3c1e99e5cafdp-55}},
    {{0x1.0cd00cef36436p-2, -0x1.9fb0a0c93e2b4p-56}, {0x1.ee0b1fbc0f11cp-1, -0x1.bfd2380bbc3b1p-59}},
    {{0x1.1c37d64c6b876p-2, 0x1.46076fe0dcff4p-56}, {0x1.ebe214f76efa8p-1, -0x1.02f9f12ba543ep-55}},
    {{0x1.2b8ddc43eb49fp-2, 0x1.1553899f2d807p-57}, {0x1.e99a4c3a7cd83p-1, -0x1.2264b1bc53ce8p-55}},
    {{0x1.3ad129769d3d8p-2, 0x1.03d550487839ap-63}, {0x1.e733ea0193d40p-1, -0x1.6428b3546ce13p-55}},
    {{0x1.4a00c9b0f3d20p-2, 0x1.823ba6bb08eadp-56}, {0x1.e4af14b2a449cp-1, -0x1.68ca02e8a6833p-55}},
    {{0x1.591bc9fa2f597p-2, 0x1.7c74bac3fe0cbp-57}, {0x1.e20bf49acd6c1p-1, -0x1.660aec7ef636bp-58}},
    {{0x1.682138a38d7f7p-2, -0x1.d889202444aadp-56}, {0x1.df4ab3ebd875ep-1, -0x1.e2d8a7e6736c4p-55}},
    {{0x1.7710255764214p-2, -0x1.6ead7314bb6cep-57}, {0x1.dc6b7eb995912p-1, 0x1.4b364776dcd35p-58}},
    {{0x1.85e7a12826949p-2, 0x1.8a40e9b5face0p-56}, {0x1.d96e82f71a9dcp-1, 0x1.ff61bd5d2039dp-55}},
    {{0x1.94a6be9f546c5p-2, -0x1.69ce13e683f58p-56}, {0x1.d653f073e4040p-1, -0x1.76236434bec37p-55}},
    {{0x1.a34c91cc50ccap-2, -0x1.a310e3b50cecdp-58}, {0x1.d31bf8d8d7c06p-1, 0x1.e60dd3089cbddp-56}},
    {{0x1.b1d8305321617p-2, -0x1.ae242cb99f519p-56}, {0x1.cfc6cfa52ad9fp-1, 0x1.8b5b5508f2a0dp-55}},
    {{0x1.c048b17b140a3p-2, 0x1.19fe6757e9fa7p-57}, {0x1.cc54aa2b2972ep-1, 0x1.4ee162ba83a98p-57}},
    {{0x1.ce9d2e3d4a51fp-2, -0x1.2fc8a12dae298p-57}, {0x1.c8c5bf8ce1a84p-1, 0x1.ab3d1a1590123p-56}},
    {{0x1.dcd4c15329c9ap-2, 0x1.0d4c6e171fd9ap-56}, {0x1.c51a48b8b175ep-1, -0x1.1bbb43b9aa880p-57}},
    {{0x1.eaee8744b05f0p-2, -0x1.789b43c9b027dp-58}, {0x1.c1528065b7d50p-1, -0x1.892111312e828p-55}},
    {{0x1.f8e99e76abc97p-2, 0x1.9d950af2d00a3p-58}, {0x1.bd6ea310294f5p-1, 0x1.31bbcc88c109dp-56}},
    {{0x1.0362939c69955p-1, -0x1.2d8cd78397b01p-55}, {0x1.b96eeef58840ep-1, 0x1.45a3cc78fade0p-58}},
    {{0x1.0a4021e9e1001p-1, -0x1.6f643a13914f6p-55}, {0x1.b553a410c104ep-1, 0x1.8ff7947027a15p-58}},
    {{0x1.110d0c4b69c3bp-1, 0x1.d918998809981p-55}, {0x1.b11d04162a4c6p-1, 0x1.1dd561efbc0c2p-56}},
    {{0x1.17c8e5f2eedb0p-1, 0x1.35e57102e2488p-57}, {0x1.accb526f69de5p-1, 0x1.8fb6a8dd6b6ccp-55}},
    {{0x1.1e7343236574cp-1, 0x1.22a3fa4f41d5ap-56}, {0x1.a85ed4373e02dp-1, 0x1.9be06385ec792p-57}},
    {{0x1.250bb93788bbbp-1, 0x1.ea3d02457bccep-56}, {0x1.a3d7d0352bdcfp-1, -0x1.68dbaeca19669p-55}},
    {{0x1.2b91dea88421ep-1, -0x1.fa371db216ab0p-55}, {0x1.9f368ed912f85p-1, -0x1.1d200c5791606p-55}},
    {{0x1.32054b148bc4fp-1, 0x1.f6b42095a135bp-55}, {0x1.9a7b5a36a6514p-1, 0x1.722cfcc9fa7a9p-55}},
    {{0x1.386597456282bp-1, -0x1.10fada93b07a8p-56}, {0x1.95a67e00cb1fdp-1, -0x1.0befda21f862dp-55}},
    {{0x1.3eb25d36cd53ap-1, -0x1.be570e1570fc0p-58}, {0x1.90b84784ddaf7p-1, -0x1.0feb10ab93b87p-56}},
    {{0x1.44eb381cf386bp-1, -0x1.3ed6c1e6a5505p-55}, {0x1.8bb105a5dc900p-1, 0x1.863e03e9474c1p-55}},
    {{0x1.4b0fc46aab761p-1, 0x1.0da05738cc59cp-61}, {0x1.869108d77a6c6p-1, 0x1.338ffe2bfe9ddp-56}},
    {{0x1.511f9fd7b351cp-1, -0x1.5c0e861c48831p-55}, {0x1.8158a31916d5dp-1, -0x1.de8b90b8228dep-57}},
    {{0x1.571a6966d59b3p-1, 0x1.c843b4d0fb197p-58}, {0x1.7c0827f09e54fp-1, -0x1.c73d6d72aee68p-57}},
    {{0x1.5cffc16bf8f0dp-1, 0x1.96cb370eb578ap-55}, {0x1.769fec655211fp-1, -0x1.827d5cf8c68c5p-57}},
    {{0x1.62cf49921ac79p-1, -0x1.edd9855b6241ap-55}, {0x1.712046fa77678p-1, 0x1.425b0a5029c81p-55}},
    {{0x1.6888a4e134b2fp-1, -0x1.6b7d37644d5e6p-55}, {0x1.6b898fa9efb5dp-1, 0x1.15ac786ccf4b2p-56}},
    {{0x1.6e2b77c40bde1p-1, -0x1.0e729857fad53p-56}, {0x1.65dc1fdeb8cbap-1, -0x1.97c1b47337c77p-58}},
};

// Taylor coefficients (-1)^k/(2k+1)! and (-1)^k/(2k)!, k = 1..5.
constexpr DD kSinCoeff[5] = {
    {-0x1.5555555555555p-3, -0x1.5555555555555p-57}, {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {-0x1.a01a01a01a01ap-13, -0x1.a01a01a01a01ap-73}, {0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73},
    {-0x1.ae64567f544e4p-26, 0x1.c062e06d1f209p-80},
};
constexpr DD kCosCoeff[5] = {
    {-0x1.0000000000000p-1, 0.0}, {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {-0x1.6c16c16c16c17p-10, 0x1.f49f49f49f49fp-65}, {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {-0x1.27e4fb7789f5cp-22, -0x1.cbbc05b4fa99ap-76},
};

// floor(x * 2/pi + 0.5): the multiple of pi/2 nearest to x (off by one
// only right at the midpoints, where either is fine).
double NearestQuarterTurn(double x) {
  const double t = x * kTwoOverPi + 0.5;
  double n = static_cast<double>(static_cast<long long>(t));
  if (n > t) n -= 1.0;
  return n;
}

int Quadrant(double n) { return static_cast<int>(static_cast<long long>(n) & 3); }

// x - n*pi/2 in full double-double precision (about 2^-100).
DD ReduceExactly(double x, double n) {
  if (n == 0.0) return {x, 0.0};
  // x - n*p0 is exact (Sterbenz); the smaller pieces are summed smallest first.
  const double r0 = x - n * kPiOver2Pieces[0];
  DD tail{n * kPiOver2Pieces[6], 0.0};
  for (int i = 5; i >= 1; --i) tail = Add(DD{n * kPiOver2Pieces[i], 0.0}, tail);
  return Add(DD{r0, 0.0}, Neg(tail));
}

// x - n*pi/2 to within about n * 2^-96 absolute: fast, for the first try.
DD ReduceQuickly(double x, double n) {
  const double r0 = x - n * kPiOver2Pieces[0];
  const DD r1 = TwoSum(r0, -(n * kPiOver2Pieces[1]));
  const double small =
      n * kPiOver2Pieces[2] + (n * kPiOver2Pieces[3] + n * kPiOver2Pieces[4]);
  return FastTwoSum(r1.hi, r1.lo - small);
}

// sin and cos of r in double-double: r = j/64 + b with |b| <= 1/128.
void SinCosReduced(DD r, DD* sinOut, DD* cosOut) {
  const bool negative = r.hi < 0.0;
  if (negative) r = Neg(r);
  int j = static_cast<int>(r.hi * 64.0 + 0.5);
  if (j > 51) j = 51;
  const DD b = TwoSum(r.hi - j * (1.0 / 64.0), r.lo);  // the difference is exact
  const DD z = Mul(b, b);
  DD ps = kSinCoeff[4];
  DD pc = kCosCoeff[4];
  for (int k = 3; k >= 0; --k) {
    ps = Add(kSinCoeff[k], Mul(z, ps));
    pc = Add(kCosCoeff[k], Mul(z, pc));
  }
  const DD sinB = Add(b, Mul(b, Mul(z, ps)));  // b + b^3(...)
  const DD cosBm1 = Mul(z, pc);                // cos b - 1
  const DD sa = kTable[j].s;
  const DD ca = kTable[j].c;
  // sin(a+b) = sa + (sa(cos b - 1) + ca sin b); cos(a+b) = ca + (ca(cos b - 1) - sa sin b)
  DD s = Add(sa, Add(Mul(sa, cosBm1), Mul(ca, sinB)));
  const DD c = Add(ca, Add(Mul(ca, cosBm1), Neg(Mul(sa, sinB))));
  if (negative) s = Neg(s);
  *sinOut = s;
  *cosOut = c;
}

// sin(r), or cos(r) when wantCos, from a quickly reduced r: the leading
// terms exactly, the small corrections in plain doubles. Returns false when
// the result lies too near a rounding boundary for this precision.
bool SinOrCosQuickly(DD r, bool wantCos, double* out) {
  const bool negative = r.hi < 0.0;
  if (negative) r = Neg(r);
  int j = static_cast<int>(r.hi * 64.0 + 0.5);
  if (j > 51) j = 51;
  const double bh = r.hi - j * (1.0 / 64.0);  // exact
  const double z = bh * bh;
  // sin b = b + b*ps, cos b = 1 + pc
  const double ps = z * (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040 + z * (1.0 / 362880))));
  const double pc = z * (-0.5 + z * (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320))));
  const DD sa = kTable[j].s;
  const DD ca = kTable[j].c;
  const double sinBTail = r.lo + bh * ps;
  DD lead;
  double tail;
  if (!wantCos) {
    const DD p = TwoProd(ca.hi, bh);
    lead = TwoSum(sa.hi, p.hi);
    tail = p.lo + sa.lo + sa.hi * pc + ca.hi * sinBTail + ca.lo * bh;
  } else {
    const DD q = TwoProd(sa.hi, bh);
    lead = TwoSum(ca.hi, -q.hi);
    tail = -q.lo + ca.lo + ca.hi * pc - sa.hi * sinBTail - sa.lo * bh;
  }
  const DD v = FastTwoSum(lead.hi, lead.lo + tail);
  // The evaluation errs by well under 2^-64 of the result, the quick
  // reduction by under 2^-80 absolute: a generous bound of both.
  const double err = (v.hi < 0.0 ? -v.hi : v.hi) * 0x1p-60 + 0x1p-78;
  if (v.hi + (v.lo + err) != v.hi || v.hi + (v.lo - err) != v.hi) return false;
  *out = (negative && !wantCos) ? -v.hi : v.hi;
  return true;
}

double Round(DD x) { return x.hi + x.lo; }

// sin(x), or cos(x) when wantCos, correctly rounded.
double SinOrCos(double x, bool wantCos) {
  const double n = NearestQuarterTurn(x);
  const int q = Quadrant(n);
  // cos x = sin(x + pi/2): quadrant q of cos is quadrant q + 1 of sin.
  const int k = wantCos ? (q + 1) & 3 : q;
  const bool useCos = (k & 1) != 0;  // sin of quadrant 1 and 3 is +-cos r
  const bool flip = k >= 2;
  double v;
  if (!SinOrCosQuickly(ReduceQuickly(x, n), useCos, &v)) {
    DD s, c;
    SinCosReduced(ReduceExactly(x, n), &s, &c);
    v = useCos ? Round(c) : Round(s);
  }
  return flip ? -v : v;
}

}  // namespace

double AlmanacSin(double x) noexcept {
  if (!(std::fabs(x) < kReduceLimit)) return std::sin(x);
  if (x == 0.0) return x;  // the reduction would lose the sign of -0.0
  return SinOrCos(x, false);
}

double AlmanacCos(double x) noexcept {
  if (!(std::fabs(x) < kReduceLimit)) return std::cos(x);
  return SinOrCos(x, true);
}

}  // namespace hiyomi
