#pragma once

#include <array>
#include <span>
#include <string_view>

namespace fit {

// The curves the program can fit, numbered as the model list shows them.
enum class FitModel {
    Linear = 0,       // y = a + b·x, fitted on (x, y)
    Logaritmic = 1,   // y = a·e^(b·x), fitted on (x, ln y)
    Exponential = 2,  // y = a + b·ln x, fitted on (ln x, y)
};

// Captions of the model list, indexed by FitModel.
inline constexpr std::array<std::string_view, 3> kModelCaptions{"Linear", "Logaritmic",
                                                                "Exponential"};

struct FitPoint {
    double x = 0;
    double y = 0;
};

struct FitResults {
    double a = 0;         // offset
    double b = 0;         // slope
    double r = 0;         // correlation coefficient of the fitted variables
    double variance = 0;  // explained variance, r·r·100

    friend bool operator==(const FitResults&, const FitResults&) = default;
};

// What the window shows before the first fit and after "Clear".
inline constexpr FitResults kInitialResults{0, 1, 1, 100};

enum class FitStatus {
    Ok,
    TooFewPoints,     // fewer than 2 points; nothing was computed
    ArithmeticFault,  // division by zero, invalid operation (logarithm of a
                      // value <= 0, non-finite input) or overflow
};

struct FitOutcome {
    FitStatus status = FitStatus::TooFewPoints;
    FitResults results;  // all four valid when status is Ok, all zero otherwise
};

// Least-squares fit of `model` to `points` (in row order).
// Returns TooFewPoints for fewer than 2 points and ArithmeticFault when any
// step of the computation would divide by zero, take the logarithm of a
// non-positive value or overflow; in both cases no result is produced. A model
// value outside the three above yields Ok with all four results 0.
// The sums are taken about the means in double-double arithmetic, so a, b and r
// stay accurate when the values carry a large common offset.
FitOutcome ComputeFit(std::span<const FitPoint> points, FitModel model);

}  // namespace fit
