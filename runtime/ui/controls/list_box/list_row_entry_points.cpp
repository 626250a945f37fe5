#include "controls/list_box/list_access.h"
#include "controls/list_box/list_binding.h"
#include "controls/list_box/list_entry_points.h"
#include "controls/list_box/list_hierarchy.h"
#include "controls/list_box/list_row_changes.h"
#include "exceptions/failure_report.h"
#include "objects/builtin_classes.h"
#include "strings/runtime_string.h"

namespace {

// Rows the application adds go where the adding-children mode says.
void add_row(RuntimeObject* object, RuntimeString* text, std::int16_t folder) {
    ListboxObject* list = list_of(object);
    if (!list || list_bound(list) || !pane_of(list)) return;
    std::int16_t depth = 0;
    const std::int32_t at = list_add_position(list, depth);
    list_insert_row(list, at, text, folder, depth);
}

}  // namespace

void list_raise_out_of_bounds() { object_raise_new(builtin_class(BuiltinClass::OutOfBoundsException)); }

ListRow* list_row_or_raise(ListboxObject* list, std::int32_t row) {
    ListPane* pane = pane_of(list);
    if (!pane || !pane->rows.in_range(row)) list_raise_out_of_bounds();
    return pane->rows.at(row);
}

extern "C" {

void RuntimeListEmpty(RuntimeObject* object) {
    ListboxObject* list = list_of(object);
    if (list && !list_bound(list) && pane_of(list)) list_delete_all_rows(list);
}

void RuntimeListAddRow(RuntimeObject* list, RuntimeString* text) { add_row(list, text, kPlainRow); }
void RuntimeListAddParent(RuntimeObject* list, RuntimeString* text) { add_row(list, text, kCollapsedFolder); }

void RuntimeListInsertRow(RuntimeObject* object, std::int32_t row, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    if (!list || list_bound(list) || !pane_of(list)) return;
    const std::int32_t count = list_row_count(list);
    list_insert_row(list, row < 0 ? 0 : row > count ? count : row, text, kPlainRow, 0);
}

void RuntimeRemoveRow(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    list_row_or_raise(list, row);
    if (!list_bound(list)) list_delete_row(list, row);
}

RuntimeString* RuntimeGetRow(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = list_of(object);
    if (!list) return nullptr;
    ListRow* r = list_row_or_raise(list, row);
    if (list_bound(list)) return list_provider_text(list, row, 0);
    RuntimeLockString(r->cells->text);
    return r->cells->text;
}

void RuntimeSetRow(RuntimeObject* object, std::int32_t row, RuntimeString* text) {
    ListboxObject* list = list_of(object);
    if (!list || list_bound(list)) return;
    ListRow* r = list_row_or_raise(list, row);
    string_assign(&r->cells->text, text);
    pane_of(list)->redraw_row(row);
    list_tell_reload(list);
}

std::int32_t listCountGetter(RuntimeObject* object) {
    ListboxObject* list = list_of(object);
    if (!list) return 0;
    if (!list->placed) runtime_failure_report(131, 4, "runListbox", 1706);
    return list_row_count(list);
}

std::int32_t listLastIndexGetter(RuntimeObject* object) {
    ListboxObject* list = list_of(object);
    return list ? list->last_index : -1;
}

bool listGetExpanded(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = list_of(object);
    return list && list_row_or_raise(list, row)->folder == kExpandedFolder;
}

void listSetExpanded(RuntimeObject* object, std::int32_t row, bool on) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    list_row_or_raise(list, row);
    if (on) list_expand(list, row);
    else list_collapse(list, row);
}

RuntimeObject* listGetRowPicture(RuntimeObject* object, std::int32_t row) {
    ListboxObject* list = list_of(object);
    if (!list) return nullptr;
    return RuntimeLockObject(list_row_or_raise(list, row)->cells->picture);
}

void listSetRowPicture(RuntimeObject* object, std::int32_t row, RuntimeObject* picture) {
    ListboxObject* list = list_of(object);
    if (!list) return;
    ListRow* r = list_row_or_raise(list, row);
    if (list_bound(list)) return;
    RuntimeObject* old = r->cells->picture;
    r->cells->picture = RuntimeLockObject(picture);
    RuntimeUnlockObject(old);
    pane_of(list)->redraw_row(row);
}

}  // extern "C"
