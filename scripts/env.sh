# Sourced by the scripts: where things live and how Wine is run.
TESSALY_ROOT=${TESSALY_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TESSALY_BUILD=${TESSALY_BUILD:-$TESSALY_ROOT/build}
# Programs run and are tested as 64-bit Windows programs under 64-bit Wine:
# it needs no 32-bit user code on the Linux side, which some machines lack.
export WINEPREFIX=${WINEPREFIX:-$TESSALY_BUILD/wineprefix64}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
case ":$PATH:" in *":$TESSALY_ROOT/scripts/winebin:"*) ;; *) export PATH="$TESSALY_ROOT/scripts/winebin:$PATH" ;; esac

# Configures and builds the fuzz tree (clang, libFuzzer) in build/fuzz.
tessaly_build_fuzz_tree() {
    CC=clang CXX=clang++ cmake -S "$TESSALY_ROOT" -B "$TESSALY_BUILD/fuzz" -DTESSALY_FUZZ=ON \
        -DTESSALY_WERROR="${TESSALY_WERROR:-ON}" >/dev/null
    cmake --build "$TESSALY_BUILD/fuzz" -j"$(nproc)"
}
