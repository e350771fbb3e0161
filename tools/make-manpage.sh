#!/usr/bin/env bash
# Writes the manual page: the template with the game's version and the release date filled in,
# and in place of its line @OPTIONS@ the options that `GAME --help` prints, one paragraph each,
# so the page lists exactly the options of the game it was built with.
# Usage: make-manpage.sh GAME TEMPLATE DATE OUTPUT
set -euo pipefail

if [[ $# -ne 4 ]]; then
  echo "usage: make-manpage.sh GAME TEMPLATE DATE OUTPUT" >&2
  exit 2
fi
game=$1 template=$2 date=$3 output=$4

help=$("$game" --help) || { echo "make-manpage.sh: '$game --help' failed" >&2; exit 1; }
version=$("$game" --version) || { echo "make-manpage.sh: '$game --version' failed" >&2; exit 1; }
version=${version##* }

# The help lists each option under "Options:" as its names and arguments, two or more spaces,
# then what it does; a description too long for the line goes on below it, indented further.
# Each becomes a tagged paragraph: names bold, arguments italic, minus signs escaped.
options=$(awk '
  function roff(text) {
    gsub(/\\/, "\\e", text)
    return text
  }
  # A word that starts with a dash (an option, or "-" for standard input) gets minus signs.
  function minus(word,   lead) {
    lead = ""
    if (word ~ /^\(/) { lead = "("; word = substr(word, 2) }
    if (word ~ /^-/) gsub(/-/, "\\-", word)
    return lead word
  }
  function describe(text,   n, i, words, out) {
    n = split(roff(text), words, " ")
    out = ""
    for (i = 1; i <= n; i++) out = out (i > 1 ? " " : "") minus(words[i])
    if (out ~ /^[.\047]/) out = "\\&" out
    return out
  }
  function tag(usage,   space, names, args, n, i, parts, out) {
    space = index(usage, " ")
    names = space ? substr(usage, 1, space - 1) : usage
    args = space ? substr(usage, space + 1) : ""
    n = split(names, parts, ",")
    out = ""
    for (i = 1; i <= n; i++) out = out (i > 1 ? ", " : "") "\\fB" minus(parts[i]) "\\fR"
    if (args != "") out = out " \\fI" roff(args) "\\fR"
    return out
  }
  function flush() {
    if (usage == "") return
    print ".TP"
    print tag(usage)
    print describe(text)
    usage = ""; count++
  }
  /^Options:/ { inside = 1; next }
  !inside { next }
  /^[^ ]/ || /^$/ { flush(); inside = 0; next }
  /^ +-/ {
    flush()
    sub(/^ +/, "")
    if (match($0, /  +/)) { usage = substr($0, 1, RSTART - 1); text = substr($0, RSTART + RLENGTH) }
    else { usage = $0; text = "" }
    next
  }
  { sub(/^ +/, ""); text = text (text == "" ? "" : " ") $0 }
  END {
    flush()
    if (count == 0) exit 1
  }
' <<<"$help") || { echo "make-manpage.sh: found no options in '$game --help'" >&2; exit 1; }

# Through the environment, as awk would read escapes in a -v value.
page=$(version=$version date=$date options=$options awk '
  $0 == "@OPTIONS@" { print ENVIRON["options"]; next }
  { gsub(/@VERSION@/, ENVIRON["version"]); gsub(/@DATE@/, ENVIRON["date"]); print }
' "$template")
printf '%s\n' "$page" >"$output.tmp"
mv "$output.tmp" "$output"
