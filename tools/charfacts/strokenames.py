"""The standard name of each stroke (横, 竖, 横折钩 …), worked out from its centre line: the `medians` of
hanzi-writer-data, on a 1024-unit square with y pointing up, from where the brush starts to where it
leaves.

A centre line is cut into runs at its turns; each run gets a direction (right, down, down-left,
down-right, up-right), and a short last run that turns back sharply is a hook. The sequence of directions
names the stroke."""

import math

# The names, in the order of the codes the table stores (0: unknown).
NAMES = [
    "", "横", "竖", "撇", "点", "捺", "提", "横折", "横撇", "横钩", "竖钩", "竖提", "竖折", "竖弯", "竖弯钩",
    "撇点", "撇折", "斜钩", "卧钩", "弯钩", "横折钩", "横折提", "横斜钩", "横折弯钩", "横折折", "横折弯",
    "横折折折钩", "横撇弯钩", "竖折撇", "竖折折", "竖折折钩", "横折折撇", "横折折折",
]

STEP = 8.0  # the spacing a centre line is resampled to, in units of the 1024 square
TICK = 40.0  # a run this short at either end is where the brush enters or leaves, not a part of the stroke


def resample(points):
    out = [points[0]]
    carry = 0.0
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        length = math.hypot(x1 - x0, y1 - y0)
        at = STEP - carry
        while at <= length:
            t = at / length
            out.append((x0 + (x1 - x0) * t, y0 + (y1 - y0) * t))
            at += STEP
        carry = (carry + length) % STEP if length else carry
    if out[-1] != tuple(points[-1]):
        out.append(tuple(points[-1]))
    return out


def simplify(points, tolerance):
    """Ramer-Douglas-Peucker: the points that keep the line within `tolerance`."""
    if len(points) < 3:
        return list(points)
    (x0, y0), (x1, y1) = points[0], points[-1]
    dx, dy = x1 - x0, y1 - y0
    norm = math.hypot(dx, dy) or 1.0
    far, index = -1.0, 0
    for i in range(1, len(points) - 1):
        x, y = points[i]
        d = abs(dy * (x - x0) - dx * (y - y0)) / norm if norm else math.hypot(x - x0, y - y0)
        if d > far:
            far, index = d, i
    if far <= tolerance:
        return [points[0], points[-1]]
    return simplify(points[: index + 1], tolerance)[:-1] + simplify(points[index:], tolerance)


def angle_of(a, b):
    return math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))


def turn(a, b):
    d = (b - a) % 360
    return d - 360 if d > 180 else d


class Run:
    def __init__(self, start, end):
        self.start, self.end = start, end
        self.length = math.hypot(end[0] - start[0], end[1] - start[1])
        self.angle = angle_of(start, end)


def runs_of(median):
    """The straight runs a centre line is made of, without the brush's entry and exit; the resampled
    line; and its length."""
    points = resample([tuple(map(float, p)) for p in median])
    total = sum(math.hypot(b[0] - a[0], b[1] - a[1]) for a, b in zip(points, points[1:]))
    corners = simplify(points, max(10.0, total * 0.035))
    runs = [Run(a, b) for a, b in zip(corners, corners[1:]) if a != b]
    # Runs that go on the same way are one.
    merged = [runs[0]]
    for run in runs[1:]:
        if abs(turn(merged[-1].angle, run.angle)) < 30:
            merged[-1] = Run(merged[-1].start, run.end)
        else:
            merged.append(run)
    runs = merged
    # The brush's entry: a short run before the stroke turns its own way, most often down to the right.
    if len(runs) > 1 and runs[0].length < 0.3 * total and runs[0].length < (120 if direction(runs[0].angle) == "N" else 90):
        runs = runs[1:]
    # A short run between two longer ones is the rounding of a corner.
    changed = True
    while changed and len(runs) > 2:
        changed = False
        for i in range(1, len(runs) - 1):
            a, middle, b = runs[i - 1], runs[i], runs[i + 1]
            if middle.length < 100 and middle.length < 0.7 * min(a.length, b.length):
                at = ((middle.start[0] + middle.end[0]) / 2, (middle.start[1] + middle.end[1]) / 2)
                runs[i - 1 : i + 2] = [Run(a.start, at), Run(at, b.end)]
                changed = True
                break
    # The brush's exit: a short run at the end that is no hook, or that trails off down to the left.
    while len(runs) > 1:
        last, before = runs[-1], runs[-2]
        trailing = last.length < 100 and (last.angle < -140 or last.angle > 172) and direction(before.angle) in "SPN"
        if last.length < 45 or (last.length < 80 and abs(turn(before.angle, last.angle)) > 30) or trailing:
            runs = runs[:-1]
        else:
            break
    # A hook that rises in two runs is one; the short run that rounds the corner before a hook is none.
    if len(runs) > 2 and direction(runs[-1].angle) == "U" and direction(runs[-2].angle) == "T" and runs[-2].length < 130:
        runs[-2:] = [Run(runs[-2].start, runs[-1].end)]
    if len(runs) > 2 and 110 < runs[-1].angle < 175 and runs[-2].length < 120 and runs[-2].length < runs[-3].length:
        runs[-3:] = [Run(runs[-3].start, runs[-2].end), runs[-1]]
    return runs, points, sum(r.length for r in runs)


def direction(angle):
    """H right, T up-right, U up, L left, P down-left, S down, N down-right."""
    if -22 <= angle < 22:
        return "H"
    if 22 <= angle < 75:
        return "T"
    if 75 <= angle < 120:
        return "U"
    if angle >= 120 or angle < -150:
        return "L"
    if -150 <= angle < -110:
        return "P"
    if -110 <= angle < -68:
        return "S"
    return "N"


def classify(median):
    """The index in NAMES of the stroke whose centre line is `median`; 0 when it fits no name."""
    runs, points, length = runs_of(median)
    name = name_of(runs, points, length)
    if not name:
        # Runs that bend only a little more than the merge allows (横 of two runs): one, and again.
        merged = [runs[0]]
        for run in runs[1:]:
            if direction(run.angle) == direction(merged[-1].angle):
                merged[-1] = Run(merged[-1].start, run.end)
            else:
                merged.append(run)
        if len(merged) < len(runs):
            name = name_of(merged, points, length)
    return NAMES.index(name)


def sweeping_left(runs):
    """Runs that turn ever further to the left as they go down, as a 撇 sweeps."""
    return all(direction(r.angle) in "SPL" for r in runs) and all(
        turn(a.angle, b.angle) < 0 or abs(turn(a.angle, b.angle)) < 15 for a, b in zip(runs, runs[1:])
    )


def name_of(runs, points, length):
    dirs = "".join(direction(r.angle) for r in runs)
    # A stroke across that rises a little before it turns down (也's 横折钩).
    if len(runs) > 1 and dirs[0] == "T" and runs[0].angle < 32 and dirs[1] in "SP":
        dirs = "H" + dirs[1:]
    if len(runs) == 1:
        return single(runs[0], length)
    if length < 170:
        # A short stroke: what its ends say.
        return single(Run(runs[0].start, runs[-1].end), length)
    last, before = runs[-1], runs[-2]
    sharp = abs(turn(before.angle, last.angle)) > 70
    body, end = dirs[:-1], dirs[-1]
    hook = sharp and last.length >= 80
    # Hooks to the left, at the foot of a stroke that goes down (竖钩, 横折钩, 弯钩 …).
    if hook and (last.length < 160 or last.length < 0.7 * before.length) and end in "LU" and body[-1] in "SPN" and last.angle > 110:
        name = left_hooked(body, runs[:-1], points)
        if name:
            return name
    # Hooks up, at the end of a stroke that ends going right (竖弯钩, 斜钩, 卧钩, 横折弯钩 …).
    rising = abs(turn(before.angle, last.angle)) > 45 and last.length >= 80 and 20 < last.angle < 150
    if rising and (last.length < 0.8 * before.length or last.length < 250) and body[-1] in "HN":
        return up_hooked(body, runs[:-1])
    # 横钩: a short hook down to the left after a stroke across.
    ratio = last.length / before.length
    if hook and body == "HN" and runs[1].length < 0.3 * runs[0].length and last.angle < -100:
        # 宀's 横钩, rounding its corner in a run of its own.
        return "横钩"
    if hook and body == "H" and ((last.angle < -100 and ratio < 0.35) or (last.angle < -112 and ratio < 0.5)):
        return "横钩"
    name = unhooked(dirs, runs, points, length)
    if name:
        return name
    if length < 200:
        # A short stroke of wavering runs: what its ends say.
        return single(Run(runs[0].start, runs[-1].end), length)
    return ""


def single(run, length):
    direction_ = direction(run.angle)
    if direction_ == "H":
        # 平捺 (辶's last stroke) runs across, slightly down; a 横 rises.
        return "捺" if run.angle < -4 and length > 500 else "横"
    if direction_ in "TU":
        return "提"
    if direction_ == "S":
        if run.angle < -104 and length < 240:
            # The dots of 心 and 宀 fall steeply to the left.
            return "点"
        return "撇" if run.angle < -100 and length > 400 else "竖"
    if direction_ in "PL":
        return "点" if length < 150 and run.angle > -118 else "撇"
    return "点" if length < 455 else "捺"


def rounded(points, at):
    """Whether the line turns at `at` in a curve rather than a fold: no step near the corner turns by
    much on its own."""
    nearest = min(range(len(points)), key=lambda i: math.hypot(points[i][0] - at[0], points[i][1] - at[1]))
    window = points[max(0, nearest - 6) : nearest + 7]
    steps = [angle_of(a, b) for a, b in zip(window, window[1:]) if a != b]
    return max((abs(turn(a, b)) for a, b in zip(steps, steps[1:])), default=0) < 40


def bowed(points, start, end):
    """How far the line between two of its points bows away from the straight line, as a fraction of
    their distance."""
    def nearest(at):
        return min(range(len(points)), key=lambda i: math.hypot(points[i][0] - at[0], points[i][1] - at[1]))

    dx, dy = end[0] - start[0], end[1] - start[1]
    norm = math.hypot(dx, dy) or 1.0
    between = points[nearest(start) : nearest(end) + 1]
    return max((abs(dy * (x - start[0]) - dx * (y - start[1])) / norm for x, y in between), default=0) / norm


def left_hooked(body, runs, points):
    if "H" not in body:
        # 弯钩 (子, 犭) leans right as it falls and bows; 竖钩 falls straight.
        start, end = runs[0].start, runs[-1].end
        if angle_of(start, end) > -87 and bowed(points, start, end) > 0.08:
            return "弯钩"
        return "竖钩"
    if body[0] == "H":
        rest = runs[1:]
        if "H" not in body[1:]:
            # After the stroke across, down once (横折钩), or down-left and then to the right (阝).
            if len(rest) >= 2 and any(turn(a.angle, b.angle) > 20 for a, b in zip(rest, rest[1:])):
                return "横撇弯钩"
            return "横折钩"
        if body[1:] in ("SHS", "PHS", "SHP", "PHP", "SHN", "PHN", "NSHS", "SHSP", "PHSP"):
            return "横折折折钩"
    if body in ("SHS", "SHP", "SHN", "NSHS", "SHSP", "PHS", "PHSP"):
        return "竖折折钩"
    return ""


def up_hooked(body, runs):
    first, last = runs[0], runs[-1]
    if body[0] == "H" and len(body) > 1:
        across = sum(r.length for r in runs[1:])
        flat = body[-1] == "H" and last.length > 0.24 * across
        return "横折弯钩" if flat else "横斜钩"
    if last.angle > -22 and len(body) > 1:
        return "竖弯钩" if first.angle < -70 else "卧钩"
    return "斜钩"


def unhooked(dirs, runs, points, length):
    first = runs[0]
    if dirs[0] == "H" and len(runs) == 2 and dirs[1] in "SPN":
        second = runs[1]
        if second.angle > -112 and second.length > 0.25 * first.length:
            return "横折"
        return "横撇"
    if dirs[0] == "H" and sweeping_left(runs[1:]):
        return "横折" if runs[1].angle > -105 and direction(runs[-1].angle) == "S" else "横撇"
    if sweeping_left(runs):
        return "撇" if length > 150 else "点"
    if dirs in ("SH", "NH", "SNH", "SHH", "SSH") and first.angle < -68:
        return "竖弯" if rounded(points, first.end) else "竖折"
    if dirs in ("ST", "SU", "NT", "SNT"):
        return "竖提"
    if dirs in ("UT", "TU"):
        return "提"
    if dirs in ("LP", "LS"):
        return "撇"
    if dirs in ("PN", "SN", "PH") and runs[1].length > 0.3 * runs[0].length and runs[1].angle < -20:
        return "撇点"
    if dirs in ("PH", "PT", "ST", "PNH", "PNT"):
        return "撇折"
    if dirs in ("NH", "NN", "NNH"):
        return "点" if length < 450 else "捺"
    if dirs in ("NS", "NP"):
        return "点"
    if dirs in ("HSH", "HNH", "HPH", "HSNH"):
        return "横折弯" if rounded(points, runs[-2].end) else "横折折"
    if dirs in ("HST", "HPT", "HSU", "HNT"):
        return "横折提"
    if dirs in ("SHP", "SHL"):
        return "竖折撇"
    if dirs == "SHS":
        return "竖折折"
    if dirs in ("HSHS", "HPHS"):
        return "横折折折"
    if dirs in ("HSN", "HPN", "HSS", "HPS") and runs[2].angle > runs[1].angle + 20:
        # 辶's 横折折撇, its last 撇 too short to tell.
        return "横折折撇"
    if dirs[0] == "H" and len(runs) >= 4:
        # 横折折撇 (及, 辶): across, down, back to the right, then sweeping down-left.
        turns = [turn(a.angle, b.angle) for a, b in zip(runs[1:], runs[2:])]
        if turns and turns[0] > 20 and all(t <= 15 for t in turns[1:]):
            return "横折折撇"
    return ""
