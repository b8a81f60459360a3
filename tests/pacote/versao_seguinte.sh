#!/bin/sh
# tests/pacote/versao_seguinte.sh OUT_DIR DEB...
# The packages of the upgrade test's higher version, made from the built
# ones without building again: each DEB unpacked, its version and the
# versions it depends on of its own source given a ".1", the default
# config.txt given a new section (a setting an upgrade brings, which the
# launcher must add to each player's file), its md5sums brought up to date,
# and packed again into OUT_DIR under the new name.
set -eu
out=$1
shift
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for deb in "$@"; do
    version=$(dpkg-deb -f "$deb" Version)
    tree=$work/$(dpkg-deb -f "$deb" Package)
    dpkg-deb -R "$deb" "$tree"
    # "zepko-data (= 1.2.0-1)" in Depends, Breaks or Replaces moves with it.
    sed -i -e "s/^Version: .*/Version: $version.1/" -e "s/(= $version)/(= $version.1)/g" \
        "$tree/DEBIAN/control"
    config=$(cd "$tree" && find usr -path '*/zepko/config.txt')
    if [ -n "$config" ]; then
        printf '\n[teste]\nnova = 1\n' >>"$tree/$config"
        sum=$(cd "$tree" && md5sum "$config")
        awk -v path="$config" -v sum="$sum" '$2 == path { print sum; next } { print }' \
            "$tree/DEBIAN/md5sums" >"$work/md5sums"
        cat "$work/md5sums" >"$tree/DEBIAN/md5sums"
    fi
    dpkg-deb --root-owner-group -Zxz -b "$tree" "$out/$(basename "$deb" | sed "s/_${version}_/_$version.1_/")" >/dev/null
    rm -rf "$tree"
done
