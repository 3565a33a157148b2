# The Debian packages and locales that building and running Tallowcron here needs, and the check
# that installs what is missing. Sourced by tools/test and tools/run:
#
#   source tools/packages.sh
#   check_prerequisites        # installs what is missing when run as root, otherwise prints the
#                              # command to run as root and exits with 2

PACKAGES="wine wine64 libwine fonts-wine fonts-wqy-microhei g++-mingw-w64-x86-64-posix cmake make
          googletest xvfb x11-utils xdotool imagemagick locales python3 strace
          clang libclang-rt-14-dev clang-format clang-tidy"
LOCALES="zh_CN.UTF-8 en_US.UTF-8"
LOCALE_LINES="s/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/; s/^# *en_US.UTF-8 UTF-8/en_US.UTF-8 UTF-8/"
INSTALL="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y \
--no-install-recommends $(echo $PACKAGES) && sed -i '$LOCALE_LINES' /etc/locale.gen && locale-gen"

missing_packages() {
    local p
    for p in $PACKAGES; do
        [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || echo "$p"
    done
}

# "locale -a" spells them zh_CN.utf8.
missing_locales() {
    local l available
    available=$(locale -a 2>/dev/null)
    for l in $LOCALES; do
        grep -qix "${l%.UTF-8}.utf8" <<<"$available" || echo "$l"
    done
}

check_prerequisites() {
    local missing
    missing=$(echo $(missing_packages) $(missing_locales))
    [ -z "$missing" ] && return 0
    echo "Missing: $missing"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Run this as root, then run tools/$(basename "$0") again:"
        echo "$INSTALL"
        exit 2
    fi
    echo "Installing them (a few minutes on a fresh machine)..."
    bash -c "$INSTALL" || { echo "Installing failed." >&2; exit 2; }
}
