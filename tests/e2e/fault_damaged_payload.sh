#!/usr/bin/env bash
# An installer whose image has one payload byte flipped (a damaged download or
# a bad copy). The scenario takes a copy of installer.exe, finds the pieces in
# it (the generated payload table in the build tree says where each piece
# lies in payloadData, and payload.bin is found whole in the image), and
# flips the byte in the middle of one piece: the second piece of the first
# file that has two, or else the piece of the last file. The piece no longer
# inflates (its check sum, if nothing earlier, gives it away). The installer
# says "unable to finish writing" under "Brevio Paper Installation Failed";
# while the message stands, the files before the damaged one are complete and
# the damaged one holds exactly the pieces before the damaged piece (30000
# bytes each), nothing of the damaged piece. After OK no payload file is left
# and the exit status is 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer.inc"
e2e_begin

WRITE_FAILED_TEXT="The application was unable to finish writing a file to disk. Your hard drive is probably full. Check your available disk space, make additional space available, and run the setup program again."
SLICE=30000
damaged=$E2E_DIR/installer.exe
cp "$E2E_INSTALLER" "$damaged"

# Prints "FILE PIECE OFFSET": the file index, the piece index and the offset
# in the image of the byte that was flipped.
read -r file piece offset < <(python3 - "$E2E_PAYLOAD/payload.cpp" "$E2E_PAYLOAD/payload.bin" "$damaged" <<'EOF'
import re, sys
table, blob, image = sys.argv[1], open(sys.argv[2], 'rb').read(), sys.argv[3]
text = open(table).read()
starts = {int(i): [int(x) for x in re.findall(r'payloadData \+ (\d+)', body)]
          for i, body in re.findall(r'file(\d+)Pieces\[\] = \{(.*?)\};', text, re.S)}
lengths = {int(i): [int(x) for x in re.findall(r'(\d+),', body)][:len(starts[int(i)])]
           for i, body in re.findall(r'file(\d+)Lengths\[\] = \{(.*?)\};', text, re.S)}
files = sorted(starts)
multi = [f for f in files if len(starts[f]) >= 2]
f, p = (multi[0], 1) if multi else (files[-1], 0)
data = bytearray(open(image, 'rb').read())
base = data.find(blob)
if base < 0 or data.find(blob, base + 1) >= 0:
    sys.exit('payload.bin is not found exactly once in the image')
at = base + starts[f][p] + lengths[f][p] // 2
data[at] ^= 0xFF
open(image, 'wb').write(data)
print(f, p, at)
EOF
) || e2e_fail "could not damage the payload in $damaged"
[ -n "$offset" ] || e2e_fail "could not damage the payload in $damaged"
name=${PAYLOAD_FILES[$file]}
e2e_log "flipped the byte at $offset of the image: piece $piece of $name"

target=$(e2e_path "$BREVIO_DIR")
mkdir -p "$target"
e2e_watch_start "Setup Progress"
e2e_start installer "$damaged"
e2e_wait_window "$FAILED_CAPTION" 60000 "Closing Running Copies=ok"
e2e_expect_seen "Setup Progress"
e2e_expect_box "$FAILED_CAPTION" "$WRITE_FAILED_TEXT"

# What stands on the disk while the message is shown.
for ((i = 0; i < file; i++)); do
  e2e_expect_same_file "$(payload_source "${PAYLOAD_FILES[$i]}")" "$target/${PAYLOAD_FILES[$i]}"
done
[ -f "$target/$name" ] || e2e_fail "$name was not created"
cmp -s -n $((piece * SLICE)) "$(payload_source "$name")" "$target/$name" ||
  e2e_fail "the pieces of $name before the damaged one were not written as they are"
written=$(stat -c %s "$target/$name")
[ "$written" = $((piece * SLICE)) ] ||
  e2e_fail "$name holds $written bytes, expected $((piece * SLICE)): the damaged piece was written"
for ((i = file + 1; i < ${#PAYLOAD_FILES[@]}; i++)); do
  e2e_expect_no_file "$target/${PAYLOAD_FILES[$i]}"
done
e2e_log "while the message stands: $name holds $written bytes, none of the damaged piece"

e2e_answer "$FAILED_CAPTION" ok
e2e_expect_exit installer 0
for name in "${PAYLOAD_FILES[@]}"; do e2e_expect_no_file "$target/$name"; done
e2e_expect_no_window "Installation Successful"
e2e_pass
