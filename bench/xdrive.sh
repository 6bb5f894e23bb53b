# Sourced by bench/editors.sh and bench/typing-profile.sh: a virtual screen with a window
# manager, editors started there with a fresh HOME each, and their processor time read
# from /proc. Expects work (a scratch folder), pids (an array of processes to end), bin
# (Scrivlo's build/bin) and, for the measurements, KEYS and OPEN_LIMIT.

ticks_per_s=$(getconf CLK_TCK)
exec {never}<> <(:) # read -t on it sleeps without starting a process

nap() { read -rt "$1" -u "$never" || true; }
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }

# User + system time of a process in clock ticks (all its threads), empty once it is gone.
cpu_ticks() {
  local stat
  stat=$(< "/proc/$1/stat") 2>/dev/null || return 0
  stat=${stat##*) }
  local -a f=($stat)
  echo $((f[11] + f[12]))
}

# Time on the processor of all the threads of a process in ns (/proc/PID/task/*/schedstat):
# fine enough for the few milliseconds of an idle process, where ticks are too coarse.
cpu_ns() {
  local total=0 f t
  for f in /proc/"$1"/task/*/schedstat; do
    read -r t _ < "$f" 2> /dev/null || continue
    total=$((total + t))
  done
  echo "$total"
}

# --- The documents -------------------------------------------------------------------

# 1,000 paragraphs of 100 words (one word in about 25 misspelt), as Rich Text and text.
make_story() {
  awk -v base="$1" 'BEGIN {
    n = split("Once upon a time the little dragon found a shiny pebble beside the river and " \
      "wondered where it came from. Every morning she walked to the old bridge with her " \
      "freind and they counted the boats that sailed past the mill, singing songs abuot " \
      "the sea and the stars.", w, " ")
    rtf = base ".rtf"; txt = base ".txt"
    printf "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Liberation Serif;}}\n\\f0\\fs24 " > rtf
    k = 0
    for (p = 0; p < 1000; p++) {
      line = ""
      for (i = 0; i < 100; i++) { line = line (i ? " " : "") w[k % n + 1]; k++ }
      printf "%s\\par\n", line > rtf
      printf "%s\n", line > txt
    }
    printf "}\n" > rtf
  }'
}

# What is typed: ordinary words, a few misspelt, none of them on an auto-correct list.
typed_text() {
  local sentence="the dragon wrote a leter to her grandmother about the bigest storm she had ever seen. "
  local text=""
  while [ ${#text} -lt "$KEYS" ]; do text+=$sentence; done
  printf '%s' "${text:0:$KEYS}"
}

# --- The screen --------------------------------------------------------------------------

# Xvfb on a free display number with openbox; sets DISPLAY and xvfb (its process).
start_screen() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb=$!
  pids+=("$xvfb")
  until xdotool getmouselocation > /dev/null 2>&1; do nap 0.1; done
  openbox > /dev/null 2>&1 &
  pids+=("$!")
  nap 1
}

# --- Starting an editor --------------------------------------------------------------------

# The name shown in the tables; with "short", without the state of its spelling.
label() {
  if [ "${2:-}" = short ]; then
    case $1 in
      focuswriter) echo FocusWriter ;; abiword) echo AbiWord ;; gedit) echo gedit ;;
      *) echo "$1" ;;
    esac
    return
  fi
  case $1 in
    scrivlo) echo "Scrivlo (spelling as you type on, its default)" ;;
    scrivlo-off) echo "Scrivlo with spelling as you type off" ;;
    before) echo "the earlier Scrivlo (BEFORE), spelling as you type on" ;;
    before-off) echo "the earlier Scrivlo (BEFORE); both with spelling as you type off" ;;
    focuswriter) echo "FocusWriter (live spelling on, its default)" ;;
    abiword) echo "AbiWord (spell check as you type on, its default)" ;;
    gedit) echo "gedit (highlight misspelled words on; off by default)" ;;
  esac
}

# A fresh HOME for one start, with the settings the row needs.
fresh_home() {
  local editor=$1 home
  home=$(mktemp -d "$work/home.XXXX")
  case $editor in
    *-off)
      mkdir -p "$home/.config/Scrivlo"
      printf '[Editor]\nCheckSpellingAsYouType=false\n' > "$home/.config/Scrivlo/Scrivlo.conf"
      ;;
    gedit)
      # The keyfile backend: gedit reads this file without a settings service.
      mkdir -p "$home/.config/glib-2.0/settings"
      printf '[org/gnome/gedit/plugins/spell]\nhighlight-misspelled=true\n' \
        > "$home/.config/glib-2.0/settings/keyfile"
      ;;
  esac
  echo "$home"
}

# The file an editor opens for a Rich Text document: gedit gets the text twin.
file_for() {
  local editor=$1 rtf=$2
  if [ "$editor" = gedit ] && [ -n "$rtf" ]; then echo "${rtf%.rtf}.txt"; else echo "$rtf"; fi
}

# The text of a Rich Text sample of rtf-load-bench as plain text: its paragraphs without
# the header, control words and groups.
rtf_text_twin() {
  tail -n +4 "$1" | tr -d '\n' | sed -e 's/\\par\b/\n/g' -e "s/\\\\u233?/é/g" \
    -e 's/\\[a-z]\+-\?[0-9]* \?//g' -e 's/[{}]//g' > "${1%.rtf}.txt"
}

# Starts an editor (with a file, or none) and sets pid and started (ms).
start_editor() {
  local editor=$1 file=$2 home
  home=$(fresh_home "$editor")
  local -a cmd
  case $editor in
    scrivlo | scrivlo-off) cmd=("$bin/scrivlo") ;;
    before | before-off) cmd=("$BEFORE/scrivlo") ;;
    focuswriter) cmd=(focuswriter) ;;
    abiword) cmd=(abiword) ;;
    gedit) cmd=(gedit --standalone) ;;
  esac
  [ -n "$file" ] && cmd+=("$file")
  started=$(now_ms)
  [ -n "${WRAP:-}" ] && cmd=($WRAP "${cmd[@]}")
  HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache GSETTINGS_BACKEND=keyfile NO_AT_BRIDGE=1 LANG=en_US.UTF-8 \
    "${cmd[@]}" > /dev/null 2>&1 &
  pid=$!
  pids+=("$pid")
}

stop_editor() {
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Waits until the editor shows a window; sets window and mapped (ms after the start).
wait_mapped() {
  window=""
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --pid "$pid" 2> /dev/null | tail -n 1 || true)
    [ -d "/proc/$pid" ] || { echo "editor $pid ended" >&2; return 1; }
    [ -n "$window" ] || nap 0.01
  done
  mapped=$(($(now_ms) - started))
}

# Waits until the process has used no processor time for QUIET ms (1000), or LIMIT s
# (OPEN_LIMIT) have passed since started; sets settled (ms from started to the last time
# it used any) and busy (1 when it never went quiet).
wait_idle() {
  local quiet=${QUIET:-1000} limit=${1:-$OPEN_LIMIT}
  local last t now changed
  last=$(cpu_ticks "$pid")
  changed=$(now_ms)
  busy=0
  while :; do
    nap 0.02
    now=$(now_ms)
    t=$(cpu_ticks "$pid")
    if [ "$t" != "$last" ]; then
      last=$t
      changed=$now
    elif [ $((now - changed)) -ge "$quiet" ]; then
      break
    fi
    if [ $((now - started)) -ge $((limit * 1000)) ]; then
      busy=1
      break
    fi
  done
  settled=$((changed - started))
}

