// Control ids of the dialogs, shared with the resource script.
#pragma once

// Control ids of the Settings and About dialogs; the resource script
// includes this file too, so it holds nothing but macros. Controls that show
// a text of the string table find it by their id (see StringIds.h).

#include "text/StringIds.h"

// Settings dialog
#define IDC_LANGUAGE 220
#define IDC_SIZE_SMALL 221
#define IDC_SIZE_BIG 222
#define IDC_LATITUDE 223
#define IDC_LATITUDE_TEXT 224
#define IDC_SIMULATE 225
#define IDC_DAY 226
#define IDC_DATE_TEXT 227
#define IDC_TIME 228
#define IDC_TIME_TEXT 229
#define IDC_VIEW_GROUP 230
#define IDC_LANGUAGE_LABEL 231
#define IDC_SIZE_LABEL 232
#define IDC_LATITUDE_GROUP 233
#define IDC_DEGREES_LABEL 234
#define IDC_DATE_TIME_GROUP 235
#define IDC_DAY_LABEL 236
#define IDC_TIME_LABEL 237
#define IDC_PRINCIPLES_GROUP 238
#define IDC_EXACT_SUN 239
#define IDC_LONGITUDE_GROUP 246
#define IDC_LONGITUDE 247
#define IDC_LONGITUDE_TEXT 248
#define IDC_LONGITUDE_DEGREES_LABEL 249
// The place typed by name, and the list of the places it names, which the
// dialog makes under it while it is typed.
#define IDC_PLACE_GROUP 254
#define IDC_PLACE 255
#define IDC_PLACE_LIST 256
// The lines drawn on the dial besides the shadow: the date lines, and the
// hour lines of the sun's time or of the clock's.
#define IDC_LINES_GROUP 258
#define IDC_DATE_LINES 259
#define IDC_HOUR_LINES_LABEL 260
#define IDC_SUN_HOURS 261
#define IDC_CLOCK_HOURS 262
// The night face lit by the moon.
#define IDC_MOON_FACE 263
// The About button posts its own id to the gadget window, where it is the
// command that opens the About dialog.
#define IDC_ABOUT IDS_ABOUT
#define IDC_ARTICLE_LINK 245

// About dialog
#define IDC_MAIL_LINK 241
#define IDC_HOMEPAGE_LINK 242
#define IDC_DESCRIPTION 250
#define IDC_VERSION 251
#define IDC_AUTHOR_LABEL 252
#define IDC_MAIL_LABEL 253
// Where the places come from, and their licence.
#define IDC_PLACES_CREDIT 257

// Link texts; the article and mail links open their own text (the mail one
// behind "mailto:"), the home-page link the same address with its scheme,
// which is also the string table's home page.
#define ARTICLE_ADDRESS "https://en.wikipedia.org/wiki/Sundial"
#define AUTHOR_MAIL "matevz@tavrelon.com"
#define HOMEPAGE_SCHEME "http://"
#define HOMEPAGE_TEXT "www.tavrelon.com/umbrant/"
