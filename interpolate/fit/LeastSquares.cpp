#include "fit/LeastSquares.h"

#include <cmath>
#include <optional>
#include <vector>

namespace fit {
namespace {

// A double-double number: the unevaluated sum hi + lo with |lo| <= ulp(hi)/2,
// about 106 bits of significand. The error-free transformations below rely on
// round-to-nearest and on the compiler not contracting a*b+c (built with
// -ffp-contract=off).
struct Wide {
    double hi = 0;
    double lo = 0;
};

Wide quickTwoSum(double a, double b)  // requires |a| >= |b|
{
    const double s = a + b;
    return {s, b - (s - a)};
}

Wide twoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

Wide twoProd(double a, double b)
{
    const double p = a * b;
    return {p, std::fma(a, b, -p)};
}

Wide operator+(Wide a, Wide b)
{
    Wide s = twoSum(a.hi, b.hi);
    const Wide t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

Wide operator-(Wide a) { return {-a.hi, -a.lo}; }
Wide operator-(Wide a, Wide b) { return a + -b; }

Wide operator*(Wide a, Wide b)
{
    Wide p = twoProd(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return quickTwoSum(p.hi, p.lo);
}

Wide operator/(Wide a, Wide b)
{
    const double q1 = a.hi / b.hi;
    Wide rest = a - b * Wide{q1};
    const double q2 = rest.hi / b.hi;
    rest = rest - b * Wide{q2};
    const double q3 = rest.hi / b.hi;
    return quickTwoSum(q1, q2) + Wide{q3};
}

Wide sqrt(Wide a)  // requires a > 0
{
    const double root = std::sqrt(a.hi);
    const Wide rest = a - twoProd(root, root);
    return quickTwoSum(root, rest.hi / (2 * root));
}

bool isFinite(Wide w) { return std::isfinite(w.hi) && std::isfinite(w.lo); }

struct Fitted {
    double u;
    double v;
};

// The variables the model fits a straight line to; nullopt where the
// logarithm is undefined or an input is not finite.
std::optional<Fitted> transform(FitPoint p, FitModel model)
{
    if (!std::isfinite(p.x) || !std::isfinite(p.y))
        return std::nullopt;
    switch (model) {
    case FitModel::Linear:
        return Fitted{p.x, p.y};
    case FitModel::Logaritmic:
        if (p.y <= 0)
            return std::nullopt;
        return Fitted{p.x, std::log(p.y)};
    case FitModel::Exponential:
        if (p.x <= 0)
            return std::nullopt;
        return Fitted{std::log(p.x), p.y};
    }
    return std::nullopt;
}

bool isKnownModel(FitModel model)
{
    return model == FitModel::Linear || model == FitModel::Logaritmic ||
           model == FitModel::Exponential;
}

constexpr FitOutcome kFault{FitStatus::ArithmeticFault, {}};

}  // namespace

FitOutcome ComputeFit(std::span<const FitPoint> points, FitModel model)
{
    if (points.size() < 2)
        return {FitStatus::TooFewPoints, {}};
    if (!isKnownModel(model))
        return {FitStatus::Ok, {}};

    std::vector<Fitted> fitted;
    fitted.reserve(points.size());
    for (const FitPoint& p : points) {
        const auto f = transform(p, model);
        if (!f)
            return kFault;
        fitted.push_back(*f);
    }

    // Raw sums of squares cancel catastrophically when the values share a large
    // offset; sums of deviations from the means are algebraically the same
    // quantities without that cancellation. The offset meanV - meanU·b still
    // cancels when the data lie far from u = 0, hence the double-double
    // arithmetic throughout.
    const Wide n{static_cast<double>(fitted.size())};
    Wide su, sv;
    for (const Fitted& f : fitted) {
        su = su + Wide{f.u};
        sv = sv + Wide{f.v};
    }
    const Wide meanU = su / n;
    const Wide meanV = sv / n;

    Wide quu, qvv, quv;
    for (const Fitted& f : fitted) {
        const Wide du = Wide{f.u} - meanU;
        const Wide dv = Wide{f.v} - meanV;
        quu = quu + du * du;
        qvv = qvv + dv * dv;
        quv = quv + du * dv;
    }
    if (!isFinite(meanU) || !isFinite(meanV) || !isFinite(quu) || !isFinite(qvv) ||
        !isFinite(quv))
        return kFault;
    if (quu.hi == 0 || qvv.hi == 0)  // all u equal: no slope; all v equal: no r
        return kFault;

    const Wide slope = quv / quu;
    const Wide offset = meanV - meanU * slope;
    const Wide correlation = quv / (sqrt(quu) * sqrt(qvv));

    FitResults res;
    res.a = model == FitModel::Logaritmic ? std::exp(offset.hi) : offset.hi;
    res.b = slope.hi;
    res.r = correlation.hi;
    res.variance = res.r * res.r * 100;

    if (!std::isfinite(res.a) || !std::isfinite(res.b) || !std::isfinite(res.r) ||
        !std::isfinite(res.variance))
        return kFault;
    return {FitStatus::Ok, res};
}

}  // namespace fit
