#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses what was installed as
# a user would: the program from another folder on the bundled examples,
# the window module, the man pages, the desktop and thumbnailer entries, the thumbnailer, and
# the shell completions where bash-completion and zsh are present.
#   check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null
export XDG_RUNTIME_DIR=$work  # a lock of its own

# The program, from a folder of the user's, with relative paths.
mkdir -p "$work/home/out"
cp "$source"/examples/* "$work/home/"
cd "$work/home"
"$prefix/bin/plotvale" -i shapes.wmf -c png -q || fail "bare file name: status $?"
[ -s shapes.png ] || fail "shapes.png not written in the working directory"
"$prefix/bin/plotvale" -i ./ -o out/ -c jpg -q || fail "folder run: status $?"
count=$(find out -name '*.jpg' | wc -l)
[ "$count" -eq "$(ls "$source"/examples | wc -l)" ] || fail "folder run wrote $count pictures"
"$prefix/bin/plotvale" --version | grep -qx '2\.7\.1' || fail "--version"

# The window face comes from the installed module: the screenshot mode
# draws the main window. A program moved away from its module says why it
# cannot open the window.
mkdir -p "$work/shots"
QT_QPA_PLATFORM=offscreen "$prefix/bin/plotvale" -t "$work/shots" >/dev/null 2>&1 ||
  fail "window module: status $?"
[ -s "$work/shots/plotvale1.jpg" ] || fail "window module: no screenshot"
mkdir -p "$work/alone/bin"
cp "$prefix/bin/plotvale" "$work/alone/bin/"
status=0
message=$(QT_QPA_PLATFORM=offscreen "$work/alone/bin/plotvale" -t "$work/shots" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "moved program without its module: status $status"
grep -q "the window face cannot start" <<<"$message" || fail "moved program: $message"

# Man pages: render without warnings and name the options.
for page in plotvale plotvale-thumbnailer; do
  file=$prefix/share/man/man1/$page.1
  rendered=$(groff -man -Tutf8 -ww -z "$file" 2>&1) || fail "groff $page.1"
  [ -z "$rendered" ] || fail "groff warns on $page.1: $rendered"
done
text=$(MANWIDTH=100 man -l "$prefix/share/man/man1/plotvale.1" 2>/dev/null | sed 's/.\x08//g')
for option in --input --output --conversion --profile --jpg-quality --wm-text --filename-mask \
              "EXIT STATUS" "PROFILE FILES"; do
  grep -q -- "$option" <<<"$text" || fail "man page lacks $option"
done

# Desktop integration.
desktop-file-validate "$prefix/share/applications/plotvale.desktop" || fail "desktop entry"
grep -qx 'Exec=plotvale %F' "$prefix/share/applications/plotvale.desktop" || fail "desktop Exec"
thumbnailer=$prefix/share/thumbnailers/plotvale.thumbnailer
grep -qx 'Exec=plotvale-thumbnailer %i %o %s' "$thumbnailer" || fail "thumbnailer Exec"
for type in image/wmf image/x-wmf application/x-msmetafile image/x-wmz; do
  grep -q "MimeType=.*$type;" "$thumbnailer" || fail "thumbnailer lacks $type"
  grep -q "MimeType=.*$type;" "$prefix/share/applications/plotvale.desktop" || fail "desktop lacks $type"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/plotvale.svg" ] || fail "SVG icon"
[ -s "$prefix/share/icons/hicolor/48x48/apps/plotvale.png" ] || fail "48x48 icon"
[ -s "$prefix/share/mime/packages/plotvale.xml" ] || fail "MIME package"
if command -v update-mime-database >/dev/null; then  # the install ran it on the prefix
  grep -q 'image/x-wmz' "$prefix/share/mime/globs2" || fail "*.wmz not in the MIME database"
  grep -q 'image/wmf:\*\.apm' "$prefix/share/mime/globs2" || fail "*.apm not in the MIME database"
fi
if command -v update-desktop-database >/dev/null; then
  grep -q 'image/x-wmz=plotvale.desktop' "$prefix/share/applications/mimeinfo.cache" ||
    fail "desktop database lacks plotvale.desktop"
fi

# The installed thumbnailer: a PNG of the requested size for every example
# (the longer side is the size), status 1 and no picture for garbage.
png_size() {  # width and height from the IHDR chunk of a PNG file
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 1
  od -An -tu4 --endian=big -j16 -N8 "$1"
}
for example in "$source"/examples/*; do
  name=$(basename "$example")
  "$prefix/bin/plotvale-thumbnailer" "$example" "$work/$name.png" 128 || fail "thumbnail of $name"
  read -r width height < <(png_size "$work/$name.png") || { fail "no PNG for $name"; continue; }
  [ "$width" -eq 128 ] || [ "$height" -eq 128 ] || fail "$name thumbnail is ${width}x$height"
  [ "$width" -le 128 ] && [ "$height" -le 128 ] || fail "$name thumbnail is ${width}x$height"
done
head -c 20000 /dev/urandom >"$work/garbage.wmf"
status=0
timeout 15 "$prefix/bin/plotvale-thumbnailer" "$work/garbage.wmf" "$work/garbage.png" 128 || status=$?
[ "$status" -eq 1 ] || fail "garbage gave status $status"
[ ! -e "$work/garbage.png" ] || fail "garbage left a picture"

# Shell completions, where the shells' completion systems are installed.
if [ -r /usr/share/bash-completion/bash_completion ]; then
  reply=$(bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    # The line as typed, then its words as readline splits them.
    complete_line() { COMP_LINE=$1; COMP_POINT=${#COMP_LINE}; shift; COMP_WORDS=("$@")
      COMP_CWORD=$(($# - 1)); COMPREPLY=()
      _plotvale plotvale "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}" 2>/dev/null
      echo "${COMPREPLY[*]}"; }
    complete_line "plotvale --dither=BAY" plotvale --dither = BAY
    complete_line "plotvale -c j" plotvale -c j
    complete_line "plotvale --jpg-q" plotvale --jpg-q' _ "$prefix/share/bash-completion/completions/plotvale")
  [ "$reply" = $'BAYER4 BAYER8 BAYER16\nj2k jng jp2 jpg jxr\n--jpg-quality=' ] || fail "bash completion: $reply"
fi
if command -v zsh >/dev/null; then
  zsh -n "$(find "$prefix/share/zsh" -name _plotvale)" || fail "zsh completion syntax"
fi

# A moved install still runs.
mv "$prefix" "$work/moved"
prefix=$work/moved
"$prefix/bin/plotvale" -i "$source/examples/text.wmf" -o "$work/home/out/" -c bmp -q ||
  fail "moved install: status $?"
"$prefix/bin/plotvale-thumbnailer" "$source/examples/text.wmf" "$work/moved.png" 64 ||
  fail "moved thumbnailer"

[ "$failures" -eq 0 ] && echo "installed program checked in $prefix"
exit "$failures"
