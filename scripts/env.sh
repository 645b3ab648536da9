# Sourced by the scripts: where things live and how Wine is run.
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
export WINEPREFIX=${WINEPREFIX:-$TESSALY_BUILD/wineprefix}
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
