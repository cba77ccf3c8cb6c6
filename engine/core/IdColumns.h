#pragma once
// The system-table columns that hold table ids (a table's id is its definition page). Renumbering pages
// changes these ids, so every reader that compares or rewrites them needs the same list.
#include <string_view>

namespace jet {

struct IdColumn {
    std::u16string_view table, column;
};

inline constexpr IdColumn kTableIdColumns[] = {
    {u"MSysObjects", u"Id"},
    {u"MSysACEs", u"ObjectId"},
    {u"MSysNavPaneGroupToObjects", u"ObjectID"},
    {u"MSysNavPaneObjectIDs", u"Id"},
};

}  // namespace jet
