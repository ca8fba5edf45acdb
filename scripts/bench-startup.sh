#!/usr/bin/env bash
# Times the desktop program from process start to its main window on screen
# (first expose, painted and flushed) and reads its resident memory at that
# moment (VmRSS, and VmHWM, the peak), against a bare Qt main window built here
# with the same compiler, Qt and optimisation: a QMainWindow with a menu bar of
# four menus, a toolbar and a status bar. Both run on one X server (Xvfb with
# openbox, started here), alternately, after one warm-up run each; the figures
# are medians. Both measure through app/StartupProbe.cpp (ZR580_STARTUP_PROBE).
#
#   scripts/bench-startup.sh [BUILD_BIN_DIR] [RUNS] [LANGUAGE] [BARE]
# RUNS defaults to 15 of each; LANGUAGE is "en" (default) or "zh" (the program
# starts in Chinese, through its ZR580_LANG override). In "zh" the bare window
# speaks Chinese too, as a bare window of a Chinese program would: its menu
# titles, menu items, button texts and status text are Chinese, so it loads a
# Chinese font as the program must. BARE "latin" keeps the bare window's
# English texts in "zh" as well (the comparison the figures before that change
# were taken with).
# Target: every ratio program/bare at most 1.2.
set -euo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$src/build/bin}
runs=${2:-15}
language=${3:-en}
bare_texts=${4:-}
bin=$(cd "$bin" && pwd)
# shellcheck source=scripts/desktop-session.sh
source "$src/scripts/desktop-session.sh"

# The bare window, and a launcher that notes the monotonic clock, then becomes
# the program it starts.
cat >"$work/bare.cpp" <<'EOF'
#include "app/StartupProbe.h"
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
#ifdef BARE_CHINESE
    const char* titles[] = {"文件(&F)", "编辑(&E)", "视图(&V)", "帮助(&H)"};
    const QString item = QStringLiteral("项目 %1"), button = QStringLiteral("按钮"),
                  ready = QStringLiteral("就绪");
#else
    const char* titles[] = {"&File", "&Edit", "&View", "&Help"};
    const QString item = QStringLiteral("Item %1"), button = QStringLiteral("Button"),
                  ready = QStringLiteral("Ready");
#endif
    for (const char* title : titles) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        for (int i = 1; i <= 5; ++i) menu->addAction(item.arg(i));
    }
    QToolBar* bar = window.addToolBar(QStringLiteral("Tools"));
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton,
                                            QStyle::SP_DialogSaveButton, QStyle::SP_ArrowDown,
                                            QStyle::SP_ArrowUp, QStyle::SP_DialogHelpButton};
    for (QStyle::StandardPixmap icon : icons)
        bar->addAction(window.style()->standardIcon(icon), button);
    window.statusBar()->addPermanentWidget(new QLabel(ready), 1);
    window.resize(966, 700);
    InstallStartupProbe(&window);
    window.show();
    return application.exec();
}
EOF
cat >"$work/launch.c" <<'EOF'
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
int main(int argc, char** argv) {
    struct timespec now;
    char text[32];
    if (argc < 2) return 2;
    clock_gettime(CLOCK_MONOTONIC, &now);
    snprintf(text, sizeof text, "%lld", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    setenv("ZR580_STARTUP_PROBE", text, 1);
    execv(argv[1], argv + 1);
    perror(argv[1]);
    return 127;
}
EOF
# shellcheck disable=SC2046
bare_define=()
[[ $language == zh && $bare_texts != latin ]] && bare_define=(-DBARE_CHINESE)
g++ -std=c++20 -O2 -g -DNDEBUG -fPIC "${bare_define[@]}" -I"$src" -o "$work/bare" "$work/bare.cpp" \
    "$src/app/StartupProbe.cpp" $(pkg-config --cflags --libs Qt6Widgets)
cc -O2 -o "$work/launch" "$work/launch.c"

# One X server with a window manager, as on a desktop, and a program folder of
# its own, so the benchmark never touches the user's settings.
start_desktop
use_program_home "$bin"
if [[ $language == zh ]]; then export ZR580_LANG=zh; else export ZR580_LANG=en; fi

probe() { # name executable: appends "ms cpu_ms rss_kb hwm_kb" to $work/name.runs
    local out
    out=$("$work/launch" "$2" 2>&1 >/dev/null | grep '^startup-probe') || {
        echo "$1 did not report its window" >&2
        exit 1
    }
    sed -E 's/.* ms=([0-9.]+) cpu_ms=([0-9.]+) rss_kb=([0-9]+) hwm_kb=([0-9]+).*/\1 \2 \3 \4/' \
        <<<"$out" >>"$work/$1.runs"
}

probe bare "$work/bare" && probe program "$bin/zr580" # warm-up: caches, first-run files
: >"$work/bare.runs"
: >"$work/program.runs"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for _ in $(seq "$runs"); do
    probe bare "$work/bare"
    probe program "$bin/zr580"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

median() { # file column
    sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END {
        print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
medians() { # name: the median of every column
    echo "$(median "$work/$1.runs" 1) $(median "$work/$1.runs" 2) $(median "$work/$1.runs" 3)" \
        "$(median "$work/$1.runs" 4)"
}
read -r bare_ms bare_cpu bare_rss bare_hwm <<<"$(medians bare)"
read -r prog_ms prog_cpu prog_rss prog_hwm <<<"$(medians program)"
bare_said=English
[[ ${#bare_define[@]} -gt 0 ]] && bare_said=Chinese
awk -v runs="$runs" -v lang="$language" -v bt="$bare_said" -v lb="$load_before" -v la="$load_after" \
    -v bm="$bare_ms" -v bc="$bare_cpu" -v br="$bare_rss" -v bh="$bare_hwm" \
    -v pm="$prog_ms" -v pc="$prog_cpu" -v pr="$prog_rss" -v ph="$prog_hwm" 'BEGIN {
    printf "%d runs each, alternating, language %s (bare window: %s); load average %s before, %s after\n", runs, lang, bt, lb, la
    printf "%-8s %10s %10s %10s %10s\n", "(median)", "start ms", "CPU ms", "VmRSS MB", "VmHWM MB"
    printf "%-8s %10.1f %10.1f %10.1f %10.1f\n", "bare", bm, bc, br / 1024, bh / 1024
    printf "%-8s %10.1f %10.1f %10.1f %10.1f\n", "program", pm, pc, pr / 1024, ph / 1024
    printf "%-8s %10.3f %10.3f %10.3f %10.3f\n", "ratio", pm / bm, pc / bc, pr / br, ph / bh }'
