#!/usr/bin/env bash
# The scenario tool of the Windows build under Wine against the Linux tool:
# each runs new, export, check, compile, view, package (the Windows and the
# Linux installer, each found beside the tool) and decompile in a directory
# of its own under one named "Società", with the same words; their outputs,
# files and exit statuses must be the same byte for byte, but for the
# directory separator in the paths they print. Run by .ci/windows.sh, or
# alone after both builds (it starts its own Wine prefix when WINEPREFIX is
# unset).
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
  wineboot -i >/dev/null 2>&1
fi
# Wine reads the words of the command line in the locale's encoding.
export LC_ALL=C.UTF-8

root="$work/Società"
mkdir -p "$root/linux/strumenti" "$root/windows/strumenti"
cp build/src/scenario build/src/Tarvosa_Corvale build-windows/src/Tarvosa_Corvale.exe \
  "$root/linux/strumenti/"
cp build-windows/src/scenario.exe build/src/Tarvosa_Corvale build-windows/src/Tarvosa_Corvale.exe \
  "$root/windows/strumenti/"

# Runs the tool of side $1 in its directory with the words $3...; keeps its
# output, error and status under the name $2.
run_tool() {
  local side=$1 name=$2 status=0
  shift 2
  if [ "$side" = windows ]; then
    (cd "$root/windows" && wine strumenti/scenario.exe "$@") \
      >"$root/windows.$name.out" 2>"$root/windows.$name.err" || status=$?
  else
    (cd "$root/linux" && strumenti/scenario "$@") \
      >"$root/linux.$name.out" 2>"$root/linux.$name.err" || status=$?
  fi
  echo "$status" >"$root/$side.$name.status"
}

# Runs both tools with the words $2... and compares what they said (the
# Windows tool's backslashes read as slashes) and how they ended.
both() {
  local name=$1 stream
  shift
  run_tool linux "$name" "$@"
  run_tool windows "$name" "$@"
  for stream in out err status; do
    if ! cmp -s "$root/linux.$name.$stream" <(tr '\\' / <"$root/windows.$name.$stream"); then
      echo "scenario $name: the Windows tool's $stream differs from the Linux tool's:" >&2
      diff "$root/linux.$name.$stream" <(tr '\\' / <"$root/windows.$name.$stream") >&2 || true
      exit 1
    fi
  done
  echo "scenario $* (status $(cat "$root/linux.$name.status")): the same on both"
}

# The files both tools wrote under the name $1 (a file or a directory).
same_files() {
  diff -r "$root/linux/$1" "$root/windows/$1" >/dev/null ||
    { echo "the tools wrote different $1" >&2; diff -rq "$root/linux/$1" "$root/windows/$1" >&2; exit 1; }
}

both version --version
grep -qx "scenario $(sed -n 's/^project(Tarvosa VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)" \
  "$root/windows.version.out" || { echo "scenario --version names another version" >&2; exit 1; }
both new new città --route Lago --train Espresso
same_files città
both export export esempio
same_files esempio
line=esempio/Tarvosa_linea.txt train=esempio/Tarvosa_Corvale-.txt
both check check "$line" "$train"
mkdir "$root/linux/compilato" "$root/windows/compilato"
both compile compile "$line" "$train" -o compilato
same_files compilato
both view view "$line" "$train" -o vista.html
same_files vista.html
both package-windows package esempio --windows -o pacchetti/Esempio.exe
both package-linux package esempio -o pacchetti/Esempio
same_files pacchetti
both decompile decompile compilato -o decompilato
same_files decompilato
# Failures say the same too: a missing input, and a scenario broken in a
# file whose name is not ASCII, with its data error (status 2).
both missing check esempio/Manca_linea.txt "$train"
for side in linux windows; do
  sed 's/^lunghezza percorso,.*8000/lunghezza percorso,    x/' "$root/$side/città/Lago_linea.txt" \
    >"$root/$side/città/Lago_linea_già.txt"
done
both broken check città/Lago_linea_già.txt città/Lago_Espresso-.txt
grep -qx 2 "$root/windows.broken.status" || { echo "a data error is not status 2" >&2; exit 1; }
echo "the Windows tool under Wine said and wrote what the Linux tool did, in Società/"
