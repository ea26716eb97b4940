// The one place where numbers are read from and written to text, with the user's separators.
// Nothing here touches the C library's global locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessavo {

struct NumberSeparators {
    char decimal = '.';
    char thousands = ',';
};

// Process-wide separators: the program sets them from the user's locale at start-up,
// the driver and the tests pin them.
const NumberSeparators& Separators();
void SetSeparators(NumberSeparators separators);

// Integer reader: leading blanks, an optional sign, then decimal digits or hexadecimal digits
// behind $, x, X, 0x or 0X; nothing may follow the digits. Out of 32-bit range fails
// (hexadecimal takes the full 32 bits, so $FFFFFFFF reads as -1).
bool TryParseInt(std::string_view text, int32_t& out);
int32_t ParseIntDef(std::string_view text, int32_t fallback);

// Number reader: blanks around the number, an optional sign, digits with at most one decimal
// separator (the given one), an optional exponent. No thousands separators.
bool TryParseFloat(std::string_view text, double& out, const NumberSeparators& sep = Separators());
double ParseFloatDef(std::string_view text, double fallback,
                     const NumberSeparators& sep = Separators());

// General format: shortest form with up to 15 significant digits, no thousands separator;
// scientific (1E-6, 1.5E20) below 0.00001 in magnitude or with more than 15 integer digits.
std::string FormatGeneral(double value, const NumberSeparators& sep = Separators());

// "#,##0" (maxDecimals 0) and "#,##0.#" (maxDecimals 1): grouped thousands, halves rounded away
// from zero on the value's 15-digit decimal form, trailing zero decimals not written.
std::string FormatGrouped(double value, int maxDecimals,
                          const NumberSeparators& sep = Separators());

// Adds one in the last place of a string of decimal digits: "199" -> "200", "99" -> "100".
void IncrementDigitString(std::string& digits);

// Whole number for integers stored in text ("%d").
std::string FormatInt(int64_t value);

}  // namespace tessavo
