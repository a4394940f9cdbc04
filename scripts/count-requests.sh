#!/usr/bin/env bash
# Counts the Wine server requests of the program's start-up, phase by phase, against the same
# phases of the window tree made directly with the system's classes (startup_window_tree.exe).
# Each program marks its phases in the server's log (benchmarks/request_marks.h): start (its
# first line), read (layouts and components read; the tree: its first window), made (the main
# window's windows), shown (framed and shown), painted (first paint), idle. Only the requests of
# the thread that marks are counted.
#   bash scripts/count-requests.sh [BUILD]        (BUILD: build/windows-release by default)
#   DETAIL=1 bash scripts/count-requests.sh       also the most frequent requests of each phase
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/windows-release}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

count() {  # log file, program name
  DETAIL="${DETAIL:-}" perl -e '
    my ($name) = @ARGV[1]; my ($thread, $phase, $n, $total, @segments, %byname);
    open my $log, "<", $ARGV[0] or die "$ARGV[0]: $!";
    while (<$log>) {
      if (/^([0-9a-f]+): find_atom\( .*name=L"QUILLIMO_MARK_([a-z]+)"/) {
        $thread //= $1;
        next unless $1 eq $thread;
        if (defined $phase) { push @segments, ["$phase -> $2", $n]; $total += $n }
        ($phase, $n) = ($2, 0);
      } elsif (defined $phase && /^([0-9a-f]+): ([a-z_0-9]+)\( / && $1 eq $thread) {
        $n++;
        $byname{scalar @segments}{$2}++;
      }
    }
    print "$name\n";
    for my $i (0 .. $#segments) {
      printf "  %-18s %6d\n", @{$segments[$i]};
      next unless $ENV{DETAIL};
      my $names = $byname{$i};
      printf "      %-28s %5d\n", $_, $names->{$_}
        for grep { $names->{$_} >= 5 } sort { $names->{$b} <=> $names->{$a} } keys %$names;
    }
    printf "  %-18s %6d\n", "in all", $total;
  ' "$1" "$2"
}

run() {  # log file, program and its arguments
  local log=$1
  shift
  QUILLIMO_WINESERVER_LOG="$log" bash "$root/scripts/with-display.sh" bash "$root/scripts/wine-run.sh" "$@" >/dev/null
}

run "$work/program.log" "$build/benchmarks/bench_startup_split.exe" --once
run "$work/tree.log" "$build/benchmarks/startup_window_tree.exe" --once
count "$work/program.log" "the program (bench_startup_split --once)"
count "$work/tree.log" "the window tree (startup_window_tree --once)"
