#!/usr/bin/env python3
# Checks a feed (Atom 1.0) or a sitemap against the rules of their schemas
# that can be checked here: well-formed, the right namespace, the required
# elements once each, RFC 3339 dates, absolute addresses.
# Usage: check_xml.py FILE; says what is wrong and exits 1.
import re
import sys
import xml.etree.ElementTree as ET

ATOM = '{http://www.w3.org/2005/Atom}'
MAP = '{http://www.sitemaps.org/schemas/sitemap/0.9}'
DATE = re.compile(r'\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d+)?(Z|[+-]\d\d:\d\d)$')
ADDRESS = re.compile(r'https?://[^\s<>"]+$')
problems = []


def need(node, where, names, ns=ATOM):
    for name in names:
        found = node.findall(ns + name)
        text = found[0].text or '' if len(found) == 1 else ''
        if len(found) != 1:
            problems.append(f'{where}: {len(found)} <{name}>')
        elif name == 'updated' and not DATE.match(text):
            problems.append(f'{where}: <updated>{text}')
        elif name in ('id', 'loc') and not ADDRESS.match(text):
            problems.append(f'{where}: <{name}>{text}')


root = ET.parse(sys.argv[1]).getroot()
if root.tag == ATOM + 'feed':
    need(root, 'feed', ['id', 'title', 'updated', 'author'])
    for i, entry in enumerate(root.findall(ATOM + 'entry')):
        need(entry, f'entry {i}', ['id', 'title', 'updated'])
        links = [l for l in entry.findall(ATOM + 'link') if l.get('rel') == 'alternate']
        if len(links) != 1 or not ADDRESS.match(links[0].get('href', '')):
            problems.append(f'entry {i}: alternate links {links}')
elif root.tag in (MAP + 'urlset', MAP + 'sitemapindex'):
    kind = MAP + ('url' if root.tag == MAP + 'urlset' else 'sitemap')
    items = root.findall(kind)
    if not items or len(items) != len(list(root)):
        problems.append(f'{len(items)} <{kind}> of {len(list(root))} elements')
    for i, item in enumerate(items):
        need(item, f'{kind} {i}', ['loc'], MAP)
else:
    problems.append(f'root element {root.tag}')
sys.exit('\n'.join(problems) or None)
