#!/usr/bin/env bash
# Makes vardex.msi: wixl builds it from vardex.wxs, then msitools sets in its tables what wixl
# cannot say:
# - a package of the version installed replaces it (a rebuild would otherwise be installed
#   beside it, with a second entry under Add or Remove Programs);
# - the properties an administrator sets on the command line reach the installation when it
#   runs elevated.
#
#   make_msi.sh VERSION APP_DIR WXS OUT
set -euo pipefail
version=$1
app=$2
wxs=$3
out=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wixl takes the files' paths relative to where it runs.
(cd "$app" && wixl -a x64 -D Version="$version" -D AppDir=. -o "$work/vardex.msi" "$wxs")
tab=$'\t'
# The upgrade row takes the installed version too (its attributes 1 + 0x200, maximum included).
msiinfo export "$work/vardex.msi" Upgrade |
    sed "s/^\([^$tab]*$tab$tab[^$tab]*$tab$tab\)1\($tab${tab}WIX_UPGRADE_DETECTED\)/\1513\2/" \
        >"$work/Upgrade.idt"
grep -q "${tab}513${tab}${tab}WIX_UPGRADE_DETECTED" "$work/Upgrade.idt"
msiinfo export "$work/vardex.msi" Property |
    sed "s/^\(SecureCustomProperties$tab.*\)\r\$/\1;INSTALLDIR;KEPTDIR;REMOVESETTINGS\r/" \
        >"$work/Property.idt"
grep -q "REMOVESETTINGS" "$work/Property.idt"
(cd "$work" && msibuild vardex.msi -i Upgrade.idt -i Property.idt)
mv "$work/vardex.msi" "$out"
