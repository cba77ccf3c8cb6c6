#!/usr/bin/env python3
"""Compacts every sample database with kvjet and compares what an independent reader (mdbtools) sees in the
source and in the copy: table list, schema, queries, every table's properties and rows, with table ids mapped from the
source's numbering to the copy's. Also checks the copy is sound and compacts again to the same bytes. Each sample is
compared a second time encrypted with a database key (every page but the first RC4'd), which the reader reads too.
Usage: compare_with_reader.py KVJET DATA_DIR WORK_DIR"""
import csv
import io
import os
import subprocess
import sys

# Columns that hold table ids, by table.
ID_COLUMNS = {
    "MSysObjects": ["Id"],
    "MSysACEs": ["ObjectId"],
    "MSysNavPaneGroupToObjects": ["ObjectID"],
    "MSysNavPaneObjectIDs": ["Id"],
}


def run(*args):
    r = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if r.returncode != 0:
        raise RuntimeError(f"{' '.join(args)} failed: {r.stderr.decode(errors='replace')}")
    return r.stdout.decode("utf-8", errors="replace")


def rows(db, table):
    text = run("mdb-export", "-D", "%Y-%m-%d %H:%M:%S", db, table)
    return list(csv.reader(io.StringIO(text)))


def table_ids(db):
    data = rows(db, "MSysObjects")
    head = data[0]
    i_id, i_name, i_type = head.index("Id"), head.index("Name"), head.index("Type")
    return {r[i_name]: r[i_id] for r in data[1:] if r[i_type] == "1"}


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) & 255
        s[i], s[j] = s[j], s[i]
    out = bytearray(data)
    i = j = 0
    for k in range(len(out)):
        i = (i + 1) & 255
        j = (j + s[i]) & 255
        s[i], s[j] = s[j], s[i]
        out[k] ^= s[(s[i] + s[j]) & 255]
    return out


def encrypted(src, dst, key=0x2468ACE1):
    """Writes src with the database key set in its scrambled header block and every page but page 0 RC4'd with
    the key XOR the page number."""
    f = bytearray(open(src, "rb").read())
    jet4 = f[0x14] == 1
    page, block = (4096, 128) if jet4 else (2048, 126)
    header_key = bytes([0xC7, 0xDA, 0x39, 0x6B])
    plain = rc4(header_key, f[0x18:0x18 + block])
    plain[0x3E - 0x18:0x3E - 0x18 + 4] = key.to_bytes(4, "little")
    f[0x18:0x18 + block] = rc4(header_key, plain)
    for p in range(1, len(f) // page):
        f[p * page:(p + 1) * page] = rc4((key ^ p).to_bytes(4, "little"), f[p * page:(p + 1) * page])
    open(dst, "wb").write(f)


def compare(kvjet, src, work):
    name = os.path.basename(src)
    dst = os.path.join(work, name)
    again = os.path.join(work, "again-" + name)
    problems = []
    run(kvjet, "compact", src, dst)
    run(kvjet, "check", dst)
    run(kvjet, "compact", dst, again)
    if open(dst, "rb").read() != open(again, "rb").read():
        problems.append("compacting the copy again changes it")
    for args in (["mdb-tables", "-S", "-1"], ["mdb-schema"], ["mdb-queries", "-L"]):
        if run(*args, src) != run(*args, dst):
            problems.append(f"{args[0]} output differs")
    old_ids, new_ids = table_ids(src), table_ids(dst)
    if old_ids.keys() != new_ids.keys():
        problems.append("the tables listed in the catalog differ")
    id_map = {old_ids[n]: new_ids[n] for n in old_ids if n in new_ids}
    # Tables the compaction puts in primary-key order: the same rows, in that order.
    key_ordered = {line.split()[1] for line in run(kvjet, "info", src).splitlines()
                   if line.startswith("table ") and " key order " in line}
    for table in run("mdb-tables", "-S", "-1", src).split():
        before, after = rows(src, table), rows(dst, table)
        if before and table in ID_COLUMNS:
            for column in ID_COLUMNS[table]:
                if column in before[0]:
                    k = before[0].index(column)
                    for r in before[1:]:
                        r[k] = id_map.get(r[k], r[k])
        if table in key_ordered:
            before[1:], after[1:] = sorted(before[1:]), sorted(after[1:])
        if before != after:
            problems.append(f"rows of {table} differ")
        if run("mdb-prop", src, table) != run("mdb-prop", dst, table):
            problems.append(f"properties of {table} differ")
    return problems


def main():
    kvjet, data, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    failed = 0
    for name in sorted(os.listdir(data)):
        if not name.endswith(".mdb"):
            continue
        os.makedirs(os.path.join(work, "sources"), exist_ok=True)
        secret = os.path.join(work, "sources", "encrypted-" + name)
        encrypted(os.path.join(data, name), secret)
        for label, path in ((name, os.path.join(data, name)), ("encrypted " + name, secret)):
            try:
                problems = compare(kvjet, path, work)
            except RuntimeError as e:
                problems = [str(e)]
            print(label + ": " + ("same" if not problems else "; ".join(problems)))
            failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
