#include "checker.h"

#include <climits>
#include <cstring>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "lexer.h"
#include "name_index.h"

namespace tavoc {

bool is_subclass(const ClassInfo* cls, const ClassInfo* base) {
    for (; cls; cls = cls->super)
        if (cls == base) return true;
    return false;
}

bool implements(const ClassInfo* cls, const ClassInfo* interface) {
    for (; cls; cls = cls->super)
        for (const ClassInfo* i : cls->interfaces)
            if (i == interface) return true;
    return false;
}

static std::string element_name(const Type& t) {
    switch (t.kind) {
        case TypeKind::Void: return "no value";
        case TypeKind::Integer: return "Integer";
        case TypeKind::Single: return "Single";
        case TypeKind::Double: return "Double";
        case TypeKind::Boolean: return "Boolean";
        case TypeKind::String: return "String";
        case TypeKind::Color: return "Color";
        case TypeKind::Nil: return "Nil";
        case TypeKind::Object: return t.cls && !t.cls->name.empty() ? t.cls->name : "an unnamed control class";
    }
    return "?";
}

std::string type_name(const Type& t) {
    return t.array ? element_name(t) + "(" + std::string(t.dims - 1, ',') + ")" : element_name(t);
}

const EventDef* find_event(const ClassInfo* cls, const std::string& name) {
    for (; cls; cls = cls->super)
        for (const EventDef& e : cls->events)
            if (same_name(e.name, name)) return &e;
    return nullptr;
}

ClassInfo* Program::find_class(const std::string& name) const {
    for (const auto& c : classes)
        if (!c->is_module && !c->name.empty() && same_name(c->name, name)) return c.get();
    return nullptr;
}

Routine* Program::find_global(const std::string& name) const {
    for (const auto& r : globals)
        if (same_name(r->name, name)) return r.get();
    return nullptr;
}

WindowDecl* Program::find_window(const std::string& name) const {
    for (const auto& w : windows)
        if (same_name(w->name, name)) return w.get();
    return nullptr;
}

namespace {

const char* const kWindowPairs[] = {"Name", "Frame", "HasBackColor", "BackColor", "Backdrop", "Title", "Visible",
                                    "FullScreen", "MenuBarVisible", "CloseBox", "GrowIcon", "ZoomIcon",
                                    "BalloonHelp", "MacProcID", "Placement", "Width", "Height", "MinWidth",
                                    "MinHeight", "MaxWidth", "MaxHeight"};
const char* const kControlPairs[] = {"Name", "Index", "TabPanelIndex", "Visible", "Left", "Top", "Width", "Height",
                                     "BalloonHelp", "DisabledBalloonHelp", "AutoDeactivate", "LockLeft", "LockTop",
                                     "LockRight", "LockBottom"};
// What a window description places besides controls: objects without a
// rectangle, described by their own pairs only.
const char* const kPlacedObjects[] = {"Timer"};

Type make(TypeKind k, ClassInfo* c = nullptr) {
    Type t;
    t.kind = k;
    t.cls = c;
    return t;
}

bool same_type(const Type& a, const Type& b) {
    return a.kind == b.kind && a.cls == b.cls && a.array == b.array && (!a.array || a.dims == b.dims);
}
bool is_numeric(const Type& t) { return t.is_int() || t.is_float(); }

struct MemberIndex {
    NameIndex<Field*> fields;
    NameIndex<Routine*> routines;
};

class Checker {
public:
    Checker(Program& program, Diagnostics& diags) : prog_(program), diags_(diags) {
        variant_ = class_named("Variant");
        object_ = class_named("Object");
    }

    void run() {
        resolve_classes();
        resolve_signatures();
        layout_classes();
        check_windows();
        check_menus();
        check_project();
        check_handlers();
        for (std::size_t i = 0; i < prog_.functions.size(); ++i) check_function(*prog_.functions[i]);
        add_destructors();
    }

private:
    void error(Pos pos, const std::string& message) { diags_.error(pos, message); }

    // ---- classes ---------------------------------------------------------------
    void resolve_classes() {
        NameIndex<ClassInfo*> named;
        for (std::size_t i = 0; i < prog_.classes.size(); ++i) {
            ClassInfo* c = prog_.classes[i].get();
            if (c->name.empty()) continue;
            ClassInfo* other = named.find(c->name);
            if (other && i >= prog_.prelude_class_count) {
                error(c->pos, "'" + c->name + "' is already the name of a " +
                                  (other->builtin ? "built-in class" : other->is_module ? "module" : "class"));
            }
            named.add(c->name, c);
        }
        for (auto& c : prog_.classes) {
            for (const TypeRef& n : c->interface_names) {
                ClassInfo* i = class_named(n.name);
                if (!i || !i->is_interface) error(n.pos, "'" + n.name + "' is not an interface");
                else c->interfaces.push_back(i);
            }
            if (c->super_name.empty()) continue;
            c->super = class_named(c->super_name);
            if (!c->super) {
                Pos pos = c->control ? c->control->class_name.pos : c->pos;
                error(pos, "unknown class '" + c->super_name + "'");
            } else if (c->super->is_interface) {
                error(c->pos, "'" + c->super->name + "' is an interface: write 'Implements " + c->super->name + "'");
                c->super = nullptr;
            }
        }
        break_inheritance_cycles();
    }

    // Each chain is followed once, however deep: a class met again on the
    // chain being followed starts a cycle, which is reported and cut there.
    void break_inheritance_cycles() {
        enum class Walk { Unseen, OnChain, Done };
        std::unordered_map<const ClassInfo*, Walk> walk;
        std::vector<ClassInfo*> chain;
        for (auto& start : prog_.classes) {
            chain.clear();
            ClassInfo* c = start.get();
            for (; c && walk[c] == Walk::Unseen; c = c->super) {
                walk[c] = Walk::OnChain;
                chain.push_back(c);
            }
            if (c && walk[c] == Walk::OnChain) {
                error(c->pos, "class '" + c->name + "' inherits from itself");
                c->super = nullptr;
            }
            for (ClassInfo* k : chain) walk[k] = Walk::Done;
        }
    }

    ClassInfo* class_named(const std::string& name) {
        return classes_.follow(prog_.classes, [](NameIndex<ClassInfo*>& index, const std::unique_ptr<ClassInfo>& c) {
                           if (!c->is_module && !c->name.empty()) index.add(c->name, c.get());
                       })
            .find(name);
    }

    Type resolve(const TypeRef& ref) {
        static const std::pair<const char*, TypeKind> simple[] = {
            {"Integer", TypeKind::Integer}, {"Single", TypeKind::Single}, {"Double", TypeKind::Double},
            {"Boolean", TypeKind::Boolean}, {"String", TypeKind::String}, {"Color", TypeKind::Color}};
        if (ref.name.empty()) return make(TypeKind::Void);
        Type t = make(TypeKind::Integer);
        bool found = false;
        for (auto& [n, k] : simple)
            if (same_name(ref.name, n)) t = make(k), found = true;
        if (!found) {
            if (ClassInfo* c = class_named(ref.name)) t = make(TypeKind::Object, c);
            else error(ref.pos, "unknown type '" + ref.name + "'");
        }
        t.array = ref.array;
        t.dims = ref.dims;
        if (t.array && t.dims > 1 && t.kind == TypeKind::Boolean) error(ref.pos, "Boolean arrays have one dimension");
        return t;
    }

    void resolve_params(std::vector<Param>& params) {
        for (Param& p : params) {
            p.type = resolve(p.type_name);
            if (p.type.kind == TypeKind::Void) error(p.pos, "a parameter needs a type");
        }
    }

    void resolve_signatures() {
        for (auto& c : prog_.classes) {
            for (EventDef& e : c->events) {
                resolve_params(e.params);
                e.result = resolve(e.result_name);
            }
            for (auto& r : c->members) {
                resolve_params(r->params);
                r->result = resolve(r->result_name);
            }
            for (auto& f : c->fields) f->type = resolve(f->type_name);
        }
        for (auto& r : prog_.globals) {
            resolve_params(r->params);
            r->result = resolve(r->result_name);
            if (r->kind == RoutineKind::Library && r->result.kind == TypeKind::String)
                error(r->result_name.pos, "a library routine cannot return a String");
        }
        for (auto& g : prog_.global_vars) g->type = resolve(g->type_name);
        for (AutoObject& a : prog_.auto_objects) {
            if (a.global->type.kind != TypeKind::Object) {
                error(a.global->pos, "an Auto property holds an object of a class");
                continue;
            }
            a.cls = a.global->type.cls;
            if (a.cls->window) error(a.global->pos, "windows are created through their implicit instance, not Auto");
        }
        for (auto& f : prog_.functions) declare_function(*f);
    }

    void declare_function(Function& f) {
        resolve_params(f.params);
        f.result = resolve(f.result_name);
        ClassInfo* owner = f.owner;
        std::string owner_name = owner->name.empty() ? owner->label : owner->name;
        f.symbol = owner_name + "." + f.name;
        if (f.kind == FunctionKind::Constructor || f.kind == FunctionKind::Destructor) {
            if (owner->is_module) error(f.pos, "modules have no constructor or destructor");
            if (!f.params.empty()) error(f.pos, "a " + f.name + " takes no parameters");
            Function*& slot = f.kind == FunctionKind::Constructor ? owner->constructor : owner->destructor;
            if (slot) error(f.pos, "the class already has a " + f.name);
            slot = &f;
        }
        if (f.kind != FunctionKind::Sub && f.kind != FunctionKind::Function) return;
        MemberIndex& known = members_of(owner);
        if (known.routines.find(f.name)) error(f.pos, "'" + f.name + "' is defined twice in " + owner_name);
        if (known.fields.find(f.name)) error(f.pos, "'" + f.name + "' is already a property of " + owner_name);
        auto r = std::make_unique<Routine>();
        r->name = f.name;
        r->pos = f.pos;
        r->kind = RoutineKind::Application;
        r->params = f.params;
        r->result = f.result;
        r->has_me = !owner->is_module;
        r->function = &f;
        r->owner = owner;
        f.routine = r.get();
        owner->members.push_back(std::move(r));
    }

    // Superclasses first; a chain of any depth is walked without recursion.
    void layout(ClassInfo* c, std::set<ClassInfo*>& done) {
        std::vector<ClassInfo*> chain;
        for (; c && done.insert(c).second; c = c->super) chain.push_back(c);
        for (auto k = chain.rbegin(); k != chain.rend(); ++k) layout_one(*k);
    }

    void layout_one(ClassInfo* c) {
        if (c->builtin && c->instance_size == 0) c->instance_size = c->super ? c->super->instance_size : 24;
        if (c->builtin || c->is_module) return;
        int size = c->super ? c->super->instance_size : 24;
        NameIndex<Field*> earlier;
        for (auto& field : c->fields) {
            Field& f = *field;
            f.offset = size;
            size += f.type.size() ? f.type.size() : 4;
            if (earlier.find(f.name)) error(f.pos, "property '" + f.name + "' is defined twice");
            earlier.add(f.name, &f);
        }
        c->instance_size = size;
        if (c->super && !c->super->builtin) c->vtable = c->super->vtable;
        for (Function* f : c->methods) {
            if (f->kind != FunctionKind::Sub && f->kind != FunctionKind::Function) continue;
            Function* base = nullptr;
            for (ClassInfo* s = c->super; s && !base; s = s->super)
                for (Function* g : s->methods)
                    if ((g->kind == FunctionKind::Sub || g->kind == FunctionKind::Function) && same_name(g->name, f->name)) base = g;
            if (base && base->vtable_slot >= 0) {
                bool same = same_type(base->result, f->result) && base->params.size() == f->params.size();
                for (std::size_t k = 0; same && k < f->params.size(); ++k) same = same_type(base->params[k].type, f->params[k].type);
                if (!same) error(f->pos, "'" + f->name + "' overrides a method of " + base->owner->name + " with another signature");
                f->vtable_slot = base->vtable_slot;
                f->polymorphic = base->polymorphic = true;
                c->vtable[f->vtable_slot] = f;
            } else {
                f->vtable_slot = static_cast<int>(c->vtable.size());
                c->vtable.push_back(f);
            }
        }
    }

    void layout_classes() {
        std::set<ClassInfo*> done;
        for (auto& c : prog_.classes) layout(c.get(), done);
        for (auto& c : prog_.classes)
            for (ClassInfo* i : c->interfaces)
                for (auto& m : i->members) check_implementation(*c, *i, *m);
    }

    // The class or a superclass has a method for every method of the interface.
    void check_implementation(ClassInfo& c, ClassInfo& interface, Routine& m) {
        for (ClassInfo* k = &c; k; k = k->super)
            for (Function* f : k->methods) {
                if (!f->routine || !same_name(f->name, m.name)) continue;
                bool same = same_type(f->result, m.result) && f->params.size() == m.params.size();
                for (std::size_t j = 0; same && j < m.params.size(); ++j) same = same_type(f->params[j].type, m.params[j].type);
                if (!same) error(f->pos, "'" + f->name + "' does not have the signature of " + interface.name + "." + m.name);
                return;
            }
        error(c.pos, "class '" + c.name + "' does not implement " + interface.name + "." + m.name);
    }

    // ---- windows, menus, project ----------------------------------------------
    std::string value_text(PropertyValue& p) {
        Expr& e = *p.value;
        switch (e.kind) {
            case ExprKind::Integer:
                if (e.int_value < INT32_MIN || e.int_value > 0xFFFFFFFFll) error(e.pos, "number does not fit in 32 bits");
                return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(e.int_value)));
            case ExprKind::Boolean: return e.int_value ? "True" : "False";
            default: return e.text;
        }
    }

    void check_windows() {
        ClassInfo* window = class_named("Window");
        ClassInfo* control = class_named("Control");
        for (auto& w : prog_.windows) {
            if (w->cls->super && !is_subclass(w->cls->super, window))
                error(w->pos, "a window inherits from Window, not from '" + w->cls->super->name + "'");
            for (PropertyValue& p : w->properties) {
                bool known = false;
                for (const char* n : kWindowPairs)
                    if (same_name(n, p.name)) {
                        known = true;
                        p.name = n;
                    }
                if (!known) error(p.pos, "windows have no description property '" + p.name + "'");
                if (same_name(p.name, "Name")) error(p.pos, "a window's Name is the name it is declared with");
                p.text = value_text(p);
            }
            auto global = std::make_unique<Global>();
            global->name = w->name + ".$instance";
            global->type = make(TypeKind::Object, w->cls);
            w->instance = global.get();
            prog_.global_vars.push_back(std::move(global));
            auto getter = std::make_unique<Function>();
            getter->kind = FunctionKind::InstanceGetter;
            getter->name = w->name;
            getter->pos = w->pos;
            getter->owner = w->cls;
            getter->window = w.get();
            getter->symbol = w->name + ".$instance";
            getter->result = make(TypeKind::Object, w->cls);
            w->getter = getter.get();
            prog_.functions.push_back(std::move(getter));

            for (BindingDecl& b : w->bindings) {
                b.source_position = control_position(*w, b.source, b.source_pos);
                b.target_position = control_position(*w, b.target, b.target_pos);
                b.binder = class_named(b.binder_name.name);
                if (!b.binder) error(b.binder_name.pos, "unknown class '" + b.binder_name.name + "'");
            }
            for (std::size_t i = 0; i < w->controls.size(); ++i) {
                ControlDecl& c = *w->controls[i];
                c.base = class_named(c.class_name.name);
                if (!c.base) {
                    if (!c.cls) error(c.class_name.pos, "unknown class '" + c.class_name.name + "'");
                    c.base = control;
                } else if (!c.base->builtin || !(is_subclass(c.base, control) || placed_object(c.base))) {
                    error(c.class_name.pos, "'" + c.class_name.name + "' is not a control class");
                }
                const bool is_control = is_subclass(c.base, control);
                if (!c.cls) c.cls = c.base;
                for (std::size_t j = 0; j < i; ++j) {
                    ControlDecl& o = *w->controls[j];
                    if (same_name(o.name, c.name) && !(o.has_index && c.has_index && o.index != c.index))
                        error(c.pos, "window '" + w->name + "' already has a control '" + c.name + "'");
                }
                for (PropertyValue& p : c.properties) {
                    bool known = false;
                    for (const char* n : kControlPairs)
                        if (same_name(n, p.name) && (is_control || !std::strcmp(n, "Name") || !std::strcmp(n, "Index")))
                            known = true, p.name = n;
                    for (ClassInfo* k = c.base; k && !known; k = k->super)
                        for (const DesignProp& d : k->design)
                            if (same_name(d.name, p.name)) known = true, p.name = d.name;
                    if (!known) error(p.pos, c.base->name + " has no description property '" + p.name + "'");
                    if (same_name(p.name, "Name") || same_name(p.name, "Index"))
                        error(p.pos, "a control's " + p.name + " comes from its declaration");
                    p.text = value_text(p);
                }
            }
        }
    }

    bool placed_object(const ClassInfo* cls) {
        for (const char* n : kPlacedObjects)
            if (ClassInfo* k = class_named(n); k && is_subclass(cls, k)) return true;
        return false;
    }

    int control_position(const WindowDecl& w, const std::string& name, Pos pos) {
        for (std::size_t i = 0; i < w.controls.size(); ++i)
            if (same_name(w.controls[i]->name, name)) return static_cast<int>(i);
        error(pos, "window '" + w.name + "' has no control '" + name + "'");
        return 0;
    }

    bool menu_item_exists(const std::vector<MenuItemDecl>& items, const std::string& name) {
        for (const MenuItemDecl& i : items)
            if (same_name(i.name, name) || menu_item_exists(i.items, name)) return true;
        return false;
    }

    void check_items(std::vector<MenuItemDecl>& items) {
        ClassInfo* menu_item = class_named("MenuItem");
        for (MenuItemDecl& i : items) {
            i.cls = menu_item;
            if (!i.class_name.name.empty()) {
                i.cls = class_named(i.class_name.name);
                if (!i.cls || !is_subclass(i.cls, menu_item)) {
                    error(i.class_name.pos, "'" + i.class_name.name + "' is not a menu item class");
                    i.cls = menu_item;
                }
            }
            check_items(i.items);
        }
    }

    void check_menus() {
        for (MenuDecl& m : prog_.menus) check_items(m.items);
    }

    void check_project() {
        ProjectDecl& p = prog_.project;
        if (!p.default_window.empty() && !prog_.find_window(p.default_window))
            error(p.default_window_pos, "there is no window '" + p.default_window + "'");
        if (p.default_window.empty() && !prog_.windows.empty()) p.default_window = prog_.windows.front()->name;
    }

    void check_handlers() {
        ClassInfo* application = class_named("Application");
        ClassInfo* window = class_named("Window");
        ClassInfo* edit_field = class_named("EditField");
        for (auto& c : prog_.classes) {
            for (Function* h : c->handlers) {
                const EventDef* ev = c->super ? find_event(c->super, h->name) : nullptr;
                if (!ev) {
                    error(h->pos, "'" + (c->super ? c->super->name : c->name) + "' has no event '" + h->name + "'");
                    continue;
                }
                h->name = ev->name;
                bool ok = ev->params.size() == h->params.size();
                for (std::size_t k = 0; ok && k < ev->params.size(); ++k) ok = same_type(ev->params[k].type, h->params[k].type);
                if (!ok) error(h->pos, "the handler of '" + ev->name + "' must take " + describe(ev->params));
                if (!h->result_name.name.empty() && !same_type(h->result, ev->result))
                    error(h->result_name.pos, "the event '" + ev->name + "' returns " + type_name(ev->result));
                h->result = ev->result;
                for (Function* o : c->handlers)
                    if (o != h && same_name(o->name, h->name) && o->pos.line < h->pos.line)
                        error(h->pos, "'" + h->name + "' is handled twice");
            }
            for (Function* h : c->menu_handlers) {
                if (!is_subclass(c.get(), window) && !is_subclass(c.get(), application) &&
                    !is_subclass(c.get(), edit_field))
                    error(h->pos, "menu handlers belong to windows, edit fields and the application class");
                bool ok = h->params.empty() || (h->params.size() == 1 && h->params[0].type.kind == TypeKind::Integer);
                if (!ok) error(h->pos, "a menu handler takes no parameters, or the item's index As Integer");
                if (!h->result_name.name.empty() && h->result.kind != TypeKind::Boolean)
                    error(h->result_name.pos, "a menu handler returns Boolean");
                h->result = make(TypeKind::Boolean);
                bool found = false;
                for (MenuDecl& m : prog_.menus) found = found || menu_item_exists(m.items, h->name);
                if (!found) error(h->pos, "there is no menu item '" + h->name + "'");
            }
        }
    }

    static std::string describe(const std::vector<Param>& params) {
        if (params.empty()) return "no parameters";
        std::string s = "(";
        for (std::size_t k = 0; k < params.size(); ++k)
            s += (k ? ", " : "") + params[k].name + " As " + type_name(params[k].type);
        return s + ")";
    }

    void add_destructors() {
        std::vector<std::unique_ptr<Function>> extra;
        for (auto& c : prog_.classes) {
            if (c->builtin || c->is_module || c->destructor) continue;
            bool refs = false;
            for (auto& f : c->fields) refs = refs || f->type.is_ref();
            if (!refs) continue;
            auto d = std::make_unique<Function>();
            d->kind = FunctionKind::Destructor;
            d->name = "Destructor";
            d->owner = c.get();
            d->pos = c->pos;
            d->symbol = (c->name.empty() ? std::string("?") : c->name) + ".Destructor";
            c->destructor = d.get();
            extra.push_back(std::move(d));
        }
        for (auto& d : extra) {
            check_function(*d);
            prog_.functions.push_back(std::move(d));
        }
    }

    // ---- function bodies --------------------------------------------------------
    Local* add_local(const std::string& name, Type type, bool param) {
        auto l = std::make_unique<Local>();
        l->name = name;
        l->type = type;
        l->is_param = param;
        fn_->locals.push_back(std::move(l));
        return fn_->locals.back().get();
    }

    void check_function(Function& f) {
        fn_ = &f;
        cls_ = f.owner;
        scope_.clear();
        constants_.clear();
        loops_.clear();
        if (f.kind == FunctionKind::InstanceGetter) return;
        if (!cls_->is_module) f.me = add_local("Me", make(TypeKind::Object, cls_), true);
        for (Param& p : f.params) {
            if (scope_.find(p.name)) error(p.pos, "parameter '" + p.name + "' is given twice");
            scope_.declare(p.name, add_local(p.name, p.type, true));
        }
        if (f.kind == FunctionKind::Constructor || f.kind == FunctionKind::Destructor) add_local("$class", make(TypeKind::Integer), true);
        if (!f.catches.empty()) f.exception_local = add_local("$exception", make(TypeKind::Object, class_named("RuntimeException")), false);
        if (f.result.kind != TypeKind::Void) f.result_local = add_local("$result", f.result, false);
        for (StmtPtr& s : f.body) check_stmt(*s);  // catch clauses see the body's own variables
        ClassInfo* runtime_exception = class_named("RuntimeException");
        for (CatchClause& c : f.catches) {
            c.cls = class_named(c.class_name.name);
            if (!c.cls || !is_subclass(c.cls, runtime_exception)) {
                error(c.class_name.pos, "'" + c.class_name.name + "' is not an exception class");
                c.cls = runtime_exception;
            }
            std::size_t mark = scope_.mark();
            c.local = add_local(c.var, make(TypeKind::Object, c.cls), false);
            scope_.declare(c.var, c.local);
            check_block(c.body);
            scope_.back_to(mark);
        }
    }

    void check_block(std::vector<StmtPtr>& body) {
        std::size_t mark = scope_.mark(), constants = constants_.size();
        for (StmtPtr& s : body) check_stmt(*s);
        scope_.back_to(mark);
        constants_.resize(constants);
    }

    // A constant of the method, of its class or module, or of any module.
    const Expr* find_constant(const std::string& name) {
        for (auto it = constants_.rbegin(); it != constants_.rend(); ++it)
            if (same_name(it->first, name)) return it->second;
        for (ClassInfo* k = cls_; k; k = k->super)
            for (ConstDecl& c : k->constants)
                if (same_name(c.name, name)) return c.value.get();
        for (ClassInfo* m : prog_.modules)
            for (ConstDecl& c : m->constants)
                if (same_name(c.name, name)) return c.value.get();
        return nullptr;
    }

    Local* find_local(const std::string& name) { return scope_.find(name); }

    void check_stmt(Stmt& s) {
        switch (s.kind) {
            case StmtKind::Dim: {
                Type t = resolve(s.type_name);
                if (find_local(s.name)) error(s.pos, "'" + s.name + "' is already declared");
                for (ExprPtr& b : s.bounds) {
                    check_expr(b);
                    convert(b, make(TypeKind::Integer));
                }
                if (s.value) {
                    check_expr(s.value);
                    convert(s.value, t);
                }
                s.local = add_local(s.name, t, false);
                scope_.declare(s.name, s.local);
                return;
            }
            case StmtKind::Const:
                if (find_local(s.name) || find_constant(s.name)) error(s.pos, "'" + s.name + "' is already declared");
                check_expr(s.value);
                constants_.push_back({s.name, s.value.get()});
                return;
            case StmtKind::Assign: return check_assign(s);
            case StmtKind::Call: {
                check_call(s.value, true);
                return;
            }
            case StmtKind::If:
                for (ExprPtr& c : s.conditions) check_condition(c);
                for (auto& b : s.branches) check_block(b);
                return;
            case StmtKind::Select: {
                check_expr(s.value);
                if (s.value->type.kind == TypeKind::Void || s.value->type.array || s.value->type.kind == TypeKind::Nil)
                    return error(s.value->pos, "Select Case needs a value");
                s.local = add_local(s.name, s.value->type, false);
                std::size_t mark = scope_.mark();
                scope_.declare(s.name, s.local);
                for (ExprPtr& c : s.conditions) check_condition(c);
                scope_.back_to(mark);
                for (auto& b : s.branches) check_block(b);
                return;
            }
            case StmtKind::For: {
                check_expr(s.target);
                if (s.target->ref != Ref::Local || !s.target->type.is_int())
                    error(s.target->pos, "the loop variable must be a local Integer variable");
                check_expr(s.value);
                convert(s.value, make(TypeKind::Integer));
                check_expr(s.limit);
                convert(s.limit, make(TypeKind::Integer));
                if (s.step) {
                    check_expr(s.step);
                    convert(s.step, make(TypeKind::Integer));
                }
                s.limit_local = add_local("$limit", make(TypeKind::Integer), false);
                if (s.step && !constant(*s.step)) s.step_local = add_local("$step", make(TypeKind::Integer), false);
                loops_.push_back(ExitWhat::For);
                check_block(s.body);
                loops_.pop_back();
                return;
            }
            case StmtKind::While:
            case StmtKind::Do:
                if (s.value) check_condition(s.value);
                loops_.push_back(s.kind == StmtKind::While ? ExitWhat::While : ExitWhat::Do);
                check_block(s.body);
                loops_.pop_back();
                return;
            case StmtKind::Exit: {
                if (s.exit_what == ExitWhat::Sub || s.exit_what == ExitWhat::Function) return;
                for (ExitWhat w : loops_)
                    if (w == s.exit_what) return;
                error(s.pos, "'Exit' is not inside such a loop");
                return;
            }
            case StmtKind::Return:
                if (fn_->result.kind == TypeKind::Void) {
                    if (s.value) error(s.pos, "this method returns no value");
                } else if (!s.value) {
                    error(s.pos, "'Return' needs a value of type " + type_name(fn_->result));
                } else {
                    check_expr(s.value);
                    convert(s.value, fn_->result);
                }
                return;
            case StmtKind::Raise: {
                check_expr(s.value);
                ClassInfo* runtime_exception = class_named("RuntimeException");
                if (s.value->type.kind != TypeKind::Object || s.value->type.array || !is_subclass(s.value->type.cls, runtime_exception))
                    error(s.value->pos, "only exceptions (RuntimeException and its subclasses) can be raised");
                return;
            }
        }
    }

    static bool constant(const Expr& e) {
        return e.kind == ExprKind::Integer || (e.kind == ExprKind::Unary && e.op == Op::Neg && e.object->kind == ExprKind::Integer);
    }

    void check_condition(ExprPtr& e) {
        check_expr(e);
        convert(e, make(TypeKind::Boolean));
    }

    void check_assign(Stmt& s) {
        Expr& t = *s.target;
        check_target(s.target);
        if (t.type.array) error(t.pos, "arrays cannot be assigned; change their elements");
        check_expr(s.value);
        if (t.type.kind != TypeKind::Void) convert(s.value, t.type);
    }

    void check_target(ExprPtr& e) {
        if (e->kind == ExprKind::Call) {
            check_call(e, false, true);
        } else if (e->kind == ExprKind::Name || e->kind == ExprKind::Member) {
            resolve(*e, false, true);
        } else {
            error(e->pos, "cannot assign to this expression");
            return;
        }
        switch (e->ref) {
            case Ref::Local:
                if (e->local == fn_->me) error(e->pos, "cannot assign to Me");
                if (e->local->is_param) e->local->assigned = true;
                return;
            case Ref::Global:
            case Ref::Field:
            case Ref::Element: return;
            case Ref::BuiltinProperty:
                if (!e->routine->has_setter) error(e->pos, "property '" + e->routine->name + "' cannot be set");
                return;
            case Ref::None: return;  // already reported
            default:
                error(e->pos, "cannot assign to '" + e->text + "'");
                e->type = make(TypeKind::Void);
        }
    }

    // ---- expressions ------------------------------------------------------------
    void convert(ExprPtr& e, const Type& to) {
        Type from = e->type;
        if (from.kind == TypeKind::Void) {
            error(e->pos, "this expression has no value");
            return;
        }
        if (same_type(from, to)) return;
        if (from.array || to.array) {
            error(e->pos, "cannot use " + type_name(from) + " as " + type_name(to));
            e->type = to;
            return;
        }
        bool from_variant = from.kind == TypeKind::Object && from.cls == variant_;
        bool to_variant = to.kind == TypeKind::Object && to.cls == variant_;
        // Variant is a class under Object, but a Variant used as an Object gives the object it holds.
        if (to.kind == TypeKind::Object && from.kind == TypeKind::Object && !(from_variant && to.cls == object_) &&
            (is_subclass(from.cls, to.cls) || (to.cls->is_interface && implements(from.cls, to.cls))))
            return;
        if (from.kind == TypeKind::Nil && to.is_ref()) {
            e->type = to;
            return;
        }
        if (from.is_int() && to.is_int()) {
            e->type = to;
            return;
        }
        bool ok = (is_numeric(from) && is_numeric(to)) || (to_variant && from.kind != TypeKind::Nil) ||
                  (from_variant && (to.kind != TypeKind::Object || to.cls == object_));
        if (!ok) {
            error(e->pos, "cannot use " + type_name(from) + " as " + type_name(to));
            e->type = to;
            return;
        }
        auto c = std::make_unique<Expr>(ExprKind::Convert, e->pos);
        c->type = to;
        c->object = std::move(e);
        e = std::move(c);
    }

    void check_literal(Expr& x) {
        switch (x.kind) {
            case ExprKind::Integer:
                if (x.int_value > 0xFFFFFFFFll || x.int_value < INT32_MIN) error(x.pos, "number does not fit in 32 bits");
                x.type = make(TypeKind::Integer);
                return;
            case ExprKind::Real: x.type = make(TypeKind::Double); return;
            case ExprKind::String: x.type = make(TypeKind::String); return;
            default: x.type = make(TypeKind::Boolean); return;
        }
    }

    // The parser bounds nesting; trees the checker is handed otherwise still
    // cannot take its stack (check_expr and resolve call each other).
    void check_expr(ExprPtr& e) {
        Expr& x = *e;
        if (expr_depth_ >= kMaxExprDepth) {
            error(x.pos, "expressions are nested too deeply");
            x.type = make(TypeKind::Void);
            return;
        }
        ++expr_depth_;
        check_expr_kind(e);
        --expr_depth_;
    }

    void check_expr_kind(ExprPtr& e) {
        Expr& x = *e;
        switch (x.kind) {
            case ExprKind::Integer:
            case ExprKind::Real:
            case ExprKind::String:
            case ExprKind::Boolean: return check_literal(x);
            case ExprKind::Nil: x.type = make(TypeKind::Nil); return;
            case ExprKind::Super:
                if (!fn_->me || !cls_->super) {
                    error(x.pos, "'Super' exists only in classes that have a superclass");
                    x.type = make(TypeKind::Nil);
                    return;
                }
                x.type = make(TypeKind::Object, cls_->super);
                return;
            case ExprKind::Me:
                if (!fn_->me) {
                    error(x.pos, "'Me' exists only in classes and windows");
                    x.type = make(TypeKind::Nil);
                    return;
                }
                x.type = fn_->me->type;
                return;
            case ExprKind::Name:
            case ExprKind::Member:
                resolve(x, false, false);
                if (x.ref == Ref::Routine && x.type.kind == TypeKind::Void) error(x.pos, "'" + x.text + "' returns no value");
                return;
            case ExprKind::Call: check_call(e, false); return;
            case ExprKind::New: {
                ClassInfo* c = class_named(x.text);
                if (!c) error(x.pos, "unknown class '" + x.text + "'");
                else if (c->window) error(x.pos, "windows are created through their implicit instance, not New");
                else if (c->is_interface) error(x.pos, "'" + c->name + "' is an interface; create an object of a class that implements it");
                x.cls = c;
                x.type = c ? make(TypeKind::Object, c) : make(TypeKind::Nil);
                return;
            }
            case ExprKind::IsA: {
                check_expr(x.object);
                if (x.object->type.kind != TypeKind::Object || x.object->type.array) error(x.object->pos, "IsA tests an object");
                x.cls = class_named(x.text);
                if (!x.cls) error(x.pos, "unknown class '" + x.text + "'");
                x.type = make(TypeKind::Boolean);
                return;
            }
            case ExprKind::Unary: {
                check_expr(x.object);
                Type t = x.object->type;
                if (x.op == Op::Not) {
                    if (t.is_int()) convert(x.object, make(TypeKind::Integer)), x.type = make(TypeKind::Integer);
                    else convert(x.object, make(TypeKind::Boolean)), x.type = make(TypeKind::Boolean);
                } else {
                    if (!is_numeric(t)) error(x.pos, "cannot negate " + type_name(t));
                    x.type = t.is_float() ? make(TypeKind::Double) : make(TypeKind::Integer);
                    convert(x.object, x.type);
                }
                return;
            }
            case ExprKind::Binary: return check_binary(x);
            case ExprKind::Convert: return;
        }
    }

    // A Variant beside a number, string or Boolean takes the other side's type.
    void unwrap_variant(ExprPtr& side, const Type& other) {
        bool variant = side->type.kind == TypeKind::Object && side->type.cls == variant_ && !side->type.array;
        if (!variant || other.array) return;
        if (other.is_float()) convert(side, make(TypeKind::Double));
        else if (other.is_int()) convert(side, make(TypeKind::Integer));
        else if (other.kind == TypeKind::String || other.kind == TypeKind::Boolean) convert(side, make(other.kind));
    }

    void check_binary(Expr& x) {
        check_expr(x.object);
        check_expr(x.rhs);
        unwrap_variant(x.object, x.rhs->type);
        unwrap_variant(x.rhs, x.object->type);
        Type a = x.object->type, b = x.rhs->type;
        auto both = [&](Type t) {
            convert(x.object, t);
            convert(x.rhs, t);
        };
        auto numeric_type = [&]() { return a.is_float() || b.is_float() ? make(TypeKind::Double) : make(TypeKind::Integer); };
        bool strings = a.kind == TypeKind::String || b.kind == TypeKind::String;
        switch (x.op) {
            case Op::Add:
                if (strings) {
                    x.op = Op::Concat;
                    both(make(TypeKind::String));
                    x.type = make(TypeKind::String);
                    return;
                }
                [[fallthrough]];
            case Op::Sub:
            case Op::Mul:
                if (!is_numeric(a) || !is_numeric(b)) error(x.pos, "arithmetic needs numbers, not " + type_name(!is_numeric(a) ? a : b));
                x.type = numeric_type();
                both(x.type);
                return;
            case Op::Div:
                if (!is_numeric(a) || !is_numeric(b)) error(x.pos, "arithmetic needs numbers, not " + type_name(!is_numeric(a) ? a : b));
                x.type = make(TypeKind::Double);
                both(x.type);
                return;
            case Op::IntDiv:
            case Op::Mod:
                if (!is_numeric(a) || !is_numeric(b)) error(x.pos, "arithmetic needs numbers, not " + type_name(!is_numeric(a) ? a : b));
                x.type = make(TypeKind::Integer);
                both(x.type);
                return;
            case Op::Concat:
                both(make(TypeKind::String));
                x.type = make(TypeKind::String);
                return;
            case Op::And:
            case Op::Or:
                if (a.is_int() && b.is_int()) {
                    x.type = make(TypeKind::Integer);
                } else {
                    x.type = make(TypeKind::Boolean);
                }
                both(x.type);
                return;
            default: break;  // comparisons
        }
        x.type = make(TypeKind::Boolean);
        if (a.array || b.array) return error(x.pos, "arrays cannot be compared");
        bool ordered = x.op != Op::Eq && x.op != Op::Ne;
        if (is_numeric(a) && is_numeric(b)) {
            both(numeric_type());
        } else if (strings) {
            both(make(TypeKind::String));
        } else if (a.kind == TypeKind::Boolean && b.kind == TypeKind::Boolean) {
            if (ordered) error(x.pos, "Booleans compare only with = and <>");
        } else if ((a.kind == TypeKind::Object || a.kind == TypeKind::Nil) && (b.kind == TypeKind::Object || b.kind == TypeKind::Nil)) {
            if (ordered) error(x.pos, "objects compare only with = and <>");
        } else {
            error(x.pos, "cannot compare " + type_name(a) + " with " + type_name(b));
        }
    }

    // The fields and members of one class (not its superclasses), by name.
    MemberIndex& members_of(const ClassInfo* c) {
        MemberIndex& known = members_[c];
        known.fields.follow(c->fields, [](NameIndex<Field*>& index, const std::unique_ptr<Field>& f) {
            index.add(f->name, f.get());
        });
        known.routines.follow(c->members, [](NameIndex<Routine*>& index, const std::unique_ptr<Routine>& r) {
            index.add(r->name, r.get());
        });
        return known;
    }

    // Finds what `name` means on an object of class `c`.
    bool find_member(ClassInfo* c, const std::string& name, Expr& x) {
        for (ClassInfo* k = c; k; k = k->super) {
            MemberIndex& known = members_of(k);
            if (Field* f = known.fields.find(name)) {
                x.ref = Ref::Field;
                x.field = f;
                x.type = f->type;
                return true;
            }
            if (Routine* r = known.routines.find(name)) {
                x.ref = r->is_property ? Ref::BuiltinProperty : Ref::Routine;
                x.routine = r;
                x.type = r->result;
                return true;
            }
            if (k->window)
                for (auto& ctl : k->window->controls)
                    if (same_name(ctl->name, name)) {
                        x.ref = Ref::Control;
                        x.text = ctl->name;
                        x.control_array = ctl->has_index;
                        x.cls = ctl->cls;
                        for (auto& other : k->window->controls)
                            if (same_name(other->name, name) && other->cls != ctl->cls) x.cls = ctl->base;
                        x.type = make(TypeKind::Object, x.cls);
                        return true;
                    }
        }
        return false;
    }

    // The name becomes the constant's value.
    void become_constant(Expr& x, const Expr& c) {
        x.kind = c.kind;
        x.int_value = c.int_value;
        x.real_value = c.real_value;
        x.text = c.text;
        x.ref = Ref::None;
        x.object.reset();
        check_literal(x);
    }

    static bool module_has(const ClassInfo& m, const std::string& name) {
        for (const ConstDecl& c : m.constants)
            if (same_name(c.name, name)) return true;
        for (const Global* g : m.globals)
            if (same_name(g->name, name)) return true;
        for (const auto& r : m.members)
            if (same_name(r->name, name)) return true;
        return false;
    }

    bool find_in_module(ClassInfo* m, const std::string& name, Expr& x) {
        for (ConstDecl& c : m->constants)
            if (same_name(c.name, name)) {
                become_constant(x, *c.value);
                return true;
            }
        for (Global* g : m->globals)
            if (same_name(g->name, name)) {
                x.ref = Ref::Global;
                x.global = g;
                x.type = g->type;
                return true;
            }
        for (auto& r : m->members)
            if (same_name(r->name, name)) {
                x.ref = Ref::Routine;
                x.routine = r.get();
                x.type = r->result;
                return true;
            }
        return false;
    }

    // Resolves a Name or Member in place. `callee`: it is called with arguments.
    void resolve(Expr& x, bool callee, bool target) {
        std::string name = x.text;
        if (x.kind == ExprKind::Member) {
            if (x.object->kind == ExprKind::Name) {
                for (ClassInfo* m : prog_.modules)
                    if (same_name(m->name, x.object->text) && !find_local(x.object->text)) {
                        if (!find_in_module(m, name, x)) error(x.pos, "module '" + m->name + "' has no member '" + name + "'");
                        x.object.reset();
                        finish(x, callee, target);
                        return;
                    }
            }
            check_expr(x.object);
            Type t = x.object->type;
            if (t.array) return array_member(x, callee);
            if (t.kind != TypeKind::Object) {
                if (t.kind != TypeKind::Void) error(x.pos, type_name(t) + " has no member '" + name + "'");
                x.type = make(TypeKind::Void);
                return;
            }
            if (!find_member(t.cls, name, x)) {
                error(x.pos, type_name(t) + " has no member '" + name + "'");
                x.type = make(TypeKind::Void);
                return;
            }
            x.receiver = std::move(x.object);
            x.direct = x.receiver->kind == ExprKind::Super;
            window_of_control(x, t.cls);
            finish(x, callee, target);
            return;
        }
        if (Local* l = find_local(name)) {
            x.ref = Ref::Local;
            x.local = l;
            x.type = l->type;
            return;
        }
        if (const Expr* c = find_constant(name)) {
            become_constant(x, *c);
            if (callee) error(x.pos, "'" + name + "' is a constant and cannot be called");
            return;
        }
        if (fn_->me && find_member(cls_, name, x)) return finish(x, callee, target);
        if (cls_->is_module && find_in_module(cls_, name, x)) return finish(x, callee, target);
        ClassInfo* owner = nullptr;
        for (ClassInfo* m : prog_.modules) {
            if (m == cls_ || !module_has(*m, name)) continue;
            if (owner) {
                error(x.pos, "'" + name + "' is in modules " + owner->name + " and " + m->name + ": write " + owner->name + "." + name);
                break;
            }
            owner = m;
        }
        if (owner && find_in_module(owner, name, x)) return finish(x, callee, target);
        if (Routine* r = prog_.find_global(name)) {
            x.ref = Ref::Routine;
            x.routine = r;
            x.type = r->result;
            return finish(x, callee, target);
        }
        if (WindowDecl* w = prog_.find_window(name)) {
            x.ref = Ref::Window;
            x.cls = w->cls;
            x.type = make(TypeKind::Object, w->cls);
            return;
        }
        if (ClassInfo* c = class_named(name)) {
            if (callee) {
                x.ref = Ref::Cast;
                x.cls = c;
                x.type = make(TypeKind::Object, c);
                return;
            }
            error(x.pos, "'" + name + "' is a class, not a value");
            x.type = make(TypeKind::Void);
            return;
        }
        for (ClassInfo* m : prog_.modules)
            if (same_name(m->name, name)) {
                error(x.pos, "'" + name + "' is a module, not a value");
                x.type = make(TypeKind::Void);
                return;
            }
        error(x.pos, "unknown name '" + name + "'");
        x.type = make(TypeKind::Void);
    }

    // The Window property of a placed control with handlers is its own window's class.
    void window_of_control(Expr& x, ClassInfo* receiver) {
        if (x.ref == Ref::BuiltinProperty && receiver->control && same_name(x.routine->name, "Window") &&
            x.routine->owner == class_named("Control"))
            x.type = make(TypeKind::Object, receiver->control->window->cls);
    }

    // Append, Insert, Remove, Sort and UBound of an array.
    void array_member(Expr& x, bool callee) {
        static const char* const ops[] = {"Append", "Insert", "Remove", "Sort", "UBound", "Redim"};
        Type element = x.object->type.element();
        x.ref = Ref::ArrayOp;
        x.receiver = std::move(x.object);
        x.type = make(TypeKind::Void);
        std::string op;
        for (const char* o : ops)
            if (same_name(o, x.text)) op = o;
        if (op.empty()) return error(x.pos, "arrays have Append, Insert, Remove, Sort, UBound and Redim, not '" + x.text + "'");
        x.text = op;
        if (op != "UBound" && x.receiver->type.dims > 1)
            return error(x.pos, "'" + op + "' works on arrays of one dimension");
        bool numbers = element.is_int() || element.is_float();
        if (op == "Sort" && !numbers && element.kind != TypeKind::String)
            return error(x.pos, type_name(x.receiver->type) + " has no " + op);
        if (op == "UBound") x.type = make(TypeKind::Integer);
        if (!callee && op != "UBound" && op != "Sort") error(x.pos, "'" + op + "' needs its arguments");
    }

    // A property or routine named without arguments.
    void finish(Expr& x, bool callee, bool target) {
        if (callee) return;
        if (x.ref == Ref::Control && x.control_array) error(x.pos, "'" + x.text + "' is a control array: name a member with (index)");
        if (x.ref == Ref::BuiltinProperty) {
            if (!x.routine->params.empty())
                error(x.pos, "property '" + x.routine->name + "' needs " + std::to_string(x.routine->params.size()) + " index argument(s)");
            if (!target && !x.routine->has_getter) error(x.pos, "property '" + x.routine->name + "' cannot be read");
        } else if (x.ref == Ref::Routine) {
            if (!x.routine->params.empty())
                error(x.pos, "'" + x.routine->name + "' needs " + std::to_string(x.routine->params.size()) + " argument(s)");
        }
    }

    void check_call(ExprPtr& e, bool statement, bool target = false) {
        Expr& x = *e;
        if (x.kind != ExprKind::Call) {
            check_expr(e);
            return;
        }
        Expr& callee = *x.object;
        resolve(callee, true, target);
        if (callee.ref == Ref::Local && callee.type.array) {  // an element
            x.ref = Ref::Element;
            x.type = callee.type.element();
            x.receiver = std::move(x.object);
            int dims = x.receiver->type.dims;
            if (static_cast<int>(x.args.size()) != dims)
                return error(x.pos, "an element of " + type_name(x.receiver->type) + " takes " + std::to_string(dims) + " index(es)");
            for (ExprPtr& a : x.args) {
                check_expr(a);
                convert(a, make(TypeKind::Integer));
            }
            if (statement) error(x.pos, "an array element is not a statement");
            return;
        }
        if (callee.ref == Ref::ArrayOp) {
            x.ref = Ref::ArrayOp;
            x.text = callee.text;
            x.type = callee.type;
            x.receiver = std::move(callee.receiver);
            Type element = x.receiver->type.element();
            std::vector<Type> wanted;
            if (x.text == "Append") wanted = {element};
            else if (x.text == "Insert") wanted = {make(TypeKind::Integer), element};
            else if (x.text == "Remove" || x.text == "Redim") wanted = {make(TypeKind::Integer)};
            if (x.args.size() != wanted.size())
                return error(x.pos, "'" + x.text + "' takes " + std::to_string(wanted.size()) + " argument(s)");
            for (std::size_t k = 0; k < wanted.size(); ++k) {
                check_expr(x.args[k]);
                convert(x.args[k], wanted[k]);
            }
            return;
        }
        x.ref = callee.ref;
        x.routine = callee.routine;
        x.cls = callee.cls;
        x.type = callee.type;
        x.text = callee.text;
        x.control_array = callee.control_array;
        x.direct = callee.direct;
        x.receiver = std::move(callee.receiver);
        switch (x.ref) {
            case Ref::Cast: {
                if (x.args.size() != 1) {
                    error(x.pos, "a cast to " + x.cls->name + " takes one object");
                    return;
                }
                check_expr(x.args[0]);
                if (x.args[0]->type.kind != TypeKind::Object || x.args[0]->type.array)
                    error(x.args[0]->pos, "only objects can be cast to a class");
                return;
            }
            case Ref::Routine:
            case Ref::BuiltinProperty: {
                Routine& r = *x.routine;
                if (x.args.size() != r.params.size()) {
                    error(x.pos, "'" + r.name + "' takes " + std::to_string(r.params.size()) + " argument(s), not " +
                                     std::to_string(x.args.size()));
                    for (ExprPtr& a : x.args) check_expr(a);
                    return;
                }
                for (std::size_t k = 0; k < x.args.size(); ++k) {
                    check_expr(x.args[k]);
                    convert(x.args[k], r.params[k].type);
                    bool c_string = r.kind == RoutineKind::Library && r.params[k].type.kind == TypeKind::String;
                    x.keep.push_back(c_string ? add_local("$text", make(TypeKind::String), false) : nullptr);
                }
                if (x.ref == Ref::BuiltinProperty && !target && !r.has_getter) error(x.pos, "property '" + r.name + "' cannot be read");
                if (statement && x.ref == Ref::BuiltinProperty) error(x.pos, "a property is not a statement");
                if (!statement && !target && x.ref == Ref::Routine && r.result.kind == TypeKind::Void)
                    error(x.pos, "'" + r.name + "' returns no value");
                return;
            }
            case Ref::Control:
                if (x.control_array && x.args.size() == 1) {
                    check_expr(x.args[0]);
                    convert(x.args[0], make(TypeKind::Integer));
                    if (statement) error(x.pos, "a control is not a statement");
                    return;
                }
                error(x.pos, "'" + x.text + "' " + (x.control_array ? "takes one index" : "is not a control array"));
                return;
            case Ref::None: x.type = make(TypeKind::Void); return;
            default:
                if (!x.args.empty() || statement) error(x.pos, "'" + callee.text + "' cannot be called");
                x.type = make(TypeKind::Void);
        }
    }

    Program& prog_;
    Diagnostics& diags_;
    ClassInfo* variant_ = nullptr;
    ClassInfo* object_ = nullptr;
    Function* fn_ = nullptr;
    ClassInfo* cls_ = nullptr;
    static constexpr int kMaxExprDepth = 8000;  // above the parser's operator chains
    int expr_depth_ = 0;
    ScopedNames<Local*> scope_;
    NameIndex<ClassInfo*> classes_;
    std::unordered_map<const ClassInfo*, MemberIndex> members_;
    std::vector<std::pair<std::string, const Expr*>> constants_;  // of the method being checked
    std::vector<ExitWhat> loops_;
};

}  // namespace

void check_program(Program& program, Diagnostics& diags) { Checker(program, diags).run(); }

}  // namespace tavoc
