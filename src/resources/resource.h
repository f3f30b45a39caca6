// Resource numbers shared by the resource script and the code.
#pragma once

// Page templates and the dialogs the pages open; the right-to-left twin of each is the same
// number plus 100.
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
#define IDD_MORE_LAYOUT        3025
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

// Help button of the sheet, routed to the page's help.
#define IDC_SHEET_HELP         9

// Controls shared by the pages (same place on every page: see TEMPLATES.md).
#define IDC_FAVORITES          1046
#define IDC_FAVORITE_DELETE    1047
#define IDC_FAVORITE_RENAME    1048
#define IDC_FAVORITE_SAVE      1049
#define IDC_LOGO               1071
#define IDC_PREVIEW            1128
#define IDC_PRINTER_PICTURE    1129
#define IDC_UNITS_INCH         1186
#define IDC_UNITS_MM           1187
#define IDC_FAVORITES_FRAME    1208
#define IDC_PHOTO_PREVIEW      1236
#define IDC_COLOR_PREVIEW      1240
#define IDC_SEPARATOR_LINE     1314

// The module's own hand cursor, for systems without one.
#define IDC_HAND_CURSOR        5000

// Layout page.
#define IDC_ORIENTATION_PICTURE 1088
#define IDC_LANDSCAPE           1089
#define IDC_PORTRAIT            1090
#define IDC_ROTATE_180          1091
#define IDC_ROTATE_LABEL        1209
#define IDC_ROTATE              1210
#define IDC_DEGREES_LABEL       1211
#define IDC_DUPLEX_FRAME        1037
#define IDC_DUPLEX_MANUAL_FRAME 1352
#define IDC_DUPLEX_PICTURE      1038
#define IDC_DUPLEX_DEFAULT      1218
#define IDC_DUPLEX_NONE         1040
#define IDC_DUPLEX_LONG         1039
#define IDC_DUPLEX_SHORT        1041
#define IDC_DUPLEX_REVERSE      1092
#define IDC_LAYOUT_FRAME        1067
#define IDC_LAYOUT_TYPE_LABEL   1069
#define IDC_LAYOUT_TYPE         1068
#define IDC_NUP_LABEL           1123
#define IDC_NUP                 1125
#define IDC_NUP_BORDER          1124
#define IDC_PAGE_ORDER_LABEL    1126
#define IDC_PAGE_ORDER          1127
#define IDC_POSTER_LABEL        1117
#define IDC_POSTER              1118
#define IDC_OVERLAP_LABEL       1119
#define IDC_OVERLAP             1103
#define IDC_OVERLAP_SPIN        1104
#define IDC_OVERLAP_MM          1228
#define IDC_OVERLAP_INCHES      1227
#define IDC_OVERLAP_UNITS       1105
#define IDC_SCALE_LABEL         1120
#define IDC_SCALE               1152
#define IDC_SCALE_SPIN          1154
#define IDC_VIRTUAL_LABEL       1194
#define IDC_VIRTUAL_PAPER       1195
#define IDC_VIRTUAL_POS_LABEL   1192
#define IDC_VIRTUAL_POSITION    1193
#define IDC_MORE_LAYOUT         1001

// More Layout Options dialog: the type radios in their order, the scaling groups, the preview.
#define IDC_MORE_MULTIPLE       1230
#define IDC_MORE_POSTER         1231
#define IDC_MORE_BOOKLET        1232
#define IDC_MORE_VIRTUAL        1233
#define IDC_MORE_FIT            1234
#define IDC_MORE_SCALE          1235
#define IDC_FIT_PAPER_LABEL     1155
#define IDC_FIT_PAPER           1171
#define IDC_PERCENT_LABEL       1153
#define IDC_PERCENT             1115
#define IDC_PERCENT_SPIN        1116
#define IDC_MORE_PREVIEW        1237

// Custom Page Size dialog: the user's named sizes, the name and the two lengths with their unit.
#define IDD_CUSTOM_PAGE_SIZE    3003
#define IDC_CUSTOM_LIST_FRAME   1106
#define IDC_CUSTOM_LIST         1107
#define IDC_CUSTOM_ADD          1004
#define IDC_CUSTOM_UPDATE       1188
#define IDC_CUSTOM_DELETE       1033
#define IDC_CUSTOM_NAME_FRAME   1083
#define IDC_CUSTOM_NAME         1202
#define IDC_CUSTOM_SIZE_FRAME   1036
#define IDC_CUSTOM_WIDTH_LABEL  1201
#define IDC_CUSTOM_WIDTH        1044
#define IDC_CUSTOM_WIDTH_SPIN   1045
#define IDC_CUSTOM_HEIGHT_LABEL 1061
#define IDC_CUSTOM_HEIGHT       1042
#define IDC_CUSTOM_HEIGHT_SPIN  1043
#define IDC_CUSTOM_INCHES       1350
#define IDC_CUSTOM_MM           1351

// Paper page: the paper options, then the scaling group (whose target page and percentage are
// those of the More Layout Options dialog).
#define IDC_PAPER_FRAME         1108
#define IDC_COPIES              1023
#define IDC_COPIES_SPIN         1024
#define IDC_COLLATE             1016
#define IDC_PAPER_SIZE          1161
#define IDC_CUSTOM_PAPER        1109
#define IDC_SOURCE_LABEL        1113
#define IDC_SOURCE              1165
#define IDC_MEDIA_TYPE          1185
#define IDC_SEPARATOR_LABEL     1111
#define IDC_SEPARATOR           1158
#define IDC_FIRST_PAGE_LABEL    1110
#define IDC_FIRST_PAGE          1051
#define IDC_SCALING_FRAME       1150
#define IDC_SCALING_TYPE_LABEL  1156
#define IDC_SCALING_TYPE        1151

// The compact Paper form: who picks the tray, and the banner sheet before each job.
#define IDC_TRAY_AUTO           1221
#define IDC_TRAY_FORCE          1222
#define IDC_BANNER_SHEET        1247

// Separator dialog: the tray the separator sheets come from and where they go.
#define IDD_SEPARATOR           3012
#define IDC_SEPARATOR_BEFORE    1159
#define IDC_SEPARATOR_AFTER     1157

// Graphics page: resolution radios 1324..1347 by index 0..23 (the 1200, 600 and 300 rows,
// eight each) and Draft Mode; image mode; colour mode; the Advanced / TrueType Options button.
#define IDC_RESOLUTION_FRAME    1144
#define IDC_RESOLUTION_PICTURE  1149
#define IDC_RESOLUTION_FIRST    1324
#define IDC_DRAFT_MODE          1220
#define IDC_IMAGE_FRAME         1063
#define IDC_IMAGE_PICTURE       1075
#define IDC_IMAGE_PRINTER       1078
#define IDC_IMAGE_NORMAL        1077
#define IDC_IMAGE_TEXT          1079
#define IDC_IMAGE_PHOTO         1076
#define IDC_COLOR_FRAME         1250
#define IDC_COLOR_PICTURE       1251
#define IDC_COLOR               1252
#define IDC_GRAYSCALE           1253
#define IDC_COLOR_MANUAL        1226
#define IDC_ADJUST_COLOR        1254
#define IDC_COLOR_MATCHING      1258
#define IDC_COLOR_SETTINGS      1301
#define IDC_MATCHING_LABEL      1312
#define IDC_MATCHING            1313
#define IDC_ADVANCED            1005

// The option groups of the Graphics page that may move to the Advanced / TrueType Options
// dialog: raster compression, toner save, darkness, TrueType and the text options.
#define IDD_ADVANCED            3002
#define IDC_RASTER_FRAME        1316
#define IDC_RASTER              1271
#define IDC_RASTER_SLIDER       1272
#define IDC_RASTER_LOW          1273
#define IDC_RASTER_HIGH         1275
#define IDC_TONER_FRAME         1174
#define IDC_TONER_PICTURE       1175
#define IDC_TONER_PRINTER       1178
#define IDC_TONER_ON            1177
#define IDC_TONER_OFF           1176
#define IDC_DARKNESS_FRAME      1032
#define IDC_DARKNESS_PICTURE    1028
#define IDC_DARKNESS_NORMAL     1030
#define IDC_DARKNESS_LIGHT      1029
#define IDC_DARKNESS_DARK       1027
#define IDC_TRUETYPE_FRAME      1180
#define IDC_TRUETYPE_PICTURE    1183
#define IDC_TRUETYPE_OUTLINE    1184
#define IDC_TRUETYPE_BITMAP     1181
#define IDC_TRUETYPE_GRAPHICS   1182
#define IDC_ALL_TEXT_BLACK      1172
#define IDC_DARKEN_TEXT         1031

// Color Settings dialog: the choice of preset or own settings, and the settings.
#define IDD_COLOR_SETTINGS      3035
#define IDC_COLOR_CURRENT       1280
#define IDC_RGB_COLOR           1284
#define IDC_EDGE_CONTROL        1285
#define IDC_GRAPHICS_GRAYS      1292
#define IDC_GRAPHICS_HALFTONE   1295
#define IDC_TEXT_GRAYS          1302
#define IDC_TEXT_HALFTONE       1305
#define IDC_PHOTO_GRAYS         1307
#define IDC_PHOTO_HALFTONE      1310

// The six colour adjustments, slider and edit each, with their labels and frames; the same
// numbers on the colour pages and in the Adjust Color dialog.
#define IDC_LEVELS_FRAME        1267
#define IDC_BRIGHTNESS          1261
#define IDC_BRIGHTNESS_EDIT     1262
#define IDC_BRIGHTNESS_LABEL    1263
#define IDC_CONTRAST            1264
#define IDC_CONTRAST_EDIT       1265
#define IDC_CONTRAST_LABEL      1266
#define IDC_BALANCE_FRAME       1268
#define IDC_SATURATION          1270
#define IDC_SATURATION_EDIT     1271
#define IDC_SATURATION_LABEL    1272
#define IDC_CYAN_RED            1274
#define IDC_CYAN_RED_EDIT       1273
#define IDC_CYAN_RED_LABEL      1275
#define IDC_MAGENTA_GREEN       1277
#define IDC_MAGENTA_GREEN_EDIT  1276
#define IDC_MAGENTA_GREEN_LABEL 1278
#define IDC_YELLOW_BLUE         1280
#define IDC_YELLOW_BLUE_EDIT    1279
#define IDC_YELLOW_BLUE_LABEL   1281
#define IDC_COLOR_RESET         1259

// Adjust Color and Color Matching dialogs: the colour sample beside their settings.
#define IDD_ADJUST_COLOR        3034
// Color Matching's right-to-left twin is 3042, not 3043 + 100.
#define IDD_COLOR_MATCHING      3043
#define IDD_COLOR_MATCHING_RTL  3042
#define IDC_RGB_LABEL           1282
#define IDC_AUTO_ADJUST         1260
#define IDC_COLOR_SAMPLE        1269

// Deco page: the frame of each photo, the message under it and the message's font.
#define IDC_DECO_FRAME_GROUP    1257
#define IDC_DECO_FRAME          1085
#define IDC_DECO_MESSAGE_GROUP  1072
#define IDC_DECO_DATE_LABEL     1057
#define IDC_DECO_DATE           1255
#define IDC_DECO_NOTE_LABEL     1058
#define IDC_DECO_NOTE           1256
#define IDC_DECO_WHITE          1270
// The font of a printed text, on the Deco and Watermark pages.
#define IDC_FONT_FACE           1084
#define IDC_FONT_STYLE          1170
#define IDC_FONT_COLOR_LABEL    1052
#define IDC_FONT_COLOR          1017
#define IDC_FONT_SHADE_LABEL    1297
#define IDC_FONT_SHADE          1018

// Watermark page and its Edit Watermark dialog: the user's watermarks and the one being edited.
#define IDD_EDIT_WATERMARK      3013
#define IDC_WATERMARK_LIST      1199
#define IDC_WATERMARK_ADD       1004
#define IDC_WATERMARK_UPDATE    1188
#define IDC_WATERMARK_DELETE    1033
#define IDC_WATERMARK_TEXT      1081
#define IDC_WATERMARK_FIRST     1082
#define IDC_WATERMARK_HORIZONTAL 1009
#define IDC_WATERMARK_VERTICAL  1010
#define IDC_WATERMARK_ANGLED    1011
#define IDC_WATERMARK_ANGLE     1012
#define IDC_WATERMARK_ANGLE_SPIN 1013
#define IDC_FONT_SIZE           1162
#define IDC_FONT_SIZE_SPIN      1163
#define IDC_WATERMARK_PREVIEW   1130

// Overlay page and its Edit Overlay dialog: the user's overlay files and the job's choice.
#define IDD_EDIT_OVERLAY        3009
#define IDC_OVERLAY_LIST        1102
#define IDC_OVERLAY_CREATE      1025
#define IDC_OVERLAY_CANCEL_CREATE 1015
#define IDC_OVERLAY_LOAD        1070
#define IDC_OVERLAY_DELETE      1033
#define IDC_OVERLAY_STATUS      1168
#define IDC_OVERLAY_CONFIRM     1021

// Extras pages, their More Options dialog and the Output page: the lists of the printed sheets,
// the output options in rows, the watermark and overlay choices and the two dialogs' buttons.
#define IDD_MORE_OPTIONS        3008
#define IDC_OPTIONS_FRAME       1098
#define IDC_PRINT_ORDER_LABEL   1094
#define IDC_PRINT_ORDER         1086
#define IDC_DESTINATION_LABEL   1092
#define IDC_DESTINATION         1034
#define IDC_STAPLE_LABEL        1097
#define IDC_STAPLE              1166
#define IDC_REPRINT_JAM         1096
#define IDC_BANNER_PAGE         1141
#define IDC_QUICK_PRINT         1142
#define IDC_PRINT_TIME          1173
#define IDC_PRINTER_FONTS       1057
#define IDC_PRINTER_FONTS_BELOW 1003
#define IDC_SAVE_AS_FORM        1058
#define IDC_FORM_FILE           1060
#define IDC_FORM_BROWSE         1059
#define IDC_MORE_OPTIONS        1080
#define IDC_PRINT_AND_HOLD      1062
#define IDC_WATERMARK_FRAME     1196
#define IDC_WATERMARK_CHOICE    1198
#define IDC_WATERMARK_EDIT      1197
#define IDC_OVERLAY_FRAME       1099
#define IDC_OVERLAY_CHOICE      1101
#define IDC_OVERLAY_EDIT        1100

// Print and Hold dialog: the mode, then the options of a held job in one group.
#define IDD_PRINT_AND_HOLD      3006
#define IDC_HOLD_FRAME          1085
#define IDC_HOLD_MODE_LABEL     1073
#define IDC_HOLD_MODE           1074
#define IDC_HOLD_STORE          1169
#define IDC_HOLD_PUBLIC         1000
#define IDC_HOLD_AT_LABEL       1131
#define IDC_HOLD_DATE           1143
#define IDC_HOLD_TIME           1132
#define IDC_HOLD_USER           1191
#define IDC_HOLD_USER_NOTE      1190
#define IDC_HOLD_JOB            1066
#define IDC_HOLD_JOB_NOTE       1065
#define IDC_HOLD_PASSCODE_LABEL 1018
#define IDC_HOLD_PASSCODE       1020
#define IDC_HOLD_PASSCODE_NOTE  1019
#define IDC_HOLD_CONFIRM_LABEL  1348
#define IDC_HOLD_CONFIRM        1349
#define IDC_HOLD_CONFIRM_NOTE   1021

// Printer page: the printer's installed options and device settings, row by row, and the
// status monitor's window switch below them.
#define IDC_PRINTER_FRAME       1133
#define IDC_TRAY_LABEL          1140
#define IDC_TRAY                1179
#define IDC_FINISHER_LABEL      1135
#define IDC_FINISHER            1050
#define IDC_TRAY_CHECK          1006
#define IDC_ENVELOPE_FEEDER     1134
#define IDC_DUPLEX_UNIT         1219
#define IDC_STAPLER             1139
#define IDC_HARD_DISK           1136
#define IDC_HIGH_ALTITUDE       1137
#define IDC_POWER_SAVE          1138
#define IDC_DELAY_LABEL         1122
#define IDC_DELAY               1121
#define IDC_POPUP_FRAME         1299
#define IDC_STATUS_WINDOW       1300

// Maintenance page: a picture button with its title and description per job.
#define IDC_ALIGNMENT_FRAME     1133
#define IDC_CLEANING_FRAME      1134
#define IDC_ALIGNMENT           1287
#define IDC_ALIGNMENT_TITLE     1288
#define IDC_ALIGNMENT_TEXT      1286
#define IDC_CLEANING            1290
#define IDC_CLEANING_TITLE      1291
#define IDC_CLEANING_TEXT       1289
#define IDB_ALIGNMENT_STRIP     4900
#define IDB_CLEANING_STRIP      4901

// Troubleshooting page: the status watch, the printer's internal pages and the web links.
#define IDC_SENTRY_FRAME        1241
#define IDC_SENTRY_TEXT         1242
#define IDC_SENTRY_LAST_TOPIC   1243
#define IDC_SENTRY_SETTINGS     1225
#define IDC_TEST_PAGES_FRAME    1131
#define IDC_TEST_PAGES_TEXT     1239
#define IDC_TEST_PAGES          1238
#define IDC_TEST_PRINT          1223
#define IDC_LINKS_FRAME         1224
#define IDC_LINK_FIRST          1212
#define IDC_LINK_FOURTH         1215
#define IDC_ABOUT_BOX           1229

// Basics and Main pages of the photo models: borderless printing, a two-level quality, the photo
// paper with its unit, and how the pictures fill the sheet. The quality picture takes the place
// of the Graphics page's resolution picture; the layout lists reuse the Layout page's numbers.
#define IDC_BORDERLESS          1248
#define IDC_QUALITY_PICTURE     1149
#define IDC_QUALITY_BEST        1145
#define IDC_QUALITY_NORMAL      1147
#define IDC_PAPER_UNIT          1249
#define IDC_SAME_IMAGE          1320
#define IDC_MULTIPLE_IMAGES     1321
#define IDC_SAME_COUNT          1322
#define IDC_PICTURES_PER_SHEET  1323
#define IDC_FIXED_SIZES         1069
#define IDC_FIXED_SIZE          1068

// About pages and the About box: the model's information lines; links as on Troubleshooting.
#define IDD_ABOUT_BOX           3026
// The same box opened by a right click on the Main page.
#define IDD_MAIN_ABOUT_BOX      3037
#define IDC_MODEL_INFO          1002

// Printing Sentry dialog: the watch's switch and polling interval.
#define IDD_SENTRY              3027
#define IDC_SENTRY_ENABLE       1246
#define IDC_SENTRY_INTERVAL_LABEL 1242
#define IDC_SENTRY_INTERVAL     1244
#define IDC_SENTRY_INTERVAL_SPIN 1245
