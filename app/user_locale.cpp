// The user's decimal and thousands separators, as the desktop's locale gives them.
#include "app/user_locale.h"

#include <QLocale>

namespace tessavo {

namespace {
// Our texts are 8-bit: a separator outside ASCII (such as a no-break space) maps to its
// nearest ASCII look-alike.
char AsciiSeparator(const QString& separator, char fallback) {
    if (separator.size() == 1 && separator[0].unicode() < 0x80) {
        return static_cast<char>(separator[0].unicode());
    }
    if (separator.size() == 1 && separator[0].isSpace())
        return ' ';
    return fallback;
}
}  // namespace

NumberSeparators SeparatorsOfUserLocale() {
    const QLocale locale;
    NumberSeparators sep;
    sep.decimal = AsciiSeparator(locale.decimalPoint(), '.');
    sep.thousands = AsciiSeparator(locale.groupSeparator(), sep.decimal == ',' ? '.' : ',');
    if (sep.thousands == sep.decimal)
        sep.thousands = sep.decimal == ',' ? '.' : ',';
    return sep;
}

}  // namespace tessavo
