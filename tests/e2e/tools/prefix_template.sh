#!/usr/bin/env bash
# Boots the Wine prefix that every scenario copies, once per Wine build (the
# CTest fixture that runs before the scenarios).
source "$(dirname "$0")/../lib.sh"
E2E_NAME=prefix_template
e2e_template || { echo "FAIL: could not boot the template prefix" >&2; exit 1; }
echo "template prefix ready: $E2E_WORK/template"
