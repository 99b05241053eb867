#!/usr/bin/env bash
# Usage: with-tools.sh TOOL[,TOOL...] COMMAND [ARGUMENT...]
# Runs the command when every tool is on the PATH. A missing tool makes the check report itself skipped
# (exit status 77) on a developer's machine, and fail in CI, which is meant to have them all.
set -u
IFS=, read -r -a tools <<<"$1"
shift
for tool in "${tools[@]}"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "missing tool: $tool" >&2
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done
exec "$@"
