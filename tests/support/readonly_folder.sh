#!/usr/bin/env bash
# Makes or removes a folder that stands for a read-only medium: FOLDER/ro
# is FOLDER/rw mounted again read-only, so that a test writes its files
# through rw and reads them through ro, where every write fails as on a
# write-protected disk. Arguments: setup|cleanup FOLDER. Where mounting is
# not allowed the folder stays writable and the tests that need it say so
# and skip.
set -uo pipefail
action="$1"; folder="$2"
case "$action" in
setup)
    mkdir -p "$folder/rw" "$folder/ro"
    if mountpoint -q "$folder/ro"; then
        exit 0
    fi
    if mount --bind "$folder/rw" "$folder/ro" 2>/dev/null; then
        mount -o remount,bind,ro "$folder/ro" 2>/dev/null || umount "$folder/ro"
    fi
    mountpoint -q "$folder/ro" || echo "note: no read-only folder could be mounted at $folder/ro"
    ;;
cleanup)
    if mountpoint -q "$folder/ro"; then
        umount "$folder/ro"
    fi
    rm -rf "$folder/rw"
    ;;
esac
exit 0
