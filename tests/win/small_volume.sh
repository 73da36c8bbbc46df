#!/bin/sh
# Mounts (--setup) or unmounts (--teardown) a tmpfs of 64 KiB at the given folder, for the save
# tests that fill a file system. Where mounting is not allowed (not root, a container without
# the right) it says so and still succeeds: those tests then skip with a message of their own.
folder=$2
case $1 in
  --setup)
    mkdir -p "$folder"
    mountpoint -q "$folder" || mount -t tmpfs -o size=64k tmpfs "$folder" 2>/dev/null ||
      echo "small_volume: cannot mount a tmpfs at $folder (needs root): the full-file-system tests skip"
    ;;
  --teardown)
    if mountpoint -q "$folder"; then umount "$folder"; fi
    ;;
esac
exit 0
