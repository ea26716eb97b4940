// TranslateForm: gives a window one font and passes every caption, hint, item, header and grid
// cell it knows of through translate, in one walk over the components the window owns.
#pragma once

#include <QObject>

namespace tessavo {

// The walker's font: name and size for the whole run. The 8-bit character set that goes with
// them has no meaning for Qt's Unicode fonts and is not kept.
inline constexpr const char* kFormFontName = "Courier New";
inline constexpr int kFormFontPoints = 8;
// A list whose dynamic property "tag" is 444 gets one point more.
inline constexpr int kLargerListTag = 444;

// A top-level window gets the font and its title translated, then its components are walked;
// any other widget has only its components walked; anything that is not a widget is left alone.
//
// The components a window owns are, for a Qt window, its descendants that its own code created:
// QObjects in creation order (depth first through children()), skipping the parts Qt builds
// inside its compound widgets (a view's viewport, headers, corner button and scroll bars; the
// insides of combo boxes, spin boxes, line edits and tab bars; everything named "qt_..."; the
// buttons and menu entries that merely show an action), and not entering other windows
// (dialogs are visited themselves, their controls belong to them). The list is taken before
// anything changes, so widgets created during the walk are not visited.
void TranslateForm(QObject* component);

}  // namespace tessavo
