#!/usr/bin/env bash
# Saves that survive a kill: ravelo-cli convert writes a document over an existing one and is killed
# with SIGKILL at a random moment, again and again. Afterwards the target is always the old document
# or the new one, whole, and its backup is missing (nothing was kept yet) or the old document, whole.
# usage: kill_during_save.sh RAVELO-CLI OLD.rvl NEW.rvl [RUNS]  (RUNS: 5 by default; a few hundred
# for a long run)
set -euo pipefail
cli=$1 old=$2 new=$3 runs=${4:-5}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$cli" dump "$old" > "$scratch/old.json"
"$cli" dump "$new" > "$scratch/new.json"
cmp -s "$scratch/old.json" "$scratch/new.json" && { echo "the two documents must differ" >&2; exit 2; }

# How long one save takes, so that the kills fall all over it.
cp "$old" "$scratch/target.rvl"
start=$(date +%s%N)
"$cli" convert "$new" "$scratch/target.rvl"
took_us=$(( ($(date +%s%N) - start) / 1000 + 1 ))

# What a file is now: old, new, missing, or damaged.
state_of() {
  [ -e "$1" ] || { echo missing; return; }
  if "$cli" dump "$1" > "$scratch/now.json" 2>/dev/null; then
    cmp -s "$scratch/now.json" "$scratch/old.json" && { echo old; return; }
    cmp -s "$scratch/now.json" "$scratch/new.json" && { echo new; return; }
  fi
  echo damaged
}

declare -A seen
for ((run = 1; run <= runs; ++run)); do
  rm -f "$scratch"/target* "$scratch"/.target*  # a killed save may leave its temporary file
  cp "$old" "$scratch/target.rvl"
  "$cli" convert "$new" "$scratch/target.rvl" &
  pid=$!
  delay_us=$(( (RANDOM * 32768 + RANDOM) % (took_us + took_us / 4) ))
  sleep "$(printf '0.%06d' "$delay_us")"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  target=$(state_of "$scratch/target.rvl")
  backup=$(state_of "$scratch/target(back).RVL")
  seen["$target/$backup"]=1
  case "$target/$backup" in
    old/missing | old/old | new/old) ;;
    *) echo "run $run, killed after ${delay_us} us: target $target, backup $backup" >&2; exit 1 ;;
  esac
done
echo "$runs kills; seen (target/backup): ${!seen[*]}"
