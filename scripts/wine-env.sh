# Sourced by the build, test and demo scripts: one private, headless Wine prefix per build
# folder and one persistent wineserver for a whole test run.
QXGE_ROOT=${QXGE_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
QXGE_BUILD=${QXGE_BUILD:-$QXGE_ROOT/build}
export WINEPREFIX=$QXGE_BUILD/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installers: nothing here needs .NET or the HTML engine.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Converts a Unix path to the form Wine programs see (drive Z: maps the Unix root).
qxge_winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

qxge_wine_init() {
  mkdir -p "$QXGE_BUILD"
  if [ ! -f "$WINEPREFIX/.qxge-ready" ]; then
    echo "wine-env: creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    touch "$WINEPREFIX/.qxge-ready"
  fi
  # Debian's Wine finds the Marlett of its own fonts only in the prefix's Fonts folder; without
  # it the title-bar buttons of a screenshot show letters.
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then cp "$marlett" "$fonts/"; fi
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # The prefix's services (winedevice) outlive the program that starts them and keep its
  # output open; started here, they hold no pipe of a test run or of CI.
  wineboot >/dev/null 2>&1 </dev/null || true
}

# null: headless runs; x11: a desktop with a window manager; x11-bare: Xvfb, where no window
# manager draws frames, so Wine draws them itself and pictures show the sheet's caption.
# The desktop process picks its driver once, when it starts: a change restarts the server so
# that the next program gets a desktop with the driver asked for, not one with none at all.
qxge_wine_graphics() {
  local want=$1 now= driver=x11 managed=Y
  [ -f "$WINEPREFIX/.qxge-graphics" ] && now=$(cat "$WINEPREFIX/.qxge-graphics")
  [ "$now" = "$want" ] && return 0
  case $want in
    null) driver=null ;;
    x11-bare) managed=N ;;
  esac
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$managed" /f >/dev/null 2>&1
  echo "$want" >"$WINEPREFIX/.qxge-graphics"
  qxge_wine_stop
  wineserver -w
  qxge_wine_init
}

qxge_wine_stop() { wineserver -k >/dev/null 2>&1 || true; }
