// The module's version, shown in its version block and in the About pages.
#pragma once

#define QXGE_VERSION_MAJOR 1
#define QXGE_VERSION_MINOR 0
#define QXGE_VERSION_BUILD 0
#define QXGE_VERSION_TEXT "1.0.0"
