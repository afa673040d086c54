#!/usr/bin/env bash
# Checks that every #include between the folders of src/ goes down the layers, never up or
# sideways, so the folders form no cycle. The layers, lowest first (docs/architecture.md):
#   storage < gfx < data < ai < setup, build, battle (the screens) < app
#   pipeline: above storage and data, and included by nothing in src/ but itself
# A folder may include itself and the folders listed for it below; a new folder must be added
# here before anything in it passes.
#   bash check-layers.sh SRC_DIR     prints one line per include that breaks a layer; exit 1 then
set -u
src=${1:?usage: check-layers.sh SRC_DIR}

declare -A allowed=(
  [storage]="storage"
  [gfx]="storage gfx"
  [data]="storage gfx data"
  [ai]="storage gfx data ai"
  [setup]="storage gfx data ai setup"
  [build]="storage gfx data ai build"
  [battle]="storage gfx data ai battle"
  [app]="storage gfx data ai setup build battle app"
  [pipeline]="storage data pipeline"
)

problems=0
report() {
  echo "$1"
  problems=$((problems + 1))
}

while IFS= read -r -d '' file; do
  relative=${file#"$src"/}
  folder=${relative%%/*}
  if [ "$folder" = "$relative" ]; then
    report "$relative: a file outside every layer folder"
    continue
  fi
  if [ -z "${allowed[$folder]+set}" ]; then
    report "$relative: folder $folder/ is in no layer"
    continue
  fi
  line=0
  while IFS= read -r text || [ -n "$text" ]; do
    line=$((line + 1))
    # "#include" with any spacing, quoted or angled; only src/ folders are checked among angled ones.
    if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*([\"\<])([^\"\>]+)[\"\>] ]]; then
      quote=${BASH_REMATCH[1]}
      target=${BASH_REMATCH[2]}
      top=${target%%/*}
      if [ "$quote" = "<" ]; then
        [ -n "${allowed[$top]+set}" ] && [ "$top" != "$target" ] || continue
      elif [ "$top" = "$target" ] || [ "$top" = ".." ] || [ "$top" = "." ]; then
        report "$relative:$line: includes \"$target\"; name it from src/ (folder/File.h)"
        continue
      elif [ -z "${allowed[$top]+set}" ]; then
        report "$relative:$line: includes \"$target\" from $top/, which is in no layer"
        continue
      fi
      if [[ " ${allowed[$folder]} " != *" $top "* ]]; then
        report "$relative:$line: $folder/ includes $target, against the layers"
      fi
    fi
  done < "$file"
done < <(find "$src" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.inl' \) -print0 | sort -z)

if [ "$problems" -ne 0 ]; then
  echo "$problems include(s) against the layers (see docs/architecture.md)"
  exit 1
fi
