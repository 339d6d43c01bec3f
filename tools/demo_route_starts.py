#!/usr/bin/env python3
"""Measures where each level of a demo episode starts when its routes are played from New Game.

usage: tools/demo_route_starts.py BIN_DIR EPISODE SKILL LEVEL[:ROUTE]...  > tests/engine/demo_routes/FILE

A route (tests/engine/demo_routes/LEVEL.txt) gives its events in frames counted from one frame
before the level's first pass. How many frames lie between one level's golden frog and the
next level's first pass depends on what the level loads that the game has not loaded before,
so the episode tests read the first passes from a file this tool writes: it plays the routes
with BIN_DIR/hopwerk-replay and finds, level by level, the first frame whose key press moves
the frog. SKILL is 1 for Medium, 2 for Hard. A level is played by demo_routes/LEVEL.txt, or by
demo_routes/ROUTE.txt when LEVEL:ROUTE names one (a Hard route). Run it again whenever a route
or a level changes.
"""
import os
import subprocess
import sys
import tempfile

ROUTES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "engine",
                      "demo_routes")


def read_route(level):
    events, completes = [], None
    with open(os.path.join(ROUTES, level + ".txt")) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            word, rest = line.split(" ", 1)
            if word == "completes":
                completes = int(rest)
            else:
                events.append((int(word), rest))
    return events, completes


class Replay:
    def __init__(self, bin_dir):
        self.bin_dir = bin_dir
        self.home = tempfile.mkdtemp(prefix="hopwerk-routes-")

    def state(self, events, frames):
        path = os.path.join(self.home, "input")
        with open(path, "w") as f:
            f.write(events)
        out = subprocess.run(
            [os.path.join(self.bin_dir, "hopwerk-replay"), "--home", self.home, "--input", path,
             "--frames", str(frames), "--state", self.bin_dir],
            capture_output=True, text=True, check=False).stdout
        state = {}
        for line in out.splitlines():
            if line.startswith("state| "):
                name, _, value = line[7:].partition("=")
                state[name] = value
        return state, out


def first_true(lo, hi, test):
    while lo < hi:
        mid = (lo + hi) // 2
        if test(mid):
            hi = mid
        else:
            lo = mid + 1
    return lo


# The menus' keys, as the episode tests press them: New Game, the episode, the skill.
def menu_events(loading, episode, skill):
    menu = loading + 30
    events = f"{loading + 5} tap ESC\n{loading + 10} tap ESC\n{menu} tap ENTER\n"
    for i in range(episode - 1):
        events += f"{menu + 8 + 2 * i} tap DOWN\n"
    events += f"{menu + 12} tap ENTER\n"
    if skill == 2:
        events += f"{menu + 15} tap DOWN\n"
    events += f"{menu + 17} tap ENTER\n"
    return events


def level_events(events, start, completes):
    # A route is made in a level tried on its own, where the frog holds the seeds; in an
    # episode it holds whatever it chose last.
    text = f"{start - 1} tap 1\n" + "".join(f"{start - 1 + p} {e}\n" for p, e in events)
    held = set()
    for _, e in events:
        kind, key = e.split(" ", 1)
        if kind == "down":
            held.add(key)
        elif kind == "up":
            held.discard(key)
    # Keys still held when the golden frog is taken are let go, or the next level starts walking.
    done = start - 1 + completes
    return text + "".join(f"{done + 1} up {k}\n" for k in sorted(held)), done


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    replay = Replay(sys.argv[1])
    episode, skill, levels = int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
    _, out = replay.state("", 150)
    loading = sum(1 for line in out.splitlines() if line.startswith("console| "))
    events = menu_events(loading, episode, skill)
    search_from = loading + 30
    print(f"# Episode {episode} at {'Hard' if skill == 2 else 'Medium'}: the frame of each level's")
    print("# first pass with the routes before it played from New Game, as")
    print("# tools/demo_route_starts.py measured it.")
    for argument in levels:
        level, _, route_name = argument.partition(":")
        route, completes = read_route(route_name or level)
        limit = search_from + 2000
        base, _ = replay.state(events, limit + 40)

        def moves(frame):
            for key in ("RIGHT", "LEFT"):
                state, _ = replay.state(events + f"{frame} tap {key}\n", limit + 40)
                if state.get("CurrentLevelName") == level and state.get("PlayerX") != base.get(
                        "PlayerX"):
                    return True
            return False

        start = first_true(search_from, limit, moves)
        if start >= limit:
            sys.exit(f"{level}: no first pass found before frame {limit}")
        print(f"{level} {start} {route_name}".rstrip())
        more, done = level_events(route, start, completes)
        events += more
        search_from = done


if __name__ == "__main__":
    main()
