#pragma once
// The system-table columns that hold table ids (a table's id is its definition page). Renumbering pages
// changes these ids, so every reader that compares or rewrites them needs the same list.
#include "engine/core/TableDef.h"

#include <string_view>
#include <vector>

namespace jet {

struct IdColumn {
    std::u16string_view table, column;
};

inline constexpr IdColumn kTableIdColumns[] = {
    {u"MSysObjects", u"Id"},
    {u"MSysACEs", u"ObjectId"},
    {u"MSysNavPaneGroupToObjects", u"ObjectID"},
    {u"MSysNavPaneObjectIDs", u"Id"},
    // Access 2007 and later: each attachment or multi-value column names the table it belongs to, its hidden
    // table of values, and the system table of its value type.
    {u"MSysComplexColumns", u"ConceptualTableID"},
    {u"MSysComplexColumns", u"FlatTableID"},
    {u"MSysComplexColumns", u"ComplexTypeObjectID"},
};

// The columns of table that hold table ids (those the table has).
inline std::vector<const Column*> tableIdColumns(std::u16string_view table, const TableDef& def) {
    std::vector<const Column*> out;
    for (const auto& ic : kTableIdColumns)
        if (table == ic.table)
            if (const Column* c = def.column(ic.column)) out.push_back(c);
    return out;
}

}  // namespace jet
