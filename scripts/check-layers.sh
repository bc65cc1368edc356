#!/usr/bin/env bash
# Checks the project's includes against its layers; cheap (one grep over the sources).
#
#   1. Every quoted include names a project header by its path from one fixed root: the
#      editor's headers from editor/ ("device/link/transport.h"), the serial library's public
#      headers from serial/include/ ("zudedize/threaded_api.h"), everything else from the
#      project's folder ("sim/simulator.h", "loader/kpx2.h", "serial/comm_port.h",
#      "tests/support/wait_until.h"); "orvel/version.h" is generated. A bare name, or a path
#      that more than one root finds, fails.
#   2. In editor/, a file includes headers of its own folder and of the folders below its own
#      in LAYERS, never of one above. A program's main.cpp stands above every layer. Outside
#      editor/, the editor includes only kpx2.h, the serial library's public headers and the
#      version.
#   3. kpx-sim (sim/) includes only its own headers and the version; kpx2 (loader/) and the
#      serial library (serial/) only their own and the serial library's public headers.
#   4. No include cycle among the editor's files (tsort finds one).
set -euo pipefail
cd "$(dirname "$0")/.."

# The editor's folders, lowest first.
LAYERS=(
  model
  files
  files/library     # the set-up library: listing, index, search, following the folders
  device            # user_messages.h, controller_constants.h: shared by every device layer
  device/converter
  device/link
  device/protocol
  device/commands
  ui/rules
  ui                # qt_values.h, wheel_to_parent.h: small Qt helpers of the widgets
  ui/print
  ui/grid
  ui/pictures
  ui/settings
  ui/library
  ui/device
  ui/window
  cli
)

files=$(git ls-files -co --exclude-standard -- '*.h' '*.cpp' '*.c' ':!:tests/package/kpx2_caller')
layers=$(printf '%s\n' "${LAYERS[@]}" | sed 's/ *#.*//')

# Each include as "file<TAB>line<TAB>name"; then the checks, with every project file known.
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT
failed=0
# shellcheck disable=SC2086
grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' $files |
  sed -E 's/^([^:]+):([0-9]+):[^"]*"([^"]*)".*/\1\t\2\t\3/' |
  awk -F'\t' -v files="$files" -v layers="$layers" -v edges="$edges" '
    BEGIN {
      n = split(files, list, "\n"); for (i = 1; i <= n; i++) exists[list[i]] = 1
      n = split(layers, list, "\n"); for (i = 1; i <= n; i++) rank[list[i]] = i
    }
    function fail(text) { printf "%s:%s: \"%s\": %s\n", $1, $2, $3, text; failed = 1 }
    function folder(path) { return path ~ /\// ? substr(path, 1, match(path, /\/[^\/]*$/) - 1) : "" }
    {
      file = $1; name = $3; area = file; sub(/\/.*/, "", area)
      if (name == "orvel/version.h") { found = "generated" }
      else {
        found = ""; count = 0
        if (("editor/" name) in exists) { found = "editor/" name; count++ }
        if (("serial/include/" name) in exists) { found = "serial/include/" name; count++ }
        if (name in exists) { found = name; count++ }
        if (name !~ /\//) { fail("a bare name: name the header by its folder"); next }
        if (name ~ /^(editor|serial\/include)\//) { fail("named from the wrong root"); next }
        if (count == 0) { fail("no project header by this path"); next }
        if (count > 1) { fail("more than one root has this path"); next }
      }
      if (area == "editor") {
        if (found !~ /^editor\//) {
          if (name != "orvel/version.h" && name != "loader/kpx2.h" && name !~ /^zudedize\//)
            fail("the editor includes only kpx2.h, zudedize/ and the version from outside editor/")
          next
        }
        print file, found > edges
        if (file ~ /\/main\.cpp$/) next
        from = folder(substr(file, 8)); to = folder(name)
        if (!(from in rank)) { fail("the including folder editor/" from " is not in LAYERS"); next }
        if (!(to in rank)) { fail("the folder editor/" to " is not in LAYERS"); next }
        if (from != to && rank[to] >= rank[from]) fail("editor/" from " reaches up to editor/" to)
      } else if (area == "sim") {
        if (name != "orvel/version.h" && name !~ /^sim\//) fail("kpx-sim includes only its own headers")
      } else if (area == "loader") {
        if (name !~ /^(loader|zudedize)\//) fail("kpx2 includes only its own and zudedize/ headers")
      } else if (area == "serial") {
        if (name !~ /^(serial|zudedize)\//) fail("the serial library includes only its own headers")
      }
    }
    END { exit failed }' || failed=1

if ! loop=$(tsort <"$edges" 2>&1 >/dev/null) || [ -n "$loop" ]; then
  echo "$loop"
  echo "layer check: an include cycle in editor/"
  failed=1
fi
[ "$failed" -eq 0 ] || exit 1
echo "layer check: every include names its folder; no include goes up a layer or round a cycle"
