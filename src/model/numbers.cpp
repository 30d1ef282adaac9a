#include "model/numbers.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace ign {
namespace {

// Walks a text while skipping the characters the leading-number rule ignores.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { }

    int peek()
    {
        while (pos_ < text_.size() && isIgnored(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
    }
    void take() { ++pos_; }

private:
    static bool isIgnored(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

int digitValue(int c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d >= 0 && d < base ? d : -1;
}

double readPrefixed(Cursor& cur, int base)
{
    double value = 0;
    for (int d; (d = digitValue(cur.peek(), base)) >= 0; cur.take())
        value = value * base + d;
    return value;
}

}  // namespace

double leadingNumber(std::string_view text)
{
    Cursor cur(text);
    if (cur.peek() == '&') {
        cur.take();
        const int kind = cur.peek();
        if (kind == 'H' || kind == 'h') {
            cur.take();
            return readPrefixed(cur, 16);
        }
        if (kind == 'O' || kind == 'o') {
            cur.take();
            return readPrefixed(cur, 8);
        }
        return 0;
    }

    bool negative = false;
    if (cur.peek() == '+' || cur.peek() == '-') {
        negative = cur.peek() == '-';
        cur.take();
    }
    // Mantissa digits without leading zeros, and where the point stood.
    std::string digits;
    long long pointShift = 0;  // decimal exponent contributed by the point
    bool seenPoint = false;
    bool anyDigit = false;
    for (int c = cur.peek();; c = cur.peek()) {
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!(digits.empty() && c == '0'))
                digits.push_back(static_cast<char>(c));
            if (seenPoint)
                --pointShift;
            cur.take();
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            cur.take();
        } else {
            break;
        }
    }
    if (!anyDigit || digits.empty())
        return 0.0;

    long long exponent = 0;
    if (const int c = cur.peek(); c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        Cursor save = cur;
        cur.take();
        bool expNegative = false;
        if (cur.peek() == '+' || cur.peek() == '-') {
            expNegative = cur.peek() == '-';
            cur.take();
        }
        if (cur.peek() >= '0' && cur.peek() <= '9') {
            for (int d; (d = digitValue(cur.peek(), 10)) >= 0; cur.take())
                exponent = std::min(exponent * 10 + d, 100'000'000LL);
            if (expNegative)
                exponent = -exponent;
        } else {
            cur = save;  // "1E" is the number 1 followed by other text
        }
    }
    // A digit string of any length keeps the exponent small enough for from_chars.
    const long long totalExponent = exponent + pointShift;
    const long long magnitude = totalExponent + static_cast<long long>(digits.size());
    if (magnitude > 400)
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    if (magnitude < -400)
        return negative ? -0.0 : 0.0;
    std::string number = digits + 'e' + std::to_string(totalExponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range)
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

bool isNumberBreak(char c)
{
    const bool printable = c > ' ' && c < 0x7F;
    return printable && digitValue(static_cast<unsigned char>(c), 16) < 0 &&
        std::string_view("+-.&hHoO").find(c) == std::string_view::npos;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

double roundHalfAway(double value)
{
    if (!std::isfinite(value))
        return value;
    const double magnitude = std::fabs(value);
    const double lower = std::floor(magnitude);
    const double rounded = magnitude - lower >= 0.5 ? lower + 1 : lower;
    return value < 0 ? -rounded : rounded;
}

std::optional<std::int32_t> toInt32HalfEven(double value)
{
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

namespace {

// |value| * 10^decimals rounded to an integer, halves away from zero, from the
// exact binary value: value = m * 2^e, so the product m * 10^d is exact in
// 128 bits and the bits shifted out decide the rounding. Nothing when the
// result would not fit in 63 bits.
std::optional<std::uint64_t> scaledMagnitude(double value, int decimals)
{
    static constexpr std::uint64_t kPow10[] = {1, 10, 100, 1000, 10000};
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
    int e = -1074;
    if (field != 0) {
        m |= std::uint64_t{1} << 52;
        e = field - 1075;
    }
    const unsigned __int128 n = static_cast<unsigned __int128>(m) * kPow10[decimals];
    constexpr unsigned __int128 kLimit = static_cast<unsigned __int128>(1) << 63;
    if (e >= 0) {
        if (e > 12 || (n << e) >= kLimit)
            return std::nullopt;
        return static_cast<std::uint64_t>(n << e);
    }
    const int shift = -e;
    if (shift >= 127)
        return 0;  // n < 2^63 lies far below one half of 2^shift
    const unsigned __int128 one = static_cast<unsigned __int128>(1) << shift;
    unsigned __int128 q = n >> shift;
    if (2 * (n - (q << shift)) >= one)
        ++q;
    if (q >= kLimit)
        return std::nullopt;
    return static_cast<std::uint64_t>(q);
}

}  // namespace

void appendFixed(std::string& out, double value, int decimals, char decimalSeparator)
{
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
        return;
    }
    decimals = std::clamp(decimals, 0, 4);
    const auto width = static_cast<std::size_t>(decimals);
    char digits[400];
    char* end = digits;
    if (const auto scaled = scaledMagnitude(value, decimals)) {
        // At least one digit before the separator: 5 at two decimals is "0.05".
        char raw[24];
        const auto res = std::to_chars(raw, raw + sizeof raw, *scaled);
        const auto count = static_cast<std::size_t>(res.ptr - raw);
        for (std::size_t pad = count; pad <= width; ++pad)
            *end++ = '0';
        end = std::copy(raw, res.ptr, end);
    } else {
        // So large a double is a whole number: there is no fraction to round.
        end = std::to_chars(digits, digits + sizeof digits - 4, std::fabs(value),
                            std::chars_format::fixed, 0)
                  .ptr;
        end = std::fill_n(end, width, '0');
    }
    const auto total = static_cast<std::size_t>(end - digits);
    if (value < 0 && std::find_if(digits, end, [](char c) { return c != '0'; }) != end)
        out += '-';  // a result that rounds to zero carries no minus sign
    out.append(digits, total - width);
    if (decimals > 0) {
        out += decimalSeparator;
        out.append(end - width, width);
    }
}

std::string formatFixed(double value, int decimals, char decimalSeparator)
{
    std::string out;
    appendFixed(out, value, decimals, decimalSeparator);
    return out;
}

namespace {

struct Decimal {
    bool negative = false;
    std::string digits;  // significant digits, no trailing zeros, at least one
    int exponent = 0;  // value = 0.d1d2d3... x 10^(exponent + 1)
};

Decimal toDecimal(double value, int significant)
{
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, significant - 1);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(),
                    d.exponent);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string plainForm(const Decimal& d, char separator, bool zeroBeforePoint)
{
    const int count = static_cast<int>(d.digits.size());
    std::string out;
    if (d.exponent >= 0) {
        const int intDigits = d.exponent + 1;
        if (count <= intDigits) {
            out = d.digits + std::string(static_cast<std::size_t>(intDigits - count), '0');
        } else {
            out = d.digits.substr(0, static_cast<std::size_t>(intDigits)) + separator +
                d.digits.substr(static_cast<std::size_t>(intDigits));
        }
    } else {
        out = zeroBeforePoint ? "0" : "";
        out += separator;
        out += std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    }
    return out;
}

std::string exponentForm(const Decimal& d, char separator)
{
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        out += separator + d.digits.substr(1);
    const int e = std::abs(d.exponent);
    out += d.exponent < 0 ? "E-" : "E+";
    if (e < 10)
        out += '0';
    out += std::to_string(e);
    return out;
}

}  // namespace

std::string formatGeneral(double value, char decimalSeparator)
{
    if (std::isnan(value))
        return "0";
    if (std::isinf(value))  // reads back as the same overflow, never as a plain number
        return value < 0 ? "-1E+309" : "1E+309";
    if (value == 0)
        return "0";
    const Decimal d = toDecimal(value, 15);
    const int fractionDigits = static_cast<int>(d.digits.size()) - 1 - d.exponent;
    const bool plain = d.exponent < 15 && fractionDigits <= 15;
    return (d.negative ? "-" : "") +
        (plain ? plainForm(d, decimalSeparator, true) : exponentForm(d, decimalSeparator));
}

std::string formatShort(float value)
{
    if (value == 0 || std::isnan(value))
        return " 0";
    if (std::isinf(value))
        return value < 0 ? "-1E+39" : " 1E+39";
    const Decimal d = toDecimal(static_cast<double>(value), 7);
    const bool plain = d.exponent < 7 && d.exponent >= -5;
    return (d.negative ? "-" : " ") + (plain ? plainForm(d, '.', false) : exponentForm(d, '.'));
}

std::string hexUpper(std::uint32_t value)
{
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, 16);
    std::string out(buf, res.ptr);
    for (char& c : out)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace ign
