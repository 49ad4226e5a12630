#!/usr/bin/env bash
# Installs a build into a scratch root and runs the installed companion from there on
# the installed sample data: what a package puts on a machine must work on its own.
set -euo pipefail
# The fourth argument, gui or cli, says whether the build has the window.
cmake=$1
build=$2
version=$3
kind=${4:-gui}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

"$cmake" --install "$build" --prefix "$root/usr" >/dev/null

window_files=(bin/quorlin share/applications/io.github.quorlin.Quorlin.desktop
              share/icons/hicolor/scalable/apps/quorlin.svg share/metainfo/io.github.quorlin.Quorlin.metainfo.xml
              share/man/man1/quorlin.1.gz)
for file in bin/quorlin-cli share/quorlin/data/calibration.txt share/quorlin/data/adjustment.txt \
            share/man/man1/quorlin-cli.1.gz share/bash-completion/completions/quorlin-cli \
            share/doc/quorlin/copyright share/doc/quorlin/changelog.gz; do
  [ -e "$root/usr/$file" ] || { echo "not installed: $file"; exit 1; }
done
for file in "${window_files[@]}"; do
  if [ "$kind" = gui ]; then
    [ -e "$root/usr/$file" ] || { echo "not installed: $file"; exit 1; }
  else
    [ ! -e "$root/usr/$file" ] || { echo "installed without the window: $file"; exit 1; }
  fi
done

cd "$root"  # nothing from the build or source folders is within reach
[ "$(usr/bin/quorlin-cli --version)" = "quorlin-cli $version" ]
calibration=$(usr/bin/quorlin-cli calibrate usr/share/quorlin/data/calibration.txt)
echo "$calibration"
grep -q '^Ezero ' <<<"$calibration"
grep -q '^Rms error = ' <<<"$calibration"

# The completion offers the commands, then the options of the command given.
_init_completion() { cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}; words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD; }
_filedir() { COMPREPLY=(); }
source usr/share/bash-completion/completions/quorlin-cli
complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quorlin_cli; echo "${COMPREPLY[*]}"; }
[ "$(complete_words quorlin-cli ad)" = "adjust" ]
[ "$(complete_words quorlin-cli calibrate run.txt --)" = "--json --csv --exclude" ]
[ "$(complete_words quorlin-cli adjust a.txt -)" = "-o --json --exclude" ]
[ "$(complete_words quorlin-cli log l)" = "list limits" ]
[ "$(complete_words quorlin-cli log show 3 --)" = "--json --logbook" ]
