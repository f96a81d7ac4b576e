# Sourced by the scripts that run Windows programs: the build's own Wine prefix and quiet Wine.
# The prefix lives in the build folder, so a clean build starts from a clean prefix.
tandrelRoot=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX="${TANDREL_WINEPREFIX:-$tandrelRoot/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# Skip the Mono and Gecko installers, which would try to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
