#!/usr/bin/env bash
# The throw-away Wine prefix of the media-sharing tests, which register a service in it.
# usage: throwaway_prefix.sh setup|cleanup DIR BUILD_PREFIX
# setup copies the build's prefix into DIR/prefix (or makes a new one where there is none),
# marks it and starts its server; cleanup ends that server and removes DIR.
set -euo pipefail
action=$1 dir=$2 source_prefix=$3
case "$dir" in
  /tmp/wevo-media-*) ;;
  *) echo "refusing a prefix folder outside /tmp/wevo-media-*: $dir" >&2; exit 2 ;;
esac
export WINEPREFIX="$dir/prefix"
[ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; }
rm -rf "$dir"
[ "$action" = cleanup ] && exit 0

mkdir -p "$dir"
start=$SECONDS
if [ -f "$source_prefix/system.reg" ]; then
  cp -a "$source_prefix" "$WINEPREFIX"
else
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
touch "$WINEPREFIX/drive_c/wevo-throwaway"
# The server and Wine's own services stay between the tests, and end a minute after the last.
wineserver -p60 >/dev/null 2>&1 </dev/null
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
echo "throw-away prefix ready in $((SECONDS - start)) s: $WINEPREFIX"
