#!/usr/bin/env bash
# Refreshes the README's screenshots: plays the game under Xvfb through the end-to-end tests
# (main menu; a game with a particle burst that ends on the high-score screen) and keeps their
# pictures in docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVEL_TESTS=ON >/dev/null
cmake --build build -j "$(nproc)" --target orvel xprobe predict_berries
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
export ORVEL_BIN=build/orvel XPROBE=build/tests/xprobe PREDICT_BERRIES=build/tests/predict_berries
export ARTIFACTS="$shots"
bash tests/e2e/startup.sh
bash tests/e2e/play_to_game_over.sh
mkdir -p docs/screenshots
for shot in startup-main-menu:main-menu game-with-burst:game high-scores:high-scores; do
  from=${shot%%:*} to=${shot##*:}
  [ "$from" = high-scores ] && from=game-over-high-scores
  convert "$shots/$from.png" -resize 50% "docs/screenshots/$to.png"
done
ls -l docs/screenshots
