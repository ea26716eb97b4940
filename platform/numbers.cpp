// The one place where numbers are read from and written to text, with the user's separators.
#include "platform/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tessavo {

namespace {
NumberSeparators g_separators;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value's decimal form with 15 significant digits: digits "d1..d15" and the power of ten
// of d1. Returns false for zero, infinity and NaN.
bool Decimal15(double value, std::string& digits, int& exponent) {
    if (value == 0 || !std::isfinite(value))
        return false;
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = text.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i) {
        if (IsDigit(text[i]))
            digits.push_back(text[i]);
    }
    exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    return true;
}
}  // namespace

void IncrementDigitString(std::string& digits) {
    int k = static_cast<int>(digits.size()) - 1;
    while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9') {
        digits[static_cast<std::size_t>(k)] = '0';
        --k;
    }
    if (k < 0) {
        digits.insert(digits.begin(), '1');
    } else {
        ++digits[static_cast<std::size_t>(k)];
    }
}

const NumberSeparators& Separators() {
    return g_separators;
}
void SetSeparators(NumberSeparators separators) {
    g_separators = separators;
}

bool TryParseInt(std::string_view text, int32_t& out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size())
        return false;
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull)
            return false;
    }
    int64_t signedValue = 0;
    if (hex) {
        signedValue = static_cast<int32_t>(static_cast<uint32_t>(value));
    } else {
        if (value > (negative ? 2147483648ull : 2147483647ull))
            return false;
        signedValue = static_cast<int64_t>(value);
    }
    if (negative)
        signedValue = -signedValue;
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    out = static_cast<int32_t>(signedValue);
    return true;
}

int32_t ParseIntDef(std::string_view text, int32_t fallback) {
    int32_t value = 0;
    return TryParseInt(text, value) ? value : fallback;
}

bool TryParseFloat(std::string_view text, double& out, const NumberSeparators& sep) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    std::string normal;
    std::size_t i = begin;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            normal.push_back('-');
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits = true;
            normal.push_back(c);
        } else if (c == sep.decimal && !point) {
            point = true;
            normal.push_back('.');
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        normal.push_back('e');
        ++i;
        if (i < end && (text[i] == '-' || text[i] == '+'))
            normal.push_back(text[i++]);
        bool expDigits = false;
        for (; i < end && IsDigit(text[i]); ++i) {
            expDigits = true;
            normal.push_back(text[i]);
        }
        if (!expDigits)
            return false;
    }
    if (i != end)
        return false;
    double value = 0;
    const auto res = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (res.ec != std::errc() || res.ptr != normal.data() + normal.size())
        return false;
    if (!std::isfinite(value))
        return false;
    out = value;
    return true;
}

double ParseFloatDef(std::string_view text, double fallback, const NumberSeparators& sep) {
    double value = 0;
    return TryParseFloat(text, value, sep) ? value : fallback;
}

std::string FormatGeneral(double value, const NumberSeparators& sep) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    std::string digits;
    int exponent = 0;
    if (!Decimal15(value, digits, exponent))
        return "0";
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (exponent < -5 || exponent >= 15) {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back(sep.decimal);
            out.append(digits, 1);
        }
        out.push_back('E');
        out.append(std::to_string(exponent));
        return out;
    }
    if (exponent < 0) {
        out.append("0");
        out.push_back(sep.decimal);
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out.append(digits);
        return out;
    }
    const std::size_t intDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
        out.append(digits);
        out.append(intDigits - digits.size(), '0');
    } else {
        out.append(digits, 0, intDigits);
        out.push_back(sep.decimal);
        out.append(digits, intDigits);
    }
    return out;
}

std::string FormatGrouped(double value, int maxDecimals, const NumberSeparators& sep) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (maxDecimals < 0)
        maxDecimals = 0;
    std::string digits;
    int exponent = 0;
    std::string intPart = "0";
    std::string fracPart;
    if (Decimal15(value, digits, exponent)) {
        const int intCount = exponent + 1;
        if (intCount > 0) {
            const std::size_t n = static_cast<std::size_t>(intCount);
            intPart = digits.substr(0, std::min(n, digits.size()));
            if (n > digits.size())
                intPart.append(n - digits.size(), '0');
            if (n < digits.size())
                fracPart = digits.substr(n);
        } else {
            fracPart = std::string(static_cast<std::size_t>(-intCount), '0') + digits;
        }
        const std::size_t keep = static_cast<std::size_t>(maxDecimals);
        if (fracPart.size() > keep) {
            const bool up = fracPart[keep] >= '5';
            fracPart.resize(keep);
            if (up) {
                std::string all = intPart + fracPart;
                IncrementDigitString(all);
                intPart = all.substr(0, all.size() - keep);
                fracPart = all.substr(all.size() - keep);
            }
        }
        while (!fracPart.empty() && fracPart.back() == '0') fracPart.pop_back();
        const std::size_t firstNonZero = intPart.find_first_not_of('0');
        intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    }
    std::string grouped;
    const std::size_t n = intPart.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped.push_back(sep.thousands);
        grouped.push_back(intPart[i]);
    }
    const bool zero = intPart == "0" && fracPart.empty();
    std::string out = (value < 0 && !zero) ? "-" : "";
    out.append(grouped);
    if (!fracPart.empty()) {
        out.push_back(sep.decimal);
        out.append(fracPart);
    }
    return out;
}

std::string FormatInt(int64_t value) {
    return std::to_string(value);
}

}  // namespace tessavo
