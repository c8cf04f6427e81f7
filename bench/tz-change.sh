#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Does a running countdown follow a change of the system's time zone? Builds
# a probe from the core's CTime that reads the arrival moment and the local
# time of a fixed instant, as a full refresh does, then changes the zone under
# it and reads them again. The zone is changed inside a private mount
# namespace (a zone file bound over /etc/localtime), so the machine's own zone
# is never touched.
#
#   bench/tz-change.sh        needs g++ and unshare (root, or user namespaces)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cat >"$WORK/probe.cpp" <<'CPP'
#include <cstdio>
#include <cstdlib>
#include <string>
#include "countdown/CTime.h"
int main(int, char** argv) {
    for (int i = 0; i < 2; ++i) {
        // In a refresh's order: the arrival (mktime), then a text (localtime_r).
        const CTime arrival(2030, 1, 10, 12, 0, 0);
        const std::string strShown = CTime(1894276800).Format("%H:%M");
        std::printf("  arrival 2030-01-10 12:00 is %lld; 2030-01-10 12:00 UTC shows as %s\n",
                    static_cast<long long>(arrival.GetTime()), strShown.c_str());
        if (i == 0 && std::system(argv[1]) != 0) return 2;
    }
}
CPP
g++ -std=c++20 -I"$ROOT/src" "$WORK/probe.cpp" "$ROOT/src/countdown/CTime.cpp" -o "$WORK/probe"
[ "$(id -u)" = 0 ] && userns= || userns=--map-root-user
zones=/usr/share/zoneinfo
unshare $userns --mount --propagation private sh -c "
  mount --bind $zones/UTC /etc/localtime
  echo 'TZ unset, /etc/localtime from UTC to America/New_York:'
  env -u TZ '$WORK/probe' 'mount --bind $zones/America/New_York /etc/localtime'
  umount /etc/localtime
  echo 'TZ=:/etc/localtime, the same change:'
  TZ=:/etc/localtime '$WORK/probe' 'mount --bind $zones/America/New_York /etc/localtime'
"
