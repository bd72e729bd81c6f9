#!/usr/bin/env python3
"""Generate the shipped location file VEK.LOC.

Usage: python3 tools/make_vek_loc.py path/to/cityMap.json [output]
Default output: resources/VEK.LOC next to this tools folder.  Run by hand;
the build only ships the result.

Sources
  * Cities: npm package "city-timezones" 1.3.4 (MIT licence, Kevin Roberts),
    file data/cityMap.json (7329 cities: name, ASCII name, latitude,
    longitude, population, country, ISO code, province, IANA time zone).
    Obtain it with: npm pack city-timezones@1.3.4 && tar xzf city-timezones-1.3.4.tgz
  * Time-zone rules: the IANA tz database through Python's zoneinfo, system
    tzdata 2026f (Debian package tzdata 2026f-0+deb12u1), Python 3.11.
    Another tzdata release may change the daylight-saving days; the script
    prints the release it used.

Everything is computed for the fixed reference year 2026, from input sorted
first, so the same input and tzdata give the same bytes.  A zone that changed
its rules during 2026 (Morocco's permanent +00 from 20 September, Alberta's and
Manitoba's permanent offsets, ...) gets the rules of 2027, the ones now in
force; the script prints those zones.

Record layout (92 bytes, little-endian): see RECORD below.  Record 0 is the
version record (City "2222", State "00", everything else zero).

What a record holds
  * Names in upper-case ASCII; City and Country at most 18 characters, State
    the USPS code for US cities and empty elsewhere.
  * Longitude/latitude rounded to whole minutes of arc; latitudes beyond 65
    degrees are left out.
  * St_Longitude: the zone's standard meridian.  The standard offset is the
    smallest UTC offset of the zone during 2026 (this also covers zones whose
    rules model winter time as negative DST, e.g. Europe/Dublin, and
    Morocco's Ramadan time).  Whole hours give 15 degrees per hour, half
    hours the codes 8, 22, ..., 172 that the engine reads as 7.5*k degrees,
    other offsets (45-minute zones such as Asia/Kathmandu +5:45) the nearest
    whole degree that is not one of those codes (86 for +5:45, 1 minute off).
    Offsets beyond +/-12 h cannot be stored.
  * One West flag serves both the longitude and the zone, so a city whose
    longitude lies on the other side of Greenwich than its zone meridian
    (Madrid: 3.7 W in zone +1) cannot be stored.  Offset 0 fits either side.
  * DST: 1 when the offset at local noon exceeds the standard offset on some
    day of 2026; DstStart/DstEnd the first and last such day of the single
    (possibly new-year-wrapping) period.  Zones with several periods or a
    shift other than one hour are left out.
  * Calculation method per country: METHODS below.
"""

import collections
import json
import math
import os
import struct
import sys
import tempfile
import unicodedata
import datetime as dt
import zoneinfo

YEAR = 2026
EXPECTED_TZDATA = "2026f"
EXPECTED_ROWS = 7329

# Selection: every capital, the TOP_PER_COUNTRY largest cities of each
# country, and every other city with at least MIN_POPULATION inhabitants.
TOP_PER_COUNTRY = 12
MIN_POPULATION = 100_000

# ---------------------------------------------------------------------------
# Record layout
#   0 City[19] 19 State[3] 22 Country[19] 41 LongDeg 42 LongMin 43 LatDeg
#   44 LatMin 45 St_Longitude 46 DST 47 pad 48 DstStart(u16) 50 DstEnd(u16)
#   52 North 53 West 54 Method 55 pad 56 FajrInterval 60 IshaInterval
#   64 FajrAngle 68 IshaAngle 72 ZuhrDelayOn 73 pad[3] 76 ZuhrDelay
#   80 Hanafi 81 ImsakFixedDuration 82 pad[2] 84 ImsakDuration 88 Spare
RECORD = struct.Struct("<19s3s19s6BxHH3Bx4iB3xi2B2x2i")
assert RECORD.size == 92

# Meridian codes of the half-hour zones 0.5, 1.5, ..., 11.5 h (7.5*k rounded
# to even); the engine reads exactly these as 7.5*k degrees.
HALF_HOUR_CODES = {k: round(7.5 * k) for k in range(1, 24, 2)}
assert sorted(HALF_HOUR_CODES.values()) == [8, 22, 38, 52, 68, 82, 98, 112, 128, 142, 158, 172]
CODE_TO_DEGREES = {v: 7.5 * k for k, v in HALF_HOUR_CODES.items()}

# ---------------------------------------------------------------------------
# Calculation methods.  Angles in degrees (15..20, the range the location
# dialogs accept); method 4 takes the Isha delay in minutes after sunset.
#   0 Eastern: Fajr and Isha at 18 degrees (angles and intervals unused)
#   3 own angles: Fajr and Isha at the given depressions
#   4 Saudi: Fajr at the given depression, Isha a fixed delay after sunset
#     (the program itself uses 2 h during Ramadan)
MWL = (3, 18.0, 17.0, 0)  # Muslim World League: the default for every other country
METHODS = {
    # Umm al-Qura (Makkah): Fajr 18.5, Isha 90 min after Maghrib
    "SA": (4, 18.5, 90, 0),
    # Bahrain, Oman, Yemen: Gulf timetables follow Umm al-Qura
    "BH": (4, 18.5, 90, 0),
    "OM": (4, 18.5, 90, 0),
    "YE": (4, 18.5, 90, 0),
    # Qatar: Fajr 18, Isha 90 min after Maghrib
    "QA": (4, 18.0, 90, 0),
    # Kuwait: Fajr 18, Isha 17.5
    "KW": (3, 18.0, 17.5, 0),
    # UAE (General Authority of Islamic Affairs): Fajr and Isha 18.2 (18 deg 12')
    "AE": (3, 18.2, 18.2, 0),
    # Egyptian General Authority of Survey: Fajr 19.5, Isha 17.5; also the
    # usual timetables of Syria, Lebanon, Palestine, Iraq, Libya and Sudan
    "EG": (3, 19.5, 17.5, 0),
    "SY": (3, 19.5, 17.5, 0),
    "LB": (3, 19.5, 17.5, 0),
    "PS": (3, 19.5, 17.5, 0),
    "IQ": (3, 19.5, 17.5, 0),
    "LY": (3, 19.5, 17.5, 0),
    "SD": (3, 19.5, 17.5, 0),
    # Jordan (Ministry of Awqaf): Fajr 18, Isha 18
    "JO": (3, 18.0, 18.0, 0),
    # Turkey (Diyanet): Fajr 18, Isha 17; Asr by the first shadow length
    "TR": (3, 18.0, 17.0, 0),
    # Kemenag, JAKIM, MUIS, Brunei: Fajr 20, Isha 18
    "ID": (3, 20.0, 18.0, 0),
    "MY": (3, 20.0, 18.0, 0),
    "SG": (3, 20.0, 18.0, 0),
    "BN": (3, 20.0, 18.0, 0),
    # University of Islamic Sciences, Karachi (18/18 = Eastern), Hanafi Asr;
    # South Asia: Pakistan, India, Bangladesh, Afghanistan, Nepal
    "PK": (0, None, None, 1),
    "IN": (0, None, None, 1),
    "BD": (0, None, None, 1),
    "AF": (0, None, None, 1),
    "NP": (0, None, None, 1),
    # Iran (Institute of Geophysics, Tehran): Fajr 17.7 (17 deg 42'), Isha 14
    # raised to the allowed minimum 15
    "IR": (3, 17.7, 15.0, 0),
    # Azerbaijan (Shia majority, Jafari 16/14): Fajr 16, Isha 14 raised to 15
    "AZ": (3, 16.0, 15.0, 0),
    # Central Asia: Muslim World League angles with Hanafi Asr
    "UZ": (3, 18.0, 17.0, 1),
    "TJ": (3, 18.0, 17.0, 1),
    "TM": (3, 18.0, 17.0, 1),
    "KZ": (3, 18.0, 17.0, 1),
    "KG": (3, 18.0, 17.0, 1),
    # Russia (Spiritual Administration of Muslims): Fajr 16, Isha 15, Hanafi Asr
    "RU": (3, 16.0, 15.0, 1),
    # North America (ISNA): Fajr 15, Isha 15
    "US": (3, 15.0, 15.0, 0),
    "CA": (3, 15.0, 15.0, 0),
    # Tunisia: Fajr 18, Isha 18
    "TN": (3, 18.0, 18.0, 0),
    # Algeria: Fajr 18, Isha 17
    "DZ": (3, 18.0, 17.0, 0),
    # Morocco (Ministry of Habous): Fajr 19, Isha 17
    "MA": (3, 19.0, 17.0, 0),
    # France (UOIF 12/12): raised to the allowed minimum 15/15
    "FR": (3, 15.0, 15.0, 0),
}

# ---------------------------------------------------------------------------
# Country names.  The key is the dataset's ISO code (its country name where it
# has none).  Names not listed are the dataset's, upper-cased.
COUNTRY_NAMES = {
    "US": "USA",
    "GB": "UNITED KINGDOM",
    "AE": "UAE",
    "SA": "SAUDI ARABIA",
    "SY": "SYRIA",
    "CF": "CENT. AFRICAN REP.",  # Central African Republic
    "CG": "CONGO",  # Congo (Brazzaville)
    "CD": "DR CONGO",  # Congo (Kinshasa)
    "BA": "BOSNIA-HERZEGOVINA",  # Bosnia and Herzegovina
    "AG": "ANTIGUA & BARBUDA",  # Antigua and Barbuda
    "KN": "ST KITTS & NEVIS",  # Saint Kitts and Nevis
    "VC": "ST VINCENT",  # Saint Vincent and the Grenadines
    "ST": "SAO TOME-PRINCIPE",  # Sao Tome and Principe
    "TT": "TRINIDAD & TOBAGO",  # Trinidad and Tobago
    "FM": "MICRONESIA",  # Federated States of Micronesia
    "MP": "NORTHERN MARIANAS",  # Northern Mariana Islands
    "TC": "TURKS & CAICOS",  # Turks and Caicos Islands
    "VI": "US VIRGIN ISLANDS",  # United States Virgin Islands
    "GS": "SOUTH GEORGIA",  # South Georgia and the Islands
    "SJ": "SVALBARD",  # Svalbard and Jan Mayen Islands
    "VA": "VATICAN",  # Vatican (Holy Sea)
    "HK": "HONG KONG",  # Hong Kong S.A.R.
    "MO": "MACAU",  # Macau S.A.R
    "BS": "BAHAMAS",  # The Bahamas
    "GM": "GAMBIA",  # The Gambia
    "GW": "GUINEA-BISSAU",  # Guinea Bissau
    "MK": "NORTH MACEDONIA",  # Macedonia
    "SZ": "ESWATINI",  # Swaziland
    # French overseas departments, which the dataset files under "France"
    "GF": "FRENCH GUIANA",
    "GP": "GUADELOUPE",
    "MQ": "MARTINIQUE",
    "RE": "REUNION",
    "YT": "MAYOTTE",
}

# ---------------------------------------------------------------------------
# Capitals by country key, spelled as the dataset spells them (city_ascii).
# Several names where a country has more than one capital.
CAPITALS = {
    "AD": ["Andorra"], "AE": ["Abu Dhabi"], "AF": ["Kabul"], "AG": ["Saint John's"],
    "AL": ["Tirana"], "AM": ["Yerevan"], "AO": ["Luanda"], "AR": ["Buenos Aires"],
    "AS": ["Pago Pago"], "AT": ["Vienna"], "AU": ["Canberra"], "AW": ["Oranjestad"],
    "AX": ["Mariehamn"], "AZ": ["Baku"], "BA": ["Sarajevo"], "BB": ["Bridgetown"],
    "BD": ["Dhaka"], "BE": ["Brussels"], "BF": ["Ouagadougou"], "BG": ["Sofia"],
    "BH": ["Manama"], "BI": ["Gitega"], "BJ": ["Porto-Novo"], "BM": ["Hamilton"],
    "BN": ["Bandar Seri Begawan"], "BO": ["Sucre", "La Paz"], "BR": ["Brasilia"],
    "BS": ["Nassau"], "BT": ["Thimphu"], "BW": ["Gaborone"], "BY": ["Minsk"],
    "BZ": ["Belmopan"], "CA": ["Ottawa"], "CD": ["Kinshasa"], "CF": ["Bangui"],
    "CG": ["Brazzaville"], "CH": ["Bern"], "CI": ["Yamoussoukro"], "CK": ["Rarotonga"],
    "CL": ["Santiago"], "CM": ["Yaounde"], "CN": ["Beijing"], "CO": ["Bogota"],
    "CR": ["San Jose"], "CU": ["Havana"], "CV": ["Praia"], "CW": ["Willemstad"],
    "CY": ["Nicosia"], "CZ": ["Prague"], "DE": ["Berlin"], "DJ": ["Djibouti"],
    "DK": ["Copenhagen"], "DM": ["Roseau"], "DO": ["Santo Domingo"], "DZ": ["Algiers"],
    "EC": ["Quito"], "EE": ["Tallinn"], "EG": ["Cairo"], "EH": ["Bir Lehlou"],
    "ER": ["Asmara"], "ES": ["Madrid"], "ET": ["Addis Ababa"], "FI": ["Helsinki"],
    "FJ": ["Suva"], "FK": ["Stanley"], "FM": ["Palikir"], "FO": ["Torshavn"],
    "FR": ["Paris"], "GA": ["Libreville"], "GB": ["London"], "GD": ["Saint George's"],
    "GE": ["Tbilisi"], "GF": ["Cayenne"], "GH": ["Accra"], "GI": ["Gibraltar"],
    "GL": ["Nuuk"], "GM": ["Banjul"], "GN": ["Conakry"], "GP": ["Basse-terre"],
    "GQ": ["Malabo"], "GR": ["Athens"], "GS": ["Grytviken"], "GT": ["Guatemala"],
    "GU": ["Agana"], "GW": ["Bissau"], "GY": ["Georgetown"], "HK": ["Hong Kong"],
    "HN": ["Tegucigalpa"], "HR": ["Zagreb"], "HT": ["Port-au-Prince"], "HU": ["Budapest"],
    "ID": ["Jakarta"], "IE": ["Dublin"], "IL": ["Jerusalem"], "IM": ["Douglas"],
    "IN": ["New Delhi"], "IQ": ["Baghdad"], "IR": ["Tehran"], "IS": ["Reykjavik"],
    "IT": ["Rome"], "JM": ["Kingston"], "JO": ["Amman"], "JP": ["Tokyo"],
    "KE": ["Nairobi"], "KG": ["Bishkek"], "KH": ["Phnom Penh"], "KI": ["Tarawa"],
    "KM": ["Moroni"], "KN": ["Basseterre"], "KP": ["Pyongyang"], "KR": ["Seoul"],
    "KW": ["Kuwait"], "KY": ["George Town"], "KZ": ["Astana"], "LA": ["Vientiane"],
    "LB": ["Beirut"], "LC": ["Castries"], "LI": ["Vaduz"],
    "LK": ["Sri Jawewardenepura Kotte"], "LR": ["Monrovia"], "LS": ["Maseru"],
    "LT": ["Vilnius"], "LU": ["Luxembourg"], "LV": ["Riga"], "LY": ["Tripoli"],
    "MA": ["Rabat"], "MC": ["Monaco"], "MD": ["Chisinau"], "ME": ["Podgorica"],
    "MG": ["Antananarivo"], "MH": ["Majuro"], "MK": ["Skopje"], "ML": ["Bamako"],
    "MM": ["Naypyidaw"], "MN": ["Ulaanbaatar"], "MO": ["Macau"], "MP": ["Capitol Hill"],
    "MQ": ["Fort-de-France"], "MR": ["Nouakchott"], "MT": ["Valletta"],
    "MU": ["Port Louis"], "MV": ["Male"], "MW": ["Lilongwe"], "MX": ["Mexico City"],
    "MY": ["Kuala Lumpur", "Putrajaya"], "MZ": ["Maputo"], "NA": ["Windhoek"],
    "NC": ["Noumea"], "NE": ["Niamey"], "NG": ["Abuja"], "NI": ["Managua"],
    "NL": ["Amsterdam"], "NO": ["Oslo"], "NP": ["Kathmandu"], "NZ": ["Wellington"],
    "OM": ["Muscat"], "PA": ["Panama City"], "PE": ["Lima"], "PF": ["Papeete"],
    "PG": ["Port Moresby"], "PH": ["Manila"], "PK": ["Islamabad"], "PL": ["Warsaw"],
    "PR": ["San Juan"], "PS": ["Ramallah"], "PT": ["Lisbon"], "PW": ["Melekeok"],
    "PY": ["Asuncion"], "QA": ["Doha"], "RE": ["St.-Denis"], "RO": ["Bucharest"],
    "RS": ["Belgrade"], "RU": ["Moscow"], "RW": ["Kigali"], "SA": ["Riyadh"],
    "SB": ["Honiara"], "SC": ["Victoria"], "SD": ["Khartoum"], "SE": ["Stockholm"],
    "SG": ["Singapore"], "SI": ["Ljubljana"], "SJ": ["Longyearbyen"],
    "SK": ["Bratislava"], "SL": ["Freetown"], "SM": ["San Marino"], "SN": ["Dakar"],
    "SO": ["Mogadishu"], "SR": ["Paramaribo"], "SS": ["Juba"], "ST": ["Sao Tome"],
    "SV": ["San Salvador"], "SY": ["Damascus"], "SZ": ["Mbabane", "Lobamba"],
    "TC": ["Grand Turk"], "TD": ["Ndjamena"], "TG": ["Lome"], "TH": ["Bangkok"],
    "TJ": ["Dushanbe"], "TL": ["Dili"], "TM": ["Ashgabat"], "TN": ["Tunis"],
    "TO": ["Nukualofa"], "TR": ["Ankara"], "TT": ["Port-of-Spain"], "TV": ["Funafuti"],
    "TW": ["Taipei"], "TZ": ["Dodoma"], "UA": ["Kyiv"], "UG": ["Kampala"],
    "US": ["Washington, D.C."], "UY": ["Montevideo"], "UZ": ["Tashkent"],
    "VA": ["Vatican City"], "VC": ["Kingstown"], "VE": ["Caracas"],
    "VI": ["Charlotte Amalie"], "VN": ["Hanoi"], "VU": ["Port-Vila"], "WS": ["Apia"],
    "YE": ["Sanaa"], "YT": ["Mamoudzou"], "ZA": ["Pretoria", "Cape Town", "Bloemfontein"],
    "ZM": ["Lusaka"], "ZW": ["Harare"], "Kosovo": ["Pristina"], "Somaliland": ["Hargeysa"],
}
# Countries without a capital of their own in the dataset.
NO_CAPITAL = {"AQ"}  # Antarctica

# ---------------------------------------------------------------------------
# City names.  RENAMES fix evident mistakes of the dataset's city_ascii column
# and give the names this program uses; SHORT_NAMES shorten names longer than
# 18 characters.  Both are keyed by (country key, city_ascii).
RENAMES = {
    ("SA", "Medina"): "MADINAH",
    ("DK", "Kobenhavn"): "COPENHAGEN",  # the dataset has both spellings
    ("US", "Washington, D.C."): "WASHINGTON",
    ("US", "Grand Prairie"): "ARLINGTON",  # city column: Arlington
    ("US", "Victoriaville"): "VICTORVILLE",  # city column: Victorville
    ("AF", "Qal eh-ye"): "QAL EH-YE NOW",
    ("CN", "Hunanghua"): "HUANGHUA",
    ("CN", "Zuozhou"): "ZHUOZHOU",
    ("TN", "Monasir"): "MONASTIR",
    ("TN", "Medemine"): "MEDENINE",
    ("SE", "Vasteraas"): "VASTERAS",
    ("CZ", "Pizen"): "PLZEN",
    ("LV", "Liepaga"): "LIEPAJA",
    ("IS", "Akureyi"): "AKUREYRI",
}
SHORT_NAMES = {
    ("IN", "Chhatrapati Sambhajinagar"): "SAMBHAJINAGAR",
    ("ID", "Tanjungkarang-Telubketung"): "BANDAR LAMPUNG",
    ("AR", "San Miguel de Tucuman"): "TUCUMAN",
    ("RU", "Naberezhnyye Chelny"): "NABEREZHNYE CHELNY",
    ("AR", "Santiago del Estero"): "SGO. DEL ESTERO",
    ("ES", "Santa Cruz de Tenerife"): "S.C. DE TENERIFE",
    ("BR", "Vitoria da Conquista"): "VIT. DA CONQUISTA",
    ("RU", "Komsomolsk na Amure"): "KOMSOMOLSK-NA-AMUR",
    ("AR", "San Salvador de Jujuy"): "S.S. DE JUJUY",
    ("BN", "Bandar Seri Begawan"): "BANDAR S. BEGAWAN",
    ("MX", "Poza Rica de Hidalgo"): "POZA RICA",
    ("DO", "San Pedro de Macoris"): "SAN PEDRO MACORIS",
    ("RU", "Petropavlovsk Kamchatskiy"): "P.-KAMCHATSKIY",
    ("TH", "Nakhon Si Thammarat"): "N. SI THAMMARAT",
    ("BR", "Cachoeiro de Itapemirim"): "CACH. ITAPEMIRIM",
    ("MX", "San Cristobal de Las Casas"): "S.C. DE LAS CASAS",
    ("BR", "Cabo de Santo Agostinho"): "CABO STO AGOSTINHO",
    ("DO", "San Francisco de Macoris"): "S.F. DE MACORIS",
    ("LK", "Sri Jawewardenepura Kotte"): "KOTTE",
    ("UA", "Kamyanets-Podilskyy"): "KAMYANETS-PODILSKY",
    ("RO", "Drobeta-Turnu Severin"): "DR.-TURNU SEVERIN",
    ("VE", "San Fernando de Apure"): "SAN FERNANDO APURE",
    ("AR", "San Carlos de Bariloche"): "BARILOCHE",
    ("VE", "San Juan De Los Morros"): "S.J. DE LOS MORROS",
    ("SY", "Madinat ath Thawrah"): "MADINAT AL-THAWRA",
    ("AR", "Presidencia Roque Saenz Pena"): "PCIA R. SAENZ PENA",
    ("AR", "San Ramon de la Nueva Oran"): "ORAN",
    ("RU", "Kamensk Shakhtinskiy"): "KAMENSK-SHAKHTINSK",
    ("BR", "Sao Jose dos Pinhais"): "S.J. DOS PINHAIS",
    ("BR", "Sao Jose do Rio Preto"): "S.J. DO RIO PRETO",
    ("PY", "Pedro Juan Caballero"): "PEDRO J. CABALLERO",
    ("BR", "Presidente Prudente"): "PRES. PRUDENTE",
    ("GF", "Saint-Laurent-du-Maroni"): "ST-LAURENT-MARONI",
}
# Word abbreviations tried, left to right, on other long names.
ABBREVIATIONS = {
    "SAO": "S.", "SANTA": "STA", "SANTO": "STO", "SAN": "S.", "SANTIAGO": "STGO.",
    "PRESIDENTE": "PTE", "GENERAL": "GRAL", "INGENIERO": "ING.", "DOCTOR": "DR.",
    "GOVERNADOR": "GOV.", "GOBERNADOR": "GOB.", "CONSELHEIRO": "CONS.",
    "CAPITAN": "CAP.", "LIBERTADOR": "LIB.", "MARISCAL": "MCAL", "CIUDAD": "CD.",
    "PUERTO": "PTO", "NUEVO": "NVO", "INTERNATIONAL": "INTL", "SAINT": "ST",
    "COMONDANTE": "CMTE",
}

# Time zones missing from the dataset, filled in by hand.
ZONE_FILL = {
    ("IR", "Orumiyeh"): "Asia/Tehran",  # Urmia
    ("RU", "Penza"): "Europe/Moscow",
    ("RU", "Perm"): "Asia/Yekaterinburg",
    ("RU", "Oymyakon"): "Asia/Ust-Nera",
    ("AR", "Comodoro Rivadavia"): "America/Argentina/Catamarca",
    ("AR", "Chilecito"): "America/Argentina/La_Rioja",
    ("CA", "Fort St. John"): "America/Dawson_Creek",
    ("NI", "San Juan del Sur"): "America/Managua",
}

# The 51 USPS codes of the program's state table (50 states and DC).
US_STATES = {
    "Alaska": "AK", "Alabama": "AL", "Arkansas": "AR", "Arizona": "AZ",
    "California": "CA", "Colorado": "CO", "Connecticut": "CT",
    "District of Columbia": "DC", "Delaware": "DE", "Florida": "FL", "Georgia": "GA",
    "Hawaii": "HI", "Iowa": "IA", "Idaho": "ID", "Illinois": "IL", "Indiana": "IN",
    "Kansas": "KS", "Kentucky": "KY", "Louisiana": "LA", "Massachusetts": "MA",
    "Maryland": "MD", "Maine": "ME", "Michigan": "MI", "Minnesota": "MN",
    "Missouri": "MO", "Mississippi": "MS", "Montana": "MT", "North Carolina": "NC",
    "North Dakota": "ND", "Nebraska": "NE", "New Hampshire": "NH", "New Jersey": "NJ",
    "New Mexico": "NM", "Nevada": "NV", "New York": "NY", "Ohio": "OH",
    "Oklahoma": "OK", "Oregon": "OR", "Pennsylvania": "PA", "Rhode Island": "RI",
    "South Carolina": "SC", "South Dakota": "SD", "Tennessee": "TN", "Texas": "TX",
    "Utah": "UT", "Virginia": "VA", "Vermont": "VT", "Washington": "WA",
    "Wisconsin": "WI", "West Virginia": "WV", "Wyoming": "WY",
}
assert len(US_STATES) == 51

REQUIRED = [
    ("MAKKAH", "SA"), ("MADINAH", "SA"), ("JEDDAH", "SA"), ("RIYADH", "SA"),
    ("CAIRO", "EG"), ("ISTANBUL", "TR"), ("JAKARTA", "ID"), ("KARACHI", "PK"),
    ("LAHORE", "PK"), ("DHAKA", "BD"), ("KUALA LUMPUR", "MY"), ("TEHRAN", "IR"),
    ("CASABLANCA", "MA"), ("ALGIERS", "DZ"), ("TUNIS", "TN"), ("AMMAN", "JO"),
    ("DAMASCUS", "SY"), ("BAGHDAD", "IQ"), ("KUWAIT", "KW"), ("DOHA", "QA"),
    ("DUBAI", "AE"), ("MUSCAT", "OM"), ("SANAA", "YE"), ("KHARTOUM", "SD"),
    ("LONDON", "GB"), ("PARIS", "FR"), ("NEW YORK", "US"), ("CHICAGO", "US"),
    ("TORONTO", "CA"), ("SYDNEY", "AU"),
]

IMSAK_DURATION = 600  # Imsak 10 minutes before Fajr
UNUSED_INTERVAL = 5400


# ---------------------------------------------------------------------------
def ascii_upper(text):
    text = text.replace("\u2013", "-").replace("\u2019", "'")
    text = unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode()
    return " ".join(text.upper().split())


def country_key(row):
    iso = row["iso2"]
    return iso if isinstance(iso, str) and len(iso) == 2 else row["country"]


def country_name(key, row):
    name = COUNTRY_NAMES.get(key) or ascii_upper(row["country"])
    if len(name) > 18:
        raise SystemExit(f"country name too long, add it to COUNTRY_NAMES: {name}")
    return name


LONG_NAMES = []  # names still too long: reported together, then the run stops


def city_name(key, ascii_name):
    name = RENAMES.get((key, ascii_name)) or SHORT_NAMES.get((key, ascii_name))
    if name is None:
        name = ascii_upper(ascii_name)
        words = name.split()
        for i, word in enumerate(words):
            if len(" ".join(words)) <= 18:
                break
            words[i] = ABBREVIATIONS.get(word, word)
        name = " ".join(words)
    if len(name) > 18:
        LONG_NAMES.append(f"{key} {ascii_name} -> {name}")
    return name


def to_minutes(value):
    """|value| in degrees -> (degrees, minutes), rounded to the nearest minute."""
    total = math.floor(abs(value) * 60 + 0.5)
    return divmod(total, 60)


def arc_minutes_above_18(degrees):
    assert 15.0 <= degrees <= 20.0, degrees
    return round(degrees * 60) - 1080


class ZoneFacts:
    """What the record needs to know about one zone in one year."""

    def __init__(self, name, year=None):
        year = year or YEAR
        self.year = year
        zone = zoneinfo.ZoneInfo(name)
        utc = dt.timezone.utc
        offsets = set()
        t = dt.datetime(year, 1, 1, tzinfo=utc)
        while t.year == year:
            offsets.add(int(t.astimezone(zone).utcoffset().total_seconds()))
            t += dt.timedelta(hours=1)
        self.standard = min(offsets)  # seconds east of UTC
        self.problem = None
        first = dt.date(year, 1, 1)
        days = (dt.date(year + 1, 1, 1) - first).days
        noon = []
        for i in range(days):
            d = first + dt.timedelta(days=i)
            noon.append(int(dt.datetime(d.year, d.month, d.day, 12, tzinfo=zone).utcoffset().total_seconds()))
        dst_days = [i for i in range(days) if noon[i] > self.standard]
        self.dst = bool(dst_days)
        self.dst_start = self.dst_end = 0
        if len(offsets) > 1 and not dst_days:
            self.problem = "zone change not at a noon"
        if dst_days:
            if any(noon[i] - self.standard != 3600 for i in dst_days) or max(offsets) - self.standard != 3600:
                self.problem = "daylight saving not exactly 1 hour"
            starts = [i for i in dst_days if noon[i - 1] <= self.standard]  # i-1 wraps to 31 Dec
            if len(starts) != 1:
                self.problem = "daylight saving in more than one period"
            else:
                s = starts[0]
                e = s
                while noon[(e + 1) % days] > self.standard:
                    e = (e + 1) % days
                self.dst_start, self.dst_end = s + 1, e + 1
                covered = set(range(s, e + 1)) if s <= e else set(range(s, days)) | set(range(0, e + 1))
                assert covered == set(dst_days)
                assert self.dst_start != self.dst_end  # equal means "all year" to the engine


def same_rules(a, b):
    """Two years follow the same rules when only the weekday rule moves the DST days."""
    if a.problem or b.problem or a.standard != b.standard or a.dst != b.dst:
        return False
    return not a.dst or (abs(a.dst_start - b.dst_start) <= 7 and abs(a.dst_end - b.dst_end) <= 7)


def zone_facts(name, rules_changed):
    """The reference year's facts, unless the zone changed its rules during that year (Morocco
    moved to permanent +00 on 2026-09-20, Alberta and Manitoba to permanent offsets): then the
    records follow the rules now in force, those of the next year, and the zone is listed."""
    this_year, next_year = ZoneFacts(name, YEAR), ZoneFacts(name, YEAR + 1)
    if same_rules(this_year, next_year) or next_year.problem:
        return this_year
    rules_changed.append(name)
    return next_year


def meridian(std_seconds):
    """Standard offset -> (St_Longitude code, meridian in degrees the engine uses)."""
    hours = abs(std_seconds) / 3600
    if std_seconds % 3600 == 0:
        return round(hours * 15), hours * 15
    if std_seconds % 1800 == 0:
        code = HALF_HOUR_CODES[round(hours * 2)]
        return code, CODE_TO_DEGREES[code]
    exact = hours * 15
    candidates = sorted((abs(c - exact), c) for c in range(0, 181) if c not in CODE_TO_DEGREES)
    code = candidates[0][1]
    return code, float(code)


def tzdata_version():
    try:
        with open("/usr/share/zoneinfo/tzdata.zi", encoding="ascii") as f:
            first = f.readline().split()
        return first[-1]
    except OSError:
        return "unknown"


def main(argv):
    if len(argv) not in (2, 3):
        raise SystemExit(__doc__.split("\n\n")[1])
    source = argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    output = argv[2] if len(argv) == 3 else os.path.join(here, "..", "resources", "VEK.LOC")

    version = tzdata_version()
    print(f"tzdata {version}")
    if version != EXPECTED_TZDATA:
        print(f"warning: tzdata {EXPECTED_TZDATA} expected; daylight-saving days may differ")
    with open(source, encoding="utf-8") as f:
        rows = json.load(f)
    if len(rows) != EXPECTED_ROWS:
        print(f"warning: {len(rows)} rows, city-timezones 1.3.4 has {EXPECTED_ROWS}")
    rows.sort(key=lambda r: (str(country_key(r)), r["city_ascii"], r["lat"], r["lng"], r["pop"]))

    omitted = collections.defaultdict(list)  # reason -> [(pop, description)]
    zones = {}
    rules_changed = []  # zones whose records follow the next year's rules
    usable = collections.defaultdict(list)  # country key -> [candidate]

    for row in rows:
        key = country_key(row)
        desc = f"{row['city_ascii']} ({row['country']})"
        zone_name = row["timezone"] or ZONE_FILL.get((key, row["city_ascii"]))
        if key in NO_CAPITAL:
            omitted["Antarctic station"].append((row["pop"], desc))
            continue
        if not zone_name:
            omitted["no time zone in the dataset"].append((row["pop"], desc))
            continue
        lat_deg, lat_min = to_minutes(row["lat"])
        if lat_deg * 60 + lat_min > 65 * 60:
            omitted["latitude beyond 65 degrees"].append((row["pop"], desc))
            continue
        if zone_name not in zones:
            zones[zone_name] = zone_facts(zone_name, rules_changed)
        zf = zones[zone_name]
        if abs(zf.standard) > 12 * 3600:
            omitted["time zone beyond +/-12 h"].append((row["pop"], desc))
            continue
        if zf.problem:
            omitted[zf.problem].append((row["pop"], desc))
            continue
        long_deg, long_min = to_minutes(row["lng"])
        if long_deg == 180:
            long_min = 0
        long_is_zero = long_deg == 0 and long_min == 0
        zone_west = zf.standard < 0
        if zf.standard == 0 or long_is_zero:
            west = zone_west if long_is_zero else row["lng"] < 0
        else:
            west = zone_west
            if (row["lng"] < 0) != zone_west:
                omitted["longitude and zone on different sides of Greenwich"].append((row["pop"], desc))
                continue
        st_code, st_degrees = meridian(zf.standard)
        # The engine's TimeDiff from the stored values against the true one.
        stored_long = long_deg + long_min / 60
        engine = (st_degrees - stored_long) / 15 * (-1 if west else 1)
        true = (zf.standard / 3600 * 15 - row["lng"]) / 15
        tolerance = (0.5 / 60 + abs(st_degrees - abs(zf.standard) / 3600 * 15)) / 15 + 1e-9
        assert abs(engine - true) <= tolerance, (desc, engine, true)
        usable[key].append({
            "row": row, "key": key, "zone": zf,
            "lat": (lat_deg, lat_min), "long": (long_deg, long_min),
            "north": row["lat"] >= 0, "west": west, "st": st_code,
        })

    # Selection.
    selected = {}
    capitals_missing = []
    capitals_kept = []
    for key in sorted(set(usable) | set(CAPITALS) | {country_key(r) for r in rows}, key=str):
        if key in NO_CAPITAL:
            continue
        cands = sorted(usable.get(key, []), key=lambda c: (-c["row"]["pop"], c["row"]["city_ascii"]))
        for i, c in enumerate(cands):
            if i < TOP_PER_COUNTRY or c["row"]["pop"] >= MIN_POPULATION:
                selected[id(c)] = c
        for cap in CAPITALS.get(key, []):
            hits = [c for c in cands if c["row"]["city_ascii"] == cap]
            if hits:
                selected[id(hits[0])] = hits[0]
                capitals_kept.append(hits[0])
                continue
            in_data = [r for r in rows if country_key(r) == key and r["city_ascii"] == cap]
            if not in_data:
                capitals_missing.append(f"{cap} ({key}): not in the dataset")
            else:
                reason = next(
                    (why for why, items in omitted.items() for _, d in items if d.startswith(cap + " (")),
                    "left out",
                )
                capitals_missing.append(f"{cap} ({key}): {reason}")
        if key not in CAPITALS:
            raise SystemExit(f"no capital listed for {key}")

    # Records, unique by (City, Country, State); the most populous wins.
    records = {}
    for c in sorted(selected.values(), key=lambda c: (-c["row"]["pop"], str(c["key"]), c["row"]["city_ascii"])):
        row, key = c["row"], c["key"]
        city = city_name(key, row["city_ascii"])
        country = country_name(key, row)
        state = ""
        if key == "US":
            state = US_STATES.get(row["province"])
            if state is None:
                raise SystemExit(f"unknown US state: {row['province']}")
            if row.get("state_ansi") not in (None, state):
                raise SystemExit(f"state mismatch: {row}")
        triple = c["triple"] = (city, country, state)
        if triple in records:
            omitted["duplicate name (a more populous namesake kept)"].append((row["pop"], f"{row['city_ascii']} ({row['country']})"))
            continue
        records[triple] = c

    # A capital may only give way to its own second entry (Kobenhavn/Copenhagen).
    for c in capitals_kept:
        k = records[c["triple"]]["row"]
        same_place = abs(k["lat"] - c["row"]["lat"]) < 0.1 and abs(k["lng"] - c["row"]["lng"]) < 0.1
        assert same_place, f"capital lost to a namesake: {c['row']['city_ascii']}"

    if LONG_NAMES:
        raise SystemExit("city names too long, add them to SHORT_NAMES:\n  " + "\n  ".join(LONG_NAMES))

    for name, key in REQUIRED:
        country = COUNTRY_NAMES.get(key) or ascii_upper(next(r["country"] for r in rows if r["iso2"] == key))
        state = ""
        if key == "US":
            state = {"NEW YORK": "NY", "CHICAGO": "IL"}[name]
        assert (name, country, state) in records, f"required city missing: {name} {country} {state}"
    assert ("DAMASCUS", "SYRIA", "") in records

    out = [RECORD.pack(b"\x042222", b"\x0200", b"", *[0] * 21)]
    method_use = collections.Counter()
    for triple in sorted(records, key=lambda t: (t[1], t[2], t[0])):
        city, country, state = triple
        c = records[triple]
        zf = c["zone"]
        method, fajr, isha, hanafi = METHODS.get(c["key"], MWL)
        method_use[(c["key"] if c["key"] in METHODS else "other")] += 1
        fajr_iv = isha_iv = UNUSED_INTERVAL
        fajr_angle = isha_angle = 0
        if method == 3:
            fajr_angle, isha_angle = arc_minutes_above_18(fajr), arc_minutes_above_18(isha)
        elif method == 4:
            fajr_angle, isha_iv = arc_minutes_above_18(fajr), isha * 60
        assert method in (0, 3, 4)
        assert 0 <= c["long"][0] <= 180 and 0 <= c["long"][1] <= 59
        assert 0 <= c["lat"][0] <= 65 and 0 <= c["lat"][1] <= 59
        assert 0 <= c["st"] <= 180

        def short(text, width):
            raw = text.encode("ascii")
            assert len(raw) <= width
            return bytes([len(raw)]) + raw

        out.append(RECORD.pack(
            short(city, 18), short(state, 2), short(country, 18),
            c["long"][0], c["long"][1], c["lat"][0], c["lat"][1], c["st"], int(zf.dst),
            zf.dst_start, zf.dst_end, int(c["north"]), int(c["west"]), method,
            fajr_iv, isha_iv, fajr_angle, isha_angle,
            0, 0,  # ZuhrDelayOn, ZuhrDelay
            hanafi, 1, IMSAK_DURATION, 0,
        ))

    data = b"".join(out)
    assert len(data) % RECORD.size == 0
    output = os.path.normpath(output)
    fd, tmp = tempfile.mkstemp(dir=os.path.dirname(output) or ".", prefix=".VEK.LOC.")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, output)
    except BaseException:
        os.unlink(tmp)
        raise

    countries = {t[1] for t in records}
    print(f"wrote {output}: {len(records)} locations in {len(countries)} countries, {len(data)} bytes")
    print("left out of the dataset's rows:")
    for reason in sorted(omitted):
        items = sorted(omitted[reason], key=lambda t: -t[0])
        print(f"  {reason}: {len(items)}, e.g. {', '.join(d for _, d in items[:8])}")
    print("zones that changed their rules during the reference year (records follow the next year):")
    print("  " + (", ".join(sorted(rules_changed)) or "none"))
    print("capitals left out:")
    for line in capitals_missing:
        print(f"  {line}")
    print("records per method table entry:", dict(sorted(method_use.items())))


if __name__ == "__main__":
    main(sys.argv)
