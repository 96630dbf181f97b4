#!/usr/bin/env bash
# Builds the benchmarks (optimised), runs them with Google Benchmark's JSON
# output and writes the table of figures to docs/benchmarks.md; the
# Performance section of README.md gets the same table.
#
# Settings, from the environment:
#   BUILD_DIR  build folder (default build; must be Release or RelWithDebInfo)
#   JOBS       build jobs (default 1: the benchmark machine is small and shared)
#   REPS       repetitions of each benchmark; the table shows their median (default 5)
#   BENCH_DATA folder for the 230 MB test files, on the disk (default $BUILD_DIR/bench-data)
#   MAX_LOAD   the 1-minute load below which the runs start (default 1.5) ...
#   LOAD_WAIT  ... waiting at most this many seconds for it (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build_dir=${BUILD_DIR:-build}
jobs=${JOBS:-1}
reps=${REPS:-5}
max_load=${MAX_LOAD:-1.5}
load_wait=${LOAD_WAIT:-300}

scripts/deps.sh
if ! command -v jq >/dev/null 2>&1; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends jq
fi

# --- Build ------------------------------------------------------------------
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo
else
  # Picks up Google Benchmark when it was installed after the first configure.
  cmake -S . -B "$build_dir" >/dev/null
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
case "$build_type" in
  Release | RelWithDebInfo) ;;
  *)
    echo "The build in $build_dir is '$build_type'; figures need Release or RelWithDebInfo." >&2
    echo "Use another folder, for example BUILD_DIR=build-release $0" >&2
    exit 1
    ;;
esac
targets=(carvello bench_records bench_clients bench_documents bench_startup)
nice -n 10 cmake --build "$build_dir" --parallel "$jobs" --target "${targets[@]}"

# --- Run --------------------------------------------------------------------
bench_bin="$root/$build_dir/bench"
results="$root/$build_dir/bench-results"
mkdir -p "$results"
# The saves flush to the disk: their files must not be on a memory file
# system, where a flush costs nothing. TMPDIR is where the benchmarks keep them.
data=${BENCH_DATA:-$root/$build_dir/bench-data}
mkdir -p "$data"
data=$(cd "$data" && pwd)
export TMPDIR="$data"
export QT_QPA_PLATFORM=offscreen

load1() { cut -d' ' -f1 /proc/loadavg; }
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

waited=0
while above "$(load1)" "$max_load" && [ "$waited" -lt "$load_wait" ]; do
  [ "$waited" -eq 0 ] && echo "Waiting for the load ($(load1)) to fall below $max_load ..."
  sleep 10
  waited=$((waited + 10))
done
load_before=$(load1)
if above "$load_before" "$max_load"; then
  echo "Warning: the load is $load_before; the figures may be slow. Rerun when the machine is quiet." >&2
fi

run() { # name filter
  local name=$1 filter=$2
  echo "== $name"
  "$bench_bin/$name" --benchmark_filter="$filter" \
    --benchmark_repetitions="$reps" --benchmark_display_aggregates_only=true \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json
}

run bench_startup 'BM_Startup'
run bench_records 'BM_BrowseLast|BM_SaveAppend|BM_SaveOverwrite|BM_WriteAndFlushOneRecord'
run bench_clients 'BM_ClientEditorLast'
run bench_documents 'BM_AgreementPrepareAndDrawPdf|BM_ListReportPdf/150'

run bench_search 'BM_SearchTwoCriteria|BM_SearchListEveryRecord|BM_GrepOneCriterion'
run bench_resultlist 'BM_ListShowsAndScrolls'

run bench_export 'BM_ExportWindowFills|BM_ExportWrite'

load_after=$(load1)

# --- Table ------------------------------------------------------------------
# Google Benchmark names a run after the benchmark and its settings
# ("BM_SaveAppend/real_time"); a figure is picked by the name it was given.
pick='def scale(u): {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[u];
  .benchmarks[]
  | select(.aggregate_name == $aggregate and (.run_name == $name or (.run_name | startswith($name + "/"))))'
# The median of the repetitions, converted to `unit` (ms or us); a counter
# (`field` other than real_time) is in milliseconds already.
value() { # file benchmark field unit
  jq -r --arg name "$2" --arg aggregate median --arg field "$3" --arg unit "$4" "$pick"'
    | (if $field == "real_time" then .time_unit else "ms" end) as $from
    | .[$field] * scale($from) / scale($unit)' "$results/$1.json"
}
spread() { # file benchmark unit: the standard deviation of the repetitions
  jq -r --arg name "$2" --arg aggregate stddev --arg unit "$3" "$pick"'
    | .real_time * scale(.time_unit) / scale($unit)' "$results/$1.json"
}
largest() { # file benchmark counter: the largest over all repetitions
  jq -r --arg name "$2" --arg field "$3" '
    [.benchmarks[] | select(.run_type == "iteration" and (.run_name == $name or (.run_name | startswith($name + "/"))))
     | .[$field]] | max' "$results/$1.json"
}
total() { # file benchmark counter: the sum over all repetitions
  jq -r --arg name "$2" --arg field "$3" '
    [.benchmarks[] | select(.run_type == "iteration" and (.run_name == $name or (.run_name | startswith($name + "/"))))
     | .[$field]] | add' "$results/$1.json"
}
fmt() { awk -v v="$1" 'BEGIN { if (v >= 100) printf "%.0f", v; else if (v >= 10) printf "%.1f", v; else if (v >= 1) printf "%.2f", v; else printf "%.3f", v }'; }
target() { # value limit
  if above "$1" "$2"; then echo "**not met**"; else echo "met"; fi
}

search=$(value bench_search BM_SearchTwoCriteria real_time ms)
export_fill=$(value bench_export BM_ExportWindowFills real_time ms)
export_fill_sd=$(spread bench_export BM_ExportWindowFills ms)
export_write=$(value bench_export BM_ExportWrite real_time ms)
export_write_sd=$(spread bench_export BM_ExportWrite ms)
export_mb=$(largest bench_export BM_ExportWrite file_mb)
search_sd=$(spread bench_search BM_SearchTwoCriteria ms)
search_all=$(value bench_search BM_SearchListEveryRecord real_time ms)
grep_one=$(value bench_search BM_GrepOneCriterion real_time ms)
half_grep=$(awk -v g="$grep_one" 'BEGIN { print g / 2 }')
list_shown=$(value bench_resultlist BM_ListShowsAndScrolls real_time ms)
list_shown_sd=$(spread bench_resultlist BM_ListShowsAndScrolls ms)
startup=$(value bench_startup BM_StartupToFirstWindow real_time ms)
startup_sd=$(spread bench_startup BM_StartupToFirstWindow ms)
startup_exit=$(value bench_startup BM_StartupToFirstWindow to_exit_ms ms)
empty=$(value bench_startup BM_StartupEmptyQtWindow real_time ms)
browse=$(value bench_records BM_BrowseLast real_time us)
browse_sd=$(spread bench_records BM_BrowseLast us)
editor=$(value bench_clients BM_ClientEditorLast real_time us)
editor_sd=$(spread bench_clients BM_ClientEditorLast us)
append=$(value bench_records BM_SaveAppend real_time ms)
append_sd=$(spread bench_records BM_SaveAppend ms)
append_p95=$(value bench_records BM_SaveAppend p95_ms ms)
append_max=$(largest bench_records BM_SaveAppend max_ms)
append_saves=$(total bench_records BM_SaveAppend saves)
append_slow=$(total bench_records BM_SaveAppend slow_saves)
overwrite=$(value bench_records BM_SaveOverwrite real_time ms)
overwrite_sd=$(spread bench_records BM_SaveOverwrite ms)
overwrite_p95=$(value bench_records BM_SaveOverwrite p95_ms ms)
overwrite_max=$(largest bench_records BM_SaveOverwrite max_ms)
overwrite_saves=$(total bench_records BM_SaveOverwrite saves)
overwrite_slow=$(total bench_records BM_SaveOverwrite slow_saves)
flush=$(value bench_records BM_WriteAndFlushOneRecord real_time ms)
flush_sd=$(spread bench_records BM_WriteAndFlushOneRecord ms)
agreement=$(value bench_documents BM_AgreementPrepareAndDrawPdf real_time ms)
agreement_sd=$(spread bench_documents BM_AgreementPrepareAndDrawPdf ms)
list=$(value bench_documents BM_ListReportPdf/150 real_time ms)
list_sd=$(spread bench_documents BM_ListReportPdf/150 ms)

for v in startup startup_exit empty browse editor flush agreement list \
  append append_p95 append_max append_saves append_slow \
  overwrite overwrite_p95 overwrite_max overwrite_saves overwrite_slow; do
  if [ -z "${!v}" ]; then
    echo "No figure for '$v': a benchmark failed or was skipped (see $results)." >&2
    exit 1
  fi
done

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)
virtual=""
if grep -qw hypervisor /proc/cpuinfo; then virtual=", virtual machine"; fi
mhz=$(sed -n 's/^cpu MHz[[:space:]]*: //p' /proc/cpuinfo | head -n1)
cores=$(nproc)
memory=$(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)
fstype=$(df --output=fstype "$data" | tail -n1 | tr -d ' ')
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build_dir/CMakeCache.txt")
compiler_version=$("$compiler" --version | head -n1)
qt=$(pkg-config --modversion Qt6Core 2>/dev/null || echo "?")
date=$(date -u '+%Y-%m-%d %H:%M UTC')

table=$(
  cat <<EOF
| Figure | Value | Spread (sd) | Unit | Comparison / target |
|---|---:|---:|---|---|
| Start-up of \`build/src/carvello\` until its first window (the login, TfrmPassword) is exposed and painted, offscreen | $(fmt "$startup") | ±$(fmt "$startup_sd") | ms | an empty Qt window, timed the same way: $(fmt "$empty") ms; start to the end of the process, quitting included: $(fmt "$startup_exit") ms |
| Browse to the last of 50,000 clients: \`records::browseLast\` | $(fmt "$browse") | ±$(fmt "$browse_sd") | µs | |
| Browse to the last of 50,000 clients: client editor's Last button (engine, fields, painting) | $(fmt "$editor") | ±$(fmt "$editor_sd") | µs | \`records::browseLast\` alone: $(fmt "$browse") µs |
| Save a new client into a 50,000-record file (\`records::saveRecord\` append: journal, record, empty journal, 3 flushes) | $(fmt "$append") | ±$(fmt "$append_sd") | ms | target under 20 ms: median $(target "$append" 20); 95th percentile $(fmt "$append_p95") ms, $(target "$append_p95" 20); slowest $(fmt "$append_max") ms, $(target "$append_max" 20) ($append_slow of $append_saves saves took 20 ms or more) |
| Save a changed client in a 50,000-record file (\`records::saveRecord\` overwrite, 3 flushes) | $(fmt "$overwrite") | ±$(fmt "$overwrite_sd") | ms | target under 20 ms: median $(target "$overwrite" 20); 95th percentile $(fmt "$overwrite_p95") ms, $(target "$overwrite_p95" 20); slowest $(fmt "$overwrite_max") ms, $(target "$overwrite_max" 20) ($overwrite_slow of $overwrite_saves saves took 20 ms or more) |
| One record written and flushed once, no journal, no lock | $(fmt "$flush") | ±$(fmt "$flush_sd") | ms | the floor of one flush on this disk; a save does 3 |
| Rental agreement to PDF (load template, fill, lay out, write PDF) | $(fmt "$agreement") | ±$(fmt "$agreement_sd") | ms | |
| Search result list of 150 lines to PDF (\`:/templates/search_results.json\`, \`txtRiepilogo\`, 3 pages) | $(fmt "$list") | ±$(fmt "$list_sd") | ms | |
| Search 50,000 clients with two criteria, the lines of the hits built and sorted | $(fmt "$search") | ±$(fmt "$search_sd") | ms | target at most half of \`grep -c -i -F\` of one criterion on the same file in the same run ($(fmt "$grep_one") ms): $(target "$search" "$half_grep"); every record listed: $(fmt "$search_all") ms |
| 50,000 result lines shown in the list and scrolled to the last | $(fmt "$list_shown") | ±$(fmt "$list_shown_sd") | ms | target under 300 ms: $(target "$list_shown" 300) |
| Export window on 50,000 clients: opened, grid filled from the file, painted and scrolled to the last row | $(fmt "$export_fill") | ±$(fmt "$export_fill_sd") | ms | |
| Export 50,000 clients: the file built from the grid and written through the safe writer ($(fmt "$export_mb") MB) | $(fmt "$export_write") | ±$(fmt "$export_write_sd") | ms | |
EOF
)

machine=$(
  cat <<EOF
| Machine | |
|---|---|
| CPU | $cpu${mhz:+, ${mhz%.*} MHz}$virtual |
| Cores | $cores |
| Memory | $memory |
| File system of the test files | $fstype |
| Build | $build_type, $compiler_version, Qt $qt |
| Date | $date |
| 1-minute load before / after the runs | $load_before / $load_after |
EOF
)

mkdir -p docs
cat >docs/benchmarks.md <<EOF
# Benchmarks

Written by \`scripts/bench.sh\`; run it again to regenerate this page and the
Performance section of README.md. A Google Benchmark run gives the mean
wall-clock time of one iteration; each value is the median of $reps such runs
and the spread their standard deviation. Start-up is one whole process per
iteration, 10 per run. The save rows also give the 95th percentile of single
saves (the median over the runs), the slowest single save of all runs and how
many saves of all runs took 20 ms or more.

The machine is shared: figures taken under a load well above 1 are slower
than the program is, the saves most of all, since they wait for the disk. On
a virtual machine the host may confirm a flush from its own cache, so a save
there can be quicker than on a desk computer's disk. Google Benchmark's
"Library was built as DEBUG" warning is about Debian's build of the benchmark
library itself, not about the code measured.

$table

$machine

The benchmarks are in \`bench/\`: \`bench_startup\` (start-up), \`bench_records\`
(browse and save through the record files), \`bench_clients\` (the client
editor) and \`bench_documents\` (PDF documents). The raw JSON of the last run
is in \`$build_dir/bench-results/\`.
EOF

# README.md shows the same table between its two markers.
readme_block=$(
  printf '%s\n\n' "$table"
  printf '%s\n' "Measured on $cores cores of $cpu$virtual, $date, load $load_before / $load_after; details in [docs/benchmarks.md](docs/benchmarks.md)."
)
BLOCK="$readme_block" awk '
  /<!-- benchmarks:begin -->/ { print; print ENVIRON["BLOCK"]; skipping = 1; next }
  /<!-- benchmarks:end -->/ { skipping = 0 }
  !skipping { print }' README.md >README.md.new
mv README.md.new README.md

echo "Wrote docs/benchmarks.md (load before $load_before, after $load_after)."
if above "$load_after" "$max_load"; then
  echo "Warning: the load was $load_after at the end; consider a rerun." >&2
fi
