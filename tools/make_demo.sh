#!/usr/bin/env bash
# make demo: builds a sample photo tree under the build folder and makes its
# gallery with orvanta-cli.
set -euo pipefail
build=${1:-build}
demo="$build/demo"
"$build/orvanta-demo-tree" "$demo/Holiday"
mkdir -p "$demo/program"
"$build/orvanta-cli" --quiet --program-folder "$demo/program" "$demo/Holiday"
echo "Gallery: $(cd "$demo/Holiday" && pwd)/index.html"
