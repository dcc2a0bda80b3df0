// Ids of the string table's texts, shared with the resource script.
#pragma once

// Ids of the string table's texts. The resource script includes this file
// too, so it holds nothing but macros. Each language's block holds the same
// ids moved by that language's offset (the language table in Strings.h
// names the offsets).

#define STRINGS_ENGLISH 0
#define STRINGS_SLOVENIAN 4096
// Every id below this, so that an offset can be or-ed into it.
#define STRING_ID_LIMIT 4096

#define IDS_TITLE 50
#define IDS_CLOSE_TIP 51
#define IDS_CLOSE_ITEM 52
#define IDS_UNINSTALL_CAPTION 54
#define IDS_UNINSTALLED 55
#define IDS_CANNOT_UNINSTALL 56
// The home page, which its window menu item opens.
#define IDS_HOME_PAGE 57
// The caption of a failed install's message and what failed.
#define IDS_INSTALL_CAPTION 58
#define IDS_CANNOT_COPY 59
#define IDS_CANNOT_LINK 60
#define IDS_CANNOT_REGISTER 61
// What a degree box says of text it does not take: a title, and the range
// of each box.
#define IDS_DEGREES_REFUSED_TITLE 62
#define IDS_LATITUDE_REFUSED 63
#define IDS_LONGITUDE_REFUSED 64
// What the place box lists when the program's place table is refused.
#define IDS_PLACES_UNAVAILABLE 66
#define IDS_BIG_DIAL 201
#define IDS_SMALL_DIAL 202
#define IDS_SETTINGS_TIP 203
// The tip over the dial: the day's sun and the sun now.
#define IDS_SUNRISE 220
#define IDS_SOLAR_NOON 221
#define IDS_SUNSET 222
#define IDS_DAY_LENGTH 223
#define IDS_SUN_ALTITUDE 224
#define IDS_AZIMUTH 225
#define IDS_NO_SUNSET 226
#define IDS_NO_SUNRISE 227
// The sun's time at the place and how far the clock is from it.
#define IDS_SUN_TIME 230
#define IDS_BEHIND_CLOCK 231
#define IDS_AHEAD_OF_CLOCK 232
#define IDS_WITH_CLOCK 233
// The tip's civil twilight and moon. "{}" stands for the time or the
// number, where the language puts it.
#define IDS_DAWN 400
#define IDS_DUSK 401
#define IDS_NO_DAWN 402
#define IDS_NO_DUSK 403
#define IDS_NO_TWILIGHT 404
#define IDS_MOON 405
#define IDS_MOON_LIT 406
#define IDS_MOONRISE 407
#define IDS_MOONSET 408
#define IDS_NO_MOONRISE 409
#define IDS_NO_MOONSET 410
// The names of the moon's phases, in the order of MoonPhase (sun/Moon.h).
#define IDS_MOON_PHASES 411
// The labels of the date lines of the solstices and the equinoxes.
#define IDS_DECEMBER_SOLSTICE 234
#define IDS_EQUINOXES 235
#define IDS_JUNE_SOLSTICE 236
// "About..."; also the command of the About button in Settings and of the
// About item of the window menu (a multiple of 16, as menu commands are).
#define IDS_ABOUT 240
// The night face's messages: a count, then that many texts.
#define IDS_MORNING_TEXTS 250
#define IDS_EVENING_TEXTS 300

// A dialog's texts: its caption at the first id, the text of the control
// with id n at first id + n.
#define IDS_SETTINGS_DIALOG 1000
#define IDS_ABOUT_DIALOG 1300
