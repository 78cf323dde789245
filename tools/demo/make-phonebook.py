#!/usr/bin/env python3
"""Writes the demo's phonebook.txt (124-byte records, Windows-1252) from a CSV of
number,name,favourite,receiver lines.   make-phonebook.py subscribers.csv phonebook.txt"""
import struct
import sys


def record(ident, number, name, favourite, receiver, date):
    body = struct.pack('<h', ident)
    body += number.ljust(12)[:12].encode('cp1252')
    body += name.ljust(40)[:40].encode('cp1252')
    body += struct.pack('<hhhhhh', favourite, 0, receiver, 0, 0, 0)
    body += struct.pack('<h', len(date)) + date.encode('cp1252')
    return body.ljust(124, b'\0')


def main(source, target):
    rows = []
    with open(source, encoding='cp1252') as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith('#'):
                number, name, favourite, receiver = line.split(',')
                rows.append((name, number, int(favourite), int(receiver)))
    rows.sort(key=lambda r: r[0].upper())
    with open(target, 'wb') as out:
        for ident, (name, number, favourite, receiver) in enumerate(rows, 1):
            out.write(record(ident, number, name, favourite, receiver, '01.12.2026'))


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
