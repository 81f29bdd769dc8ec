#!/usr/bin/env bash
# A day fetched from a local server as the official archives, then checked from the data folder,
# gives the figures of the same day's text files.
set -euo pipefail
fetch=$1 check=$2 jlha=$3 samples=$4 work=$5
rm -rf "$work"
mkdir -p "$work/site/od2/B/200604" "$work/site/od2/K/200604" "$work/site/kibetsu" "$work/pack" "$work/data"
cp "$samples/B060415.TXT" "$samples/K060415.TXT" "$work/pack/"
cp "$samples/Fan0510.txt" "$work/pack/fan0604.txt"
(cd "$work/pack" && "$jlha" aq b060415.lzh B060415.TXT >/dev/null && "$jlha" aq k060415.lzh K060415.TXT >/dev/null &&
  "$jlha" aq fan0604.lzh fan0604.txt >/dev/null)
cp "$work/pack/b060415.lzh" "$work/site/od2/B/200604/"
cp "$work/pack/k060415.lzh" "$work/site/od2/K/200604/"
cp "$work/pack/fan0604.lzh" "$work/site/kibetsu/"

python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/site" >"$work/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
port=""
for _ in $(seq 1 50); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$work/server.log" | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || { echo "the local server did not start"; exit 1; }

WAKORIN_DAY_FILES_URL="http://127.0.0.1:$port/od2" WAKORIN_RACER_FILES_URL="http://127.0.0.1:$port/kibetsu" \
  "$fetch" --into "$work/data" 2006-04-15
figures() { "$check" -q "$1" | grep -v '^Checked'; }
fetched=$(cd "$work" && figures data)
text=$(cd "$samples" && figures .)
if [ "$fetched" != "$text" ]; then
  echo "figures differ:"; echo "$fetched"; echo "---"; echo "$text"; exit 1
fi
echo "same figures: $(cd "$work" && "$check" -q data | head -1)"
