#!/bin/bash
# badmusic.sh FFXDEMO_TREE WORKDIR -- a project whose MUSIC is missing or
# cannot be decoded stops configuring with one line naming the file and the
# reason.
tree=$1 work=$2
. "$(dirname "$0")/../lib/bad_project.sh"
echo "not a module" >project/bad.xm

expect_stop "MUSIC bad.xm" "ffx_add_demo(bad): MUSIC $work/project/bad.xm: cannot open it: Invalid data found when processing input"
expect_stop "MUSIC gone.ogg" "ffx_add_demo(bad): MUSIC $work/project/gone.ogg: no such file"
echo "badmusic: the build stops with the file and the reason"
