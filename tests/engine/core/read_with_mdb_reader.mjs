// Prints every table of a database (system tables too) as read by the mdb-reader package, as JSON:
// {table: {columns: [...], rows: [[...], ...], unread: {column: "why"}} or {error: "..."}}. Attachment columns
// come resolved through their hidden tables; a column the package cannot read is listed under unread. Usage: node read_with_mdb_reader.mjs PACKAGE_DIR FILE
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";

const [packageDir, file] = process.argv.slice(2);
const entry = createRequire(resolve(packageDir) + "/").resolve("mdb-reader");
const MDBReader = (await import(pathToFileURL(entry).href)).default;

function plain(v) {
    if (v === null || v === undefined) return null;
    if (Buffer.isBuffer(v) || v instanceof Uint8Array) return "hex:" + Buffer.from(v).toString("hex");
    if (v instanceof Date) return "date:" + v.toISOString();
    if (Array.isArray(v)) return v.map(plain);
    if (typeof v === "object") return Object.fromEntries(Object.entries(v).map(([k, x]) => [k, plain(x)]));
    if (typeof v === "bigint") return "bigint:" + v.toString();
    return v;
}

const reader = new MDBReader(readFileSync(file));
const out = {};
for (const name of reader.getTableNames({ normalTables: true, systemTables: true })) {
    try {
        const table = reader.getTable(name);
        const columns = [];
        const unread = {};
        const values = [];
        for (const c of table.getColumnNames()) {
            try {
                values.push(table.getData({ columns: [c] }).map((r) => plain(r[c])));
                columns.push(c);
            } catch (e) {
                unread[c] = String(e.message ?? e);
            }
        }
        const rows = (values[0] ?? []).map((_, i) => values.map((v) => v[i]));
        out[name] = { columns, rows, unread };
    } catch (e) {
        out[name] = { error: String(e.message ?? e) };
    }
}
process.stdout.write(JSON.stringify(out));
