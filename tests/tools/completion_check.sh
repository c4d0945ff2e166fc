#!/usr/bin/env bash
# Fails unless the bash completion offers exactly the subcommands that
# `nodexa --help` lists.   completion_check.sh NODEXA COMPLETION_SCRIPT
set -euo pipefail
listed=$("$1" --help | awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }' | sort)
# shellcheck source=/dev/null
source "$2"
COMP_WORDS=(nodexa "")
COMP_CWORD=1
_nodexa
offered=$(printf '%s\n' "${COMPREPLY[@]}" | sort)
if [ "$listed" != "$offered" ]; then
  diff <(echo "$listed") <(echo "$offered") || true
  echo "the completion's subcommands differ from nodexa --help (< help, > completion)"
  exit 1
fi
echo "completion offers the $(echo "$listed" | wc -l) subcommands of nodexa --help"
