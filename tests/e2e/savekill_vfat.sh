#!/bin/bash
# Saves of the stored keys killed on a real FAT file system: a small image, formatted and
# mounted here. Skips when the machine offers no mkfs.vfat or allows no loop mount.
# Usage: savekill_vfat.sh SAVEKILL RANDOM_KILLS
set -u
savekill=$1
kills=${2:-100}
command -v mkfs.vfat >/dev/null || { echo "SKIP: no mkfs.vfat (dosfstools)"; exit 77; }
work=$(mktemp -d)
mounted=""
cleanup() {
    [ -n "$mounted" ] && umount "$work/mnt" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
truncate -s 32M "$work/fat.img"
mkfs.vfat -n OMBRIXKILL "$work/fat.img" >/dev/null || { echo "SKIP: mkfs.vfat failed"; exit 77; }
mkdir "$work/mnt"
if ! mount -o loop,uid="$(id -u)" "$work/fat.img" "$work/mnt" 2>"$work/mount.err"; then
    echo "SKIP: this machine allows no loop mount: $(cat "$work/mount.err")"
    exit 77
fi
mounted=yes
"$savekill" "$work/mnt/keys" "$kills"
