#!/usr/bin/env python3
"""Generate engine/solar_tables.cpp: the sun's daily declination and equation of time.

The engine reads two 366-row tables by day of the year (row 60 is 29 February). Ten rows and the
four extremes of the tables are fixed reference values; everything else is computed here with the
low-precision solar position of Meeus, "Astronomical Algorithms" (2nd ed., ch. 25, "Solar
Coordinates", the formulas the NOAA solar calculator uses), the equation of time from the sun's
apparent right ascension (ch. 28, formula 28.1).

Steps:
  1. Fit: for every leap year 1900..2100, least squares over the ten reference rows, declination
     counted in arc-minutes and the equation of time in seconds of time (the units almanacs
     tabulate them in; at middle latitudes 1' of declination moves sunrise by a few seconds, so
     the two kinds of error weigh about alike). The instant of the day (UT, a 0.25 h grid from
     -12 h to +12 h, then golden section) is fitted per column with the year shared: the
     reference declinations are those of about 0 h UT and the equations of time those of about
     12 h UT, as almanacs often give them. One instant for both columns leaves residuals of about
     7' and 5 s, and the reference rows put in verbatim would then stand out from their
     neighbours by more than the smoothness limit; the script prints that fit for comparison.
  2. Compute all 366 rows for the chosen year and instants, round to 8 decimals.
  3. Put the ten reference rows in verbatim, then make the four extremes hold exactly: any
     computed row beyond an extreme is clamped to it; if no row then reaches the extreme, the row
     of the computed extreme (never a reference row) takes the extreme value.
  4. Check the table (reference rows, extremes, day-to-day steps) and write the C++ source.

Standard library only. Run from anywhere: python3 tools/make_solar_tables.py
"""

import math
import os
import sys
import textwrap

DAYS = 366

# Reference rows: day -> (declination in degrees, equation of time in minutes), as decimal strings
# so that they are written exactly as given.
GIVEN = {
    1: ("-23.078", "3.28966667"),
    2: ("-22.99902778", "3.763"),
    60: ("-7.94988889", "12.494"),
    80: ("-0.14533333", "7.404"),
    81: ("0.24963889", "7.1045"),
    172: ("23.43588889", "1.56033333"),
    173: ("23.44030556", "1.77716667"),
    265: ("0.69297222", "-7.05433333"),
    356: ("-23.43830556", "-1.73966667"),
    366: ("-23.09455556", "3.18666667"),
}

# Required extremes of the finished tables.
DEC_MIN, DEC_MAX = "-23.43913889", "23.44030556"
EOT_MIN, EOT_MAX = "-16.40916667", "14.26733333"

# Smoothness limits on the change from one day to the next.
MAX_DEC_STEP = 0.5  # degrees
MAX_EOT_STEP = 0.6  # minutes

DEC_SCALE = 60.0  # degrees -> arc-minutes
EOT_SCALE = 60.0  # minutes of time -> seconds of time

DECIMALS = 8


def julian_day_jan0(year):
    """Julian day of 0 January of a Gregorian year at 0 h (= 31 December of the year before)."""
    y = year - 1
    a = y // 100
    b = 2 - a + a // 4
    return math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * 14) + b - 1524.5


def sun(jd):
    """Apparent declination (degrees) and equation of time (minutes, mean minus apparent)."""
    t = (jd - 2451545.0) / 36525.0
    # Geometric mean longitude and mean anomaly of the sun.
    l0 = (280.46646 + t * (36000.76983 + t * 0.0003032)) % 360.0
    m = math.radians(357.52911 + t * (35999.05029 - t * 0.0001537))
    # Equation of the centre, then the apparent longitude (nutation and aberration).
    c = (
        (1.914602 - t * (0.004817 + t * 0.000014)) * math.sin(m)
        + (0.019993 - t * 0.000101) * math.sin(2 * m)
        + 0.000289 * math.sin(3 * m)
    )
    omega = math.radians(125.04 - 1934.136 * t)
    nutation_longitude = -0.00478 * math.sin(omega)
    lam = math.radians(l0 + c - 0.00569 + nutation_longitude)
    # Mean obliquity of the ecliptic, corrected for nutation.
    eps0 = 23.0 + (26.0 + (21.448 - t * (46.8150 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0
    eps = math.radians(eps0 + 0.00256 * math.cos(omega))
    dec = math.degrees(math.asin(math.sin(eps) * math.sin(lam)))
    ra = math.degrees(math.atan2(math.cos(eps) * math.sin(lam), math.cos(lam)))
    # Equation of time, apparent minus mean solar time in degrees (Meeus 28.1), reduced to
    # -180..180, then in minutes of time with the opposite sign.
    e = l0 - 0.0057183 - ra + nutation_longitude * math.cos(eps)
    e = (e + 180.0) % 360.0 - 180.0
    return dec, -4.0 * e


def day_values(year, hour, day):
    """Values of day of the year `day` at `hour` (may be negative). The instant is used as
    dynamical time; the difference to UT (about a minute) is far below what the fit resolves."""
    return sun(julian_day_jan0(year) + day + hour / 24.0)


def column_cost(year, hour, col):
    """Sum of squared residuals of one column (0 declination, 1 equation of time) at the given
    instant of each reference day, in arc-minutes or seconds of time."""
    scale = (DEC_SCALE, EOT_SCALE)[col]
    return sum(
        ((day_values(year, hour, d)[col] - float(row[col])) * scale) ** 2
        for d, row in GIVEN.items()
    )


def refine_hour(year, col, lo, hi, iterations=60):
    """Golden-section minimum of column_cost over hour in [lo, hi]; returns (cost, hour)."""
    g = (math.sqrt(5) - 1) / 2
    a, b = lo, hi
    c, d = b - g * (b - a), a + g * (b - a)
    fc, fd = column_cost(year, c, col), column_cost(year, d, col)
    for _ in range(iterations):
        if fc < fd:
            b, d, fd = d, c, fc
            c = b - g * (b - a)
            fc = column_cost(year, c, col)
        else:
            a, c, fc = c, d, fd
            d = a + g * (b - a)
            fd = column_cost(year, d, col)
    h = (a + b) / 2
    return column_cost(year, h, col), h


def best_hour(year, col, grid):
    _, h = min((column_cost(year, h, col), h) for h in grid)
    return refine_hour(year, col, h - 0.25, h + 0.25)


def leap_years():
    return [y for y in range(1900, 2101) if y % 4 == 0 and (y % 100 or y % 400 == 0)]


def fit_shared(grid):
    """Best (cost, year, hour) with one instant of the day for both columns (for comparison)."""
    best = None
    for year in leap_years():
        c, h = min((column_cost(year, h, 0) + column_cost(year, h, 1), h) for h in grid)
        if best is None or c < best[0]:
            best = (c, year, h)
    return best


def fit_separate(grid):
    """Best (cost, year, declination hour, equation-of-time hour): one year, and the instant of the
    day chosen per column. The two columns separate, so each hour is a 1-D minimisation."""
    best = None
    for year in leap_years():
        cd, hd = best_hour(year, 0, grid)
        ce, he = best_hour(year, 1, grid)
        if best is None or cd + ce < best[0]:
            best = (cd + ce, year, hd, he)
    return best


def fmt(x):
    s = f"{x:.{DECIMALS}f}"
    return "0.00000000" if s == "-0.00000000" else s


def apply_extreme(values, fixed, target_s, is_max, name, log):
    """Make max (or min) of values equal target exactly, touching no fixed row."""
    target = float(target_s)
    beyond = (lambda v: v > target) if is_max else (lambda v: v < target)
    for i, v in enumerate(values):
        if beyond(float(v)):
            if i + 1 in fixed:
                sys.exit(f"{name}: reference row {i + 1} lies beyond the extreme {target_s}")
            log.append(f"{name}: day {i + 1} clamped from {v} to {target_s}")
            values[i] = target_s
    hits = [i + 1 for i, v in enumerate(values) if float(v) == target]
    if hits:
        log.append(f"{name}: {target_s} on day(s) {hits}")
        return
    free = [i for i in range(DAYS) if i + 1 not in fixed]
    i = (max if is_max else min)(free, key=lambda k: float(values[k]))
    log.append(f"{name}: day {i + 1} set from {values[i]} to {target_s} (computed extreme)")
    values[i] = target_s


def require(condition, message):
    if not condition:
        sys.exit(f"check failed: {message}")


def check(dec, eot):
    """Check the finished tables; returns the largest day-to-day steps."""
    require(len(dec) == DAYS and len(eot) == DAYS, "row count")
    for d, (dec_s, eot_s) in GIVEN.items():
        require(float(dec[d - 1]) == float(dec_s), f"declination row {d}")
        require(float(eot[d - 1]) == float(eot_s), f"equation of time row {d}")
    dv = [float(v) for v in dec]
    ev = [float(v) for v in eot]
    require(min(dv) == float(DEC_MIN) and max(dv) == float(DEC_MAX), "declination extremes")
    require(min(ev) == float(EOT_MIN) and max(ev) == float(EOT_MAX), "equation of time extremes")
    dec_step = max(abs(b - a) for a, b in zip(dv, dv[1:]))
    eot_step = max(abs(b - a) for a, b in zip(ev, ev[1:]))
    require(dec_step <= MAX_DEC_STEP, f"declination step {dec_step}")
    require(eot_step <= MAX_EOT_STEP, f"equation of time step {eot_step}")
    return dec_step, eot_step


def clock(hour):
    """Instant of the day as text; a negative hour is on the evening of the day before."""
    h = hour % 24.0
    text = f"{int(h):02d}:{(h - int(h)) * 60:05.2f} UT"
    return text + (" of the day before" if hour < 0 else "")


def write_cpp(path, dec, eot, year, dec_hour, eot_hour):
    about = (
        "Daily apparent declination of the sun (degrees) and equation of time (minutes, mean minus"
        " apparent time) from the low-precision solar position of Meeus, Astronomical Algorithms"
        " (chapter 25; the equation of time from the apparent right ascension, formula 28.1), for the"
        f" leap year {year}: declination at {clock(dec_hour)}, equation of time at"
        f" {clock(eot_hour)}, the year and instants that best fit the reference rows. The"
        " reference rows and the tables' extremes are written in as given."
    )
    lines = [
        "// Generated by tools/make_solar_tables.py; do not edit by hand, rerun the script.",
        "//",
        *textwrap.wrap(about, width=97, initial_indent="// ", subsequent_indent="// "),
        "",
        '#include "engine/solar_tables.h"',
        "",
        "namespace vek::solar {",
        "",
        "// clang-format off",
    ]
    for name, values in (("SunDeclination", dec), ("EquationOfTime", eot)):
        lines.append(f"const std::array<double, kTableDays> {name} = {{")
        for d, v in enumerate(values, 1):
            lines.append(f"    {v},  // {d}")
        lines.append("};")
        lines.append("")
    lines[-1:] = ["// clang-format on", "", "}  // namespace vek::solar", ""]
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    grid = [i * 0.25 - 12.0 for i in range(96)]
    print("Fit over leap years 1900..2100, declination in arc-minutes, equation of time in seconds")
    print("of time (sum of squares over the ten reference rows, both columns):")
    c, y, h = fit_shared(grid)
    dec_worst = max(abs(day_values(y, h, d)[0] - float(r[0])) * 60 for d, r in GIVEN.items())
    eot_worst = max(abs(day_values(y, h, d)[1] - float(r[1])) * 60 for d, r in GIVEN.items())
    print(f"  one instant for both columns (not used): {y} at {clock(h)}, sum {c:.3f}, "
          f"worst residuals {dec_worst:.2f}' and {eot_worst:.2f} s")
    cost, year, dec_hour, eot_hour = fit_separate(grid)
    print(f"  instant per column (used): {year}, declination at {clock(dec_hour)} "
          f"(hour {dec_hour:+.4f}), equation of time at {clock(eot_hour)} (hour {eot_hour:+.4f})")
    print(f"  sum {cost:.4f}, rms {math.sqrt(cost / (2 * len(GIVEN))):.4f}")
    print("  day    dec given     dec calc   d(')     eot given    eot calc    d(s)")
    for d, (dec_s, eot_s) in GIVEN.items():
        dc = day_values(year, dec_hour, d)[0]
        ec = day_values(year, eot_hour, d)[1]
        print(f"  {d:3d} {float(dec_s):12.8f} {dc:12.8f} {(dc - float(dec_s)) * 60:+7.3f}"
              f"  {float(eot_s):12.8f} {ec:11.8f} {(ec - float(eot_s)) * 60:+7.3f}")

    days = range(1, DAYS + 1)
    dec = [fmt(day_values(year, dec_hour, d)[0]) for d in days]
    eot = [fmt(day_values(year, eot_hour, d)[1]) for d in days]
    print(f"Computed extremes: declination {min(dec, key=float)} / {max(dec, key=float)}, "
          f"equation of time {min(eot, key=float)} / {max(eot, key=float)}")

    log = []
    for d, (dec_s, eot_s) in GIVEN.items():
        log.append(f"reference day {d}: declination {dec[d - 1]} -> {fmt(float(dec_s))}, "
                   f"equation of time {eot[d - 1]} -> {fmt(float(eot_s))}")
        dec[d - 1] = fmt(float(dec_s))
        eot[d - 1] = fmt(float(eot_s))
    fixed = set(GIVEN)
    apply_extreme(dec, fixed, DEC_MIN, False, "declination min", log)
    apply_extreme(dec, fixed, DEC_MAX, True, "declination max", log)
    apply_extreme(eot, fixed, EOT_MIN, False, "equation of time min", log)
    apply_extreme(eot, fixed, EOT_MAX, True, "equation of time max", log)
    print("Adjustments:")
    for line in log:
        print("  " + line)

    dec_step, eot_step = check(dec, eot)
    print(f"Largest daily step: declination {dec_step:.5f} deg, "
          f"equation of time {eot_step:.5f} min")

    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = os.path.join(root, "engine", "solar_tables.cpp")
    write_cpp(out, dec, eot, year, dec_hour, eot_hour)
    print(f"Wrote {out}")


if __name__ == "__main__":
    main()
