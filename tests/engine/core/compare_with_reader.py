#!/usr/bin/env python3
"""Compacts every sample database with kvjet and compares what an independent reader (mdbtools) sees in the
source and in the copy: table list, schema, queries, every table's properties and rows, with table ids mapped from the
source's numbering to the copy's. Also checks the copy is sound and compacts again to the same bytes. Each sample is
compared a second time encrypted with a database key (every page but the first RC4'd), which the reader reads too
(.mdb samples only: Access 2007 and later encrypt only with a password). A second reader, the mdb-reader package,
reads every table of source and copy too, attachments resolved through their hidden tables, when node and the
package are found (the directory holding its node_modules: $KV_MDB_READER, else build/oracle of the repository).
Usage: compare_with_reader.py KVJET DATA_DIR WORK_DIR"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys

# Columns that hold table ids, by table.
ID_COLUMNS = {
    "MSysObjects": ["Id"],
    "MSysACEs": ["ObjectId"],
    "MSysNavPaneGroupToObjects": ["ObjectID"],
    "MSysNavPaneObjectIDs": ["Id"],
    "MSysComplexColumns": ["ConceptualTableID", "FlatTableID", "ComplexTypeObjectID"],
}

# Calculated text of memo length: its value lives on long-value pages behind a 12-byte header, which both readers
# show as text (its pointer changes when the value moves). The comparison reads such values itself.
CALCULATED_MEMO = {("calcFieldTestV2010.accdb", "Table1"): ["AllNames"]}

HERE = os.path.dirname(os.path.abspath(__file__))
READER_SCRIPT = os.path.join(HERE, "read_with_mdb_reader.mjs")


def mdb_reader_dir():
    """Where the mdb-reader package is installed, or None (with the reason printed) when it cannot run."""
    where = os.environ.get("KV_MDB_READER") or os.path.join(HERE, "..", "..", "..", "build", "oracle")
    if not shutil.which("node"):
        print("mdb-reader comparison skipped: node is not installed")
        return None
    if not os.path.isdir(os.path.join(where, "node_modules", "mdb-reader")):
        print(f"mdb-reader comparison skipped: the package is not installed in {where} "
              f"(npm install --prefix {where} mdb-reader)")
        return None
    return where


def map_ids(table, head, body, id_map):
    """Table ids in the columns that hold them, from the source's numbering to the copy's."""
    for column in ID_COLUMNS.get(table, []):
        if column in head:
            k = head.index(column)
            for r in body:
                r[k] = id_map.get(r[k], r[k])


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


def long_value(db, shown):
    """The bytes of a long value whose 12-byte header a reader showed as UCS-2 text (trailing zeros dropped),
    read from the file's pages (no database key: Access 2007 and later files)."""
    head = shown.encode("utf-16le").ljust(12, b"\0")
    length, flag = int.from_bytes(head[0:3], "little"), head[3]
    pointer = int.from_bytes(head[4:8], "little")
    data = open(db, "rb").read()

    def row(ptr):
        page, number = ptr >> 8, ptr & 0xFF
        p = data[page * 4096:(page + 1) * 4096]
        offsets = [int.from_bytes(p[14 + 2 * i:16 + 2 * i], "little") for i in range(number + 1)]
        end = 4096 if number == 0 else offsets[number - 1] & 0x1FFF
        return p[offsets[number] & 0x1FFF:end]

    if flag == 0x40:
        return row(pointer)[:length].hex()
    out = b""
    while pointer and len(out) < length:  # a chain: each piece begins with the pointer to the next
        piece = row(pointer)
        pointer, out = int.from_bytes(piece[0:4], "little"), out + piece[4:]
    return out[:length].hex()


def resolve_calculated_memo(db, table, data):
    for column in CALCULATED_MEMO.get((os.path.basename(db), table), []):
        if data and column in data[0]:
            k = data[0].index(column)
            for r in data[1:]:
                if r[k]:
                    r[k] = long_value(db, r[k])


def compare_second_reader(reader, src, dst, id_map, key_ordered):
    def read(db):
        return json.loads(run("node", READER_SCRIPT, reader, db))
    before, after = read(src), read(dst)
    problems = []
    if before.keys() != after.keys():
        problems.append("mdb-reader lists other tables")
    numeric_map = {int(k): int(v) for k, v in id_map.items()}
    for table in before:
        b, a = before[table], after.get(table)
        if a is None:
            continue
        if "rows" in b:
            # Calculated memo values are compared through the first reader (see CALCULATED_MEMO).
            for t in (a, b):
                for column in CALCULATED_MEMO.get((os.path.basename(src), table), []):
                    if column in t["columns"]:
                        k = t["columns"].index(column)
                        for r in t["rows"]:
                            r[k] = None
            map_ids(table, b["columns"], b["rows"], numeric_map)
            if table in key_ordered:
                for t in (a, b):
                    t["rows"].sort(key=json.dumps)
        if a != b:
            problems.append(f"mdb-reader rows of {table} differ")
    return problems


def compare(kvjet, src, work, reader=None):
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
        if before:
            map_ids(table, before[0], before[1:], id_map)
        resolve_calculated_memo(src, table, before)
        resolve_calculated_memo(dst, table, after)
        if table in key_ordered:
            before[1:], after[1:] = sorted(before[1:]), sorted(after[1:])
        if before != after:
            problems.append(f"rows of {table} differ")
        if run("mdb-prop", src, table) != run("mdb-prop", dst, table):
            problems.append(f"properties of {table} differ")
    if reader:
        problems += compare_second_reader(reader, src, dst, id_map, key_ordered)
    return problems


def main():
    kvjet, data, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    failed = 0
    reader = mdb_reader_dir()
    for name in sorted(os.listdir(data)):
        if not name.endswith((".mdb", ".accdb")):
            continue
        cases = [(name, os.path.join(data, name))]
        if name.endswith(".mdb"):
            os.makedirs(os.path.join(work, "sources"), exist_ok=True)
            secret = os.path.join(work, "sources", "encrypted-" + name)
            encrypted(os.path.join(data, name), secret)
            cases.append(("encrypted " + name, secret))
        for label, path in cases:
            try:
                problems = compare(kvjet, path, work, reader)
            except RuntimeError as e:
                problems = [str(e)]
            readers = "mdbtools and mdb-reader" if reader else "mdbtools"
            print(f"{label}: " + (f"same ({readers})" if not problems else "; ".join(problems)))
            failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
