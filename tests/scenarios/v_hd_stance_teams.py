"""An HD 5.x record whose lobby stored no teams shows the teams its players' stances form: the real final, with no alliance, shows none; the same game with its two players made allies shows both in team 1."""

import struct
import zlib

NAMES = ("robo_boro", "Klavskis")
PLAYER_COUNT = 3  # Gaia and the two players
STANCES_AFTER_NAME = PLAYER_COUNT + 42  # the fixed head between a block's start and its name


def stances_at(header, name):
    """Where the stances of the player with this name start: one byte into its block."""
    field = struct.pack("<H", len(name) + 1) + name.encode() + b"\0"
    at = header.find(field)
    if at < 0:
        raise ValueError(f"no player block named {name}")
    return at - STANCES_AFTER_NAME + 1


def allied_copy(source, target):
    """The record with its two players naming each other ally (0) instead of enemy (3)."""
    data = source.read_bytes()
    header_end = struct.unpack_from("<i", data, 0)[0]
    header = bytearray(zlib.decompress(data[8:header_end], -15))
    header[stances_at(header, NAMES[0]) + 2] = 0
    header[stances_at(header, NAMES[1]) + 1] = 0
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    block = packer.compress(bytes(header)) + packer.flush()
    target.write_bytes(struct.pack("<i", len(block) + 8) + data[4:8] + block + data[header_end:])
    return target


def team_labels(p):
    labels, _ = p.panel()
    return [labels.get(f"teamLabel{k}") for k in (0, 1)]  # the first two places of the panel


def run(s):
    folder = s.folder("records")
    final = s.rec("hd50_tourney_final_g4.aoe2record", folder, "hd50_final.aoe2record")
    allied = allied_copy(final, folder / "hd50_allied.aoe2record")
    info = s.korvale_info("--json", allied)
    s.check(info.returncode == 0 and '"teamsFromStances":true' in info.stdout,
            f"korvale-info reads the allied copy and says its teams come from the stances: {info.stdout[:200]} {info.stderr}")
    p = s.start(folder)

    p.mark()
    p.click_row(final.name)
    p.wait_log(r"\[korvale\.window\] shown .*hd50_final")
    s.check_equal(team_labels(p), ["--", "--"], "the teams of the final, where nobody is allied")

    p.mark()
    p.click_row(allied.name)
    p.wait_log(r"\[korvale\.window\] shown .*hd50_allied")
    s.check_equal(team_labels(p), ["1", "1"], "the teams of the allied copy")
    p.assert_alive()
