// Listbox entry points in-process, on lists placed on a window made from a
// description: rows, cells, columns, selection and its Change, folders,
// sorting, binding to a provider, and what out-of-range rows raise (seen
// from a compiled-style frame that catches). Every test gives back every
// object and byte it took.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "controls/list_box/list_binding.h"
#include "controls/list_box/pane/list_columns.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/pane/list_pane.h"
#include "controls/list_box/list_sort.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/window_description.h"
#include "descriptions/window_test_support.h"
#include "exceptions/failure_report.h"
#include "objects/debugger.h"
#include "startup/main_loop.h"
#include "support/raise_catcher.h"
#include "windows/native_view.h"
#include "windows/window_operations.h"

namespace {

enum { kException, kWindow, kList, kClassCount };

std::string g_log;
void note(const std::string& text) { g_log += text + ";"; }

RuntimeObject* g_list = nullptr;
std::int32_t g_set_inside_change = -2;

void on_change(RuntimeObject* list) {
    note("change " + std::to_string(listSelectionGetter(list, 0)));
    if (g_set_inside_change != -2) listSelectionSetter(list, 0, g_set_inside_change);
}
void on_expand(RuntimeObject* list, std::int32_t row) {
    note("expand " + std::to_string(row));
    RuntimeString* a = string_from_cstr("child a");
    RuntimeString* b = string_from_cstr("child folder");
    RuntimeListAddRow(list, a);
    RuntimeListAddParent(list, b);
    RuntimeUnlockString(a);
    RuntimeUnlockString(b);
}
void on_collapse(RuntimeObject*, std::int32_t row) { note("collapse " + std::to_string(row)); }
void on_cell_action(RuntimeObject*, std::int32_t row, std::int32_t column) {
    note("cell " + std::to_string(row) + "," + std::to_string(column));
}
bool g_take_sort = false;
bool on_sort_column(RuntimeObject*, std::int32_t column) {
    note("sort " + std::to_string(column));
    return g_take_sort;
}
void on_double_click(RuntimeObject* list) { note("double " + std::to_string(listSelectionGetter(list, 0))); }
bool on_key(RuntimeObject*, RuntimeString* key) {
    note(std::string("key ") + string_cstr(key));
    return string_cstr(key)[0] == 'q';
}

// A provider of three rows of two fields: "r<row>f<field>", counting from 1.
struct Tuple {
    RuntimeObject header;
    std::int32_t row;
};
std::int32_t provider_count(RuntimeObject*) { return 3; }
RuntimeClass* g_tuple_class = nullptr;
RuntimeObject* provider_row(RuntimeObject*, std::int32_t row) {
    RuntimeObject* t = object_new(g_tuple_class);
    reinterpret_cast<Tuple*>(t)->row = row;
    return t;
}
std::int32_t tuple_fields(RuntimeObject*) { return 2; }
RuntimeString* tuple_field(RuntimeObject* t, std::int32_t field) {
    const std::string s = "r" + std::to_string(reinterpret_cast<Tuple*>(t)->row) + "f" + std::to_string(field);
    return string_from_cstr(s.c_str());
}

RuntimeClass* interface_class(const char* name, std::initializer_list<const char*> methods) {
    RuntimeClass* cls = class_new(string_from_cstr(name));
    cls->is_interface = 1;
    std::uint32_t n = 0;
    for (const char* m : methods) class_add_method(cls, string_from_cstr(m), nullptr)->number = ++n;
    return cls;
}

RuntimeClass* implementing(const char* name, std::uint32_t size, RuntimeClass* iface, void** table,
                           std::uint32_t slots) {
    RuntimeClass* cls = class_new(string_from_cstr(name));
    cls->instance_size = size;
    ClassInterface* entry = class_add_interface(cls, iface);
    entry->methods = table;
    entry->method_count = slots;
    return cls;
}

RuntimeClass* g_provider_class = nullptr;
RuntimeClass* g_receiver_class = nullptr;
RaiseCatcher* g_catcher = nullptr;

void selection_changing(RuntimeObject*) { note("changing"); }
void selection_changed(RuntimeObject*) { note("changed"); }

std::string text(RuntimeString* s) {
    std::string t = string_cstr(s);
    RuntimeUnlockString(s);
    return t;
}

// The list's rows as "text/depth/state" words.
std::string rows_of(RuntimeObject* list) {
    ListPane* pane = pane_of(as_list(list));
    std::string out;
    for (std::int32_t i = 0; i < pane->rows.count(); ++i) {
        const ListRow* r = pane->rows.at(i);
        out += std::string(i ? " " : "") + string_cstr(r->cells->text) + "/" + std::to_string(r->depth) + "/" +
               std::to_string(r->folder);
    }
    return out;
}

// The columns that have cells in `row`, in the order they were made.
std::string cells_of(RuntimeObject* list, std::int32_t row) {
    std::string out;
    for (const ListCell* c = pane_of(as_list(list))->rows.at(row)->cells; c; c = c->next)
        out += std::to_string(c->column) + " ";
    return out;
}

class ListBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        window_layer_ready();
        static bool ready = [] {
            static RaiseCatcher catcher;  // its class table is replaced below, RuntimeException kept at 0
            g_catcher = &catcher;
            WNDCLASSA wc = {};
            wc.lpfnWndProc = ui_services().pane_procedure;
            wc.cbWndExtra = 4;
            wc.hInstance = process_instance();
            wc.lpszClassName = "TV_Pane";
            RegisterClassA(&wc);
            static RuntimeClass* classes[kClassCount] = {
                builtin_class(BuiltinClass::RuntimeException),
                test_class("ListWindow", BuiltinClass::Window),
                test_class("TestList", BuiltinClass::Listbox,
                           {{"Change", reinterpret_cast<void*>(on_change)},
                            {"ExpandRow", reinterpret_cast<void*>(on_expand)},
                            {"CollapseRow", reinterpret_cast<void*>(on_collapse)},
                            {"KeyDown", reinterpret_cast<void*>(on_key)},
                            {"CellAction", reinterpret_cast<void*>(on_cell_action)},
                            {"DoubleClick", reinterpret_cast<void*>(on_double_click)},
                            {"SortColumn", reinterpret_cast<void*>(on_sort_column)}}),
            };
            class_table_install(classes, kClassCount);
            static void* rows[] = {nullptr, reinterpret_cast<void*>(provider_count),
                                   reinterpret_cast<void*>(provider_row), nullptr, nullptr};
            static void* fields[] = {nullptr, reinterpret_cast<void*>(tuple_fields),
                                     reinterpret_cast<void*>(tuple_field)};
            g_tuple_class = implementing("Tuple", sizeof(Tuple),
                                         interface_class("tupleInterface", {"FieldCount", "getIndString"}), fields, 3);
            static void* told[] = {nullptr, reinterpret_cast<void*>(selection_changing),
                                   reinterpret_cast<void*>(selection_changed)};
            g_receiver_class = implementing(
                "SelectionReceiver", 24,
                interface_class("listSelectionNotificationReceiver", {"selectionChanging", "selectionChanged"}), told, 3);
            g_provider_class = implementing(
                "Provider", 24, interface_class("listDataProvider", {"GetCount", "GetRow", "CellType", "SetCellString"}),
                rows, 5);
            return true;
        }();
        (void)ready;
        objects_before_ = RuntimeDebugObjectCount(nullptr);
        bytes_before_ = RuntimeDebugMemoryUsed();
        g_log.clear();
        g_set_inside_change = -2;
    }
    void TearDown() override {
        if (window_) {
            RuntimeCloseWindow(window_);
            RuntimeUnlockObject(window_);
            pump();
        }
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before_) << "live objects left behind";
        EXPECT_EQ(RuntimeDebugMemoryUsed(), bytes_before_) << "runtime memory left behind";
    }

    static void pump() {
        MSG m;
        for (int guard = 0; guard < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) main_loop_pass();
    }

    // A window holding one list with the pairs given, filled with `rows`.
    RuntimeObject* open(const std::vector<DescriptionPair>& pairs = {}, const std::vector<std::string>& rows = {}) {
        std::vector<DescriptionPair> all = {{"Name", "List"}, {"Left", "10"}, {"Top", "10"}, {"Width", "315"},
                                            {"Height", "120"}};
        all.insert(all.end(), pairs.begin(), pairs.end());
        const auto description = window_description(
            kWindow, {{"Title", "Lists"}, {"Left", "40"}, {"Top", "60"}, {"Width", "360"}, {"Height", "200"}},
            {{kList, all}});
        window_ = RuntimeCreateWindow(description.data(), nullptr);
        g_list = as_window(window_)->controls->first->control;
        for (const std::string& r : rows) add(r);
        g_log.clear();
        return g_list;
    }
    static void add(const std::string& row) {
        RuntimeString* s = string_from_cstr(row.c_str());
        RuntimeListAddRow(g_list, s);
        RuntimeUnlockString(s);
    }
    static std::string cell(std::int32_t row, std::int32_t column) {
        return text(listGetCell(g_list, row, column));
    }
    static void set_cell(std::int32_t row, std::int32_t column, const char* value) {
        RuntimeString* s = string_from_cstr(value);
        listSetCell(g_list, row, column, s);
        RuntimeUnlockString(s);
    }

    RuntimeObject* window_ = nullptr;
    std::int32_t objects_before_ = 0;
    std::int32_t bytes_before_ = 0;
};

using Raised = RaiseCatcher::Outcome;

TEST_F(ListBoxes, CellsAreMadeWhenSetInTheOrderFirstSet) {
    open({{"ColumnCount", "4"}}, {"zero", "one"});
    EXPECT_FALSE(listCellCheckGetter(g_list, 0, 2)) << "a column never set is not ticked";
    EXPECT_EQ(listGetCell(g_list, 0, 2), nullptr) << "and has no text";
    EXPECT_EQ(cells_of(g_list, 0), "0 ") << "reading made no cell";
    set_cell(0, 3, "three");
    EXPECT_EQ(cells_of(g_list, 0), "0 3 ") << "columns 1 and 2 stay without cells";
    listCellCheckSetter(g_list, 0, 1, true);
    EXPECT_EQ(cells_of(g_list, 0), "0 3 1 ");
    EXPECT_TRUE(listCellCheckGetter(g_list, 0, 1));
    EXPECT_EQ(cell(0, 3), "three");
    EXPECT_EQ(cell(1, 0), "one");
    EXPECT_EQ(cells_of(g_list, 1), "0 ");
}

TEST_F(ListBoxes, ColumnsOutsideTheTableReachNoCell) {
    open({{"ColumnCount", "2"}}, {"row"});
    // A column is kept in a byte: 256 would otherwise land on column 0.
    for (std::int32_t column : {64, -1, 256, 300, -256}) {
        SCOPED_TRACE("column " + std::to_string(column));
        set_cell(0, column, "lost");
        listCellCheckSetter(g_list, 0, column, true);
        listCellTypeSetter(g_list, 0, column, 2);
        listSetCellBold(g_list, 0, column, true);
        listCellAlignmentSetter(g_list, 0, column, 3);
        listColumnTypeSetter(g_list, column, 3);
        EXPECT_EQ(listGetCell(g_list, 0, column), nullptr);
        EXPECT_FALSE(listCellCheckGetter(g_list, 0, column));
        EXPECT_EQ(listCellTypeGetter(g_list, 0, column), 0);
        EXPECT_FALSE(listGetCellBold(g_list, 0, column));
        EXPECT_EQ(listColumnTypeGetter(g_list, column), 0);
        EXPECT_EQ(cells_of(g_list, 0), "0 ");
        EXPECT_EQ(cell(0, 0), "row");
    }
}

TEST_F(ListBoxes, RowsOutOfRangeRaiseAndLeaveTheListAsItWas) {
    open({{"ColumnCount", "2"}}, {"a", "b"});
    RaiseCatcher& catcher = *g_catcher;
    RuntimeClass* out_of_bounds = builtin_class(BuiltinClass::OutOfBoundsException);
    RuntimeString* s = string_from_cstr("x");
    const auto w = [](auto v) { return RaiseCatcher::word(v); };
    struct Case {
        const char* name;
        const void* entry;
        std::vector<std::uint32_t> words;
    };
    for (std::int32_t row : {2, -1, 1000}) {
        const std::vector<Case> cases = {
            {"RuntimeRemoveRow", reinterpret_cast<const void*>(RuntimeRemoveRow), {w(g_list), w(row)}},
            {"RuntimeGetRow", reinterpret_cast<const void*>(RuntimeGetRow), {w(g_list), w(row)}},
            {"RuntimeSetRow", reinterpret_cast<const void*>(RuntimeSetRow), {w(g_list), w(row), w(s)}},
            {"listGetCell", reinterpret_cast<const void*>(listGetCell), {w(g_list), w(row), w(1)}},
            {"listSetCell", reinterpret_cast<const void*>(listSetCell), {w(g_list), w(row), w(1), w(s)}},
            {"listCellCheckGetter", reinterpret_cast<const void*>(listCellCheckGetter), {w(g_list), w(row), w(0)}},
            {"listCellCheckSetter", reinterpret_cast<const void*>(listCellCheckSetter),
             {w(g_list), w(row), w(0), w(1)}},
            {"listCellTypeSetter", reinterpret_cast<const void*>(listCellTypeSetter),
             {w(g_list), w(row), w(0), w(2)}},
            {"listGetCellItalic", reinterpret_cast<const void*>(listGetCellItalic), {w(g_list), w(row), w(0)}},
            {"listSetCellUnderline", reinterpret_cast<const void*>(listSetCellUnderline),
             {w(g_list), w(row), w(0), w(1)}},
            {"listGetExpanded", reinterpret_cast<const void*>(listGetExpanded), {w(g_list), w(row)}},
            {"listSetExpanded", reinterpret_cast<const void*>(listSetExpanded), {w(g_list), w(row), w(1)}},
            {"listSetRowPicture", reinterpret_cast<const void*>(listSetRowPicture), {w(g_list), w(row), w(0)}},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " row " + std::to_string(row));
            const std::vector<std::uint32_t>& a = c.words;
            const Raised outcome = a.size() == 2   ? catcher.call(c.entry, {a[0], a[1]})
                                   : a.size() == 3 ? catcher.call(c.entry, {a[0], a[1], a[2]})
                                                   : catcher.call(c.entry, {a[0], a[1], a[2], a[3]});
            EXPECT_EQ(outcome.raised, out_of_bounds);
            EXPECT_EQ(rows_of(g_list), "a/0/0 b/0/0");
            EXPECT_EQ(cells_of(g_list, 0) + cells_of(g_list, 1), "0 0 ");
        }
    }
    RuntimeUnlockString(s);
}

TEST_F(ListBoxes, InsertedRowsAreClampedToTheList) {
    open({}, {"a", "b"});
    struct Case {
        std::int32_t at;
        const char* text;
        std::int32_t last_index;
        const char* rows;
    };
    const Case cases[] = {
        {-5, "front", 0, "front/0/0 a/0/0 b/0/0"},
        {100, "back", 3, "front/0/0 a/0/0 b/0/0 back/0/0"},
        {2, "middle", 2, "front/0/0 a/0/0 middle/0/0 b/0/0 back/0/0"},
        {5, "end", 5, "front/0/0 a/0/0 middle/0/0 b/0/0 back/0/0 end/0/0"},
    };
    for (const Case& c : cases) {
        RuntimeString* s = string_from_cstr(c.text);
        RuntimeListInsertRow(g_list, c.at, s);
        RuntimeUnlockString(s);
        EXPECT_EQ(listLastIndexGetter(g_list), c.last_index) << c.text;
        EXPECT_EQ(rows_of(g_list), c.rows) << c.text;
    }
}

TEST_F(ListBoxes, TheSelectionSetterRaisesChangeOnEveryAssignment) {
    open({}, {"a", "b", "c"});
    struct Case {
        std::int32_t row;
        std::int32_t index;
        const char* log;
    };
    const Case cases[] = {
        {1, 1, "change 1;"}, {1, 1, "change 1;"},   {-1, -1, "change -1;"},
        {2, 2, "change 2;"}, {3, -1, "change -1;"}, {0, 0, "change 0;"},
    };
    for (const Case& c : cases) {
        g_log.clear();
        listSelectionSetter(g_list, 0, c.row);
        EXPECT_EQ(listSelectionGetter(g_list, 0), c.index) << c.row;
        EXPECT_EQ(listSelCountGetter(g_list), c.index < 0 ? 0 : 1) << c.row;
        EXPECT_EQ(g_log, c.log) << c.row;
    }
    EXPECT_EQ(text(listTextGetter(g_list)), "a");
    // A ListIndex assignment inside Change moves the selection without a second Change.
    g_set_inside_change = 2;
    g_log.clear();
    listSelectionSetter(g_list, 0, 1);
    EXPECT_EQ(g_log, "change 1;");
    EXPECT_EQ(listSelectionGetter(g_list, 0), 2);
}

TEST_F(ListBoxes, SelectionReceiversHearEveryAssignmentAroundChange) {
    open({{"SelectionType", "1"}}, {"a", "b"});
    RuntimeObject* receiver = object_new(g_receiver_class);
    listAddLSNR(g_list, receiver);
    listSelectionSetter(g_list, 0, 1);
    listSelectionSetter(g_list, 0, 1);
    listSetSelected(g_list, 0, true);
    listSelectionSetter(g_list, 0, -1);
    EXPECT_EQ(g_log, "changing;change 1;changed;changing;change 1;changed;changing;change 0;changed;"
                     "changing;change -1;changed;");
    listRemoveLSNR(g_list, receiver);
    g_log.clear();
    listSelectionSetter(g_list, 0, 0);
    EXPECT_EQ(g_log, "change 0;");
    listAddLSNR(g_list, receiver);  // let go of when the window closes
    RuntimeUnlockObject(receiver);
}

TEST_F(ListBoxes, HeadingsArePerColumnOfTheTable) {
    open({{"ColumnCount", "3"}, {"HasHeading", "True"}});
    for (std::int32_t column : {0, 2, 63}) {
        RuntimeString* s = string_from_cstr(("heading " + std::to_string(column)).c_str());
        listSetHeading(g_list, column, s);
        RuntimeUnlockString(s);
        EXPECT_EQ(text(listGetHeading(g_list, column)), "heading " + std::to_string(column));
    }
    for (std::int32_t column : {64, -1}) {
        RuntimeString* s = string_from_cstr("lost");
        listSetHeading(g_list, column, s);
        RuntimeUnlockString(s);
        EXPECT_EQ(listGetHeading(g_list, column), nullptr) << column;
    }
    EXPECT_EQ(listGetHeading(g_list, 1), nullptr);
    EXPECT_EQ(listHeadingIndexGetter(g_list, 0), -1);
    listHeadingIndexSetter(g_list, 0, 2);
    EXPECT_EQ(listHeadingIndexGetter(g_list, 0), 2);
}

TEST_F(ListBoxes, SelectedRangesKeepTheirRowsAsRowsComeAndGo) {
    open({{"SelectionType", "1"}}, {"0", "1", "2", "3", "4", "5"});
    for (std::int32_t r : {1, 2, 4}) listSetSelected(g_list, r, true);
    RuntimeString* s = string_from_cstr("new");
    RuntimeListInsertRow(g_list, 2, s);  // inside the range 1-2
    RuntimeUnlockString(s);
    std::string selected;
    for (std::int32_t r = 0; r < listCountGetter(g_list); ++r)
        if (listGetSelected(g_list, r)) selected += text(RuntimeGetRow(g_list, r)) + " ";
    EXPECT_EQ(selected, "1 2 4 ");
    EXPECT_EQ(listSelCountGetter(g_list), 3);
    RuntimeRemoveRow(g_list, 2);  // the new row: 1 and 2 touch again
    RuntimeRemoveRow(g_list, 3);  // row "3": 2 and 4 touch
    EXPECT_EQ(pane_of(as_list(g_list))->selection.ranges(), 1);
    EXPECT_EQ(listSelectionGetter(g_list, 0), 1);
    EXPECT_EQ(listSelCountGetter(g_list), 3);
}

std::string selected_rows(RuntimeObject* list) {
    std::string out;
    for (std::int32_t r = 0; r < listCountGetter(list); ++r)
        if (listGetSelected(list, r)) out += std::to_string(r) + " ";
    return out;
}

TEST_F(ListBoxes, ArrowsMoveOrExtendTheSelection) {
    open({{"SelectionType", "1"}}, {"0", "1", "2", "3", "4", "5"});
    ListPane* pane = pane_of(as_list(g_list));
    struct Case {
        std::vector<std::int32_t> before;
        std::uint8_t key;
        std::int32_t modifiers;
        const char* after;
        const char* log;
    };
    const Case cases[] = {
        {{2, 3, 4}, VK_UP, 0, "2 ", "change 2;"},
        {{2, 3, 4}, VK_DOWN, 0, "4 ", "change 4;"},
        {{}, VK_DOWN, 0, "0 ", "change 0;"},
        {{}, VK_UP, 0, "0 ", "change 0;"},
        {{3}, VK_UP, 0, "2 ", "change 2;"},
        {{3}, VK_DOWN, 0, "4 ", "change 4;"},
        {{0}, VK_UP, 0, "0 ", ""},
        {{5}, VK_DOWN, 0, "5 ", ""},
        {{2}, VK_DOWN, kModifierShift, "2 3 ", "change 2;"},
        {{2, 3}, VK_UP, kModifierShift, "1 2 3 ", "change 1;"},
        {{0, 1}, VK_UP, kModifierShift, "0 1 ", ""},
        {{1, 4}, VK_HOME, 0, "1 4 ", ""},
        {{1, 4}, VK_NEXT, 0, "1 4 ", ""},
        {{1}, VK_UP, kModifierControl, "1 ", ""},
    };
    for (const Case& c : cases) {
        listSelectionSetter(g_list, 0, -1);
        for (std::int32_t r : c.before) listSetSelected(g_list, r, true);
        g_log.clear();
        const bool taken = pane->key_down(0, c.key, c.modifiers);
        EXPECT_EQ(taken, !(c.modifiers & kModifierControl)) << "key " << int(c.key);
        EXPECT_EQ(selected_rows(g_list), c.after) << "key " << int(c.key) << " modifiers " << c.modifiers;
        EXPECT_EQ(g_log, c.log) << "key " << int(c.key) << " modifiers " << c.modifiers;
    }
    // KeyDown comes first and may take the key.
    g_log.clear();
    EXPECT_TRUE(pane->key_down('q', 'Q', 0));
    EXPECT_FALSE(pane->key_down('a', 'A', 0));
    EXPECT_EQ(g_log, "key q;key a;");
}

// A click in window coordinates at `indent` pixels into column `column` of `row`.
bool click(std::int32_t row, std::int32_t column, int indent, std::int32_t modifiers = 0) {
    ListPane* pane = pane_of(as_list(g_list));
    return pane->mouse_down(pane->rect.left + pane->column_left(column) + indent,
                            pane->rect.top + pane->row_top(row) + pane->row_height() / 2, modifiers);
}

TEST_F(ListBoxes, ClicksWithModifiersShapeAMultipleSelection) {
    open({{"SelectionType", "1"}, {"ColumnCount", "2"}}, {"0", "1", "2", "3", "4", "5"});
    struct Case {
        std::int32_t row, modifiers;
        const char* after;
    };
    const Case cases[] = {
        {1, 0, "1 "},
        {3, kModifierControl, "1 3 "},
        {5, kModifierShift, "3 4 5 "},
        {4, kModifierControl, "3 5 "},
        {0, kModifierShift | kModifierControl, "0 1 2 3 4 "},
        {2, 0, "2 "},
    };
    for (const Case& c : cases) {
        Sleep(GetDoubleClickTime() / 4);  // no two clicks of one row make a double click here
        EXPECT_TRUE(click(c.row, 1, 10, c.modifiers));
        EXPECT_EQ(selected_rows(g_list), c.after) << "row " << c.row << " modifiers " << c.modifiers;
    }
}

TEST_F(ListBoxes, ClicksTickBoxesOpenFoldersAndDoubleClick) {
    open({{"Hierarchical", "True"}, {"ColumnCount", "2"}}, {"plain"});
    RuntimeString* s = string_from_cstr("folder");
    RuntimeListAddParent(g_list, s);
    RuntimeUnlockString(s);
    listColumnTypeSetter(g_list, 0, 2);
    listSelectionSetter(g_list, 0, 0);
    g_log.clear();
    click(0, 0, 20 + 8);  // the box of a top-level row: 20 to 36
    EXPECT_EQ(g_log, "cell 0,0;") << "CellAction and no Change";
    EXPECT_TRUE(listCellCheckGetter(g_list, 0, 0));
    EXPECT_EQ(listSelectionGetter(g_list, 0), 0);
    g_log.clear();
    click(1, 0, 4 + 6);  // the triangle: 4 to 16
    EXPECT_EQ(g_log, "expand 1;");
    EXPECT_EQ(rows_of(g_list), "plain/0/0 folder/0/1 child a/1/0 child folder/1/2");
    g_log.clear();
    click(2, 0, 20 + 8);  // a child's box is 12 pixels further in
    EXPECT_EQ(g_log, "change 2;");
    EXPECT_FALSE(listCellCheckGetter(g_list, 2, 0));
    click(2, 0, 20 + 12 + 8);
    EXPECT_EQ(g_log, "change 2;cell 2,0;");
    EXPECT_TRUE(listCellCheckGetter(g_list, 2, 0));
    g_log.clear();
    click(3, 1, 5);
    click(3, 1, 6);
    EXPECT_EQ(g_log, "change 3;change 3;double 3;");
    g_log.clear();
    click(1, 0, 10);  // the triangle again
    EXPECT_EQ(g_log, "collapse 1;");
    EXPECT_EQ(rows_of(g_list), "plain/0/0 folder/0/2");
    EXPECT_EQ(listSelectionGetter(g_list, 0), -1) << "the selected child went with its folder";
}

TEST_F(ListBoxes, HeadingClicksSortUnlessSortColumnTakesThem) {
    open({{"ColumnCount", "2"}, {"HasHeading", "True"}}, {"b", "c", "a"});
    ListPane* pane = pane_of(as_list(g_list));
    const int heading_y = pane->rect.top + kListInset + pane->heading_height() / 2;
    const int second_column_x = pane->rect.left + pane->column_left(1) + 10;
    g_take_sort = true;
    pane->mouse_down(second_column_x, heading_y, 0);
    EXPECT_EQ(g_log, "sort 1;");
    EXPECT_EQ(listHeadingIndexGetter(g_list, 0), 1);
    EXPECT_EQ(rows_of(g_list), "b/0/0 c/0/0 a/0/0") << "the handler took it";
    g_take_sort = false;
    g_log.clear();
    pane->mouse_down(pane->rect.left + 10, heading_y, 0);
    EXPECT_EQ(g_log, "sort 0;") << "no Change: the selection stays";
    EXPECT_EQ(listHeadingIndexGetter(g_list, 0), 0);
    EXPECT_EQ(rows_of(g_list), "a/0/0 b/0/0 c/0/0");
    RuntimeListEmpty(g_list);
    g_log.clear();
    pane->mouse_down(pane->rect.left + 10, heading_y, 0);
    EXPECT_EQ(g_log, "") << "an empty list raises no SortColumn";
}

TEST_F(ListBoxes, ColumnCountsAreKeptBetweenOneAndSixtyThree) {
    open();
    for (auto [asked, kept] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {0, 1}, {100, 63}, {64, 63}, {-1, 63}, {63, 63}, {5, 5}}) {
        listColumnCountSetter(g_list, 0, asked);
        EXPECT_EQ(listColumnCountGetter(g_list, 0), kept) << asked;
    }
}

TEST_F(ListBoxes, ColumnWidthsShareTheAvailableWidth) {
    struct Case {
        const char* text;
        std::int32_t available, count;
        std::vector<std::int16_t> widths;
    };
    const Case cases[] = {
        {"100,50%", 300, 3, {100, 150, 50}},
        {"15%,80%,5%", 319, 3, {47, 255, 15}},
        {"", 300, 4, {75, 75, 75, 75}},
        {",,60", 100, 3, {33, 33, 60}},
        {"-20,x%,", 100, 3, {0, 0, 100}},
        {"200,200", 300, 3, {200, 200, 0}},
        {"50%", 200, 2, {100, 100}},
    };
    for (const Case& c : cases) {
        RuntimeString* s = string_from_cstr(c.text);
        std::int16_t widths[64] = {};
        list_compute_widths(s, c.available, c.count, widths);
        RuntimeUnlockString(s);
        EXPECT_EQ(std::vector<std::int16_t>(widths, widths + c.count), c.widths) << c.text;
    }
    // On a list: 315 pixels less 15 for the vertical scroll bar.
    open({{"ColumnCount", "3"}, {"ColumnWidths", "100,50%"}});
    const std::int16_t* computed = as_list(g_list)->computed_widths;
    EXPECT_EQ(std::vector<std::int16_t>(computed, computed + 3), (std::vector<std::int16_t>{100, 150, 50}));
}

TEST_F(ListBoxes, FoldersGetTheirChildrenWhileExpandingAndLoseThemCollapsing) {
    open({{"Hierarchical", "True"}}, {"top"});
    RuntimeString* s = string_from_cstr("folder");
    RuntimeListAddParent(g_list, s);
    RuntimeUnlockString(s);
    add("last");
    listSetExpanded(g_list, 1, true);
    EXPECT_EQ(g_log, "expand 1;");
    EXPECT_EQ(rows_of(g_list), "top/0/0 folder/0/1 child a/1/0 child folder/1/2 last/0/0");
    listSetExpanded(g_list, 3, true);  // children of a child go one deeper, after its own
    EXPECT_EQ(rows_of(g_list), "top/0/0 folder/0/1 child a/1/0 child folder/1/1 child a/2/0 child folder/2/2 last/0/0");
    add("after");  // the mode ended with the event
    EXPECT_EQ(listLastIndexGetter(g_list), 7);
    g_log.clear();
    listSetExpanded(g_list, 1, true);  // already expanded
    EXPECT_EQ(g_log, "");
    listSetExpanded(g_list, 1, false);
    EXPECT_EQ(g_log, "collapse 1;");
    EXPECT_EQ(rows_of(g_list), "top/0/0 folder/0/2 last/0/0 after/0/0");
    EXPECT_FALSE(listGetExpanded(g_list, 1));
}

TEST_F(ListBoxes, SortingMovesTopLevelRowsWithTheirChildren) {
    open({{"Hierarchical", "True"}, {"ColumnCount", "2"}});
    const char* rows[][2] = {{"pear", "3"}, {"Apple", "1"}, {"banana", "2"}, {"apple", "0"}};
    for (auto& r : rows) {
        RuntimeString* s = string_from_cstr(r[0]);
        RuntimeListAddParent(g_list, s);
        RuntimeUnlockString(s);
        set_cell(listLastIndexGetter(g_list), 1, r[1]);
    }
    listSetExpanded(g_list, 0, true);  // pear gets two children
    listSelectionSetter(g_list, 0, 1);  // the first child of pear
    list_sort_rows(as_list(g_list), 0);
    EXPECT_EQ(rows_of(g_list), "Apple/0/2 apple/0/2 banana/0/2 pear/0/1 child a/1/0 child folder/1/2")
        << "case ignored, ascending, equal texts in their old order";
    EXPECT_EQ(text(listTextGetter(g_list)), "child a") << "the selection stays with its row";
    list_sort_rows(as_list(g_list), 1);
    EXPECT_EQ(rows_of(g_list), "apple/0/2 Apple/0/2 banana/0/2 pear/0/1 child a/1/0 child folder/1/2");
}

TEST_F(ListBoxes, BoundListsShowTheProviderAndIgnoreEdits) {
    open({{"ColumnCount", "3"}}, {"mine"});
    RuntimeObject* provider = object_new(g_provider_class);
    list_attach_provider(as_list(g_list), provider);
    RuntimeString* s = string_from_cstr("edit");
    RuntimeListAddRow(g_list, s);
    RuntimeListAddParent(g_list, s);
    RuntimeListInsertRow(g_list, 0, s);
    RuntimeSetRow(g_list, 0, s);
    listSetCell(g_list, 1, 1, s);
    listCellCheckSetter(g_list, 1, 0, true);
    listSetCellBold(g_list, 1, 0, true);
    RuntimeRemoveRow(g_list, 0);
    RuntimeListEmpty(g_list);
    RuntimeUnlockString(s);
    EXPECT_EQ(listCountGetter(g_list), 3);
    EXPECT_EQ(text(RuntimeGetRow(g_list, 0)), "r1f1");
    EXPECT_EQ(cell(1, 1), "r2f2");
    EXPECT_EQ(listGetCell(g_list, 2, 2), nullptr) << "past the provider's fields";
    EXPECT_FALSE(listCellCheckGetter(g_list, 1, 0));
    EXPECT_FALSE(listGetCellBold(g_list, 1, 0));
    listSelectionSetter(g_list, 0, 2);
    EXPECT_EQ(text(listTextGetter(g_list)), "r3f1");
    list_attach_provider(as_list(g_list), nullptr);
    EXPECT_EQ(listCountGetter(g_list), 0);
    RuntimeUnlockObject(provider);
}

int g_reports = 0;
void count_report(int class_number, std::int16_t code, const char* source, int line) {
    if (class_number == 131 && code == 4 && std::strcmp(source, "runListbox") == 0 && line == 1706) ++g_reports;
}

TEST_F(ListBoxes, ListsNotPlacedOnAWindowReportCounting) {
    RuntimeObject* loose = object_new(builtin_class(BuiltinClass::Listbox));
    FailureReportSink old = failure_report_redirect(count_report);
    g_reports = 0;
    EXPECT_EQ(listCountGetter(loose), 0);
    EXPECT_EQ(g_reports, 1);
    // Without a pane the rest answers as for no rows.
    EXPECT_EQ(listSelectionGetter(loose, 0), -1);
    EXPECT_EQ(listGetCell(loose, 0, 0), nullptr);
    EXPECT_FALSE(listCellCheckGetter(loose, 0, 0));
    open();
    EXPECT_EQ(listCountGetter(g_list), 0);
    EXPECT_EQ(g_reports, 1) << "placed lists count quietly";
    failure_report_redirect(old);
    RuntimeUnlockObject(loose);
}

TEST_F(ListBoxes, TenThousandRowsOfThreeCellsGoInQuickly) {
    open({{"ColumnCount", "3"}});
    RuntimeString* texts[3] = {string_from_cstr("a title of a track"), string_from_cstr("*"), string_from_cstr(" ")};
    const auto start = std::chrono::steady_clock::now();
    for (std::int32_t i = 0; i < 10000; ++i) {
        RuntimeListAddRow(g_list, texts[2]);
        listSetCell(g_list, i, 2, texts[1]);
        listSetCell(g_list, i, 1, texts[0]);
    }
    const auto filled = std::chrono::steady_clock::now();
    for (int n = 0; n < 1000; ++n) listSelectionSetter(g_list, 0, 9999);
    const auto selected = std::chrono::steady_clock::now();
    for (RuntimeString* s : texts) RuntimeUnlockString(s);
    const double fill_ms = std::chrono::duration<double, std::milli>(filled - start).count();
    const double select_ms = std::chrono::duration<double, std::milli>(selected - filled).count();
    std::printf("10,000 rows of three cells: %.1f ms; 1,000 selections of row 9,999: %.1f ms\n", fill_ms, select_ms);
    EXPECT_LT(fill_ms, 1000.0);
    EXPECT_EQ(listCountGetter(g_list), 10000);
    EXPECT_EQ(cell(9999, 1), "a title of a track");
    EXPECT_EQ(listSelectionGetter(g_list, 0), 9999);
    EXPECT_EQ(listScrollPositionGetter(g_list, 0) + pane_of(as_list(g_list))->page_rows(), 10000)
        << "the selected row was scrolled into view";
}

}  // namespace
