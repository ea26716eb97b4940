// Reads spreadsheet workbooks (.xlsx) far enough to give each worksheet cell's displayed text.
#include "platform/xlsx_workbook.h"

#include <zip.h>

#include <charconv>
#include <cmath>
#include <map>
#include <new>
#include <pugixml.hpp>

#include "platform/numbers.h"
#include "platform/text.h"

namespace tessavo {

namespace {

// Numbers in the file are written with a point, whatever the user's locale.
constexpr NumberSeparators kFileNumbers{'.', ','};

// ---- decimal digits -------------------------------------------------------------------------

// A positive number as up to 15 significant decimal digits d1 d2 ... and the power of ten of d1,
// the precision a spreadsheet keeps. Zero has no digits.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(double value) {
    Decimal out;
    value = std::fabs(value);
    if (value == 0 || !std::isfinite(value))
        return out;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            out.digits.push_back(text[i]);
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    out.exponent);
    return out;
}

// Rounds to `decimals` places, halves away from zero. `whole` gets the integer digits without
// leading zeros (empty for zero), `fraction` exactly `decimals` digits.
void RoundFixed(const Decimal& d, int decimals, std::string& whole, std::string& fraction) {
    whole.clear();
    fraction.assign(static_cast<std::size_t>(decimals), '0');
    if (d.digits.empty())
        return;
    const int top = std::max(d.exponent, 0);
    if (d.exponent < -decimals - 1)
        return;  // even the first digit lies below the rounding place
    auto digitAt = [&](int power) {
        const int index = d.exponent - power;
        return (index >= 0 && index < static_cast<int>(d.digits.size()))
                   ? d.digits[static_cast<std::size_t>(index)]
                   : '0';
    };
    std::string all;
    for (int power = top; power >= -decimals; --power) all.push_back(digitAt(power));
    if (digitAt(-decimals - 1) >= '5') {
        IncrementDigitString(all);
    }
    const std::size_t wholeCount = all.size() - static_cast<std::size_t>(decimals);
    whole = all.substr(0, wholeCount);
    fraction = all.substr(wholeCount);
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? std::string() : whole.substr(firstNonZero);
}

void TrimTrailingZeros(std::string& fraction) {
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
}

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int CountSignificant(std::string_view whole, std::string_view fraction) {
    std::string digits = std::string(whole) + std::string(fraction);
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    const std::size_t last = digits.find_last_not_of('0');
    return static_cast<int>(last - first + 1);
}

// ---- General ------------------------------------------------------------------------------

constexpr int kGeneralWidth = 11;

std::string GeneralScientific(const Decimal& d, int& significant) {
    int exponent = d.exponent;
    std::string whole;
    std::string fraction;
    for (int pass = 0; pass < 2; ++pass) {
        const int expDigits =
            std::max(2, static_cast<int>(std::to_string(std::abs(exponent)).size()));
        const int decimals = std::max(0, kGeneralWidth - 2 - 2 - expDigits);
        RoundFixed(Decimal{d.digits, d.exponent - exponent}, decimals, whole, fraction);
        if (whole.size() <= 1)
            break;
        ++exponent;  // 9.999999 rounded up to 10
    }
    TrimTrailingZeros(fraction);
    significant = CountSignificant(whole, fraction);
    std::string out = whole.empty() ? "0" : whole;
    if (!fraction.empty()) {
        out.push_back(Separators().decimal);
        out.append(fraction);
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    std::string expText = std::to_string(std::abs(exponent));
    if (expText.size() < 2)
        expText.insert(expText.begin(), '0');
    out.append(expText);
    return out;
}

std::string GeneralUnsigned(double value) {
    const Decimal d = ToDecimal(value);
    if (d.digits.empty())
        return "0";
    std::string fixed;
    int fixedSignificant = -1;
    if (d.exponent < kGeneralWidth) {
        const int wholeDigits = std::max(d.exponent + 1, 1);
        const int decimals = std::max(0, kGeneralWidth - wholeDigits - 1);
        std::string whole;
        std::string fraction;
        RoundFixed(d, decimals, whole, fraction);
        TrimTrailingZeros(fraction);
        if (static_cast<int>(whole.size()) <= kGeneralWidth) {
            fixed = whole.empty() ? "0" : whole;
            if (!fraction.empty()) {
                fixed.push_back(Separators().decimal);
                fixed.append(fraction);
            }
            fixedSignificant = CountSignificant(whole, fraction);
        }
    }
    if (fixedSignificant >= 0 && d.exponent >= 0)
        return fixed;
    int scientificSignificant = 0;
    std::string scientific = GeneralScientific(d, scientificSignificant);
    // Below 1 the fixed form loses digits to leading zeros; the spreadsheet keeps whichever form
    // shows more of the number.
    if (fixedSignificant > 0 && fixedSignificant >= scientificSignificant)
        return fixed;
    return scientific;
}

// ---- number formats -----------------------------------------------------------------------

struct Token {
    enum Kind { Literal, Digit, Point, Exponent, Comma, General, Text } kind;
    std::string text;  // Literal: the text; Digit: '0', '#' or '?'; Exponent: '+' or '-'
};

struct Section {
    std::vector<Token> tokens;
    bool grouping = false;
    int scale = 0;  // divisions by 1000 from trailing commas
    int percent = 0;
    bool unsupported = false;
    bool HasKind(Token::Kind kind) const {
        for (const Token& t : tokens) {
            if (t.kind == kind)
                return true;
        }
        return false;
    }
};

bool IsPlaceholder(char c) {
    return c == '0' || c == '#' || c == '?';
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    return text.size() - at >= word.size() && SameTextAscii(text.substr(at, word.size()), word);
}

Section ParseSection(std::string_view code) {
    Section s;
    bool point = false;
    bool exponent = false;
    auto literal = [&](std::string_view text) {
        if (!s.tokens.empty() && s.tokens.back().kind == Token::Literal) {
            s.tokens.back().text.append(text);
        } else {
            s.tokens.push_back({Token::Literal, std::string(text)});
        }
    };
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        if (c == '"') {
            const std::size_t close = code.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? code.size() : close;
            literal(code.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\') {
            if (i + 1 < code.size())
                literal(code.substr(++i, 1));
        } else if (c == '_') {
            ++i;  // room for the next character's width
            literal(" ");
        } else if (c == '*') {
            ++i;  // fill character: no column width to fill
        } else if (c == '[') {
            const std::size_t close = code.find(']', i);
            const std::size_t end = close == std::string_view::npos ? code.size() : close;
            const std::string_view inner = code.substr(i + 1, end - i - 1);
            if (!inner.empty() && inner[0] == '$') {
                const std::size_t dash = inner.find('-');
                literal(inner.substr(1, dash == std::string_view::npos ? inner.npos : dash - 1));
            } else if (!inner.empty() && (inner[0] == 'h' || inner[0] == 'H' || inner[0] == 'm' ||
                                          inner[0] == 'M' || inner[0] == 's' || inner[0] == 'S')) {
                s.unsupported = true;  // elapsed time
            }
            // colours and conditions change nothing in the text
            i = end;
        } else if (IsPlaceholder(c)) {
            s.tokens.push_back({Token::Digit, std::string(1, c)});
        } else if (c == '.' && !point && !exponent) {
            point = true;
            s.tokens.push_back({Token::Point, {}});
        } else if (c == ',') {
            s.tokens.push_back({Token::Comma, {}});
        } else if (c == '%') {
            ++s.percent;
            literal("%");
        } else if ((c == 'E' || c == 'e') && i + 1 < code.size() &&
                   (code[i + 1] == '+' || code[i + 1] == '-') && !exponent) {
            exponent = true;
            s.tokens.push_back({Token::Exponent, std::string(1, code[++i])});
        } else if (StartsWithNoCase(code, i, "General")) {
            s.tokens.push_back({Token::General, {}});
            i += 6;
        } else if (c == '@') {
            s.tokens.push_back({Token::Text, {}});
        } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's' ||
                   lower == 'e' || lower == 'b' || lower == 'g' || c == '/' ||
                   StartsWithNoCase(code, i, "AM/PM") || StartsWithNoCase(code, i, "A/P")) {
            s.unsupported = true;  // dates, times and fractions
        } else {
            literal(code.substr(i, 1));
        }
    }
    // A comma between integer placeholders groups thousands; commas right after the last
    // placeholder scale by 1000 each; any other comma is plain text.
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < s.tokens.size(); ++i) {
        if (s.tokens[i].kind != Token::Comma) {
            tokens.push_back(s.tokens[i]);
            continue;
        }
        std::size_t run = i;
        while (run < s.tokens.size() && s.tokens[run].kind == Token::Comma) ++run;
        const bool afterDigit = !tokens.empty() && tokens.back().kind == Token::Digit;
        const bool beforeDigit = run < s.tokens.size() && s.tokens[run].kind == Token::Digit;
        if (afterDigit && beforeDigit) {
            bool inFraction = false;
            for (const Token& t : tokens) inFraction |= t.kind == Token::Point;
            if (!inFraction)
                s.grouping = true;
        } else if (afterDigit) {
            s.scale += static_cast<int>(run - i);
        } else {
            for (std::size_t k = i; k < run; ++k) {
                if (!tokens.empty() && tokens.back().kind == Token::Literal) {
                    tokens.back().text.push_back(',');
                } else {
                    tokens.push_back({Token::Literal, ","});
                }
            }
        }
        i = run - 1;
    }
    s.tokens = std::move(tokens);
    return s;
}

std::vector<std::string_view> SplitSections(std::string_view code) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    bool quoted = false;
    bool bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (bracket) {
            bracket = c != ']';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            bracket = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            out.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(code.substr(start));
    return out;
}

// Fills placeholders [begin, end) from the right with `digits`; the leftmost placeholder takes
// whatever digits remain. Literals keep their places.
std::string FillWhole(const std::vector<Token>& tokens, std::size_t begin, std::size_t end,
                      std::string_view digits, bool grouping) {
    std::size_t leftmost = end;
    for (std::size_t i = begin; i < end; ++i) {
        if (tokens[i].kind == Token::Digit) {
            leftmost = i;
            break;
        }
    }
    std::vector<std::string> pieces;  // right to left
    std::size_t remaining = digits.size();
    int written = 0;
    auto putDigit = [&](char digit) {
        if (grouping && written > 0 && written % 3 == 0)
            pieces.emplace_back(1, Separators().thousands);
        pieces.emplace_back(1, digit);
        ++written;
    };
    for (std::size_t i = end; i-- > begin;) {
        const Token& t = tokens[i];
        if (t.kind == Token::Literal) {
            pieces.push_back(t.text);
        } else if (t.kind == Token::Digit) {
            const bool last = i == leftmost;
            if (remaining > 0) {
                putDigit(digits[--remaining]);
                while (last && remaining > 0) putDigit(digits[--remaining]);
            } else if (t.text[0] == '0') {
                putDigit('0');
            } else if (t.text[0] == '?') {
                pieces.emplace_back(" ");
            }
        }
    }
    std::string out;
    for (std::size_t i = pieces.size(); i-- > 0;) out.append(pieces[i]);
    return out;
}

// Fills fraction placeholders [begin, end) from the left; trailing zeros under # vanish, under ?
// turn into blanks.
std::string FillFraction(const std::vector<Token>& tokens, std::size_t begin, std::size_t end,
                         std::string_view digits) {
    std::vector<char> kinds;
    for (std::size_t i = begin; i < end; ++i) {
        if (tokens[i].kind == Token::Digit)
            kinds.push_back(tokens[i].text[0]);
    }
    std::size_t keep = kinds.size();
    while (keep > 0 && digits[keep - 1] == '0' && kinds[keep - 1] != '0') --keep;
    std::string out;
    std::size_t k = 0;
    for (std::size_t i = begin; i < end; ++i) {
        const Token& t = tokens[i];
        if (t.kind == Token::Literal) {
            out.append(t.text);
        } else if (t.kind == Token::Digit) {
            if (k < keep) {
                out.push_back(digits[k]);
            } else if (t.text[0] == '?') {
                out.push_back(' ');
            }
            ++k;
        }
    }
    return out;
}

std::string RenderNumber(const Section& s, double value, bool minus) {
    const std::vector<Token>& tokens = s.tokens;
    std::string out = minus ? "-" : "";
    if (s.HasKind(Token::General) || (!s.HasKind(Token::Digit) && s.HasKind(Token::Text))) {
        for (const Token& t : tokens) {
            if (t.kind == Token::Literal)
                out.append(t.text);
            else if (t.kind == Token::General || t.kind == Token::Text)
                out.append(GeneralUnsigned(value));
        }
        return out;
    }
    for (int i = 0; i < s.percent; ++i) value *= 100;
    for (int i = 0; i < s.scale; ++i) value /= 1000;

    std::size_t pointAt = tokens.size();
    std::size_t exponentAt = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Point && pointAt == tokens.size())
            pointAt = i;
        if (tokens[i].kind == Token::Exponent)
            exponentAt = i;
    }
    const std::size_t wholeEnd = std::min(pointAt, exponentAt);
    auto countDigits = [&](std::size_t begin, std::size_t end) {
        int n = 0;
        for (std::size_t i = begin; i < end; ++i) n += tokens[i].kind == Token::Digit;
        return n;
    };
    const int wholePlaces = countDigits(0, wholeEnd);
    const std::size_t fractionBegin = pointAt < exponentAt ? pointAt + 1 : exponentAt;
    const int decimals = countDigits(fractionBegin, exponentAt);

    Decimal d = ToDecimal(value);
    int exponent = 0;
    if (exponentAt < tokens.size() && !d.digits.empty()) {
        // Engineering steps: the exponent is a multiple of the integer placeholders.
        const int step = std::max(wholePlaces, 1);
        exponent = FloorDiv(d.exponent, step) * step;
        std::string whole;
        std::string fraction;
        RoundFixed(Decimal{d.digits, d.exponent - exponent}, decimals, whole, fraction);
        if (static_cast<int>(whole.size()) > step)
            exponent += step;
        d.exponent -= exponent;
    }
    std::string whole;
    std::string fraction;
    RoundFixed(d, decimals, whole, fraction);
    out.append(FillWhole(tokens, 0, wholeEnd, whole, s.grouping));
    if (pointAt < tokens.size()) {
        out.push_back(Separators().decimal);
        out.append(FillFraction(tokens, pointAt + 1, exponentAt, fraction));
    }
    if (exponentAt < tokens.size()) {
        out.push_back('E');
        if (exponent < 0)
            out.push_back('-');
        else if (tokens[exponentAt].text == "+")
            out.push_back('+');
        out.append(FillWhole(tokens, exponentAt + 1, tokens.size(),
                             std::to_string(std::abs(exponent)), false));
    }
    return out;
}

// The built-in number formats a file refers to by number only.
std::string BuiltInFormat(uint32_t id) {
    switch (id) {
        case 1:
            return "0";
        case 2:
            return "0.00";
        case 3:
            return "#,##0";
        case 4:
            return "#,##0.00";
        case 9:
            return "0%";
        case 10:
            return "0.00%";
        case 11:
            return "0.00E+00";
        case 12:
            return "# ?/?";
        case 13:
            return "# \?\?/\?\?";
        case 14:
            return "mm-dd-yy";
        case 37:
            return "#,##0 ;(#,##0)";
        case 38:
            return "#,##0 ;[Red](#,##0)";
        case 39:
            return "#,##0.00;(#,##0.00)";
        case 40:
            return "#,##0.00;[Red](#,##0.00)";
        case 48:
            return "##0.0E+0";
        case 49:
            return "@";
        default:
            // dates and times (15 to 22, 45 to 47) are not rendered; General stands in
            return "General";
    }
}

// ---- package reading ----------------------------------------------------------------------

std::string LocalName(const char* name) {
    const std::string_view n(name);
    const std::size_t colon = n.find(':');
    return std::string(colon == std::string_view::npos ? n : n.substr(colon + 1));
}

pugi::xml_node Child(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && LocalName(c.name()) == name)
            return c;
    }
    return {};
}

template <typename F>
void ForEachChild(pugi::xml_node node, std::string_view name, F&& f) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && LocalName(c.name()) == name)
            f(c);
    }
}

// The relationship id attribute carries the relationships namespace's prefix, usually r:id.
const char* RelationshipId(pugi::xml_node node) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        const std::string_view name(a.name());
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id")
            return a.value();
    }
    return "";
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Resolves a relationship target against the folder of the part that names it.
std::string ResolvePart(std::string_view sourcePart, std::string_view target) {
    std::string joined;
    if (!target.empty() && target[0] == '/') {
        joined = std::string(target.substr(1));
    } else {
        const std::size_t slash = sourcePart.rfind('/');
        joined = slash == std::string_view::npos ? std::string()
                                                 : std::string(sourcePart.substr(0, slash + 1));
        joined.append(target);
    }
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t slash = joined.find('/', start);
        if (slash == std::string::npos)
            slash = joined.size();
        const std::string piece = joined.substr(start, slash - start);
        if (piece == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty())
            out.push_back('/');
        out.append(p);
    }
    return out;
}

std::string RelsPartFor(std::string_view part) {
    const std::size_t slash = part.rfind('/');
    if (slash == std::string_view::npos)
        return "_rels/" + std::string(part) + ".rels";
    return std::string(part.substr(0, slash + 1)) + "_rels/" + std::string(part.substr(slash + 1)) +
           ".rels";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters that XML cannot carry are stored as _xHHHH_ (UTF-16 code units).
std::string DecodeEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    std::u16string units;
    std::size_t i = 0;
    while (i < text.size()) {
        bool escape =
            i + 7 <= text.size() && text[i] == '_' && text[i + 1] == 'x' && text[i + 6] == '_';
        int value = 0;
        for (std::size_t k = 2; escape && k < 6; ++k) {
            const int h = HexDigit(text[i + k]);
            escape = h >= 0;
            value = value * 16 + h;
        }
        if (escape) {
            units.push_back(static_cast<char16_t>(value));
            i += 7;
            continue;
        }
        if (!units.empty()) {
            out.append(Utf16ToUtf8(units));
            units.clear();
        }
        out.push_back(text[i++]);
    }
    if (!units.empty())
        out.append(Utf16ToUtf8(units));
    return out;
}

// Text of a string item: plain <t>, or the runs of rich text; phonetic hints are not shown.
std::string StringItemText(pugi::xml_node item) {
    std::string out;
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        const std::string name = LocalName(c.name());
        if (name == "t") {
            out.append(c.text().get());
        } else if (name == "r") {
            ForEachChild(c, "t", [&](pugi::xml_node t) { out.append(t.text().get()); });
        }
    }
    return DecodeEscapes(out);
}

// Plain decimal digits only, up to the last row a sheet can have.
bool ParseRowNumber(std::string_view text, int32_t& out) {
    int64_t value = 0;
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > kMaxXlsxRows)
            return false;
    }
    out = static_cast<int32_t>(value);
    return true;
}

// "AB12" -> column 28, row 12. The row may be absent ("AB").
bool ParseCellRef(std::string_view ref, int32_t& row, int32_t& column) {
    std::size_t i = 0;
    int64_t col = 0;
    while (i < ref.size() && ref[i] == '$') ++i;
    while (i < ref.size() &&
           ((ref[i] >= 'A' && ref[i] <= 'Z') || (ref[i] >= 'a' && ref[i] <= 'z'))) {
        col = col * 26 + ((ref[i] | 0x20) - 'a' + 1);
        if (col > kMaxXlsxColumns)
            return false;
        ++i;
    }
    if (i < ref.size() && ref[i] == '$')
        ++i;
    int64_t r = 0;
    for (; i < ref.size(); ++i) {
        if (ref[i] < '0' || ref[i] > '9')
            return false;
        r = r * 10 + (ref[i] - '0');
        if (r > kMaxXlsxRows)
            return false;
    }
    if (col == 0)
        return false;
    row = static_cast<int32_t>(r);
    column = static_cast<int32_t>(col);
    return true;
}

bool ParseXml(const std::string& bytes, const std::string& part, pugi::xml_document& doc,
              std::string& error) {
    const pugi::xml_parse_result res = doc.load_buffer(
        bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!res) {
        error = part + ": broken XML (" + res.description() + " at byte " +
                FormatInt(static_cast<int64_t>(res.offset)) + ")";
        return false;
    }
    return true;
}

}  // namespace

std::string FormatGeneralCell(double value) {
    if (!std::isfinite(value))
        return "#NUM!";
    const std::string text = GeneralUnsigned(value);
    return (value < 0 && text != "0") ? "-" + text : text;
}

std::string FormatCellNumber(double value, std::string_view formatCode) {
    if (!std::isfinite(value))
        return "#NUM!";
    const std::vector<std::string_view> codes = SplitSections(formatCode);
    std::vector<Section> sections;
    for (std::string_view code : codes) {
        sections.push_back(ParseSection(code));
        if (sections.back().unsupported)
            return FormatGeneralCell(value);
    }
    if (sections.size() == 1 && SameTextAscii(Trim(codes[0]), "General"))
        return FormatGeneralCell(value);
    if (sections.size() == 1 || value > 0 || (value == 0 && sections.size() < 3))
        return RenderNumber(sections[0], std::fabs(value), value < 0);
    if (value < 0)
        return RenderNumber(sections[1], -value, false);
    return RenderNumber(sections[2], 0, false);
}

std::string FormatCellText(std::string_view text, std::string_view formatCode) {
    const std::vector<std::string_view> codes = SplitSections(formatCode);
    Section section;
    if (codes.size() >= 4) {
        section = ParseSection(codes[3]);
    } else {
        section = ParseSection(codes[0]);
        if (!section.HasKind(Token::Text))
            return std::string(text);
    }
    std::string out;
    for (const Token& t : section.tokens) {
        if (t.kind == Token::Literal)
            out.append(t.text);
        else if (t.kind == Token::Text)
            out.append(text);
    }
    return out;
}

// ---- worksheet ----------------------------------------------------------------------------

std::string XlsxWorksheet::CellText(int32_t row, int32_t column) const {
    if (row < 1 || column < 1 || column > kMaxXlsxColumns)
        return {};
    const auto it = cells_.find(Key(row, column));
    if (it == cells_.end())
        return {};
    const Cell& cell = it->second;
    const std::string format = (styleFormats_ && cell.style < styleFormats_->size())
                                   ? (*styleFormats_)[cell.style]
                                   : std::string("General");
    switch (cell.kind) {
        case CellKind::Number: {
            double value = 0;
            if (cell.value.empty())
                return {};
            if (!TryParseFloat(cell.value, value, kFileNumbers))
                return cell.value;
            return FormatCellNumber(value, format);
        }
        case CellKind::SharedString: {
            int32_t index = -1;
            if (!sharedStrings_ || !TryParseInt(Trim(cell.value), index) || index < 0 ||
                static_cast<std::size_t>(index) >= sharedStrings_->size()) {
                return {};
            }
            return FormatCellText((*sharedStrings_)[static_cast<std::size_t>(index)], format);
        }
        case CellKind::String:
            return FormatCellText(cell.value, format);
        case CellKind::Boolean:
            if (cell.value.empty())
                return {};
            return ParseFloatDef(cell.value, 0, kFileNumbers) != 0 ? "TRUE" : "FALSE";
        case CellKind::Error:
            return cell.value;
    }
    return {};
}

// ---- workbook -----------------------------------------------------------------------------

struct XlsxWorkbook::Zip {
    zip_t* archive = nullptr;
    ~Zip() {
        if (archive)
            zip_discard(archive);
    }
};

XlsxWorkbook::XlsxWorkbook() : zip_(std::make_unique<Zip>()) {}
XlsxWorkbook::~XlsxWorkbook() = default;

std::unique_ptr<XlsxWorkbook> XlsxWorkbook::Open(const std::string& path, std::string& error) {
    try {
        std::unique_ptr<XlsxWorkbook> book(new XlsxWorkbook());
        int code = 0;
        book->zip_->archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
        if (!book->zip_->archive) {
            zip_error_t ze;
            zip_error_init_with_code(&ze, code);
            error = path + ": " + zip_error_strerror(&ze);
            zip_error_fini(&ze);
            return nullptr;
        }
        if (!book->Load(error))
            return nullptr;
        return book;
    } catch (const std::bad_alloc&) {
        error = path + ": out of memory";
    } catch (...) {
        error = path + ": cannot be read";
    }
    return nullptr;
}

bool XlsxWorkbook::ReadPart(const std::string& name, std::string& bytes, std::string& error) const {
    zip_t* archive = zip_->archive;
    const zip_int64_t index = zip_name_locate(archive, name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) {
        error = "missing part " + name;
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
        !(st.valid & ZIP_STAT_SIZE)) {
        error = name + ": " + zip_error_strerror(zip_get_error(archive));
        return false;
    }
    if (st.size > kMaxXlsxPartSize) {
        error = name + ": too large (" + FormatInt(static_cast<int64_t>(st.size)) + " bytes)";
        return false;
    }
    if ((st.valid & ZIP_STAT_COMP_SIZE) && st.size > kXlsxRatioCheckFloor &&
        st.size / std::max<zip_uint64_t>(st.comp_size, 1) > kMaxXlsxCompressionRatio) {
        error = name + ": suspicious compression ratio";
        return false;
    }
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
        error = name + ": " + zip_error_strerror(zip_get_error(archive));
        return false;
    }
    bytes.assign(static_cast<std::size_t>(st.size), '\0');
    std::size_t have = 0;
    bool ok = true;
    while (ok) {
        char extra;
        // Past the declared size, ask for one byte only to see that the entry really ends.
        char* into = have < bytes.size() ? bytes.data() + have : &extra;
        const zip_uint64_t want = have < bytes.size() ? bytes.size() - have : 1;
        const zip_int64_t got = zip_fread(file, into, want);
        if (got < 0) {
            error = name + ": " + zip_error_strerror(zip_file_get_error(file));
            ok = false;
        } else if (got == 0) {
            break;
        } else if (have >= bytes.size()) {
            error = name + ": longer than declared";
            ok = false;
        } else {
            have += static_cast<std::size_t>(got);
        }
    }
    zip_fclose(file);
    if (ok && have != bytes.size()) {
        error = name + ": shorter than declared";
        ok = false;
    }
    return ok;
}

bool XlsxWorkbook::Load(std::string& error) {
    struct Relationship {
        std::string type;
        std::string target;
    };
    auto readRels = [&](const std::string& part, std::map<std::string, Relationship>& rels,
                        bool required) {
        const std::string relsPart = RelsPartFor(part);
        std::string bytes;
        if (zip_name_locate(zip_->archive, relsPart.c_str(), ZIP_FL_NOCASE) < 0 && !required)
            return true;
        pugi::xml_document doc;
        if (!ReadPart(relsPart, bytes, error) || !ParseXml(bytes, relsPart, doc, error))
            return false;
        ForEachChild(Child(doc, "Relationships"), "Relationship", [&](pugi::xml_node r) {
            if (SameTextAscii(r.attribute("TargetMode").value(), "External"))
                return;
            rels[r.attribute("Id").value()] = {r.attribute("Type").value(),
                                               ResolvePart(part, r.attribute("Target").value())};
        });
        return true;
    };

    std::map<std::string, Relationship> packageRels;
    if (!readRels("", packageRels, false))
        return false;
    std::string workbookPart = "xl/workbook.xml";
    for (const auto& [id, rel] : packageRels) {
        if (EndsWith(rel.type, "/officeDocument"))
            workbookPart = rel.target;
    }

    std::string bytes;
    pugi::xml_document workbook;
    if (!ReadPart(workbookPart, bytes, error) || !ParseXml(bytes, workbookPart, workbook, error))
        return false;
    std::map<std::string, Relationship> rels;
    if (!readRels(workbookPart, rels, true))
        return false;
    const pugi::xml_node root = Child(workbook, "workbook");
    if (!root) {
        error = workbookPart + ": not a workbook";
        return false;
    }
    ForEachChild(Child(root, "sheets"), "sheet", [&](pugi::xml_node sheet) {
        const auto it = rels.find(RelationshipId(sheet));
        if (it != rels.end() && EndsWith(it->second.type, "/worksheet"))
            sheetParts_.push_back(it->second.target);
    });

    sharedStrings_ = std::make_shared<std::vector<std::string>>();
    styleFormats_ = std::make_shared<std::vector<std::string>>();
    for (const auto& [id, rel] : rels) {
        const bool strings = EndsWith(rel.type, "/sharedStrings");
        const bool styles = EndsWith(rel.type, "/styles");
        if (!strings && !styles)
            continue;
        pugi::xml_document doc;
        if (!ReadPart(rel.target, bytes, error) || !ParseXml(bytes, rel.target, doc, error))
            return false;
        if (strings) {
            ForEachChild(Child(doc, "sst"), "si",
                         [&](pugi::xml_node si) { sharedStrings_->push_back(StringItemText(si)); });
            continue;
        }
        const pugi::xml_node sheetStyles = Child(doc, "styleSheet");
        std::map<uint32_t, std::string> custom;
        ForEachChild(Child(sheetStyles, "numFmts"), "numFmt", [&](pugi::xml_node f) {
            custom[f.attribute("numFmtId").as_uint()] = f.attribute("formatCode").value();
        });
        ForEachChild(Child(sheetStyles, "cellXfs"), "xf", [&](pugi::xml_node xf) {
            const uint32_t id = xf.attribute("numFmtId").as_uint();
            const auto it = custom.find(id);
            styleFormats_->push_back(it != custom.end() ? it->second : BuiltInFormat(id));
        });
    }
    return true;
}

bool XlsxWorkbook::Worksheet(int32_t position, XlsxWorksheet& out, std::string& error) const {
    try {
        if (position < 1 || position > WorksheetCount()) {
            error = "the workbook has no worksheet " + FormatInt(position) + " (it has " +
                    FormatInt(WorksheetCount()) + ")";
            return false;
        }
        const std::string& part = sheetParts_[static_cast<std::size_t>(position - 1)];
        std::string bytes;
        pugi::xml_document doc;
        if (!ReadPart(part, bytes, error) || !ParseXml(bytes, part, doc, error))
            return false;
        bytes.clear();
        bytes.shrink_to_fit();
        const pugi::xml_node root = Child(doc, "worksheet");
        if (!root) {
            error = part + ": not a worksheet";
            return false;
        }
        XlsxWorksheet sheet;
        sheet.sharedStrings_ = sharedStrings_;
        sheet.styleFormats_ = styleFormats_;
        int32_t highestRow = 0;
        int32_t rowNumber = 0;
        bool ok = true;
        ForEachChild(Child(root, "sheetData"), "row", [&](pugi::xml_node row) {
            if (!ok)
                return;
            const pugi::xml_attribute r = row.attribute("r");
            if (r ? !ParseRowNumber(r.value(), rowNumber) : ++rowNumber > kMaxXlsxRows)
                rowNumber = 0;
            if (rowNumber < 1) {
                error = part + ": bad row number " + r.value();
                ok = false;
                return;
            }
            highestRow = std::max(highestRow, rowNumber);
            int32_t column = 0;
            ForEachChild(row, "c", [&](pugi::xml_node c) {
                if (!ok)
                    return;
                int32_t cellRow = rowNumber;
                const pugi::xml_attribute ref = c.attribute("r");
                if (ref) {
                    if (!ParseCellRef(ref.value(), cellRow, column) || cellRow < 1 ||
                        cellRow > kMaxXlsxRows) {
                        error = part + ": bad cell reference " + ref.value();
                        ok = false;
                        return;
                    }
                } else if (++column > kMaxXlsxColumns) {
                    error = part + ": too many cells in row " + FormatInt(rowNumber);
                    ok = false;
                    return;
                }
                highestRow = std::max(highestRow, cellRow);
                XlsxWorksheet::Cell cell;
                cell.style = c.attribute("s").as_uint();
                const std::string_view type = c.attribute("t").value();
                if (type == "s") {
                    cell.kind = XlsxWorksheet::CellKind::SharedString;
                } else if (type == "inlineStr") {
                    cell.kind = XlsxWorksheet::CellKind::String;
                } else if (type == "str" || type == "d") {
                    cell.kind = XlsxWorksheet::CellKind::String;
                } else if (type == "b") {
                    cell.kind = XlsxWorksheet::CellKind::Boolean;
                } else if (type == "e") {
                    cell.kind = XlsxWorksheet::CellKind::Error;
                }
                if (type == "inlineStr") {
                    cell.value = StringItemText(Child(c, "is"));
                } else {
                    cell.value = Child(c, "v").text().get();
                    if (cell.kind == XlsxWorksheet::CellKind::String)
                        cell.value = DecodeEscapes(cell.value);
                }
                sheet.cells_[XlsxWorksheet::Key(cellRow, column)] = std::move(cell);
            });
        });
        if (!ok)
            return false;
        // A stale dimension written by some generators must not hide rows that hold cells.
        int32_t usedRows = highestRow;
        const std::string_view dimension = Child(root, "dimension").attribute("ref").value();
        const std::size_t colon = dimension.find(':');
        int32_t lastRow = 0;
        int32_t lastColumn = 0;
        if (!dimension.empty() &&
            ParseCellRef(colon == std::string_view::npos ? dimension : dimension.substr(colon + 1),
                         lastRow, lastColumn)) {
            usedRows = std::max(usedRows, std::min(lastRow, kMaxXlsxRows));
        }
        sheet.usedRowCount_ = usedRows;
        out = std::move(sheet);
        return true;
    } catch (const std::bad_alloc&) {
        error = "worksheet " + FormatInt(position) + ": out of memory";
    } catch (...) {
        error = "worksheet " + FormatInt(position) + ": cannot be read";
    }
    return false;
}

}  // namespace tessavo
