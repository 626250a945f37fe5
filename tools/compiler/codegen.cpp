#include "codegen.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>


namespace tavoc {

int CodeOutput::number_of(const Function* f) const {
    for (std::size_t i = 0; i < functions.size(); ++i)
        if (functions[i] == f) return static_cast<int>(i);
    return -1;
}

namespace {

// What a pushed stack word holds: the unwinder releases owned ones.
enum class Slot { Plain, String, Object };

// Where an expression's value is: EAX, or ST0 for Single and Double; `owned`
// for a string or object reference that this code must release.
struct Value {
    bool owned = false;
};

class CodeGen {
public:
    CodeGen(Program& program, DataBlock& data, ClassTable& classes, CodeOutput& out, Diagnostics& diags)
        : prog_(program), data_(data), classes_(classes), out_(out), a_(out.code), diags_(diags) {}

    void run(const EntryPlan& entry) {
        for (auto& f : prog_.functions) {
            numbers_[f.get()] = static_cast<int>(out_.functions.size());
            out_.functions.push_back(f.get());
        }
        for (auto& f : prog_.functions) {
            layout(*f);
            if (f->kind == FunctionKind::InstanceGetter) emit_instance_getter(*f);
            else emit_function(*f);
        }
        emit_entry(entry);
        for (auto& [field, number] : a_.function_calls)
            a_.patch_u32(field, static_cast<std::uint32_t>(out_.spans[number].start - (field + 4)));
        verify_trailer_marks();
    }

private:
    // ---- frames -------------------------------------------------------------------
    void layout(Function& f) {
        int param = 8;
        for (auto& l : f.locals)
            if (l->is_param) {
                l->offset = param;
                param += l->type.size();
            }
        int cursor = 0;
        if (f.exception_local) {
            // EBP-4: the exception; EBP-8 to EBP-16: EBX, ESI and EDI, which a
            // handler must give back to the caller as they were on entry
            // (the runtime code that raised did not restore them).
            f.exception_local->offset = -4;
            cursor = 16;
        }
        std::vector<std::unique_ptr<Local>> copies;
        for (auto& l : f.locals) {
            if (l->is_param) {
                if (l->assigned && l->type.is_ref()) {
                    auto c = std::make_unique<Local>();
                    c->name = l->name + "$copy";
                    c->type = l->type;
                    cursor += 4;
                    c->offset = -cursor;
                    l->copy = c.get();
                    copies.push_back(std::move(c));
                }
                continue;
            }
            if (l.get() == f.exception_local) continue;
            bool catch_var = false;
            for (CatchClause& c : f.catches) catch_var = catch_var || c.local == l.get();
            if (catch_var) {
                l->offset = -4;
                continue;
            }
            cursor += l->type.size();
            l->offset = -cursor;
            if (l->type.array) {
                auto o = std::make_unique<Local>();
                o->name = l->name + "$owner";
                o->type.kind = TypeKind::Object;
                o->type.cls = array_owner_class();
                cursor += 4;
                o->offset = -cursor;
                l->owner = o.get();
                copies.push_back(std::move(o));
            }
        }
        for (auto& c : copies) f.locals.push_back(std::move(c));
        // EBP-4 always belongs to the frame, as its first local or a word of
        // its own: the unwinder zeroes it in every frame it passes, and in a
        // frame without locals it would hit the return address of a call.
        f.frame_size = std::max(4, (cursor + 3) / 4 * 4);
        if (f.frame_size > kMaxLocalBytes)
            diags_.error(f.pos, "the locals of " + f.symbol + " need " + std::to_string(f.frame_size) + " bytes; at most " +
                                    std::to_string(kMaxLocalBytes) + " fit in one frame");
    }

    // The unwinder gives up on a caller frame more than 4,096 bytes above
    // its callee's; the locals leave room for the arguments and temporaries
    // of the calls the function makes.
    static constexpr int kMaxFrameDistance = 4096;
    static constexpr int kMaxLocalBytes = 3840;

    // The runtime-private class whose objects own an array local: field 24
    // the array, field 28 what its elements are (ArrayElements).
    enum ArrayElements { PlainElements = 0, StringElements = 1, ObjectElements = 2, BooleanElements = 3 };
    static constexpr int kOwnedArrayField = 24, kOwnedKindField = 28;
    ClassInfo* array_owner_class() {
        if (!array_owner_) {
            auto c = std::make_unique<ClassInfo>();
            c->name = "Sys$ArrayOwner";
            c->builtin = true;
            c->instance_size = 32;
            c->super = prog_.find_class("Object");
            c->super_name = "Object";
            array_owner_ = c.get();
            prog_.classes.push_back(std::move(c));
        }
        return array_owner_;
    }

    // Reference locals that the epilogue and the trailer release, once each.
    std::vector<Local*> reference_locals(Function& f) {
        std::vector<Local*> out;
        for (auto& l : f.locals) {
            bool catch_var = false;
            for (CatchClause& c : f.catches) catch_var = catch_var || c.local == l.get();
            if (!l->is_param && l->type.is_ref() && !catch_var) out.push_back(l.get());
        }
        return out;
    }

    // ---- stack bookkeeping ---------------------------------------------------------
    void push(Slot s) { stack_.push_back(s); }
    void pop_slots(int words) {
        a_.add_esp(4 * words);
        stack_.resize(stack_.size() - words);
    }
    static Slot slot_for(const Type& t, bool owned) {
        if (!owned) return Slot::Plain;
        return t.kind == TypeKind::String ? Slot::String : Slot::Object;
    }
    // Pushes the value just computed, in the width the callee expects.
    void push_value(const Type& t, Value v) {
        if (t.is_float() && t.kind == TypeKind::Double) {
            a_.sub_esp(8);
            a_.fstp_top(true);
            push(Slot::Plain), push(Slot::Plain);
        } else if (t.is_float()) {
            a_.sub_esp(4);
            a_.fstp_top(false);
            push(Slot::Plain);
        } else {
            a_.push_eax();
            push(slot_for(t, v.owned));
        }
    }

    // The record after a call that may raise; `no_handlers` for calls that
    // raise only from a destructor, which pass this frame's handlers.
    void call_site_record(bool no_handlers = false) {
        image::Bytes actions;
        if (in_handler_ || no_handlers) actions.push_back(7);
        int top = static_cast<int>(stack_.size()) - 1;
        if (fn_->frame_size <= kMaxLocalBytes && fn_->frame_size + 8 + 4 * static_cast<int>(stack_.size()) > kMaxFrameDistance)
            diags_.error(pos_, "expression is too deeply nested to compile");
        for (int k = top; k >= 0; --k) {
            if (stack_[k] == Slot::Plain) continue;
            int d = 4 * (top - k);
            if (d > 255) {
                diags_.error(pos_, "expression is too deeply nested to compile");
                break;
            }
            actions.push_back(stack_[k] == Slot::String ? 1 : 2);
            actions.push_back(static_cast<std::uint8_t>(d));
        }
        a_.bytes({0xEB, static_cast<std::uint8_t>(actions.size() + 2), 0x2F});
        a_.code.insert(a_.code.end(), actions.begin(), actions.end());
        a_.byte(0x00);
    }

    void call_raising(const std::string& import) {
        a_.call_import(import);
        call_site_record();
    }

    static const char* unlock_for(const Type& t) {
        return t.kind == TypeKind::String ? "RuntimeUnlockString" : "RuntimeUnlockObject";
    }
    static const char* lock_for(const Type& t) {
        return t.kind == TypeKind::String ? "RuntimeLockString" : "RuntimeLockObject";
    }

    // Drops the reference pushed last, counted as a plain stack word. A
    // destructor may raise there: the record lets the unwinder release this
    // frame's locals, but not try its handlers.
    void unlock_pushed(const Type& t) {
        a_.call_import(unlock_for(t));
        if (t.kind != TypeKind::String) call_site_record(true);
        pop_slots(1);
    }

    // Releases a reference local in the epilogue: zeroed before the release,
    // so that the trailer never finds it a second time.
    void release_local(const Local& l) {
        a_.push_local(l.offset);
        push(Slot::Plain);
        a_.zero_local(l.offset);
        unlock_pushed(l.type);
    }

    // Takes a reference to the reference in EAX, keeping EAX.
    void lock_eax(const Type& t) {
        a_.push_eax();
        a_.push_eax();
        a_.call_import(lock_for(t));
        a_.add_esp(4);
        a_.pop_eax();
    }

    // Releases the owned slots among the top `words` stack words and pops them,
    // keeping a result of type `keep` in EAX or ST0 (`keep_owned`: a reference
    // the unwinder must release if a destructor raises meanwhile).
    void release_and_pop(int words, const Type& keep, bool keep_owned = true) {
        bool any = false;
        int top = static_cast<int>(stack_.size()) - 1;
        for (int k = top; k > top - words; --k) any = any || stack_[k] != Slot::Plain;
        if (any) {
            int saved = keep.kind == TypeKind::Void ? 0 : keep.is_float() ? 8 : 4;
            if (saved == 8) a_.sub_esp(8), a_.fstp_top(true), push(Slot::Plain), push(Slot::Plain);
            else if (saved == 4) a_.push_eax(), push(slot_for(keep, keep.is_ref() && keep_owned));
            for (int k = top; k > top - words; --k) {
                if (stack_[k] == Slot::Plain) continue;
                Type released;
                released.kind = stack_[k] == Slot::String ? TypeKind::String : TypeKind::Object;
                stack_[k] = Slot::Plain;  // from here on the release below owns it
                a_.push_esp_slot(saved + 4 * (top - k));
                push(Slot::Plain);
                unlock_pushed(released);
            }
            if (saved == 8) a_.fld_top(true), pop_slots(2);
            else if (saved == 4) a_.pop_eax(), stack_.pop_back();
        }
        pop_slots(words);
    }

    void nil_check() {
        int ok = a_.new_label();
        a_.test_eax();
        a_.jcc(Cond::NE, ok);
        call_raising("RuntimeNilObject");
        a_.bind(ok);
    }

    void discard(const Type& t, Value v) {
        if (t.is_float()) a_.fpop();
        else if (t.is_ref() && v.owned) {
            a_.push_eax();
            push(Slot::Plain);
            unlock_pushed(t);
        }
    }

    // ---- functions -------------------------------------------------------------------
    void begin(Function& f) {
        fn_ = &f;
        stack_.clear();
        loops_.clear();
        in_handler_ = false;
        a_.begin_function();
        out_.spans.push_back({f.symbol, a_.here(), 0, 0});
        epilogue_ = a_.new_label();
    }

    void end_span(std::size_t trailer) {
        a_.finish_function();
        out_.spans.back().trailer = trailer;
        out_.spans.back().end = a_.here();
    }

    static void put_be16(image::Bytes& b, int v) {
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        b.push_back(static_cast<std::uint8_t>(v));
    }

    void emit_function(Function& f) {
        begin(f);
        pos_ = f.pos;
        a_.prologue();
        a_.sub_esp(f.frame_size);
        a_.xor_eax_eax();
        for (int off = -4; off >= -f.frame_size; off -= 4) a_.mov_local_eax(off);
        if (!f.catches.empty()) a_.save_callee_saved();
        for (auto& l : f.locals)
            if (l->copy) {
                a_.mov_eax_local(l->offset);
                lock_eax(l->type);
                a_.mov_local_eax(l->copy->offset);
            }
        call_raising("RuntimeStackCheck");
        for (StmtPtr& s : f.body) stmt(*s);
        if (!f.catches.empty()) a_.jmp(epilogue_);
        std::vector<std::size_t> handler_starts;
        in_handler_ = true;
        for (CatchClause& c : f.catches) {
            handler_starts.push_back(a_.here());
            // The unwinder leaves the stack pointer deep below the frame.
            a_.lea_esp_ebp(-f.frame_size);
            stack_.clear();
            for (StmtPtr& s : c.body) stmt(*s);
            if (&c != &f.catches.back()) a_.jmp(epilogue_);
        }
        in_handler_ = false;
        a_.bind(epilogue_);
        stack_.clear();
        std::vector<Local*> refs = reference_locals(f);
        for (Local* l : refs)
            if (l != f.result_local) release_local(*l);  // array owners dispose their arrays
        if (f.kind == FunctionKind::Destructor)
            for (auto& field : f.owner->fields) {
                if (!field->type.is_ref()) continue;
                a_.mov_eax_local(8);
                a_.push_field(field->offset);
                push(Slot::Plain);
                a_.zero_field(field->offset);
                unlock_pushed(field->type);
            }
        if (Local* r = f.result_local) {
            if (r->type.is_float()) a_.fld_local(r->offset, r->type.kind == TypeKind::Double);
            else a_.mov_eax_local(r->offset);
        }
        if (!f.catches.empty()) a_.restore_callee_saved();
        a_.leave_ret();
        std::size_t trailer = a_.here();
        a_.byte(0x2F);
        for (std::size_t i = 0; i < f.catches.size(); ++i) {
            a_.byte(0x04);
            put_be16(a_.code, classes_.index(f.catches[i].cls));
            std::size_t field = a_.here();
            std::uint32_t distance = static_cast<std::uint32_t>(handler_starts[i] - field);
            for (int shift = 24; shift >= 0; shift -= 8) a_.byte(static_cast<std::uint8_t>(distance >> shift));
        }
        for (Local* l : refs) {
            a_.byte(l->type.kind == TypeKind::String ? 0x05 : 0x06);
            put_be16(a_.code, l->offset);
        }
        a_.byte(0x00);
        end_span(trailer);
    }

    // The implicit instance of a window: created on first use, then shared.
    void emit_instance_getter(Function& f) {
        begin(f);
        WindowDecl& w = *f.window;
        a_.prologue();
        a_.sub_esp(f.frame_size);  // only the word at EBP-4
        a_.xor_eax_eax();
        a_.mov_local_eax(-4);
        call_raising("RuntimeStackCheck");
        int create = a_.new_label();
        a_.mov_eax_global(w.instance->data_offset);
        a_.test_eax();
        a_.jcc(Cond::E, create);
        lock_eax(f.result);
        a_.jmp(epilogue_);
        a_.bind(create);
        a_.push_data_address(w.instance->data_offset);
        a_.push_data_address(w.description_offset);
        push(Slot::Plain), push(Slot::Plain);
        call_raising("RuntimeCreateWindow");
        pop_slots(2);
        a_.bind(epilogue_);
        a_.leave_ret();
        std::size_t trailer = a_.here();
        a_.bytes({0x2F, 0x00});
        end_span(trailer);
    }

    void emit_entry(const EntryPlan& entry) {
        Function dummy;
        dummy.symbol = "$entry";
        out_.entry_function = static_cast<int>(out_.functions.size());
        out_.functions.push_back(nullptr);
        begin(dummy);
        a_.prologue();
        a_.sub_esp(8);  // EBP-4: the default window, EBP-8: RuntimeRun's result
        a_.xor_eax_eax();
        a_.mov_local_eax(-4);
        a_.mov_local_eax(-8);
        if (entry.has_plugins) a_.push_data_address(entry.plugin_list);
        else a_.push_imm(0);
        push(Slot::Plain);
        call_raising("Win32InstallPlugins");
        pop_slots(1);
        a_.byte(0x68);
        out_.project_description_field = a_.here();
        a_.data_address(0);
        push(Slot::Plain);
        call_raising("RuntimeInit");
        pop_slots(1);
        if (entry.default_window) {
            a_.call_function(numbers_.at(entry.default_window->getter));
            call_site_record();
            a_.mov_local_eax(-4);
        }
        call_raising("RuntimeRun");
        a_.mov_local_eax(-8);
        a_.push_local(-4);
        a_.call_import("RuntimeUnlockObject");
        a_.add_esp(4);
        a_.mov_eax_local(-8);
        a_.leave_ret();
        std::size_t trailer = a_.here();
        a_.bytes({0x2F, 0x06, 0xFF, 0xFC, 0x00});
        end_span(trailer);
    }

    // Known bytes of a function before its trailer must not hold the trailer
    // mark; fields that the loader writes are outside the compiler's control.
    void verify_trailer_marks() {
        std::vector<bool> patched(a_.code.size(), false);
        for (const ImportSite& s : a_.import_sites)
            for (int i = 0; i < 4; ++i) patched[s.field + i] = true;
        for (std::size_t f : a_.data_fields)
            for (int i = 0; i < 4; ++i) patched[f + i] = true;
        const image::Bytes& c = a_.code;
        for (const FunctionSpan& span : out_.spans)
            for (std::size_t i = span.start; i + 2 < span.trailer; ++i) {
                if (patched[i] || patched[i + 1] || patched[i + 2]) continue;
                if (c[i] == 0xC9 && c[i + 1] == 0xC3 && c[i + 2] == 0x2F)
                    throw std::logic_error("function " + span.symbol + " holds the trailer mark before its trailer");
            }
    }

    // ---- statements ----------------------------------------------------------------------
    void stmt(Stmt& s) {
        pos_ = s.pos;
        stack_.clear();
        switch (s.kind) {
            case StmtKind::Dim:
                if (!s.bounds.empty()) return dim_array(s);
                if (s.value) {
                    Value v = expr(*s.value);
                    store_local(*s.local, v);
                } else if (loops_.empty()) {
                    // Runs once: the local is still zero from the prologue.
                } else if (s.local->type.is_ref()) {
                    a_.xor_eax_eax();
                    store_local(*s.local, Value{true});
                } else if (s.local->type.is_float()) {
                    a_.fldz();
                    store_local(*s.local, Value{});
                } else {
                    a_.xor_eax_eax();
                    store_local(*s.local, Value{});
                }
                return;
            case StmtKind::Const: return;  // its uses became literals
            case StmtKind::Assign: return assign(s);
            case StmtKind::Call: {
                Value v = expr(*s.value);
                discard(s.value->type, v);
                return;
            }
            case StmtKind::Select:
            case StmtKind::If: {
                if (s.kind == StmtKind::Select) {
                    Value v = expr(*s.value);
                    store_local(*s.local, v);
                }
                int end = a_.new_label();
                for (std::size_t i = 0; i < s.branches.size(); ++i) {
                    int next = a_.new_label();
                    if (i < s.conditions.size()) {
                        stack_.clear();
                        expr(*s.conditions[i]);
                        a_.test_eax();
                        a_.jcc(Cond::E, next);
                    }
                    for (StmtPtr& b : s.branches[i]) stmt(*b);
                    if (i + 1 < s.branches.size()) a_.jmp(end);
                    a_.bind(next);
                }
                a_.bind(end);
                return;
            }
            case StmtKind::For: return for_loop(s);
            case StmtKind::While: {
                int top = a_.new_label(), end = a_.new_label();
                a_.bind(top);
                expr(*s.value);
                a_.test_eax();
                a_.jcc(Cond::E, end);
                loop_body(s, ExitWhat::While, end);
                a_.jmp(top);
                a_.bind(end);
                return;
            }
            case StmtKind::Do: {
                int top = a_.new_label(), end = a_.new_label();
                a_.bind(top);
                if (s.value && !s.test_at_end) {
                    expr(*s.value);
                    a_.test_eax();
                    a_.jcc(s.until ? Cond::NE : Cond::E, end);
                }
                loop_body(s, ExitWhat::Do, end);
                if (s.value && s.test_at_end) {
                    stack_.clear();
                    expr(*s.value);
                    a_.test_eax();
                    a_.jcc(s.until ? Cond::E : Cond::NE, top);
                } else {
                    a_.jmp(top);
                }
                a_.bind(end);
                return;
            }
            case StmtKind::Exit:
                if (s.exit_what == ExitWhat::Sub || s.exit_what == ExitWhat::Function) return a_.jmp(epilogue_);
                for (auto it = loops_.rbegin(); it != loops_.rend(); ++it)
                    if (it->first == s.exit_what) return a_.jmp(it->second);
                return;
            case StmtKind::Return:
                if (s.value) {
                    Value v = expr(*s.value);
                    store_local(*fn_->result_local, v);
                }
                return a_.jmp(epilogue_);
            case StmtKind::Raise: {
                Value v = expr(*s.value);
                push_value(s.value->type, v);
                call_raising("RuntimeRaiseException");
                release_and_pop(1, Type{});
                return;
            }
        }
    }

    // ---- arrays: runtime structures without reference counts ------------------------
    // The entry point for operation `op` on arrays of `element`: Int, Single,
    // Double, String and Object arrays share a pattern; Booleans use the
    // compact arrays.
    static std::string element_kind(const Type& element) {
        return element.is_int() ? "Int" : element.kind == TypeKind::Single ? "Single"
               : element.kind == TypeKind::Double ? "Double" : element.kind == TypeKind::String ? "String" : "Object";
    }

    static std::string array_entry(const std::string& op, const Type& element) {
        std::string kind = element_kind(element);
        bool flag = element.kind == TypeKind::Boolean;
        if (op == "Read") return flag ? "RuntimeFastReadBoolArray" : "RuntimeDirectRead" + kind + "Array";
        if (op == "Write") return flag ? "RuntimeFastWriteBoolArray" : "RuntimeDirectWrite" + kind + "Array";
        if (op == "UBound") return flag ? "RuntimeFastArrayUBound" : "RuntimeUBound";
        if (kind == "Single" || kind == "Double")  // the Int forms serve every array of plain elements
            if (op == "Remove" || op == "Redim") kind = "Int";
        if (op == "Redim") return flag ? "RuntimeRedimFastBoolArray" : "RuntimeRedim" + kind + "ArrayLevel";
        return flag ? "RuntimeFastBooleanArray" + op : "Runtime" + kind + "Array" + op;  // Append, Insert, Remove, Sort
    }

    // Hands the array in EAX to the local's owner object, which disposes it
    // when released: by the epilogue, or by the unwinder through the trailer.
    void give_to_owner(Local& l) {
        a_.mov_local_eax(l.offset);
        a_.mov_edx_local(l.owner->offset);
        a_.mov_edx_field_eax(kOwnedArrayField);
        Type element = l.type.element();
        ArrayElements kind = element.kind == TypeKind::Boolean ? BooleanElements
                             : element.kind == TypeKind::String ? StringElements
                             : element.kind == TypeKind::Object ? ObjectElements : PlainElements;
        a_.mov_eax_imm(kind);
        a_.mov_edx_field_eax(kOwnedKindField);
    }

    void dim_array(Stmt& s) {
        Local& l = *s.local;
        Type element = l.type.element();
        if (!loops_.empty()) {  // the array of the previous pass goes with its owner
            release_local(*l.owner);
            a_.zero_local(l.offset);
        }
        // The owner comes first, so that no moment leaves the array unowned.
        a_.push_imm(classes_.index(array_owner_class()));
        push(Slot::Plain);
        call_raising("RuntimeNewObject");
        pop_slots(1);
        a_.mov_local_eax(l.owner->offset);
        if (element.kind == TypeKind::Boolean) {
            expr(*s.bounds[0]);
            a_.push_eax();
            push(Slot::Plain);
            call_raising("RuntimeCreateFastBooleanArray");
            pop_slots(1);
            give_to_owner(l);
            return;
        }
        call_raising("RuntimeCreateArray");
        give_to_owner(l);
        for (ExprPtr& bound : s.bounds) {  // one dimension each, from 0 to its bound
            expr(*bound);
            a_.push_eax();
            a_.push_imm(0);
            a_.push_local(l.offset);
            push(Slot::Plain), push(Slot::Plain), push(Slot::Plain);
            call_raising("RuntimeArrayCreateAddIndex");
            pop_slots(3);
        }
    }

    // An element of an array of several dimensions: all indexes (and the
    // value written) are computed first, because the runtime keeps the
    // access in progress in the array itself.
    Value element_access(bool write, Expr& array, std::vector<ExprPtr>& indexes, Expr* value, const Type& result) {
        Type element = array.type.element();
        std::size_t base = stack_.size();
        int value_words = 0;
        if (write) {
            push_value(element, expr(*value));
            value_words = element.kind == TypeKind::Double ? 2 : 1;
        }
        for (ExprPtr& index : indexes) {
            expr(*index);
            a_.push_eax();
            push(Slot::Plain);
        }
        int n = static_cast<int>(indexes.size());
        for (int k = 0; k < n; ++k) {
            bool last = k == n - 1;
            int words = 0;
            if (last && write) {
                for (int w = 0; w < value_words; ++w) a_.push_esp_slot(4 * n + 4 * (value_words - 1));
                words += value_words;
            }
            a_.push_esp_slot(4 * (n - 1 - k) + 4 * words);
            a_.push_local(storage(*array.local).offset);
            for (int w = 0; w < words + 2; ++w) push(Slot::Plain);
            std::string entry = k == 0 && !last ? (write ? "RuntimeArrayStartWriteAccess" : "RuntimeArrayStartReadAccess")
                                : !last     ? (write ? "RuntimeArrayAddWriteIndex" : "RuntimeArrayAddReadIndex")
                                            : (write ? "RuntimeWrite" : "RuntimeRead") + element_kind(element) + "Array";
            call_raising(entry);
            pop_slots(words + 2);
        }
        release_and_pop(static_cast<int>(stack_.size() - base), result);
        return Value{result.is_ref()};
    }

    // Element reads and writes and the array operations, all calls of (array, ...).
    Value array_call(const std::string& op, Expr& array, std::vector<ExprPtr>& args, Expr* value, const Type& result) {
        Type element = array.type.element();
        std::size_t base = stack_.size();
        if (value) push_value(element, expr(*value));
        for (auto it = args.rbegin(); it != args.rend(); ++it) {
            Value v = expr(**it);
            push_value((*it)->type, v);
        }
        if (op == "Redim" && element.kind != TypeKind::Boolean) {
            a_.push_imm(0);  // the first dimension
            push(Slot::Plain);
        }
        expr(array);
        a_.push_eax();
        push(Slot::Plain);
        call_raising(array_entry(op, element));
        if (result.kind == TypeKind::Boolean) a_.bool_from_al();
        release_and_pop(static_cast<int>(stack_.size() - base), result);
        return Value{result.is_ref()};
    }

    void loop_body(Stmt& s, ExitWhat what, int end) {
        loops_.push_back({what, end});
        for (StmtPtr& b : s.body) stmt(*b);
        loops_.pop_back();
        stack_.clear();
    }

    void for_loop(Stmt& s) {
        Local& var = *s.target->local;
        int step = 1;
        bool constant_step = !s.step_local;
        if (s.step) step = static_cast<int>(s.step->kind == ExprKind::Integer ? s.step->int_value : -s.step->object->int_value);
        expr(*s.value);
        store_local(var, Value{});
        expr(*s.limit);
        a_.mov_local_eax(s.limit_local->offset);
        if (!constant_step) {
            expr(*s.step);
            a_.mov_local_eax(s.step_local->offset);
        }
        int top = a_.new_label(), end = a_.new_label();
        a_.bind(top);
        a_.mov_eax_local(var.offset);
        a_.mov_ecx_local(s.limit_local->offset);
        a_.cmp_eax_ecx();
        if (constant_step) {
            a_.jcc(step >= 0 ? Cond::G : Cond::L, end);
        } else {
            int down = a_.new_label(), body = a_.new_label();
            a_.push_eax();
            a_.mov_eax_local(s.step_local->offset);
            a_.test_eax();
            a_.pop_eax();  // pop keeps the flags of the test
            a_.jcc(Cond::L, down);
            a_.cmp_eax_ecx();
            a_.jcc(Cond::G, end);
            a_.jmp(body);
            a_.bind(down);
            a_.cmp_eax_ecx();
            a_.jcc(Cond::L, end);
            a_.bind(body);
        }
        loop_body(s, ExitWhat::For, end);
        if (constant_step) {
            a_.add_local_imm(var.offset, step);
        } else {
            a_.mov_ecx_local(s.step_local->offset);
            a_.add_local_ecx(var.offset);
        }
        a_.jmp(top);
        a_.bind(end);
    }

    Local& storage(Local& l) { return l.copy ? *l.copy : l; }

    // Stores the value just computed into a local variable.
    void store_local(Local& target, Value v) {
        Local& l = storage(target);
        const Type& t = l.type;
        if (t.is_float()) return a_.fstp_local(l.offset, t.kind == TypeKind::Double);
        if (!t.is_ref()) return a_.mov_local_eax(l.offset);
        if (!v.owned) lock_eax(t);
        a_.mov_ecx_local(l.offset);
        a_.mov_local_eax(l.offset);
        a_.push_ecx();
        push(Slot::Plain);
        unlock_pushed(t);
    }

    void store_global(Global& g, Value v) {
        const Type& t = g.type;
        if (t.is_float()) return a_.fstp_global(g.data_offset, t.kind == TypeKind::Double);
        if (!t.is_ref()) return a_.mov_global_eax(g.data_offset);
        if (!v.owned) lock_eax(t);
        a_.mov_ecx_global(g.data_offset);
        a_.mov_global_eax(g.data_offset);
        a_.push_ecx();
        push(Slot::Plain);
        unlock_pushed(t);
    }

    void assign(Stmt& s) {
        Expr& t = *s.target;
        switch (t.ref) {
            case Ref::Local: {
                Value v = expr(*s.value);
                return store_local(*t.local, v);
            }
            case Ref::Global: {
                Value v = expr(*s.value);
                return store_global(*t.global, v);
            }
            case Ref::Field: {
                receiver_to_stack(t.receiver.get());
                Value v = expr(*s.value);
                const Type& ft = t.field->type;
                int off = t.field->offset;
                if (ft.is_float()) {
                    a_.mov_edx_top();
                    a_.fstp_edx_field(off, ft.kind == TypeKind::Double);
                } else if (!ft.is_ref()) {
                    a_.mov_edx_top();
                    a_.mov_edx_field_eax(off);
                } else {
                    if (!v.owned) lock_eax(ft);
                    a_.mov_edx_top();
                    a_.mov_ecx_edx_field(off);
                    a_.mov_edx_field_eax(off);
                    a_.push_ecx();
                    push(Slot::Plain);
                    unlock_pushed(ft);
                }
                return release_and_pop(1, Type{});
            }
            case Ref::Element: {
                if (t.receiver->type.dims > 1) element_access(true, *t.receiver, t.args, s.value.get(), Type{});
                else array_call("Write", *t.receiver, t.args, s.value.get(), Type{});
                return;
            }
            case Ref::BuiltinProperty: {
                Type none;
                call_binding(*t.routine, t.routine->setter, t.receiver.get(), &t.args, s.value.get(), none);
                return;
            }
            default: throw std::logic_error("assignment to an unchecked target");
        }
    }

    // Pushes the object a member applies to (Me when `receiver` is null).
    void receiver_to_stack(Expr* receiver) {
        if (!receiver) {
            a_.push_local(8);
            push(Slot::Plain);
            return;
        }
        Value v = expr(*receiver);
        if (receiver->kind != ExprKind::Me && receiver->kind != ExprKind::Super) nil_check();
        a_.push_eax();
        push(slot_for(receiver->type, v.owned));
    }

    // ---- calls ------------------------------------------------------------------------------
    // Calls `routine` through `binding` (its getter, setter or method call).
    // A library routine gets the text of a String as a C string; an owned
    // String is kept in a local until the function ends.
    void c_string_argument(Value v, Local* keep) {
        if (v.owned) store_local(*keep, v);
        int empty = a_.new_label(), done = a_.new_label();
        a_.test_eax();
        a_.jcc(Cond::E, empty);
        a_.mov_eax_field(4);  // the text buffer: a length byte, then the text
        a_.inc_eax();
        a_.jmp(done);
        a_.bind(empty);
        a_.mov_eax_data_address(data_.empty_c_string());
        a_.bind(done);
        a_.push_eax();
        push(Slot::Plain);
    }

    Value call_binding(Routine& r, const Binding& b, Expr* receiver, std::vector<ExprPtr>* args, Expr* value,
                       const Type& result, const std::vector<Local*>* keep = nullptr, bool direct = false) {
        int words = 0;
        std::size_t base = stack_.size();
        for (auto it = b.args.rbegin(); it != b.args.rend(); ++it) {
            switch (it->kind) {
                case BindArg::Constant:
                    a_.push_imm(it->constant);
                    push(Slot::Plain);
                    break;
                case BindArg::Param: {
                    Expr& arg = *(*args)[it->index];
                    Value v = expr(arg);
                    if (r.kind == RoutineKind::Library && r.params[it->index].type.kind == TypeKind::String) {
                        c_string_argument(v, keep->at(it->index));
                        break;
                    }
                    push_value(r.params[it->index].type, v);
                    break;
                }
                case BindArg::Value: {
                    Value v = expr(*value);
                    push_value(r.result, v);
                    break;
                }
                case BindArg::Me: receiver_to_stack(receiver); break;
            }
        }
        words = static_cast<int>(stack_.size() - base);
        if (r.kind == RoutineKind::Interface) {
            a_.push_imm(classes_.index(r.owner));
            a_.push_imm(r.interface_number);
            a_.push_esp_slot(8);
            a_.call_import("FindInterfaceVTableCode");
            a_.add_esp(12);
            a_.call_eax();
            call_site_record();
        } else if (r.kind == RoutineKind::Application) {
            Function& f = *r.function;
            if (f.polymorphic && r.has_me && !direct) {
                a_.push_imm(f.vtable_slot);
                a_.push_esp_slot(4);
                a_.call_import("FindVTableCode");
                a_.add_esp(8);
                a_.call_eax();
            } else {
                a_.call_function(numbers_.at(&f));
            }
            call_site_record();
        } else {
            call_raising(b.entry);
            // System routines pop their own arguments; others leave them.
            // Either way the stack pointer goes back to where it belongs.
            if (r.kind == RoutineKind::Library) a_.lea_esp_ebp(-(fn_->frame_size + 4 * static_cast<int>(stack_.size())));
        }
        if (result.kind == TypeKind::Boolean) a_.bool_from_al();
        release_and_pop(words, result, !r.borrowed_result);
        return Value{result.is_ref() && !r.borrowed_result};
    }

    Value call_routine(Expr& e) {
        Routine& r = *e.routine;
        if (r.kind == RoutineKind::Application || r.kind == RoutineKind::Interface) {
            Binding b;
            if (r.has_me) b.args.push_back(BindArg{BindArg::Me, 0, 0});
            for (std::size_t k = 0; k < r.params.size(); ++k) b.args.push_back(BindArg{BindArg::Param, static_cast<int>(k), 0});
            return call_binding(r, b, e.receiver.get(), &e.args, nullptr, r.result, nullptr, e.direct);
        }
        return call_binding(r, r.binding, e.receiver.get(), &e.args, nullptr, r.result, &e.keep);
    }

    // ---- expressions -------------------------------------------------------------------------
    Value load_local(Local& target) {
        Local& l = storage(target);
        if (l.type.is_float()) a_.fld_local(l.offset, l.type.kind == TypeKind::Double);
        else a_.mov_eax_local(l.offset);
        return Value{};
    }

    Value expr(Expr& e) {
        switch (e.kind) {
            case ExprKind::Integer: a_.mov_eax_imm(static_cast<std::int32_t>(static_cast<std::uint32_t>(e.int_value))); return {};
            case ExprKind::Real:
                if (e.real_value == 0.0 && !std::signbit(e.real_value)) a_.fldz();
                else if (e.real_value == 1.0) a_.fld1();
                else a_.fld_global(data_.double_constant(e.real_value), true);
                return {};
            case ExprKind::String:
                if (e.text.empty()) a_.xor_eax_eax();
                else a_.mov_eax_data_address(data_.string_literal(e.text));
                return {};
            case ExprKind::Boolean: a_.mov_eax_imm(e.int_value ? 1 : 0); return {};
            case ExprKind::Nil: a_.xor_eax_eax(); return {};
            case ExprKind::Me:
            case ExprKind::Super: a_.mov_eax_local(8); return {};
            case ExprKind::Name:
            case ExprKind::Member:
            case ExprKind::Call: return reference(e);
            case ExprKind::Unary: return unary(e);
            case ExprKind::Binary: return binary(e);
            case ExprKind::New:
                a_.push_imm(classes_.index(e.cls));
                push(Slot::Plain);
                call_raising("RuntimeNewObject");
                pop_slots(1);
                return Value{true};
            case ExprKind::IsA: {
                Value v = expr(*e.object);
                a_.push_imm(classes_.index(e.cls));
                push(Slot::Plain);
                a_.push_eax();
                push(slot_for(e.object->type, v.owned));
                call_raising("RuntimeObjectIsa");
                a_.bool_from_al();
                release_and_pop(2, e.type);
                return {};
            }
            case ExprKind::Convert: return convert(e);
        }
        return {};
    }

    Value reference(Expr& e) {
        switch (e.ref) {
            case Ref::Local: return load_local(*e.local);
            case Ref::Global: {
                const Type& t = e.global->type;
                if (t.is_float()) a_.fld_global(e.global->data_offset, t.kind == TypeKind::Double);
                else a_.mov_eax_global(e.global->data_offset);
                return {};
            }
            case Ref::Field: return field_read(e);
            case Ref::BuiltinProperty: return call_binding(*e.routine, e.routine->binding, e.receiver.get(), &e.args, nullptr, e.type);
            case Ref::Routine: return call_routine(e);
            case Ref::Window: {
                WindowDecl* w = e.cls->window;
                a_.call_function(numbers_.at(w->getter));
                call_site_record();
                return Value{true};
            }
            case Ref::Control: {
                if (e.control_array) {
                    expr(*e.args[0]);
                    a_.push_eax();
                    push(Slot::Plain);
                }
                a_.push_data_address(data_.string_literal(e.text));
                push(Slot::Plain);
                receiver_to_stack(e.receiver.get());
                call_raising(e.control_array ? "RuntimeControlArrayItemReference" : "RuntimeControlReference");
                release_and_pop(e.control_array ? 3 : 2, e.type);
                return Value{true};
            }
            case Ref::Element:
                if (e.receiver->type.dims > 1) return element_access(false, *e.receiver, e.args, nullptr, e.type);
                return array_call("Read", *e.receiver, e.args, nullptr, e.type);
            case Ref::ArrayOp: return array_call(e.text, *e.receiver, e.args, nullptr, e.type);
            case Ref::Cast: {
                Value v = expr(*e.args[0]);
                a_.push_imm(classes_.index(e.cls));
                push(Slot::Plain);
                a_.push_eax();
                push(slot_for(e.type, v.owned));
                call_raising("RuntimeCheckCast");
                a_.mov_eax_top();
                pop_slots(2);  // the object's ownership passes to the result
                return v;
            }
            default: throw std::logic_error("unchecked reference");
        }
    }

    Value field_read(Expr& e) {
        const Type& t = e.field->type;
        bool dbl = t.kind == TypeKind::Double;
        if (!e.receiver || e.receiver->kind == ExprKind::Me || e.receiver->kind == ExprKind::Super) {
            a_.mov_eax_local(8);
        } else {
            Value rv = expr(*e.receiver);
            nil_check();
            if (rv.owned) {
                a_.push_eax();
                push(Slot::Object);
                if (t.is_float()) a_.fld_field(e.field->offset, dbl);
                else a_.mov_eax_field(e.field->offset);
                if (t.is_ref()) lock_eax(t);
                release_and_pop(1, t);
                return Value{t.is_ref()};
            }
        }
        if (t.is_float()) a_.fld_field(e.field->offset, dbl);
        else a_.mov_eax_field(e.field->offset);
        return {};
    }

    Value convert(Expr& e) {
        Expr& from_expr = *e.object;
        Type from = from_expr.type, to = e.type;
        Value v = expr(from_expr);
        bool from_variant = from.kind == TypeKind::Object && from.cls && from.cls->name == "Variant";
        bool to_variant = to.kind == TypeKind::Object && to.cls && to.cls->name == "Variant";
        if (from.is_int() && to.is_float()) {
            a_.push_eax();
            push(Slot::Plain);
            a_.call_import("IntToFP");
            pop_slots(1);
            return {};
        }
        if (from.is_float() && to.is_int()) {
            push_value(make_double(), v);
            a_.call_import("FPToInt");
            pop_slots(2);
            return {};
        }
        if (from.is_float() && to.is_float()) return {};
        if (to_variant) {
            const char* ctor = from.is_int() ? "intToVariant" : from.is_float() ? "doubleToVariant"
                               : from.kind == TypeKind::Boolean ? "booleanToVariant"
                               : from.kind == TypeKind::String ? "stringToVariant" : "objectToVariant";
            Type pushed = from.is_float() ? make_double() : from;
            std::size_t before = stack_.size();
            push_value(pushed, v);
            call_raising(ctor);
            release_and_pop(static_cast<int>(stack_.size() - before), to);
            return Value{true};
        }
        if (from_variant) {
            const char* conv = to.is_int() ? "variantToInt" : to.is_float() ? "variantToDouble"
                               : to.kind == TypeKind::Boolean ? "variantToBoolean"
                               : to.kind == TypeKind::String ? "variantToString" : "variantToObject";
            push_value(from, v);
            call_raising(conv);
            if (to.kind == TypeKind::Boolean) a_.bool_from_al();
            release_and_pop(1, to);
            return Value{to.is_ref()};
        }
        return v;
    }

    static Type make_double() {
        Type t;
        t.kind = TypeKind::Double;
        return t;
    }

    Value unary(Expr& e) {
        expr(*e.object);
        if (e.op == Op::Neg) {
            if (e.type.is_float()) a_.fchs();
            else a_.neg_eax();
        } else if (e.type.kind == TypeKind::Boolean) {
            a_.xor_eax_1();
        } else {
            a_.not_eax();
        }
        return {};
    }

    static Cond signed_cond(Op op) {
        switch (op) {
            case Op::Eq: return Cond::E;
            case Op::Ne: return Cond::NE;
            case Op::Lt: return Cond::L;
            case Op::Le: return Cond::LE;
            case Op::Gt: return Cond::G;
            default: return Cond::GE;
        }
    }
    static Cond unsigned_cond(Op op) {
        switch (op) {
            case Op::Eq: return Cond::E;
            case Op::Ne: return Cond::NE;
            case Op::Lt: return Cond::B;
            case Op::Le: return Cond::BE;
            case Op::Gt: return Cond::A;
            default: return Cond::AE;
        }
    }

    Value binary(Expr& e) {
        const Type& lt = e.object->type;
        if ((e.op == Op::And || e.op == Op::Or) && e.type.kind == TypeKind::Boolean) {
            int end = a_.new_label();
            expr(*e.object);
            a_.test_eax();
            a_.jcc(e.op == Op::And ? Cond::E : Cond::NE, end);
            expr(*e.rhs);
            a_.bind(end);
            return {};
        }
        if (e.op == Op::Concat || (lt.kind == TypeKind::String && e.type.kind == TypeKind::Boolean)) {
            Value rv = expr(*e.rhs);
            push_value(e.rhs->type, rv);
            Value lv = expr(*e.object);
            push_value(lt, lv);
            if (e.op == Op::Concat) {
                call_raising("RuntimeAddString");
                release_and_pop(2, e.type);
                return Value{true};
            }
            call_raising("RuntimeStringCompare");
            Type integer;
            integer.kind = TypeKind::Integer;
            release_and_pop(2, integer);
            a_.cmp_eax_imm(0);
            a_.setcc_eax(signed_cond(e.op));
            return {};
        }
        if (lt.is_float()) {
            expr(*e.object);
            push_value(make_double(), {});
            expr(*e.rhs);
            a_.fld_top(true);  // ST0 left, ST1 right
            pop_slots(2);
            switch (e.op) {
                case Op::Add: a_.faddp(); break;
                case Op::Sub: a_.fsub_left_right(); break;
                case Op::Mul: a_.fmulp(); break;
                case Op::Div: a_.fdiv_left_right(); break;
                default:
                    a_.fcompare_pop_both();
                    a_.setcc_eax(unsigned_cond(e.op));
            }
            return {};
        }
        // Integers, Booleans and object references.
        Value lv = expr(*e.object);
        a_.push_eax();
        push(slot_for(lt, lv.owned));
        Value rv = expr(*e.rhs);
        if (lt.is_ref() || lt.kind == TypeKind::Nil) {
            a_.push_eax();
            push(slot_for(e.rhs->type, rv.owned));
            a_.mov_eax_second();
            a_.cmp_eax_top();
            a_.setcc_eax(signed_cond(e.op));
            release_and_pop(2, e.type);
            return {};
        }
        a_.mov_ecx_eax();
        a_.pop_eax();
        stack_.pop_back();
        switch (e.op) {
            case Op::Add: a_.add_eax_ecx(); break;
            case Op::Sub: a_.sub_eax_ecx(); break;
            case Op::Mul: a_.imul_eax_ecx(); break;
            case Op::IntDiv:
            case Op::Mod: divide(e.op, *e.rhs); break;
            case Op::And: a_.and_eax_ecx(); break;
            case Op::Or: a_.or_eax_ecx(); break;
            default:
                a_.cmp_eax_ecx();
                a_.setcc_eax(signed_cond(e.op));
        }
        return {};
    }

    // EAX = EAX \ ECX or EAX Mod ECX. The processor faults on a zero
    // divisor, and on -2147483648 \ -1, which wraps like other overflows.
    void divide(Op op, const Expr& divisor) {
        bool known = divisor.kind == ExprKind::Integer;
        std::int64_t value = known ? static_cast<std::int32_t>(static_cast<std::uint32_t>(divisor.int_value)) : 0;
        int done = a_.new_label();
        if (!known || value == 0) {
            int nonzero = a_.new_label();
            a_.test_ecx();
            a_.jcc(Cond::NE, nonzero);
            raise_new("DivideByZeroException");
            a_.bind(nonzero);
        }
        if (!known || value == -1) {
            int divide = a_.new_label();
            a_.cmp_ecx_minus_one();
            a_.jcc(Cond::NE, divide);
            if (op == Op::Mod) a_.xor_eax_eax();
            else a_.neg_eax();
            a_.jmp(done);
            a_.bind(divide);
        }
        a_.idiv_ecx();
        if (op == Op::Mod) a_.mov_eax_edx();
        a_.bind(done);
    }

    // Raises a new object of a built-in exception class.
    void raise_new(const std::string& cls) {
        a_.push_imm(classes_.index(prog_.find_class(cls)));
        push(Slot::Plain);
        call_raising("RuntimeNewObject");
        pop_slots(1);
        a_.push_eax();
        push(Slot::Object);
        call_raising("RuntimeRaiseException");
        stack_.pop_back();  // never returns
    }

    Program& prog_;
    DataBlock& data_;
    ClassTable& classes_;
    CodeOutput& out_;
    Assembler& a_;
    Diagnostics& diags_;
    std::map<const Function*, int> numbers_;
    Function* fn_ = nullptr;
    std::vector<Slot> stack_;
    std::vector<std::pair<ExitWhat, int>> loops_;
    bool in_handler_ = false;
    int epilogue_ = -1;
    ClassInfo* array_owner_ = nullptr;
    Pos pos_;
};

}  // namespace

void generate_code(Program& program, DataBlock& data, ClassTable& classes, const EntryPlan& entry, CodeOutput& out,
                   Diagnostics& diags) {
    CodeGen(program, data, classes, out, diags).run(entry);
}

}  // namespace tavoc
