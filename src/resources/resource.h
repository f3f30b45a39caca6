// Resource numbers shared by the resource script and the code.
#pragma once

// Page templates; the right-to-left twin of each is the same number plus 100.
#define IDD_ABOUT_LINKS        3001
#define IDD_EXTRAS             3004
#define IDD_GRAPHICS           3005
#define IDD_LAYOUT             3007
#define IDD_PAPER              3010
#define IDD_PRINTER            3011
#define IDD_ABOUT              3014
#define IDD_ABOUT_TEXT         3015
#define IDD_ABOUT_TEXT_LINK    3016
#define IDD_COMPACT_LAYOUT     3017
#define IDD_WATERMARK          3018
#define IDD_SIMPLE_EXTRAS      3019
#define IDD_ABOUT_THREE_LINKS  3020
#define IDD_OVERLAY            3021
#define IDD_COMPACT_PAPER      3022
#define IDD_TROUBLESHOOTING    3023
#define IDD_ABOUT_CENTRED      3024
#define IDD_BASICS             3028
#define IDD_OUTPUT             3029
#define IDD_DECO               3030
#define IDD_COLOR_MODE         3031
#define IDD_DECO_TALL          3032
#define IDD_ABOUT_TALL         3033
#define IDD_MAINTENANCE        3036
#define IDD_MAINTENANCE_TALL   3038
#define IDD_COLOR_ADJUST       3040
#define IDD_MAIN               3041

#define IDD_MIRROR_OFFSET      100
