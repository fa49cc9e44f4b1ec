#!/bin/bash
# badsync.sh FFXDEMO_TREE WORKDIR -- a project whose SYNC file is missing,
# broken, has a bad key or no BPM, or whose rows are to be the music's when
# it is no module, stops configuring with one line naming the file, the
# line where it can, and the reason.
tree=$1 work=$2
. "$(dirname "$0")/../lib/bad_project.sh"
printf '<sync rows="8">\n<tracks>\n<track name="a:b">\n<key row="1" value="1" interpolation="0"/>\n</tracks>\n</sync>\n' >project/broken.rocket
printf '<sync>\n<tracks>\n<track name="a:b">\n<key row="-1" value="1" interpolation="0"/>\n</track></tracks></sync>\n' >project/row.rocket
printf '<sync beatsPerMin="125"><tracks><track name="a:b">\n<key row="1" value="1" interpolation="5"/>\n</track></tracks></sync>\n' >project/kind.rocket

expect_stop "SYNC gone.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/gone.rocket: no such file"
expect_stop "SYNC broken.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/broken.rocket:5: mismatched tag"
expect_stop "SYNC row.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/row.rocket:4: a key's row \"-1\" is not a row"
expect_stop "SYNC kind.rocket" "ffx_add_demo(bad): SYNC $work/project/kind.rocket:2: a key's interpolation \"5\" is not 0 to 3"
expect_stop "SYNC row.rocket" "ffx_add_demo(bad): SYNC $work/project/row.rocket:4: a key's row"
sed -i 's/interpolation="5"/interpolation="1"/' project/kind.rocket
expect_stop "SYNC kind.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/kind.rocket: BPM 120 but its beatsPerMin is 125"
printf '<sync><tracks/></sync>\n' >project/empty.rocket
expect_stop "SYNC empty.rocket" "ffx_add_demo(bad): SYNC $work/project/empty.rocket: no BPM"
# The music's own rows need a module's.
cp "$tree/tests/music/click.flac" project/
expect_stop "MUSIC click.flac SYNC empty.rocket MUSIC_ROWS" \
  "ffx_add_demo(bad): MUSIC $work/project/click.flac: libopenmpt does not read it as a module, and MUSIC_ROWS needs a tracker module's rows"
echo "badsync: the build stops with the file, the line and the reason"
