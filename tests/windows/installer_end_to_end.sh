#!/usr/bin/env bash
# Installs the Windows medium in a wine prefix on an X display, clicking
# through the wizard like a user, and checks what lands. Runs inside
# tools/wine-desktop.sh, which provides DISPLAY, WINEPREFIX and WINE and
# removes the prefix, its wine server and the display afterwards:
#
#   tools/wine-desktop.sh --display :N -- installer_end_to_end.sh MEDIUM-ZIP PROBE-EXE
#
# 1. a first installation over the user's own Normal.dot;
# 2. a second one, which keeps the first backup;
# 3. one with Normal.dot held open by another program: the word-processor
#    page, then Yes after the file is let go completes it;
# then the installed Glyphboard.exe is started and its window looked for.
set -uo pipefail
zip=$1 probe=$2
: "${WINEPREFIX:?run under tools/wine-desktop.sh}" "${DISPLAY:?run under tools/wine-desktop.sh}"
wine=${WINE:-wine}
command -v xdotool >/dev/null || { echo "SKIP: xdotool is missing"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/glyphinstall-e2e-XXXXXX")
trap 'rm -rf "$work"' EXIT

# GLYPHINSTALL_E2E_SCREENSHOT=file.png keeps a picture of the screen at a failure.
fail() {
    echo "FAIL: $*"
    [ -n "${GLYPHINSTALL_E2E_SCREENSHOT:-}" ] && import -window root "$GLYPHINSTALL_E2E_SCREENSHOT" 2>/dev/null
    exit 1
}
pass() { echo "PASS: $*"; }

run_probe() { "$wine" "$probe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { "$wine" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }

wizard_caption='تثبيت برنامج Glyphboard'
yes_caption='<  نعم'
success='تم التثبيت بنجاح'
farewell='لا تنسونا من دعائكم'
word_running='برنامج الوورد يعمل الآن، فضلا أغلق الوورد ثم اضغض مفتاح نعم'

# The prefix's templates folder, as the installer computes it, with the
# user's own Normal.dot of known bytes.
templates=$(unix_path "$(run_probe templates)")
[ -n "$templates" ] || fail "no templates folder"
mkdir -p "$templates"
printf 'the user'"'"'s own Normal.dot\r\n' >"$work/user-normal.dot"
cp "$work/user-normal.dot" "$templates/Normal.dot"

# The medium as a teacher gets it: unpacked from the zip onto drive C.
media="$WINEPREFIX/drive_c/medium"
mkdir -p "$media"
(cd "$media" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
medium="$media/Glyphboard"
[ -f "$medium/Glyphinstall.exe" ] || fail "no Glyphinstall.exe in the medium"

shown() { run_probe texts | grep -qxF -- "$1"; }
wait_shown() {  # TEXT SECONDS
    for _ in $(seq $(($2 * 4))); do shown "$1" && return 0; sleep 0.25; done
    return 1
}

# Twips of the layout to pixels of the client area (15 twips a pixel):
# the page lies at 30, 0; the buttons are Command1 (120, 1260, 960, 375) on
# the welcome view and Command3 (45, 1245, 780, 375) and Command6 (30, 1245,
# 960, 375) on their pages.
click() {  # X Y in client pixels
    xdotool mousemove --window "$window" "$1" "$2" click 1
}
click_next() { click 40 96; }
click_yes() { click 31 95; }
click_success_next() { click 36 95; }

start_wizard() {
    (cd "$medium" && "$wine" Glyphinstall.exe </dev/null >"$work/wizard.log" 2>&1 &)
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$wizard_caption\$" | head -1)
    [ -n "$window" ] || fail "the wizard window did not appear"
    wait_shown "$wizard_caption" 20 || fail "the wizard shows no title"
}

close_wizard() {
    run_probe close
    for _ in $(seq 40); do [ -z "$(run_probe texts)" ] && return 0; sleep 0.25; done
    fail "the wizard did not close"
}

consent_then_yes() {
    click_next
    shown "$yes_caption" && fail "Yes is shown before the fifth tick"
    wait_shown "$yes_caption" 15 || fail "Yes did not appear"
    click_yes
}

same() { cmp -s "$1" "$2"; }
windows="$WINEPREFIX/drive_c/windows"
fonts_folder=$(find "$windows" -maxdepth 1 -iname fonts -type d | head -1)
nurvel="$WINEPREFIX/drive_c/Nurvel"

check_installed() {  # what the first installation left
    same "$templates/OldNormal.dot" "$work/user-normal.dot" || fail "OldNormal.dot is not the user's Normal.dot"
    same "$templates/Normal.dot" "$medium/VovediVoda.dot" || fail "Normal.dot is not VovediVoda.dot"
    for font in NurvelSans.ttf NurvelSansB.ttf Vudida.ttf Dizever.ttf; do
        same "$fonts_folder/$font" "$medium/$font" || fail "$font is not in the fonts folder"
    done
    for file in NurvelT.nrv NurvelV.nrv Glyphboard.exe Docpush.exe; do
        same "$nurvel/$file" "$medium/$file" || fail "$file is not in c:\\Nurvel"
    done
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
    for entry in "Al-DizaDorvan (TrueType)=Vudida.ttf" "Al-ZavuraDorvan (TrueType)=Dizever.ttf" \
                 "NurvelSans (TrueType)=NurvelSans.ttf" "NurvelSans Bold (TrueType)=NurvelSansB.ttf"; do
        "$wine" reg query "$key" /v "${entry%%=*}" </dev/null 2>/dev/null | tr -d '\r' |
            grep -q "REG_SZ *${entry#*=}\$" || fail "no registry value ${entry%%=*} = ${entry#*=}"
    done
    run_probe families Al-DizaDorvan Al-ZavuraDorvan NurvelSans >"$work/families" ||
        fail "GDI does not know the fonts: $(cat "$work/families")"
}

# 1. The first installation. The pages and the logo lie over the welcome
# view as designed, each page's box under its captions and buttons.
start_wizard
layers=$(run_probe layers)
expected_layers=$(printf 'page over its box\npage over its box\npage over its box\nicon\npage over its box')
[ "$layers" = "$expected_layers" ] || fail "the wizard's layers, topmost first, are: $layers"
consent_then_yes
wait_shown "$success" 30 || fail "no success page after the first installation: $(run_probe texts)"
check_installed
click_success_next
wait_shown "$farewell" 10 || fail "Next on the success page shows no farewell page"
close_wizard
pass "first installation: backup, template, fonts registered, program files, success page"

# 2. A second installation keeps the first backup.
start_wizard
consent_then_yes
wait_shown "$success" 30 || fail "no success page after the second installation: $(run_probe texts)"
check_installed
close_wizard
pass "second installation keeps the user's backup"

# 3. Normal.dot held open by another program.
cp "$work/user-normal.dot" "$templates/Normal.dot"
rm -f "$templates/OldNormal.dot"
release="$work/release"
hold_path="$("$wine" winepath -w "$templates/Normal.dot" </dev/null 2>/dev/null | tr -d '\r')"
release_path="$("$wine" winepath -w "$release" </dev/null 2>/dev/null | tr -d '\r')"
"$wine" "$probe" hold "$hold_path" "$release_path" </dev/null >"$work/hold.log" 2>&1 &
holder=$!
for _ in $(seq 80); do grep -q held "$work/hold.log" && break; sleep 0.25; done
grep -q held "$work/hold.log" || fail "could not hold Normal.dot open: $(cat "$work/hold.log")"
start_wizard
consent_then_yes
wait_shown "$word_running" 30 || fail "no word-processor page with Normal.dot held open: $(run_probe texts)"
shown "$yes_caption" || fail "Yes is not offered again on the word-processor page"
shown "$success" && fail "the success page shows although Normal.dot was held open"
same "$templates/Normal.dot" "$work/user-normal.dot" || fail "the held Normal.dot was changed"
touch "$release"
wait "$holder"
click_yes
wait_shown "$success" 30 || fail "Yes after letting Normal.dot go did not complete: $(run_probe texts)"
check_installed
close_wizard
pass "Normal.dot held open: word-processor page, then Yes completes"

# The installed palette starts and shows its window.
before=$(xdotool search --onlyvisible --name 'Glyphboard' 2>/dev/null | sort)
(cd "$nurvel" && "$wine" 'C:\Nurvel\Glyphboard.exe' </dev/null >"$work/palette.log" 2>&1 &)
appeared=
for _ in $(seq 120); do
    now=$(xdotool search --onlyvisible --name 'Glyphboard' 2>/dev/null | sort)
    appeared=$(comm -13 <(echo "$before") <(echo "$now") | head -1)
    [ -n "$appeared" ] && break
    sleep 0.25
done
[ -n "$appeared" ] || fail "the installed Glyphboard.exe shows no window"
pass "the installed Glyphboard.exe shows its window: $(xdotool getwindowname "$appeared")"
