// Decimal rounding. Doubles such as 2.675 sit just below their decimal text, so
// rounding the binary value would give 2.67 where every person (and every
// calculator) expects 2.68. The value is therefore read as its 15-significant-
// digit decimal text, rounded there, and converted back.
#include "host/services/consiste.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace host {
namespace {

constexpr int kSignificant = 15;

struct DecimalText {
    std::string digits;  // kSignificant digits, the first non-zero
    int exponent = 0;    // value = d.ddd... x 10^exponent
};

DecimalText decimalText(double magnitude) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, kSignificant - 1);
    const std::string text(buf, res.ptr);  // "d.dddddddddddddde+XX"
    const auto e = text.find('e');
    DecimalText out;
    out.digits = text.substr(0, 1) + text.substr(2, e - 2);
    out.exponent = std::atoi(text.c_str() + e + 1);
    return out;
}

double fromDecimal(long long mantissa, int exponent) {
    const std::string text = std::to_string(mantissa) + "e" + std::to_string(exponent);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

double RoundDec(double value, int decimals) {
    if (value == 0) return 0.0;
    if (!std::isfinite(value)) return value;
    const DecimalText d = decimalText(std::fabs(value));
    const int keep = d.exponent + 1 + decimals;  // significant digits left of the rounding point
    if (keep >= kSignificant) return value;      // already exact at that many decimals
    if (keep < 0) return 0.0;
    long long mantissa = keep == 0 ? 0 : std::stoll(d.digits.substr(0, size_t(keep)));
    if (d.digits[size_t(keep)] >= '5') ++mantissa;
    if (mantissa == 0) return 0.0;
    const double rounded = fromDecimal(mantissa, -decimals);
    return value < 0 ? -rounded : rounded;
}

}  // namespace host
