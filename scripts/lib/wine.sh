# Wine settings shared by the scripts. Source it; it sets no options.
#
# The product is a 32-bit program. Some kernels are built or booted without
# 32-bit execution ("32-bit emulation disabled"), and then 32-bit Wine cannot
# start at all; on such a machine the Windows tests run the same sources built
# for x86-64 under 64-bit Wine.

# Prints win32 when this machine can run 32-bit Wine, otherwise win64.
quorrin_wine_arch() {
  if [ -n "${QUORRIN_WINEARCH:-}" ]; then echo "$QUORRIN_WINEARCH"; return; fi
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}

# Exports the environment for Wine of the given arch (win32 or win64) with the
# prefix under the given build root.
quorrin_wine_env() {
  local arch=$1 build=$2
  export WINEARCH=$arch
  export WINEPREFIX=${QUORRIN_WINEPREFIX:-$build/wineprefix-$arch}
  if [ "$arch" = win32 ]; then
    export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
  else
    export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  # Code page 936 for GetACP/GetOEMCP; the locale need not be generated.
  export LC_ALL=zh_CN.UTF-8 2>/dev/null
  # WinINet obeys http_proxy: requests to loopback would go to the proxy.
  unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
}

# Makes the prefix once (wineboot, crash dialog off); concurrent callers wait.
quorrin_wine_prefix() {
  [ -f "$WINEPREFIX/.quorrin-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.quorrin-ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    # With the default DLL settings, whatever the caller disables: a prefix
    # made without a DLL would lack its classes for good.
    WINEDLLOVERRIDES=mscoree,mshtml= "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    local reg
    reg=$(mktemp --suffix=.reg)
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n' > "$reg"
    "$WINELOADER" reg import "$reg" >/dev/null 2>&1
    "$WINESERVER" -w
    rm -f "$reg"
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wine prefix $WINEPREFIX was not created" >&2; exit 1; }
    touch "$WINEPREFIX/.quorrin-ready"
  ) 9>"$WINEPREFIX.lock"
}
