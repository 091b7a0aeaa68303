# Sourced by the Wine test scripts: the build's own Wine prefix, made once even when several
# tests start at the same moment, and Wine's DLL search path from ORV52_WINE_DLL_DIRS (none when
# it is empty, as for an installed program).
export WINEPREFIX=${ORV52_WINE_PREFIX:?the Wine prefix is not set}
# No debug channels, and no offer to install Mono or Gecko, which would open a window.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export QT_QPA_PLATFORM=windows

# Windows' dialog font, "MS Shell Dlg", is Qt's default font there. Wine 8 as Debian ships it
# neither loads its own Tahoma from /usr/share/wine/fonts nor lists that name, so Qt would fall
# back to the first font it finds. The prefix gets Tahoma and the name, as Windows has them.
make_prefix() {
  wineboot --init && wineserver -w || return
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return
  for name in "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d Tahoma /f || return
  done
  wineserver -w && touch "$WINEPREFIX/.orv52-ready"
}

if [[ ! -f $WINEPREFIX/.orv52-ready ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [[ -f $WINEPREFIX/.orv52-ready ]] || make_prefix >/dev/null 2>&1
  ) 9>"$WINEPREFIX.lock"
fi

WINEPATH=
IFS=: read -ra dll_dirs <<<"${ORV52_WINE_DLL_DIRS:-}"
for dir in "${dll_dirs[@]}"; do
  WINEPATH+="Z:${dir//\//\\};"
done
export WINEPATH
