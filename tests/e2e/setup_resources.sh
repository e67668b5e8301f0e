#!/usr/bin/env bash
# The launcher's resources as built, in the x86_64 tree and, when it is
# there, the i686 release tree: dialog template 102, icon group 140 and the
# version record (setup_resources.py).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
E2E_BUILD=${E2E_BUILD:-$here/../../build/win-x86_64}
E2E_SETUP=${E2E_SETUP:-$E2E_BUILD/setup/setup.exe}
[ -f "$E2E_SETUP" ] || { echo "FAIL [setup_resources]: missing $E2E_SETUP" >&2; exit 1; }
python3 "$here/setup_resources.py" "$E2E_SETUP" || exit 1
release=$(dirname "$E2E_BUILD")/win-i686/setup/setup.exe
if [ -f "$release" ]; then python3 "$here/setup_resources.py" "$release" || exit 1; fi
echo "PASS [setup_resources]"
