# Sourced by the Wine helpers: the project-local prefix and the settings every Wine call uses.
project_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="$project_root/build/wine-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
