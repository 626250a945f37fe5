#include "objects/objects.h"

#include "objects/classes.h"
#include "exceptions/failure_report.h"
#include "objects/memory.h"

namespace {

RuntimeObject* g_live = nullptr;
// Objects waiting for their destructors, linked through `next`; the most
// recently released is on top.
RuntimeObject* g_pending = nullptr;
// The frame of the running destruction loop; null when none runs.
const void* g_loop_frame = nullptr;
// The object whose destructors that loop is running.
RuntimeObject* g_dying = nullptr;

// An object whose constructors are running, kept in object_new's frame: a
// constructor that raises leaves it to the unwinder.
struct Construction {
    RuntimeObject* object;
    Construction* outer;
};
Construction* g_constructing = nullptr;  // the innermost

std::size_t block_size(const RuntimeClass* cls) {
    std::size_t size = (cls->instance_size + 3u) & ~std::size_t{3};
    return size < sizeof(RuntimeObject) ? sizeof(RuntimeObject) : size;
}

void run_constructors(RuntimeObject* object, RuntimeClass* cls) {
    if (!cls) return;
    run_constructors(object, cls->superclass);
    if (cls->constructor) cls->constructor(object, cls);
}

void run_destructors(RuntimeObject* object) {
    for (RuntimeClass* cls = object->cls; cls; cls = cls->superclass) {
        if (cls->destructor) cls->destructor(object, cls);
    }
}

// A dying object points back at itself; no live object does.
bool is_dying(const RuntimeObject* object) { return object->previous == object; }

void link_live(RuntimeObject* object) {
    object->previous = nullptr;
    object->next = g_live;
    if (g_live) g_live->previous = object;
    g_live = object;
}

void unlink_live(RuntimeObject* object) {
    if (object->previous) {
        object->previous->next = object->next;
    } else {
        g_live = object->next;
    }
    if (object->next) object->next->previous = object->previous;
}

__attribute__((noinline)) void destroy(RuntimeObject* object) {
    // The count kept at 1 while dying; an unbalanced release inside a
    // destructor must not push the object a second time.
    if (is_dying(object)) {
        object->refs = 1;
        return;
    }
    unlink_live(object);
    object->previous = object;
    object->refs = 1;
    object->next = g_pending;
    g_pending = object;
    if (g_loop_frame) return;  // the running loop reaches it

    g_loop_frame = __builtin_frame_address(0);
    while (g_pending) {
        RuntimeObject* dying = g_pending;
        g_pending = dying->next;
        g_dying = dying;
        run_destructors(dying);
        g_dying = nullptr;
        runtime_free(dying, block_size(dying->cls));
    }
    g_loop_frame = nullptr;
}

}  // namespace

RuntimeObject* object_new(RuntimeClass* cls) {
    auto* object = static_cast<RuntimeObject*>(runtime_alloc(block_size(cls)));
    object->refs = 1;
    object->cls = cls;
    Construction construction = {object, g_constructing};
    g_constructing = &construction;
    run_constructors(object, cls);
    g_constructing = construction.outer;
    link_live(object);
    return object;
}

RuntimeObject* live_objects_first() { return g_live; }

void objects_unwound_to(const void* frame) {
    // Frames lie below their callers; objects still pending go to the next
    // loop. The object whose destructor raised is gone without the rest of
    // its destructors.
    if (g_loop_frame && g_loop_frame < frame) {
        g_loop_frame = nullptr;
        if (g_dying) runtime_free(g_dying, block_size(g_dying->cls));
        g_dying = nullptr;
    }
    // A constructor raised: the half-built object is released like any
    // reference its creator would have owned.
    while (g_constructing && static_cast<const void*>(g_constructing) < frame) {
        RuntimeObject* half_built = g_constructing->object;
        g_constructing = g_constructing->outer;
        link_live(half_built);
        RuntimeUnlockObject(half_built);
    }
}

extern "C" RuntimeObject* RuntimeLockObject(RuntimeObject* object) {
    if (object) ++object->refs;
    return object;
}

extern "C" void RuntimeUnlockObject(RuntimeObject* object) {
    if (!object) return;
    if (object->refs <= 0) {
        runtime_failure_report(131, 4, "objects", 405);
        return;
    }
    if (--object->refs == 0) destroy(object);
}

extern "C" RuntimeObject* RuntimeNewObject(std::int32_t class_index) {
    RuntimeClass* cls = class_table_at(class_index);
    if (!cls) {
        runtime_failure_report(131, 4, "RuntimeMain", 1111);
        return nullptr;
    }
    return object_new(cls);
}
