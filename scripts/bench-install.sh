#!/usr/bin/env bash
# Times whole installations against nginx on loopback: the real installer under
# Wine, from its start to its exit after the finished page, including the
# download of the demo setup program (DEMO_PAYLOAD_MB, 24 MiB by default), its
# silent run and the Wine start-up. Prints each run and the median in seconds.
#   bash scripts/bench-install.sh [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=${1:-5}
bash "$root/scripts/build.sh" >/dev/null

build="$root/build"
server="$root/tools/demo-server/demo-server.sh"
rundir="$build/nginx-bench"
bash "$server" start "$rundir" "$build/demo-site" 8642 >/dev/null
trap 'bash "$server" stop "$rundir"' EXIT

size=$(stat -c %s "$build/demo-site/pellucor/PellucorFullSetup.exe")
echo "setup program: $size bytes"
times=()
for i in $(seq "$runs"); do
  start=$(date +%s.%N)
  "$build/wine-run.sh" "$build/tools/driver/windriver.exe" \
    --launch "$build/bin/PellucorSetup.exe" --wait-window 30000 \
    --click 25 334 --click 382 258 --wait-child 1015 300000 \
    --close-window --answer-box Yes --expect-exit 1000 >/dev/null 2>&1
  end=$(date +%s.%N)
  t=$(python3 -c "print(f'{$end - $start:.2f}')")
  times+=("$t")
  echo "run $i: $t s"
done
python3 -c "import statistics,sys; print('median:', statistics.median(map(float, sys.argv[1:])), 's')" "${times[@]}"
