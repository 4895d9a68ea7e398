#!/usr/bin/env bash
# Unpacks the release archive $1 (made by `cpack` in a build directory) in
# an empty directory and runs from there what it holds: the installer,
# which must install its six files beside itself, and the tool, which must
# report the version set in CMakeLists.txt and export and check the example,
# compiling it as the installer did. $2 runs the programs ("wine" for the
# Windows archive); without it they run as they are.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
archive=$(realpath "$1")
runner=${2:-}
version=$(sed -n 's/^project(Tarvosa VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
suffix=""
[ -n "$runner" ] && suffix=.exe

fail() {
  echo "$(basename "$archive"): $1" >&2
  exit 1
}
run() {
  if [ -n "$runner" ]; then "$runner" "$@"; else "$@"; fi
}

place=$(mktemp -d)
trap 'rm -rf "$place"' EXIT
(cd "$place" && cmake -E tar xf "$archive")
name=$(basename "$archive")
top="$place/${name%%.tar.gz}"
top="${top%%.zip}"
[ "$(ls "$place")" = "$(basename "$top")" ] || fail "holds $(ls "$place"), not one directory $(basename "$top")"
case "$name" in
  "tarvosa-$version-"*) ;;
  *) fail "is not named for the version $version" ;;
esac
for file in "Tarvosa_Corvale$suffix" "scenario$suffix" README.md docs/format.md \
            third_party/uplot/LICENSE third_party/cli11/LICENSE third_party/nlohmann-json/LICENSE; do
  [ -f "$top/$file" ] || fail "lacks $file"
done
grep -qaF "Tarvosa_Corvale version $version" "$top/Tarvosa_Corvale$suffix" ||
  fail "its installer does not carry the version $version"

cd "$top"
status=0
run "./Tarvosa_Corvale$suffix" 2>/dev/null || status=$?
[ "$status" -eq 0 ] || fail "its installer ended with status $status"
for file in Tarvosa_Corvale_note.txt Tarvosa_Corvale_rallentamenti.txt \
            Tarvosa_Corvale_scheda_treno.txt Tarvosa_linea.dat Tarvosa_Corvale.sim \
            Tarvosa_Corvale.dat; do
  [ -f "$file" ] || fail "its installer did not write $file"
done

[ "$(run "./scenario$suffix" --version)" = "scenario $version" ] ||
  fail "its tool does not report the version $version"
run "./scenario$suffix" export esempio >/dev/null
run "./scenario$suffix" check esempio/Tarvosa_linea.txt esempio/Tarvosa_Corvale-.txt 2>check.txt ||
  { cat check.txt >&2; fail "its tool did not check the example cleanly"; }
[ "$(tail -n 1 check.txt)" = "no error" ] || fail "its tool's check said $(tail -n 1 check.txt)"
mkdir compilato
run "./scenario$suffix" compile esempio/Tarvosa_linea.txt esempio/Tarvosa_Corvale-.txt \
  -o compilato >/dev/null 2>&1
for file in Tarvosa_linea.dat Tarvosa_Corvale.sim Tarvosa_Corvale.dat; do
  cmp "$file" "compilato/$file" || fail "its tool and its installer compiled $file differently"
done
echo "$(basename "$archive"): unpacked, its installer installed the scenario and its tool" \
  "reported $version and checked the example"
