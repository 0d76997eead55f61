# Shell functions for the project's Wine prefixes, sourced by the scripts
# that start Wine. The shared prefix is made once per build folder (wineboot
# takes tens of seconds); every other prefix is a copy of it (seconds).

# make_prefix PREFIX: creates PREFIX with wineboot unless it exists. Several
# tests may start at once on a fresh clone: one of them makes it.
make_prefix() {
  mkdir -p "$(dirname "$1")"
  (
    flock 9
    if [ ! -f "$1/system.reg" ]; then
      echo "wine-run: creating Wine prefix $1 (once, about 20 s)" >&2
      # No Mono or Gecko install prompts, whoever calls.
      export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
      WINEPREFIX="$1" wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX="$1" wineserver -w || true
    fi
  ) 9>"$1.lock"
}

# copy_prefix TEMPLATE PREFIX: PREFIX as a copy of TEMPLATE unless it exists.
copy_prefix() {
  (
    flock 9
    if [ ! -f "$2/system.reg" ]; then
      # Files that programs running in the template create and delete
      # meanwhile may be missed.
      echo "wine-run: copying Wine prefix $1 to $2" >&2
      rm -rf "$2"
      cp -a "$1" "$2" 2>/dev/null || true
    fi
  ) 9>"$2.lock"
}

# ensure_prefix PREFIX [TEMPLATE]: PREFIX made, as a copy of TEMPLATE (made
# first when missing) when one is named.
ensure_prefix() {
  [ -f "$1/system.reg" ] && return 0
  if [ -n "${2:-}" ]; then
    make_prefix "$2"
    copy_prefix "$2" "$1"
  else
    make_prefix "$1"
  fi
}

# set_screen_dpi PREFIX DPI: the screen's dots per inch for programs started
# in PREFIX, written straight into its user registry file. That file is read
# when the prefix's server starts, so no Wine program need run for it; the
# prefix must have no server running (a fresh copy has none).
set_screen_dpi() {
  reg="$1/user.reg"
  value=$(printf '"LogPixels"=dword:%08x' "$2")
  awk -v value="$value" '
    /^\[/ { if (inside) { print value; done = 1 } inside = ($0 ~ /^\[Control Panel\\\\Desktop\]/) ; print; next }
    inside && /^"LogPixels"=/ { next }
    inside && /^$/ { print value; done = 1; inside = 0 }
    { print }
    END {
      if (inside) { print value; done = 1 }
      if (!done) { print ""; print "[Control Panel\\\\Desktop]"; print value }
    }
  ' "$reg" >"$reg.new"
  mv "$reg.new" "$reg"
}
