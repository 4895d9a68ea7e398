#!/usr/bin/env bash
# The Windows build: cross-built with MinGW-w64, then under Wine its unit
# tests, a run of the installer (the same six files as the Linux run, its
# window on screen with "Attendere", a screenshot kept in build-windows/),
# eight runs at once in one directory (each waits for the lock in turn),
# a forced header conflict (" Errore n. 1250" in a message box, status 3,
# no compiled file), and a scenario of `scenario new` packaged by the Linux
# tool with the Windows installer (its window, the same six files as the
# Linux package; cut short, a message box and nothing written), the Windows
# tool against the Linux one (.ci/windows_tool.sh) and the release archive
# (.ci/check_release.sh). Expects the Linux build of the README in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

windows_build='tools/install_windows_build_dependencies.sh && cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake && cmake --build build-windows -j'
grep -qF -- "$windows_build" README.md || { echo "README.md no longer shows the Windows build" >&2; exit 1; }
eval "$windows_build" 2>&1 | tee build-windows.log
if grep -q "warning:" build-windows.log; then
  echo "the Windows build printed warnings" >&2
  exit 1
fi

# Prints the id of the window whose title matches $1, once it is on screen;
# fails after a minute.
await_window() {
  timeout 60 xdotool search --sync "${@:2}" --name "$1" | head -n 1
}

# The program started in the background as $1 shows a message box: checks
# that its +msgbox log $2 carries the text $3 (a grep pattern), keeps a
# screenshot $4, answers the box and checks that the program ends with
# status $5.
answer_message_box() {
  local program=$1 log=$2 text=$3 screenshot=$4 expected=$5 box status=0
  box=$(await_window '^Error$') || { echo "no message box came on screen" >&2; exit 1; }
  grep -q "msgbox:MSGBOX_OnInit L\"$text" "$log" ||
    { echo "the message box does not say $text" >&2; exit 1; }
  /usr/bin/import -window root "$screenshot"
  xdotool key --window "$box" Return
  wait "$program" || status=$?
  [ "$status" -eq "$expected" ] ||
    { echo "the program ended with status $status, not $expected" >&2; exit 1; }
}

# Compares the six files that runs of route $3 with train $4 installed in
# directories $1 and $2.
same_installed_files() {
  local file
  for file in "$3_$4_note.txt" "$3_$4_rallentamenti.txt" "$3_$4_scheda_treno.txt" \
              "$3_linea.dat" "$3_$4.sim" "$3_$4.dat"; do
    cmp "$1/$file" "$2/$file"
  done
}

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
wineboot -i >/dev/null 2>&1
# A test whose Wine client loses its server connection ("recvmsg:
# Connection reset by peer") is run once more; a real failure fails twice.
ctest --test-dir build-windows --output-on-failure --timeout 120 --repeat until-pass:2

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1

echo "== the installer under Wine"
mkdir "$work/windows" "$work/linux"
cp build-windows/src/Tarvosa_Corvale.exe "$work/windows/"
wine "$work/windows/Tarvosa_Corvale.exe" &
installer=$!
if ! window=$(await_window '^Tarvosa$' --onlyvisible); then
  echo "the window Tarvosa never came on screen" >&2
  exit 1
fi
# The screen shows the window once it is drawn: take pictures until it is.
for attempt in $(seq 40); do
  /usr/bin/import -window root build-windows/attendere.png
  [ "$(/usr/bin/convert build-windows/attendere.png -format '%[fx:mean>0]' info:)" = 1 ] && break
  sleep 0.1
done
[ "$(/usr/bin/convert build-windows/attendere.png -format '%[fx:mean>0]' info:)" = 1 ] ||
  { echo "the window was never drawn" >&2; exit 1; }
wait "$installer"
echo "window $window was on screen; screenshot in build-windows/attendere.png"
cp build/src/Tarvosa_Corvale "$work/linux/"
"$work/linux/Tarvosa_Corvale" 2>/dev/null
same_installed_files "$work/windows" "$work/linux" Tarvosa Corvale
[ "$(ls "$work/windows" | wc -l)" -eq 7 ] || { echo "the Windows run left other files" >&2; exit 1; }
echo "the Windows run installed the same six files as the Linux run"

echo "== eight installers started at once in one directory"
mkdir "$work/together"
cp build-windows/src/Tarvosa_Corvale.exe "$work/together/"
pids=()
for i in $(seq 8); do
  wine "$work/together/Tarvosa_Corvale.exe" &
  pids+=($!)
done
for pid in "${pids[@]}"; do
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || { echo "a run started with the others ended with status $status" >&2; exit 1; }
done
for file in Tarvosa_Corvale_note.txt Tarvosa_Corvale_rallentamenti.txt \
            Tarvosa_Corvale_scheda_treno.txt Tarvosa_linea.dat Tarvosa_Corvale.sim \
            Tarvosa_Corvale.dat; do
  cmp "$work/together/$file" "$work/linux/$file"
done
[ "$(ls "$work/together" | wc -l)" -eq 7 ] ||
  { echo "the runs together left other files: $(ls "$work/together")" >&2; exit 1; }
echo "eight runs at once each ended with status 0 and left the six files of one run"

echo "== a forced header conflict"
mkdir "$work/conflict"
cp build-windows/tests/forced_conflict.exe "$work/conflict/"
WINEDEBUG=+msgbox wine "$work/conflict/forced_conflict.exe" 2>"$work/msgbox.log" &
answer_message_box $! "$work/msgbox.log" ' Errore n. 1250"' build-windows/errore.png 3
[ "$(ls "$work/conflict")" = "forced_conflict.exe" ] ||
  { echo "the conflict left files: $(ls "$work/conflict")" >&2; exit 1; }
echo "the conflict showed \" Errore n. 1250\", ended with status 3 and wrote no compiled file"

echo "== a scenario packaged by the tool"
scenario=build/src/scenario
mkdir "$work/autore" "$work/package-windows" "$work/package-linux" "$work/package-cut"
"$scenario" new "$work/autore" >/dev/null
"$scenario" package "$work/autore" --windows --installer build-windows/src/Tarvosa_Corvale.exe \
  -o "$work/package-windows/Percorso_Treno.exe"
"$scenario" package "$work/autore" -o "$work/package-linux/Percorso_Treno" >/dev/null
wine "$work/package-windows/Percorso_Treno.exe" &
packaged=$!
if ! window=$(await_window '^Percorso$' --onlyvisible); then
  echo "the window Percorso never came on screen" >&2
  exit 1
fi
status=0
wait "$packaged" || status=$?
[ "$status" -eq 0 ] || { echo "the packaged run ended with status $status" >&2; exit 1; }
"$work/package-linux/Percorso_Treno" 2>/dev/null
same_installed_files "$work/package-windows" "$work/package-linux" Percorso Treno
[ "$(ls "$work/package-windows" | wc -l)" -eq 7 ] ||
  { echo "the packaged run left other files: $(ls "$work/package-windows")" >&2; exit 1; }
echo "window $window was on screen; the packaged run installed the same six files as the Linux package"

size=$(stat -c %s "$work/package-windows/Percorso_Treno.exe")
head -c $((size - 100)) "$work/package-windows/Percorso_Treno.exe" > "$work/package-cut/Percorso_Treno.exe"
WINEDEBUG=+msgbox wine "$work/package-cut/Percorso_Treno.exe" 2>"$work/cut.log" &
answer_message_box $! "$work/cut.log" '.*Percorso_Treno.exe: its scenario is cut short: ' \
  build-windows/cut_short.png 1
[ "$(ls "$work/package-cut")" = "Percorso_Treno.exe" ] ||
  { echo "the program cut short wrote files: $(ls "$work/package-cut")" >&2; exit 1; }
echo "the program cut short said so in a message box, ended with status 1 and wrote nothing"

echo "== the scenario tool under Wine"
.ci/windows_tool.sh

echo "== the release archive"
(cd build-windows && cpack >/dev/null)
version=$(sed -n 's/^project(Tarvosa VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
.ci/check_release.sh "build-windows/tarvosa-$version-windows-x86_64.zip" wine
