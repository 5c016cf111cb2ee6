#!/bin/sh
# The PNG of a whole chart beside Graphviz, in one run: ravelo-cli render of a 1400-node, 600-arc
# chart at 4100 × 3300 pixels against neato -n2 -Tpng of the same graph on the same canvas (dpi 72).
# Each is run RUNS times in turn; the medians of the elapsed and the processor (user + system) time
# are printed with their ratios, ours over Graphviz's.
# usage: bench/png_vs_neato.sh BUILD_DIR [RUNS]
set -eu
build=$1
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_big_chart" "$work/big.rvl" "$work/big.dot"

timed() {  # label command...: appends "elapsed cpu" to $work/label
  label=$1
  shift
  /usr/bin/time -f "%e %U %S" -o "$work/t" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/t" >>"$work/$label"
}

i=0
while [ "$i" -lt "$runs" ]; do
  timed ravelo "$build/cli/ravelo-cli" render "$work/big.rvl" -o "$work/ravelo.png"
  timed neato neato -n2 -Tpng "$work/big.dot" -o "$work/neato.png"
  i=$((i + 1))
done

median() {  # column file
  sort -n -k"$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

for label in ravelo neato; do
  echo "$label: elapsed $(median 1 "$work/$label") s, processor $(median 2 "$work/$label") s (median of $runs)"
done
echo "sizes: $(identify -format '%wx%h ' "$work/ravelo.png" "$work/neato.png")"
awk -v a="$(median 1 "$work/ravelo")" -v b="$(median 1 "$work/neato")" \
    -v c="$(median 2 "$work/ravelo")" -v d="$(median 2 "$work/neato")" \
    'BEGIN { printf "ratio ravelo / neato: elapsed %.2f, processor %.2f\n", a / b, c / d }'
