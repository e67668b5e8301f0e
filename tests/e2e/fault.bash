# Shared steps of the fault scenarios (fault_*.sh) that put the data
# directory on a file system of their own: a small tmpfs, or a read-only
# mount. Mounting needs root (or CAP_SYS_ADMIN); where the machine refuses
# it, the scenario is skipped and says why. Every mount made here is undone
# when the scenario ends, whatever its outcome, before the scenario folder
# is removed. Source it after lib.sh, installer.inc and e2e_begin.

FAULT_MOUNTS=()

# Ends the Wine processes (they may hold files on the mounts), unmounts, then
# runs the library's cleanup with the scenario's exit status.
fault_cleanup() {
  local status=$1 i
  if [ ${#FAULT_MOUNTS[@]} -gt 0 ]; then
    timeout 30 wineserver -k >/dev/null 2>&1
    timeout 30 wineserver -w >/dev/null 2>&1
    for ((i = ${#FAULT_MOUNTS[@]} - 1; i >= 0; i--)); do
      umount "${FAULT_MOUNTS[$i]}" 2>/dev/null || umount -l "${FAULT_MOUNTS[$i]}" 2>/dev/null ||
        echo "[$E2E_NAME] could not unmount ${FAULT_MOUNTS[$i]}" >&2
    done
  fi
  (exit "$status")
  e2e_cleanup
}
trap 'fault_cleanup $?' EXIT

# Runs mount with the given arguments; skips the scenario when mounting is
# refused. The last argument is the mount point, unmounted at the end.
fault_mount() {
  local out
  out=$(mount "$@" 2>&1) || e2e_skip "this machine refuses to mount (mount $*: $out); the scenario needs root with CAP_SYS_ADMIN"
  FAULT_MOUNTS+=("${!#}")
}

# A tmpfs of SIZE (e.g. 300k) at the Unix folder DIR.
fault_mount_tmpfs() {
  mkdir -p "$2"
  fault_mount -t tmpfs -o "size=$1,mode=0755" tmpfs "$2"
}

# Makes the Unix folder DIR read-only in place (a read-only bind mount of
# itself): no file can be created, written or deleted there, not even by root.
fault_make_readonly() {
  fault_mount --bind "$1" "$1"
  mount -o remount,bind,ro "$1" 2>/dev/null || e2e_skip "this machine refuses a read-only remount of $1"
}

# Records DIR (a Windows path) as the data directory in brevio.ini, so that
# the installer proposes it and, as it exists, asks nothing about it.
fault_record_data_dir() {
  printf '[Options]\r\ndataDir=%s\r\n' "$1" >"$(e2e_path "$BREVIO_INI")"
}

# Free bytes on the file system of the Unix folder DIR.
fault_free_bytes() { df -B1 --output=avail "$1" | tail -n 1 | tr -d ' '; }

# Fills the file system of the Unix folder DIR with the file FILLER until
# exactly LEFT bytes (a multiple of the page size) stay free.
fault_fill() {
  local dir=$1 left=$2 filler=$1/$3
  dd if=/dev/zero of="$filler" bs=4096 2>/dev/null  # until the file system is full
  [ "$(fault_free_bytes "$dir")" = 0 ] || e2e_fail "could not fill $dir"
  if [ "$left" -gt 0 ]; then
    truncate -s "-$left" "$filler" || e2e_fail "could not free $left bytes in $dir"
  fi
  [ "$(fault_free_bytes "$dir")" = "$left" ] ||
    e2e_fail "$dir has $(fault_free_bytes "$dir") bytes free, wanted $left"
}

# Expects no payload file in DIR (a Unix folder).
fault_expect_no_payload() {
  local name
  for name in "${PAYLOAD_FILES[@]}"; do
    [ -e "$1/$name" ] && e2e_fail "$name was left in $1 ($(stat -c %s "$1/$name") bytes)"
  done
  return 0
}
