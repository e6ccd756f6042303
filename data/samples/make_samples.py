#!/usr/bin/env python3
"""Writes the sample stations of the program's DATA/ folder and the sample import file.

Each station is a .DSC (description) and a .DTA (data) in the program's own layouts:
single-byte Windows-1252 text, CR LF line ends, fixed field widths. The climate figures are
long-term monthly means (normals) of real places; where a station holds daily or 10-daily
records, the values are interpolated linearly between the middle days of the months, so they
are a smooth year of normals, not the weather observed on those days. ETo is left missing
(-999.0): the program computes it.

Run from this folder:  python3 make_samples.py
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DAYS_IN_MONTH = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31]
DECIMALS = {101: 1, 103: 1, 202: 1, 401: 2, 501: 1}

# Long-term monthly means, January to December.
# De Bilt, Netherlands: KNMI normals 1991-2020.
DE_BILT = {
    101: [6.3, 7.2, 10.6, 14.9, 18.5, 21.2, 23.4, 22.9, 19.6, 15.0, 10.1, 6.9],
    103: [1.0, 0.8, 2.5, 4.5, 7.9, 10.8, 13.0, 12.6, 10.0, 7.0, 3.9, 1.6],
    202: [88, 85, 80, 74, 74, 76, 77, 79, 83, 86, 89, 89],
    # sunshine, hours per month
    401: [66, 89, 143, 199, 225, 209, 220, 199, 153, 113, 67, 54],
}
# Madrid (Retiro), Spain: AEMET normals 1981-2010.
MADRID = {
    101: [9.8, 12.0, 16.3, 18.2, 22.2, 28.2, 32.1, 31.3, 26.4, 19.4, 13.5, 10.0],
    103: [2.7, 3.7, 5.6, 7.2, 10.7, 15.1, 18.4, 18.2, 15.0, 10.7, 6.3, 3.6],
    202: [71, 65, 56, 57, 53, 45, 39, 41, 50, 63, 70, 74],
    401: [148, 157, 214, 231, 272, 310, 359, 335, 261, 198, 157, 124],
}
# Sydney (Observatory Hill), Australia: Bureau of Meteorology long-term means. The relative
# humidity is the mean of the 9 am and 3 pm means.
SYDNEY = {
    101: [26.0, 25.9, 24.8, 22.4, 19.5, 17.0, 16.4, 17.8, 20.1, 22.2, 23.7, 25.2],
    103: [18.8, 19.0, 17.6, 14.7, 11.6, 9.3, 8.1, 9.0, 11.1, 13.6, 15.7, 17.5],
    202: [66.5, 69.0, 69.0, 67.0, 66.5, 65.5, 61.0, 57.0, 56.0, 58.0, 61.5, 62.5],
    # sunshine, hours per day
    401: [7.2, 6.7, 6.4, 6.7, 6.1, 5.8, 6.6, 7.4, 7.6, 7.6, 7.3, 7.6],
}

# Rome (Ciampino), Italy, 41.80 N, 12.58 E, 105 m: rounded long-term monthly normals (1971-2000)
# of the Italian Air Force meteorological service for temperature, relative humidity, sunshine
# and precipitation. The wind speed is a rounded estimate of the station's typical monthly mean,
# not a published normal.
ROME = {
    101: [12.6, 13.7, 16.0, 18.7, 23.5, 27.4, 30.6, 30.8, 27.0, 22.0, 16.5, 13.3],
    103: [2.1, 2.6, 4.3, 6.8, 10.6, 14.2, 16.8, 17.1, 14.5, 10.7, 6.2, 3.4],
    202: [75, 72, 70, 70, 69, 66, 64, 65, 68, 72, 75, 76],
    # wind speed, m/sec
    301: [2.6, 2.8, 3.0, 3.0, 2.8, 2.8, 2.9, 2.8, 2.5, 2.4, 2.5, 2.6],
    # sunshine, hours per month
    401: [121, 133, 167, 201, 264, 285, 332, 298, 237, 195, 129, 112],
    # precipitation, mm per month
    "P": [67, 73, 58, 81, 53, 34, 19, 37, 73, 113, 115, 81],
}
# Lisbon (Geofisico), Portugal, 38.72 N, 9.15 W, 77 m: rounded monthly normals 1981-2010 of the
# Portuguese weather service IPMA.
LISBON = {
    201: [14.8, 16.2, 18.9, 19.9, 22.5, 25.9, 28.0, 28.4, 26.9, 22.9, 18.3, 15.5],
    202: [8.3, 9.4, 10.8, 11.9, 13.8, 16.7, 18.3, 18.7, 17.8, 15.2, 11.8, 9.5],
    258: [80, 77, 71, 70, 68, 66, 64, 64, 66, 72, 78, 80],
    # sunshine, hours per month
    299: [142, 156, 207, 234, 291, 303, 344, 335, 261, 213, 156, 137],
}

MONTH_NAMES = ["January", "February", "March", "April", "May", "June", "July", "August",
               "September", "October", "November", "December"]


def per_day(hours_per_month):
    return [h / d for h, d in zip(hours_per_month, DAYS_IN_MONTH)]


def fmt_int(value, width):
    return str(value).rjust(width)


def fmt_real(value, width, decimals):
    text = f"{value:.{decimals}f}"
    if float(text) == 0:
        text = f"{0:.{decimals}f}"
    return text.rjust(width)


def middle_days():
    """Day of the year (1..365, may be fractional) of the middle of each month."""
    days, start = [], 0
    for length in DAYS_IN_MONTH:
        days.append(start + (length + 1) / 2)
        start += length
    return days


def interpolate(monthly, day):
    """The monthly means read at `day` of the year, linear between month middles, cyclic."""
    mids = middle_days()
    points = [(mids[-1] - 365, monthly[-1])] + list(zip(mids, monthly)) + [(mids[0] + 365,
                                                                           monthly[0])]
    for (d0, v0), (d1, v1) in zip(points, points[1:]):
        if d0 <= day <= d1:
            return v0 + (v1 - v0) * (day - d0) / (d1 - d0)
    raise ValueError(day)


def decade_middles():
    """Day of the year of the middle of each of the 36 decades (1-10, 11-20, 21-end)."""
    days, start = [], 0
    for length in DAYS_IN_MONTH:
        for first, last in ((1, 10), (11, 20), (21, length)):
            days.append(start + (first + last) / 2)
        start += length
    return days


def extraterrestrial_radiation(latitude, day):
    """Ra (MJ/m2.day) and the day length N (hours) on a day of the year."""
    phi = math.radians(latitude)
    dr = 1 + 0.033 * math.cos(2 * math.pi * day / 365)
    delta = 0.409 * math.sin(2 * math.pi * day / 365 - 1.39)
    ws = math.acos(-math.tan(phi) * math.tan(delta))
    ra = 24 * 60 / math.pi * 0.0820 * dr * (ws * math.sin(phi) * math.sin(delta)
                                            + math.cos(phi) * math.cos(delta) * math.sin(ws))
    return ra, 24 / math.pi * ws


def hydrolex_lines():
    """Rome as a Hydrolex export: the station line, then one line a month of Tmax, Tmin (degC),
    mean relative humidity (%), wind (km/day), sunshine (hours/day), solar radiation
    (MJ/m2.day) and precipitation (mm/month, not imported). The solar radiation is computed from
    the sunshine by the Angstrom formula (a 0.25, b 0.50) at the middle day of the month."""
    lines = ['16239,"Roma Ciampino",105,41.80,N,12.58,E']
    for m, day in enumerate(middle_days()):
        ra, length = extraterrestrial_radiation(41.80, day)
        n = ROME[401][m] / DAYS_IN_MONTH[m]
        rs = (0.25 + 0.50 * n / length) * ra
        lines.append(f"{ROME[101][m]:7.1f}{ROME[103][m]:7.1f}{ROME[202][m]:7.1f}"
                     f"{ROME[301][m] * 86.4:8.1f}{n:7.2f}{rs:7.2f}{ROME['P'][m]:7.1f}")
    return lines


def meteorix_lines():
    """Lisbon as a Meteorix export: a title, the station line (number, name, a field not read,
    country, longitude, latitude, altitude), two header lines, then one element line each of
    Tmax, Tmin (degC), mean relative humidity (%) and sunshine (hours/day)."""
    lines = ["Meteorix 2 climate normals",
             "08535 LISBOA 1981-2010 PORTUGAL -9.15 38.72 77",
             "monthly means",
             "code   element unit      period        Jan    Feb    Mar    Apr    May    Jun"
             "    Jul    Aug    Sep    Oct    Nov    Dec"]
    names = {201: ("Tmax", "degC"), 202: ("Tmin", "degC"), 258: ("RH", "%"),
             299: ("Sunshine", "h/day")}
    for code in (201, 202, 258, 299):
        values = LISBON[code]
        if code == 299:
            values = [round(v, 2) for v in per_day(values)]
        name, unit = names[code]
        lines.append(f"{code:<6} {name:<8} {unit:<6} 1981-2010" +
                     "".join(f"{v:7.2f}" if code == 299 else f"{v:7.1f}" for v in values))
    return lines


def dsc_lines(name, country, lat, lon, alt, data_type, from_date, to_date, kRs, tdew, u2):
    type_code = {0: 1, 1: 2, 2: 3}[data_type]
    type_text = {0: "daily data", 1: "10-daily data", 2: "monthly data"}[data_type]
    lines = [
        name,
        country,
        fmt_real(lat, 10, 2) + " " * 19 + ": Latitude (degrees)",
        fmt_real(lon, 10, 2) + " " * 19 + ": Longitude (degrees)",
        fmt_int(alt, 7) + " " * 22 + ": Altitude (meters above sea level)",
        fmt_int(type_code, 7) + " " * 22 + ": " + type_text,
        fmt_int(from_date[0], 4) + fmt_int(from_date[1], 4) + fmt_int(from_date[2], 6)
        + " " * 15 + ": From Date (Day - Month - Year)",
        fmt_int(to_date[0], 4) + fmt_int(to_date[1], 4) + fmt_int(to_date[2], 6)
        + " " * 15 + ": To Date (Day - Month - Year)",
        fmt_real(0.0008, 14, 6) + " " * 15
        + ": coefficient psychrometer (depending on type of ventilation)",
        fmt_real(2.0, 9, 1) + " " * 20 + ": height wind speed measurement (meter)",
        fmt_real(tdew, 9, 1) + " " * 20
        + ": Missing air humidity data: difference between Tdew and Tmin (\xb0C)",
        fmt_real(kRs, 10, 2) + " " * 19
        + ": Missing radiation data: Coefficient of Hargreaves Equation (MJ/m2.day)",
        fmt_real(u2, 9, 1) + " " * 20 + ": Missing wind speed: estimate for U2 (m/sec)",
        fmt_real(0.25, 10, 2) + " " * 19 + ": Coefficient: a Angstrom formula",
        fmt_real(0.50, 10, 2) + " " * 19 + ": Coefficient: b Angstrom formula",
        fmt_int(1, 7) + " " * 22 + ": Option: Adjustment for station elevation (Angstrom formula)",
        fmt_int(-15, 7) + " " * 22
        + ": Climatic data range: lower limit for Minimal temperature (\xb0C)",
        fmt_int(45, 7) + " " * 22
        + ": Climatic data range: upper limit for Maximal temperature (\xb0C)",
        fmt_int(15, 7) + " " * 22
        + ": Climatic data range: lower limit for Minimal Relative Humidity (%)",
        fmt_int(8, 7) + " " * 22
        + ": Climatic data range: upper limit for Maximal wind speed (m/sec)",
        fmt_int(5, 7) + " " * 22
        + ": Climatic data range: Allowable deviation (%) from theoretical maximum radiation",
        "",
        "List of CLIMATIC PARAMETERS=====================================",
        "Code  Symbol  Description                             Unit",
    ]
    for code, symbol, description, unit in PARAMETER_TABLE:
        lines.append(fmt_int(code, 4) + "  " + symbol.ljust(7) + "  " + description.ljust(36)
                     + " " + unit)
    lines.append("=" * 64)
    return lines


PARAMETER_TABLE = [
    (101, "Tmax", "maximum air temperature", "    \xb0C     "),
    (102, "Tmean", "mean air temperature", "    \xb0C     "),
    (103, "Tmin", "minimum air temperature", "    \xb0C     "),
    (111, "Tmax", "maximum air temperature", "    \xb0F     "),
    (112, "Tmean", "mean air temperature", "    \xb0F     "),
    (113, "Tmin", "minimum air temperature", "    \xb0F     "),
    (201, "RHmax", "maximum relative humidity", "    %      "),
    (202, "RHmean", "mean relative humidity", "    %      "),
    (203, "RHmin", "minimum relative humidity", "    %      "),
    (210, "Tdew", "dewpoint temperature", "    \xb0C     "),
    (211, "Tdew", "dewpoint temperature", "    \xb0F     "),
    (221, "e(act)", "actual vapour pressure", "    kPa    "),
    (222, "e(act)", "actual vapour pressure", " hPa (mbar)"),
    (223, "e(act)", "actual vapour pressure", "    psi    "),
    (224, "e(act)", "actual vapour pressure", "    atm    "),
    (225, "e(act)", "actual vapour pressure", "   mmHg    "),
    (231, "Tdry", "temperature of dry bulb", "    \xb0C     "),
    (232, "Twet", "temperature of wet bulb", "    \xb0C     "),
    (233, "Tdry", "temperature of dry bulb", "    \xb0F     "),
    (234, "Twet", "temperature of wet bulb", "    \xb0F     "),
    (301, "u(x)", "wind speed (x m above soil surface)", "   m/sec   "),
    (302, "u(x)", "wind speed (x m above soil surface)", "  km/day   "),
    (303, "u(x)", "wind speed (x m above soil surface)", "   knot    "),
    (304, "u(x)", "wind speed (x m above soil surface)", "  ft/sec   "),
    (401, "n", "actual duration of sunshine in a day", " hour/day  "),
    (402, "n/N", "relative sunshine duration", "     -     "),
    (421, "Rs", "solar or shortwave radiation", " MJ/m2.day "),
    (422, "Rs", "solar or shortwave radiation", "    W/m2   "),
    (423, "Rs", "solar or shortwave radiation", " J/cm2.day "),
    (424, "Rs", "solar or shortwave radiation", "   mm/day  "),
    (425, "Rs", "solar or shortwave radiation", "cal/cm2.day"),
    (431, "Rn", "net radiation", " MJ/m2.day "),
    (432, "Rn", "net radiation", "    W/m2   "),
    (433, "Rn", "net radiation", " J/cm2.day "),
    (434, "Rn", "net radiation", "   mm/day  "),
    (435, "Rn", "net radiation", "cal/cm2.day"),
    (501, "ETo", "reference crop evapotranspiration", "   mm/day  "),
]


def dta_lines(codes, records):
    lines = ["        Nr" + "".join(fmt_int(c, 10) for c in codes)]
    for number, values in enumerate(records, start=1):
        lines.append(fmt_int(number, 10)
                     + "".join(fmt_real(v, 10, DECIMALS[c]) for c, v in zip(codes, values)))
    return lines


def write(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


CODES = [101, 103, 202, 401, 501]


def station(base, lines_dsc, records):
    write(os.path.join(HERE, "DATA", base + ".DSC"), lines_dsc)
    write(os.path.join(HERE, "DATA", base + ".DTA"), dta_lines(CODES, records))


def main():
    # De Bilt: a daily year (2001) interpolated from the monthly normals.
    normals = dict(DE_BILT)
    normals[401] = per_day(DE_BILT[401])
    daily = []
    for day in range(1, 366):
        daily.append([round(interpolate(normals[c], day), DECIMALS[c]) for c in CODES[:-1]]
                     + [-999.0])
    station("DEBILT",
            dsc_lines("De Bilt", "Netherlands", 52.10, 5.18, 2, 0, (1, 1, 2001), (31, 12, 2001),
                      0.16, 0.0, 2.0),
            daily)

    # Sydney: 10-daily records of 2001, interpolated to the middle of each decade.
    tendaily = []
    for day in decade_middles():
        tendaily.append([round(interpolate(SYDNEY[c], day), DECIMALS[c]) for c in CODES[:-1]]
                        + [-999.0])
    station("SYDNEY",
            dsc_lines("Sydney (Observatory Hill)", "Australia", -33.86, 151.21, 39, 1,
                      (1, 1, 2001), (31, 12, 2001), 0.19, 0.0, 2.0),
            tendaily)

    # Madrid: the twelve monthly normals, not linked to a specific year (1901).
    sunshine = per_day(MADRID[401])
    monthly = []
    for m in range(12):
        monthly.append([MADRID[101][m], MADRID[103][m], MADRID[202][m], round(sunshine[m], 2),
                        -999.0])
    station("MADRID",
            dsc_lines("Madrid (Retiro)", "Spain", 40.41, -3.68, 667, 2, (1, 1, 1901),
                      (31, 12, 1901), 0.16, 2.0, 2.0),
            monthly)

    # An import file: the De Bilt normals as free-format text, one month a line:
    # Tmax (degC), Tmin (degC), mean relative humidity (%), sunshine (hours per day).
    sunshine = per_day(DE_BILT[401])
    rows = []
    for m in range(12):
        rows.append(f"{DE_BILT[101][m]:6.1f} {DE_BILT[103][m]:6.1f} {DE_BILT[202][m]:6.1f}"
                    f" {sunshine[m]:6.2f}")
    write(os.path.join(HERE, "IMPORT", "DEBILT.CXT"), rows)

    # The two climate-database exports.
    write(os.path.join(HERE, "IMPORT", "ROME.PEN"), hydrolex_lines())
    write(os.path.join(HERE, "IMPORT", "LISBON.DAT"), meteorix_lines())


if __name__ == "__main__":
    main()
