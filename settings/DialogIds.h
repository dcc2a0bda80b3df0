#pragma once

// Control ids of the Settings and About dialogs; the resource script
// includes this file too, so it holds nothing but macros.

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
// The About button posts its own id to the gadget window, where it is the
// command that opens the About dialog.
#define IDC_ABOUT 240
#define IDC_ARTICLE_LINK 245

// About dialog
#define IDC_MAIL_LINK 241
#define IDC_HOMEPAGE_LINK 242

// Link texts; the article and mail links open their own text (the mail one
// behind "mailto:"), the home-page link the same address with its scheme,
// which is also the string table's home page.
#define ARTICLE_ADDRESS "https://en.wikipedia.org/wiki/Sundial"
#define AUTHOR_MAIL "matevz@tavrelon.com"
#define HOMEPAGE_SCHEME "http://"
#define HOMEPAGE_TEXT "www.tavrelon.com/umbrant/"
