#!/usr/bin/env bash
# Installs the suite's plug-ins and shows each at work: its info, a generated
# demo signal rendered through it and its response at a showcase setting.
#
#   demo.sh BUILD_DIR
#
# The plug-ins are those of BUILD_DIR/vst-plugins.txt (every installable
# plug-in the build defines). They go into $PREFIX/lib/vst when PREFIX is set,
# else the first folder of $VST_PATH, else ~/.vst. Results go to $DEMO_DIR
# (default demo/). A plug-in's showcase setting is plugins/<name>/demo.args:
# one option a line ("--set Low Gain=0.8", "--program 2"), # for comments.
set -uo pipefail
build=${1:?usage: demo.sh BUILD_DIR}
tool=${VSTHOST:-$build/bin/vsthost}
list=${PLUGIN_LIST:-$build/vst-plugins.txt}
out=${DEMO_DIR:-demo}
if [[ -n "${PREFIX:-}" ]]; then
  dest=$PREFIX/lib/vst
elif [[ -n "${VST_PATH:-}" ]]; then
  dest=${VST_PATH%%:*}
else
  dest=$HOME/.vst
fi

[[ -x "$tool" ]] || { echo "demo: $tool is not built" >&2; exit 1; }
[[ -f "$list" ]] || { echo "demo: $list is missing; configure the build first" >&2; exit 1; }
mkdir -p "$dest" "$out" || exit 1

input=$out/demo-input.wav
"$tool" generate "$input" --signal demo --seconds 8 --rate 48000 || exit 1

written=() failed=() count=0
while IFS=$'\t' read -r name library source; do
  [[ -z "$name" ]] && continue
  count=$((count + 1))
  echo
  echo "=== $name ==="
  # Copy under a temporary name and rename, so a host never sees half a library.
  if ! { cp "$library" "$dest/.$name.so.part" && mv -f "$dest/.$name.so.part" "$dest/$name.so"; }; then
    failed+=("$name (install)")
    continue
  fi
  plugin=$dest/$name.so
  settings=()
  setting_text="defaults"
  if [[ -f "$source/demo.args" ]]; then
    while read -r option value || [[ -n "$option" ]]; do
      [[ -z "$option" || "$option" == \#* ]] && continue
      settings+=("$option")
      [[ -n "$value" ]] && settings+=("$value")
    done < "$source/demo.args"
    (( ${#settings[@]} )) && setting_text="${settings[*]}"
  fi
  "$tool" info "$plugin" || { failed+=("$name (info)"); continue; }
  echo "--- showcase setting: $setting_text"
  "$tool" render "$plugin" "$input" "$out/$name.wav" "${settings[@]}" &&
    written+=("$out/$name.wav") || { failed+=("$name (render)"); continue; }
  "$tool" response "$plugin" --png "$out/$name-response.png" --csv "$out/$name-response.csv" \
    "${settings[@]}" --quiet &&
    written+=("$out/$name-response.png" "$out/$name-response.csv") || failed+=("$name (response)")
done < "$list"

echo
echo "=== Summary ==="
if (( count == 0 )); then
  echo "No plug-in is built yet: nothing to install or show."
else
  echo "Installed $count plug-in(s) into $dest (hosts that scan it find them there)."
  echo "Demo signal: $input"
  for file in "${written[@]}"; do echo "  wrote $file"; done
fi
if (( ${#failed[@]} )); then
  echo "Failed: ${failed[*]}" >&2
  exit 1
fi
