#include "run/Val.h"

#include <cfloat>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

namespace varneska {

namespace {

// The cleaned number: what from_chars reads. Ordinary numbers fit the fixed buffer; only a
// pathological token (hundreds of digits) moves to the heap.
class CleanNumber {
public:
    void Push(char c) {
        if (m_size < kInline) {
            m_inline[m_size] = c;
        } else {
            if (m_size == kInline) {
                m_spill.assign(m_inline, kInline);
            }
            m_spill.push_back(c);
        }
        ++m_size;
    }
    std::size_t Size() const noexcept { return m_size; }
    const char* Data() const noexcept { return m_size <= kInline ? m_inline : m_spill.data(); }

private:
    static constexpr std::size_t kInline = 256;
    char m_inline[kInline];
    std::size_t m_size = 0;
    std::string m_spill;
};

static_assert(FLT_EVAL_METHOD == 0, "the exact path needs plain double arithmetic");

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr bool IsExponentLetter(char c) noexcept {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

static_assert(IsExponentLetter('D') && IsExponentLetter('e') && !IsExponentLetter('F'));

// Characters that can go on a number in some state of the cleaned walk.
constexpr bool IsNumberCharacter(char c) noexcept {
    return IsDigit(c) || c == '.' || c == '+' || c == '-' || IsExponentLetter(c);
}

static_assert(IsNumberCharacter('d') && IsNumberCharacter('+') && !IsNumberCharacter('\r'));

// from_chars leaves its output alone when the value is beyond a double either way, and says only
// "out of range". The decimal exponent of the leading digit tells which way: for an out-of-range
// value it is far above or far below 0.
double OutOfRange(const char* first, const char* last) noexcept {
    bool negative = false;
    if (first < last && *first == '-') {
        negative = true;
        ++first;
    }
    std::int64_t magnitude = 0;
    bool seenPeriod = false;
    bool seenNonZero = false;
    for (; first < last && (IsDigit(*first) || *first == '.'); ++first) {
        if (*first == '.') {
            seenPeriod = true;
        } else if (seenNonZero) {
            magnitude += seenPeriod ? 0 : 1;
        } else if (*first != '0') {
            seenNonZero = true;
        } else if (seenPeriod) {
            --magnitude;
        }
    }
    if (first < last) {  // the exponent: a letter, an optional sign, digits
        ++first;
        bool negativeExponent = false;
        if (*first == '-' || *first == '+') {
            negativeExponent = *first == '-';
            ++first;
        }
        std::int64_t exponent = 0;
        constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
        for (; first < last; ++first) {
            exponent = exponent < kSaturated ? exponent * 10 + (*first - '0') : kSaturated;
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    const double value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

double Convert(const char* first, const char* last) noexcept {
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        return OutOfRange(first, last);
    }
    return value;
}

// The whole walk with cleaning: for tokens with ignored characters inside the number, a plus
// sign or a D exponent.
double ValCleaned(std::string_view token) noexcept {
    enum class State { Sign, Mantissa, ExponentStart, ExponentSign, ExponentDigits };
    State state = State::Sign;
    CleanNumber number;
    std::size_t accepted = 0;  // length of the longest complete number read so far
    bool periodSeen = false;

    for (const char c : token) {
        if (IsIgnoredInNumber(c)) {
            continue;
        }
        switch (state) {
            case State::Sign:
                state = State::Mantissa;
                if (c == '+') {
                    continue;  // from_chars takes no plus sign
                }
                if (c == '-') {
                    number.Push(c);
                    continue;
                }
                [[fallthrough]];
            case State::Mantissa:
                if (IsDigit(c)) {
                    number.Push(c);
                    accepted = number.Size();
                    continue;
                }
                if (c == '.' && !periodSeen) {
                    periodSeen = true;
                    number.Push(c);
                    continue;
                }
                if (IsExponentLetter(c) && accepted > 0) {
                    number.Push('e');
                    state = State::ExponentStart;
                    continue;
                }
                break;
            case State::ExponentStart:
                if (c == '+' || c == '-') {
                    number.Push(c);
                    state = State::ExponentSign;
                    continue;
                }
                [[fallthrough]];
            case State::ExponentSign:
            case State::ExponentDigits:
                if (IsDigit(c)) {
                    number.Push(c);
                    accepted = number.Size();
                    state = State::ExponentDigits;
                    continue;
                }
                break;
        }
        break;  // the first character that does not fit ends the number
    }

    if (accepted == 0) {
        return 0.0;  // no digit: empty, a lone sign or period, a line feed
    }
    return Convert(number.Data(), number.Data() + accepted);
}

}  // namespace

double Val(std::string_view token) noexcept {
    // Most tokens are a number and its closing space: read those in place, straight from the
    // text, in one walk. Where the walk stops, the number must end for the cleaned walk too, or
    // the token goes the long way.
    const char* p = token.data();
    const char* const end = p + token.size();
    while (p < end && IsIgnoredInNumber(*p)) {
        ++p;
    }
    const char* const first = p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) {
        ++p;
    }
    // The digits as an integer, for the exact path below; only trusted while there are few.
    std::uint64_t mantissa = 0;
    const char* const integer = p;
    while (p < end && IsDigit(*p)) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        ++p;
    }
    std::ptrdiff_t digitCount = p - integer;
    std::ptrdiff_t fractionDigits = 0;
    if (p < end && *p == '.') {
        const char* const fraction = ++p;
        while (p < end && IsDigit(*p)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
            ++p;
        }
        fractionDigits = p - fraction;
        digitCount += fractionDigits;
    }
    std::int64_t exponent = 0;
    bool letterD = false;
    if (digitCount > 0 && p < end && IsExponentLetter(*p)) {
        // Taken only with a digit after the letter and its sign; otherwise the letter ends the
        // number here, and the check below sends the token the long way.
        const char* q = p + 1;
        const bool negativeExponent = q < end && *q == '-';
        if (q < end && (*q == '+' || *q == '-')) {
            ++q;
        }
        if (q < end && IsDigit(*q)) {
            letterD = *p == 'D' || *p == 'd';
            for (; q < end && IsDigit(*q); ++q) {
                exponent = exponent < 100000 ? exponent * 10 + (*q - '0') : exponent;
            }
            exponent = negativeExponent ? -exponent : exponent;
            p = q;
        }
    }
    // The cleaned walk reads on past an ignored character, so one may only stand at the very
    // end (the closing space); and a character that could belong to a number means the walk
    // stopped short of what the cleaned walk would read.
    if (p < end && (IsIgnoredInNumber(*p) ? p + 1 != end : IsNumberCharacter(*p))) {
        return ValCleaned(token);
    }
    if (digitCount == 0) {
        return 0.0;  // no digit: empty, a lone sign or period, a line feed
    }
    // Exact path: an integer below 2^53 and a power of ten up to 10^22 are both doubles, so one
    // multiplication or division rounds correctly, as from_chars would. It is faster than
    // GCC 12's from_chars, which has a similar path of its own: whole runs of 100 MB files took
    // 0.31 s instead of 0.45 s (fields of decimals) and 0.42 s instead of 0.65 s (mixed fields)
    // with the counting host inlined (varneska_bench_run). Reading eight digits at a time
    // without a branch, as fast_float does for long numbers, made the short numbers of these
    // files slower (0.42 s for the decimals), so the digits are read one at a time.
    const std::int64_t scale = exponent - fractionDigits;
    if (digitCount <= 19 && mantissa <= (std::uint64_t{1} << 53) && scale >= -22 && scale <= 22) {
        double value = static_cast<double>(mantissa);
        value = scale < 0 ? value / kPowersOfTen[-scale] : value * kPowersOfTen[scale];
        return negative ? -value : value;
    }
    if (letterD || *first == '+') {
        return ValCleaned(token);  // from_chars reads neither a D nor a plus sign
    }
    return Convert(first, p);
}

}  // namespace varneska
