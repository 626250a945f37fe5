#include "parser.h"

#include <cctype>
#include <set>

namespace tavoc {

namespace {

// Words that cannot name a variable, field or method.
const std::set<std::string> kReserved = {
    "and", "as", "binding", "case", "catch", "class", "const", "control", "declare", "dim", "do", "else", "elseif", "end", "event",
    "exit", "false", "for", "function", "if", "implements", "inherits", "interface", "isa", "lib", "loop", "me", "menubar", "menuhandler",
    "mod", "module", "new", "next", "nil", "not", "or", "project", "raise", "redim", "return", "select", "super", "step", "sub", "then",
    "to", "true", "until", "wend", "while", "window"};

struct ParseError {};  // unwinds to the next declaration after a reported error

class Parser {
public:
    Parser(const std::vector<Token>& tokens, Program& program, Diagnostics& diags)
        : toks_(tokens), prog_(program), diags_(diags) {}

    void run() {
        skip_newlines();
        while (!at_end()) {
            try {
                declaration();
            } catch (ParseError&) {
                recover_to_declaration();
            }
            skip_newlines();
        }
    }

private:
    // ---- token helpers ------------------------------------------------------
    const Token& cur() const { return toks_[i_]; }
    bool at_end() const { return cur().kind == Tok::End; }
    bool is_word(const char* w, std::size_t ahead = 0) const {
        const Token& t = toks_[std::min(i_ + ahead, toks_.size() - 1)];
        return t.kind == Tok::Name && same_name(t.text, w);
    }
    bool is_punct(const char* p) const { return cur().kind == Tok::Punct && cur().text == p; }
    bool at_line_end() const { return cur().kind == Tok::Newline || cur().kind == Tok::End; }
    void advance() {
        if (!at_end()) ++i_;
    }
    bool accept_word(const char* w) {
        if (!is_word(w)) return false;
        advance();
        return true;
    }
    bool accept_punct(const char* p) {
        if (!is_punct(p)) return false;
        advance();
        return true;
    }
    [[noreturn]] void fail(const std::string& message) {
        diags_.error(cur().pos, message);
        throw ParseError{};
    }
    std::string describe() const {
        switch (cur().kind) {
            case Tok::Newline: return "end of line";
            case Tok::End: return "end of file";
            case Tok::String: return "a string";
            default: return "'" + cur().text + "'";
        }
    }
    void expect_word(const char* w) {
        if (accept_word(w)) return;
        std::string shown = w;
        shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
        fail("expected '" + shown + "' but found " + describe());
    }
    void expect_punct(const char* p) {
        if (!accept_punct(p)) fail(std::string("expected '") + p + "' but found " + describe());
    }
    void end_line() {
        if (cur().kind == Tok::End) return;
        if (cur().kind != Tok::Newline) fail("expected end of line but found " + describe());
        skip_newlines();
    }
    void skip_newlines() {
        while (cur().kind == Tok::Newline) advance();
    }
    std::string name(const char* what) {
        if (cur().kind != Tok::Name) fail(std::string("expected ") + what + " but found " + describe());
        if (kReserved.count(lower(cur().text))) fail("'" + cur().text + "' is a keyword and cannot be used as " + what);
        std::string n = cur().text;
        advance();
        return n;
    }
    std::string string_literal(const char* what) {
        if (cur().kind != Tok::String) fail(std::string("expected ") + what + " (a string) but found " + describe());
        std::string s = cur().text;
        advance();
        return s;
    }
    TypeRef type_ref() {
        TypeRef t;
        t.pos = cur().pos;
        if (cur().kind != Tok::Name) fail("expected a type name but found " + describe());
        t.name = cur().text;
        advance();
        return t;
    }
    void recover_to_declaration() {
        // Skip to the next line that starts a declaration.
        while (!at_end()) {
            bool line_end = cur().kind == Tok::Newline;
            advance();
            if (line_end && starts_declaration()) return;
        }
    }
    bool starts_declaration() const {
        return is_word("module") || is_word("class") || is_word("window") || is_word("project") || is_word("declare") ||
               is_word("menubar") || is_word("interface");
    }

    // ---- declarations -------------------------------------------------------
    void declaration() {
        if (accept_word("project")) return project();
        if (accept_word("declare")) return declare();
        if (accept_word("module")) return class_like(true, false);
        if (accept_word("class")) return class_like(false, false);
        if (accept_word("interface")) return interface_decl();
        if (accept_word("window")) return class_like(false, true);
        if (accept_word("menubar")) return menubar();
        fail("expected a declaration (Module, Class, Interface, Window, MenuBar, Project or Declare) but found " + describe());
    }

    void project() {
        ProjectDecl& p = prog_.project;
        if (p.present) diags_.error(toks_[i_ - 1].pos, "the project settings are given twice");
        p.present = true;
        p.pos = toks_[i_ - 1].pos;
        end_line();
        while (!is_word("end")) {
            if (at_end()) fail("'Project' is not closed by 'End Project'");
            if (accept_word("title")) {
                p.title = string_literal("the title");
            } else if (is_word("defaultwindow")) {
                advance();
                p.default_window_pos = cur().pos;
                p.default_window = name("a window name");
            } else if (accept_word("scriptcode")) {
                if (cur().kind != Tok::Integer) fail("expected a script code number");
                p.script_code = static_cast<std::uint32_t>(cur().int_value);
                advance();
            } else if (accept_word("mdi")) {
                if (accept_word("true")) p.mdi = true;
                else if (accept_word("false")) p.mdi = false;
                else fail("expected True or False after MDI");
            } else if (accept_word("filetype")) {
                FileTypeDecl f;
                f.name = string_literal("the file type name");
                expect_punct(",");
                f.creator = string_literal("the creator code");
                expect_punct(",");
                f.type = string_literal("the type code");
                expect_punct(",");
                f.extensions = string_literal("the extensions");
                p.file_types.push_back(f);
            } else if (accept_word("message")) {
                if (cur().kind != Tok::Integer || cur().int_value > 255) fail("expected a message number from 0 to 255");
                std::size_t index = static_cast<std::size_t>(cur().int_value);
                advance();
                expect_punct(",");
                if (p.messages.size() <= index) p.messages.resize(index + 1);
                p.messages[index] = string_literal("the message text");
            } else {
                fail("unknown project setting " + describe());
            }
            end_line();
        }
        expect_word("end");
        expect_word("project");
    }

    // Declare Class: a class that a plugin registers, with the members the
    // program uses; each member is a plugin member reference.
    void plugin_class() {
        Pos pos = cur().pos;
        ClassInfo* cls = new_class(name("a class name"), pos);
        cls->builtin = true;
        cls->instance_size = 0;  // the superclass's, unless given
        expect_word("inherits");
        cls->super_name = name("a superclass name");
        if (accept_word("size")) {
            if (cur().kind != Tok::Integer) fail("expected the instance size in bytes");
            cls->instance_size = static_cast<int>(cur().int_value);
            advance();
        }
        end_line();
        while (!is_word("end")) {
            if (at_end()) fail("'Declare Class " + cls->name + "' is not closed by 'End Class'");
            Pos mpos = cur().pos;
            if (accept_word("event")) {
                EventDef e;
                e.name = name("an event name");
                e.params = params();
                if (accept_word("as")) e.result_name = type_ref();
                cls->events.push_back(e);
                end_line();
                continue;
            }
            auto r = std::make_unique<Routine>();
            r->pos = mpos;
            r->kind = RoutineKind::Plugin;
            r->has_me = true;
            r->owner = cls;
            if (accept_word("property")) {
                r->is_property = true;
                r->name = name("a property name");
                expect_word("as");
                r->result_name = type_ref();
                r->has_getter = true;
                r->binding = {"!G" + cls->name + "!" + r->name, {BindArg{BindArg::Me, 0, 0}}};
                r->has_setter = !accept_word("readonly");
                if (r->has_setter)
                    r->setter = {"!S" + cls->name + "!" + r->name, {BindArg{BindArg::Me, 0, 0}, BindArg{BindArg::Value, 0, 0}}};
            } else {
                bool is_function = accept_word("function");
                if (!is_function) expect_word("sub");
                r->name = name("a method name");
                r->params = params();
                if (is_function) {
                    expect_word("as");
                    r->result_name = type_ref();
                }
                std::string text = r->name;
                if (accept_word("plugin")) text = string_literal("the plugin member text");
                r->binding.entry = "!M" + cls->name + "!" + text;
                r->binding.args.push_back(BindArg{BindArg::Me, 0, 0});
                for (std::size_t k = 0; k < r->params.size(); ++k)
                    r->binding.args.push_back(BindArg{BindArg::Param, static_cast<int>(k), 0});
            }
            if (r->binding.entry.size() > 255 || r->setter.entry.size() > 255) diags_.error(mpos, "import name is longer than 255 bytes");
            cls->members.push_back(std::move(r));
            end_line();
        }
        expect_word("end");
        expect_word("class");
        end_line();
    }

    void declare() {
        if (accept_word("class")) return plugin_class();
        auto r = std::make_unique<Routine>();
        r->pos = cur().pos;
        bool is_function = accept_word("function");
        if (!is_function) expect_word("sub");
        r->name = name("a routine name");
        if (accept_word("lib")) {
            r->kind = RoutineKind::Library;
            std::string lib = string_literal("the library name");
            std::string routine = r->name;
            if (accept_word("alias")) routine = string_literal("the routine name");
            r->binding.entry = "!X" + lib + "!" + routine;
        } else if (accept_word("plugin")) {
            r->kind = RoutineKind::Plugin;
            r->binding.entry = "!" + string_literal("the plugin member text");
        } else {
            fail("expected 'Lib' or 'Plugin' in a declaration");
        }
        if (r->binding.entry.size() > 255) diags_.error(r->pos, "import name is longer than 255 bytes");
        r->params = params();
        if (is_function) {
            expect_word("as");
            r->result_name = type_ref();
        }
        for (std::size_t k = 0; k < r->params.size(); ++k)
            r->binding.args.push_back(BindArg{BindArg::Param, static_cast<int>(k), 0});
        end_line();
        prog_.globals.push_back(std::move(r));
    }

    std::vector<Param> params() {
        std::vector<Param> out;
        if (!accept_punct("(")) return out;
        if (accept_punct(")")) return out;
        do {
            Param p;
            p.pos = cur().pos;
            p.name = name("a parameter name");
            bool array = false;
            int dims = 1;
            if (accept_punct("(")) {
                while (accept_punct(",")) ++dims;
                expect_punct(")");
                array = true;
            }
            expect_word("as");
            p.type_name = type_ref();
            p.type_name.array = array;
            p.type_name.dims = dims;
            out.push_back(p);
        } while (accept_punct(","));
        expect_punct(")");
        return out;
    }

    ClassInfo* new_class(const std::string& n, Pos pos) {
        auto c = std::make_unique<ClassInfo>();
        c->name = n;
        c->pos = pos;
        prog_.classes.push_back(std::move(c));
        return prog_.classes.back().get();
    }

    void class_like(bool is_module, bool is_window) {
        const char* word = is_module ? "module" : is_window ? "window" : "class";
        Pos pos = cur().pos;
        std::string n = name(is_module ? "a module name" : is_window ? "a window name" : "a class name");
        ClassInfo* cls = new_class(n, pos);
        cls->is_module = is_module;
        if (is_module) prog_.modules.push_back(cls);
        WindowDecl* win = nullptr;
        if (is_window) {
            auto w = std::make_unique<WindowDecl>();
            w->name = n;
            w->pos = pos;
            w->cls = cls;
            cls->window = w.get();
            win = w.get();
            prog_.windows.push_back(std::move(w));
            cls->super_name = "Window";
        } else if (!is_module) {
            cls->super_name = "Object";
        }
        if (!is_module && accept_word("inherits")) cls->super_name = name("a superclass name");
        if (!is_module && accept_word("implements")) {
            do cls->interface_names.push_back(type_ref());
            while (accept_punct(","));
        }
        end_line();
        while (!is_word("end")) {
            if (at_end()) {
                std::string shown = is_module ? "Module" : is_window ? "Window" : "Class";
                fail("'" + shown + " " + n + "' is not closed by 'End " + shown + "'");
            }
            member(cls, win);
        }
        expect_word("end");
        expect_word(word);
        end_line();
    }

    void member(ClassInfo* cls, WindowDecl* win) {
        if (accept_word("dim")) {
            Pos pos = cur().pos;
            std::string n = name("a property name");
            expect_word("as");
            TypeRef t = type_ref();
            end_line();
            if (cls->is_module) {
                auto g = std::make_unique<Global>();
                g->name = n;
                g->pos = pos;
                g->type_name = t;
                cls->globals.push_back(g.get());
                prog_.global_vars.push_back(std::move(g));
            } else {
                auto f = std::make_unique<Field>();
                f->name = n;
                f->pos = pos;
                f->type_name = t;
                cls->fields.push_back(std::move(f));
            }
            return;
        }
        if (accept_word("const")) {
            cls->constants.push_back(constant());
            end_line();
            return;
        }
        if (accept_word("auto")) {
            if (!cls->is_module) fail("'Auto' properties belong in modules");
            expect_word("dim");
            auto g = std::make_unique<Global>();
            g->pos = cur().pos;
            g->name = name("a property name");
            expect_word("as");
            g->type_name = type_ref();
            end_line();
            cls->globals.push_back(g.get());
            prog_.auto_objects.push_back(AutoObject{g.get(), nullptr});
            prog_.global_vars.push_back(std::move(g));
            return;
        }
        if (win && accept_word("control")) return control(win);
        if (win && accept_word("binding")) return binding(win);
        if (win && cur().kind == Tok::Name && i_ + 1 < toks_.size() && toks_[i_ + 1].kind == Tok::Punct &&
            toks_[i_ + 1].text == "=") {
            win->properties.push_back(property_value());
            return;
        }
        function(cls);
    }

    // Interface Name, then method signatures without bodies.
    void interface_decl() {
        Pos pos = cur().pos;
        ClassInfo* cls = new_class(name("an interface name"), pos);
        cls->is_interface = true;
        end_line();
        while (!is_word("end")) {
            if (at_end()) fail("'Interface " + cls->name + "' is not closed by 'End Interface'");
            auto r = std::make_unique<Routine>();
            r->pos = cur().pos;
            bool is_function = accept_word("function");
            if (!is_function) expect_word("sub");
            r->name = name("a method name");
            r->kind = RoutineKind::Interface;
            r->has_me = true;
            r->owner = cls;
            r->params = params();
            if (is_function) {
                expect_word("as");
                r->result_name = type_ref();
            }
            r->interface_number = static_cast<int>(cls->members.size()) + 1;
            cls->members.push_back(std::move(r));
            end_line();
        }
        expect_word("end");
        expect_word("interface");
        end_line();
    }

    void binding(WindowDecl* win) {
        BindingDecl b;
        b.pos = toks_[i_ - 1].pos;
        b.source_pos = cur().pos;
        b.source = name("the source control");
        b.source_interface = string_literal("the source interface name");
        if (accept_word("part")) b.source_part = string_literal("the source part name");
        expect_word("to");
        b.target_pos = cur().pos;
        b.target = name("the target control");
        b.target_interface = string_literal("the target interface name");
        if (accept_word("part")) b.target_part = string_literal("the target part name");
        expect_word("using");
        b.binder_name = type_ref();
        end_line();
        win->bindings.push_back(b);
    }

    // Const NAME = a number, a string, True or False.
    ConstDecl constant() {
        ConstDecl c;
        c.pos = cur().pos;
        c.name = name("a constant name");
        expect_punct("=");
        Pos pos = cur().pos;
        ExprPtr e = expr();
        bool negative_number = e->kind == ExprKind::Unary && e->op == Op::Neg &&
                               (e->object->kind == ExprKind::Integer || e->object->kind == ExprKind::Real);
        if (negative_number) {
            ExprPtr n = std::move(e->object);
            n->int_value = -n->int_value;
            n->real_value = -n->real_value;
            e = std::move(n);
        }
        if (e->kind != ExprKind::Integer && e->kind != ExprKind::Real && e->kind != ExprKind::String && e->kind != ExprKind::Boolean) {
            diags_.error(pos, "a constant is a number, a string, True or False");
            throw ParseError{};
        }
        c.value = std::move(e);
        return c;
    }

    PropertyValue property_value() {
        PropertyValue p;
        p.pos = cur().pos;
        p.name = cur().text;
        advance();
        expect_punct("=");
        Pos pos = cur().pos;
        bool negative = accept_punct("-");
        const Token& t = cur();
        ExprPtr e;
        if (t.kind == Tok::Integer) {
            e = std::make_unique<Expr>(ExprKind::Integer, pos);
            e->int_value = negative ? -t.int_value : t.int_value;
        } else if (t.kind == Tok::String && !negative) {
            e = std::make_unique<Expr>(ExprKind::String, pos);
            e->text = t.text;
            // Texts with line breaks: "a" + Chr(13) + "b", joined here.
            advance();
            while (accept_punct("+")) {
                if (cur().kind == Tok::String) {
                    e->text += cur().text;
                    advance();
                } else if (accept_word("chr")) {
                    expect_punct("(");
                    if (cur().kind != Tok::Integer || cur().int_value < 0 || cur().int_value > 255)
                        fail("expected a character code from 0 to 255");
                    e->text += static_cast<char>(cur().int_value);
                    advance();
                    expect_punct(")");
                } else {
                    fail("a text property value joins string literals and Chr(n) with +");
                }
            }
            p.value = std::move(e);
            end_line();
            return p;
        } else if (!negative && (is_word("true") || is_word("false"))) {
            e = std::make_unique<Expr>(ExprKind::Boolean, pos);
            e->int_value = is_word("true");
        } else {
            fail("a property value must be a number, a string, True or False");
        }
        advance();
        p.value = std::move(e);
        end_line();
        return p;
    }

    void control(WindowDecl* win) {
        auto c = std::make_unique<ControlDecl>();
        c->pos = cur().pos;
        c->window = win;
        c->name = name("a control name");
        if (accept_punct("(")) {
            if (cur().kind != Tok::Integer) fail("expected the control's index");
            c->has_index = true;
            c->index = static_cast<std::int32_t>(cur().int_value);
            advance();
            expect_punct(")");
        }
        expect_word("as");
        c->class_name = type_ref();
        end_line();
        ClassInfo* sub = nullptr;
        while (!is_word("end")) {
            if (at_end()) fail("'Control " + c->name + "' is not closed by 'End Control'");
            if (cur().kind == Tok::Name && toks_[i_ + 1].kind == Tok::Punct && toks_[i_ + 1].text == "=") {
                c->properties.push_back(property_value());
                continue;
            }
            if (!is_word("event") && !is_word("menuhandler"))
                fail("a control holds property values, event handlers and menu handlers, not " + describe());
            if (!sub) {
                sub = new_class("", c->pos);
                sub->label = win->name + "." + c->name;
                sub->super_name = c->class_name.name;
                sub->control = c.get();
            }
            function(sub);
        }
        expect_word("end");
        expect_word("control");
        end_line();
        c->cls = sub;
        win->controls.push_back(std::move(c));
    }

    void function(ClassInfo* cls) {
        Pos pos = cur().pos;
        FunctionKind kind;
        const char* closer;
        if (accept_word("sub")) kind = FunctionKind::Sub, closer = "sub";
        else if (accept_word("function")) kind = FunctionKind::Function, closer = "function";
        else if (accept_word("event")) kind = FunctionKind::Event, closer = "event";
        else if (accept_word("menuhandler")) kind = FunctionKind::MenuHandler, closer = "menuhandler";
        else fail("expected Dim, Sub, Function, Event or MenuHandler but found " + describe());
        if (cls->is_module && (kind == FunctionKind::Event || kind == FunctionKind::MenuHandler))
            diags_.error(pos, "modules have no event or menu handlers");
        auto f = std::make_unique<Function>();
        f->pos = pos;
        f->kind = kind;
        f->owner = cls;
        f->name = name("a name");
        if (kind == FunctionKind::Sub && same_name(f->name, "constructor")) f->kind = FunctionKind::Constructor;
        if (kind == FunctionKind::Sub && same_name(f->name, "destructor")) f->kind = FunctionKind::Destructor;
        f->params = params();
        if (accept_word("as")) {
            if (kind == FunctionKind::Sub) fail("a Sub has no result type");
            f->result_name = type_ref();
        } else if (kind == FunctionKind::Function) {
            fail("a Function needs a result type ('As Type')");
        }
        end_line();
        f->body = block();
        while (is_word("catch")) {
            CatchClause c;
            c.pos = cur().pos;
            advance();
            c.var = name("the exception variable");
            expect_word("as");
            c.class_name = type_ref();
            end_line();
            c.body = block();
            f->catches.push_back(std::move(c));
        }
        expect_word("end");
        expect_word(closer);
        end_line();
        Function* raw = f.get();
        prog_.functions.push_back(std::move(f));
        switch (raw->kind) {
            case FunctionKind::Event: cls->handlers.push_back(raw); break;
            case FunctionKind::MenuHandler: cls->menu_handlers.push_back(raw); break;
            default: cls->methods.push_back(raw); break;
        }
    }

    void menubar() {
        if (prog_.has_menu_bar) diags_.error(toks_[i_ - 1].pos, "there is already a menu bar");
        prog_.has_menu_bar = true;
        end_line();
        while (!is_word("end")) {
            if (at_end()) fail("'MenuBar' is not closed by 'End MenuBar'");
            MenuDecl m;
            m.pos = cur().pos;
            expect_word("menu");
            m.name = name("a menu name");
            m.title = string_literal("the menu title");
            end_line();
            m.items = menu_items();
            expect_word("end");
            expect_word("menu");
            end_line();
            prog_.menus.push_back(std::move(m));
        }
        expect_word("end");
        expect_word("menubar");
    }

    std::vector<MenuItemDecl> menu_items() {
        Nesting level(*this, menus_, "menus");
        std::vector<MenuItemDecl> items;
        while (!is_word("end")) {
            if (at_end()) fail("'Menu' is not closed by 'End Menu'");
            MenuItemDecl item;
            item.pos = cur().pos;
            if (accept_word("separator")) {
                item.text = "-";
                end_line();
                items.push_back(item);
                continue;
            }
            bool submenu = accept_word("menu");
            if (!submenu) expect_word("item");
            item.name = name("a menu item name");
            if (accept_punct("(")) {
                if (cur().kind != Tok::Integer) fail("expected the item's index");
                item.has_index = true;
                item.index = static_cast<std::int32_t>(cur().int_value);
                advance();
                expect_punct(")");
            }
            item.text = string_literal("the item text");
            for (;;) {
                if (accept_word("key")) item.key = string_literal("the shortcut key");
                else if (accept_word("class")) item.class_name = type_ref();
                else break;
            }
            end_line();
            if (submenu) {
                item.items = menu_items();
                expect_word("end");
                expect_word("menu");
                end_line();
            }
            items.push_back(std::move(item));
        }
        return items;
    }

    // ---- statements ---------------------------------------------------------
    bool block_ends() const {
        return is_word("end") || is_word("else") || is_word("elseif") || is_word("next") || is_word("wend") ||
               is_word("loop") || is_word("catch") || is_word("case") || at_end();
    }

    std::vector<StmtPtr> block() {
        Nesting level(*this, blocks_, "statements");
        std::vector<StmtPtr> out;
        while (!block_ends()) {
            try {
                out.push_back(statement());
                end_line();
            } catch (ParseError&) {  // report, skip the line, go on with the next statement
                while (!at_line_end()) advance();
                skip_newlines();
            }
        }
        return out;
    }

    StmtPtr statement() {
        operators_ = 0;
        Pos pos = cur().pos;
        if (accept_word("dim")) {
            auto s = std::make_unique<Stmt>(StmtKind::Dim, pos);
            s->name = name("a variable name");
            if (accept_punct("(")) {
                do s->bounds.push_back(expr());
                while (accept_punct(","));
                expect_punct(")");
            }
            expect_word("as");
            s->type_name = type_ref();
            s->type_name.array = !s->bounds.empty();
            s->type_name.dims = static_cast<int>(s->bounds.size());
            if (accept_punct("=")) {
                if (!s->bounds.empty()) fail("an array starts empty and has no initial value");
                s->value = expr();
            }
            return s;
        }
        if (accept_word("if")) return if_statement(pos);
        if (accept_word("select")) return select_statement(pos);
        if (accept_word("const")) {
            auto s = std::make_unique<Stmt>(StmtKind::Const, pos);
            ConstDecl c = constant();
            s->name = c.name;
            s->value = std::move(c.value);
            return s;
        }
        if (accept_word("for")) {
            auto s = std::make_unique<Stmt>(StmtKind::For, pos);
            Pos vpos = cur().pos;
            s->target = std::make_unique<Expr>(ExprKind::Name, vpos);
            s->target->text = name("the loop variable");
            expect_punct("=");
            s->value = expr();
            expect_word("to");
            s->limit = expr();
            if (accept_word("step")) s->step = expr();
            end_line();
            s->body = block();
            expect_word("next");
            if (cur().kind == Tok::Name && !same_name(name("the loop variable"), s->target->text))
                diags_.error(toks_[i_ - 1].pos, "'Next' names another variable than its 'For'");
            return s;
        }
        if (accept_word("while")) {
            auto s = std::make_unique<Stmt>(StmtKind::While, pos);
            s->value = expr();
            end_line();
            s->body = block();
            expect_word("wend");
            return s;
        }
        if (accept_word("do")) {
            auto s = std::make_unique<Stmt>(StmtKind::Do, pos);
            if (is_word("while") || is_word("until")) {
                s->until = is_word("until");
                advance();
                s->value = expr();
            }
            end_line();
            s->body = block();
            expect_word("loop");
            if (is_word("while") || is_word("until")) {
                if (s->value) fail("a Do loop has its condition at its start or its end, not both");
                s->until = is_word("until");
                s->test_at_end = true;
                advance();
                s->value = expr();
            }
            return s;
        }
        if (accept_word("exit")) {
            auto s = std::make_unique<Stmt>(StmtKind::Exit, pos);
            if (accept_word("sub")) s->exit_what = ExitWhat::Sub;
            else if (accept_word("function")) s->exit_what = ExitWhat::Function;
            else if (accept_word("for")) s->exit_what = ExitWhat::For;
            else if (accept_word("while")) s->exit_what = ExitWhat::While;
            else if (accept_word("do")) s->exit_what = ExitWhat::Do;
            else if (accept_word("event") || accept_word("menuhandler")) s->exit_what = ExitWhat::Sub;
            else fail("expected Sub, Function, Event, MenuHandler, For, While or Do after 'Exit'");
            return s;
        }
        if (accept_word("return")) {
            auto s = std::make_unique<Stmt>(StmtKind::Return, pos);
            if (!at_line_end()) s->value = expr();
            return s;
        }
        if (accept_word("redim")) {  // Redim a(upper): a call of the array's Redim
            auto array = std::make_unique<Expr>(ExprKind::Name, cur().pos);
            array->text = name("an array name");
            auto member = std::make_unique<Expr>(ExprKind::Member, pos);
            member->text = "Redim";
            member->object = std::move(array);
            auto call = std::make_unique<Expr>(ExprKind::Call, pos);
            call->object = std::move(member);
            expect_punct("(");
            call->args.push_back(expr());
            expect_punct(")");
            auto s = std::make_unique<Stmt>(StmtKind::Call, pos);
            s->value = std::move(call);
            return s;
        }
        if (accept_word("raise")) {
            auto s = std::make_unique<Stmt>(StmtKind::Raise, pos);
            s->value = expr();
            return s;
        }
        ExprPtr target = postfix();
        if (accept_punct("=")) {
            auto s = std::make_unique<Stmt>(StmtKind::Assign, pos);
            s->target = std::move(target);
            s->value = expr();
            return s;
        }
        auto s = std::make_unique<Stmt>(StmtKind::Call, pos);
        if (target->kind != ExprKind::Call) {
            if (target->kind != ExprKind::Name && target->kind != ExprKind::Member)
                fail("expected a statement but found an expression");
            auto call = std::make_unique<Expr>(ExprKind::Call, target->pos);
            call->object = std::move(target);
            if (!at_line_end() && !is_word("else")) {
                do call->args.push_back(expr());
                while (accept_punct(","));
            }
            target = std::move(call);
        }
        s->value = std::move(target);
        return s;
    }

    // Select Case x / Case a, b To c / Case Else / End Select: the selector is
    // kept in a hidden variable that each Case compares with.
    StmtPtr select_statement(Pos pos) {
        expect_word("case");
        auto s = std::make_unique<Stmt>(StmtKind::Select, pos);
        s->value = expr();
        s->name = "$select" + std::to_string(selects_++);
        end_line();
        while (accept_word("case")) {
            if (accept_word("else")) {
                end_line();
                s->branches.push_back(block());
                break;
            }
            ExprPtr condition;
            do {
                Pos item = cur().pos;
                ExprPtr first = expr();
                ExprPtr test;
                if (accept_word("to")) {
                    ExprPtr last = expr();
                    test = binary(Op::And, binary(Op::Ge, selector(s->name, item), std::move(first), item),
                                  binary(Op::Le, selector(s->name, item), std::move(last), item), item);
                } else {
                    test = binary(Op::Eq, selector(s->name, item), std::move(first), item);
                }
                condition = condition ? binary(Op::Or, std::move(condition), std::move(test), item) : std::move(test);
            } while (accept_punct(","));
            end_line();
            s->conditions.push_back(std::move(condition));
            s->branches.push_back(block());
        }
        expect_word("end");
        expect_word("select");
        return s;
    }

    ExprPtr selector(const std::string& hidden, Pos pos) {
        auto e = std::make_unique<Expr>(ExprKind::Name, pos);
        e->text = hidden;
        return e;
    }

    StmtPtr if_statement(Pos pos) {
        auto s = std::make_unique<Stmt>(StmtKind::If, pos);
        s->conditions.push_back(expr());
        expect_word("then");
        if (!at_line_end()) {  // one-line If
            Nesting level(*this, blocks_, "statements");
            std::vector<StmtPtr> then;
            then.push_back(statement());
            s->branches.push_back(std::move(then));
            if (accept_word("else")) {
                std::vector<StmtPtr> other;
                other.push_back(statement());
                s->branches.push_back(std::move(other));
            }
            return s;
        }
        end_line();
        s->branches.push_back(block());
        for (;;) {
            if (accept_word("elseif")) {
                s->conditions.push_back(expr());
                expect_word("then");
                end_line();
                s->branches.push_back(block());
            } else if (accept_word("else")) {
                if (is_word("if")) fail("write 'ElseIf', not 'Else If'");
                end_line();
                s->branches.push_back(block());
                break;
            } else {
                break;
            }
        }
        expect_word("end");
        expect_word("if");
        return s;
    }

    // ---- expressions --------------------------------------------------------
    ExprPtr binary(Op op, ExprPtr lhs, ExprPtr rhs, Pos pos) {
        if (++operators_ > kMaxOperators) fail("expression is too long");
        auto e = std::make_unique<Expr>(ExprKind::Binary, pos);
        e->op = op;
        e->object = std::move(lhs);
        e->rhs = std::move(rhs);
        return e;
    }

    ExprPtr expr() {
        Nesting level(*this, depth_, "expressions");
        return or_expr();
    }

    ExprPtr or_expr() {
        ExprPtr e = and_expr();
        while (is_word("or")) {
            Pos pos = cur().pos;
            advance();
            e = binary(Op::Or, std::move(e), and_expr(), pos);
        }
        return e;
    }
    ExprPtr and_expr() {
        ExprPtr e = not_expr();
        while (is_word("and")) {
            Pos pos = cur().pos;
            advance();
            e = binary(Op::And, std::move(e), not_expr(), pos);
        }
        return e;
    }
    ExprPtr not_expr() {
        if (is_word("not")) {
            Nesting level(*this, depth_, "expressions");
            auto e = std::make_unique<Expr>(ExprKind::Unary, cur().pos);
            advance();
            e->op = Op::Not;
            e->object = not_expr();
            return e;
        }
        return comparison();
    }
    ExprPtr comparison() {
        ExprPtr e = concat();
        for (;;) {
            Pos pos = cur().pos;
            if (is_word("isa")) {
                advance();
                auto isa = std::make_unique<Expr>(ExprKind::IsA, pos);
                isa->object = std::move(e);
                isa->text = name("a class name");
                e = std::move(isa);
                continue;
            }
            static const std::pair<const char*, Op> ops[] = {{"=", Op::Eq}, {"<>", Op::Ne}, {"<", Op::Lt},
                                                             {"<=", Op::Le}, {">", Op::Gt}, {">=", Op::Ge}};
            bool found = false;
            for (auto& [text, op] : ops) {
                if (is_punct(text)) {
                    advance();
                    e = binary(op, std::move(e), concat(), pos);
                    found = true;
                    break;
                }
            }
            if (!found) return e;
        }
    }
    ExprPtr concat() {
        ExprPtr e = additive();
        while (is_punct("&")) {
            Pos pos = cur().pos;
            advance();
            e = binary(Op::Concat, std::move(e), additive(), pos);
        }
        return e;
    }
    ExprPtr additive() {
        ExprPtr e = modulo();
        while (is_punct("+") || is_punct("-")) {
            Pos pos = cur().pos;
            Op op = is_punct("+") ? Op::Add : Op::Sub;
            advance();
            e = binary(op, std::move(e), modulo(), pos);
        }
        return e;
    }
    ExprPtr modulo() {
        ExprPtr e = int_division();
        while (is_word("mod")) {
            Pos pos = cur().pos;
            advance();
            e = binary(Op::Mod, std::move(e), int_division(), pos);
        }
        return e;
    }
    ExprPtr int_division() {
        ExprPtr e = multiplicative();
        while (is_punct("\\")) {
            Pos pos = cur().pos;
            advance();
            e = binary(Op::IntDiv, std::move(e), multiplicative(), pos);
        }
        return e;
    }
    ExprPtr multiplicative() {
        ExprPtr e = unary();
        while (is_punct("*") || is_punct("/")) {
            Pos pos = cur().pos;
            Op op = is_punct("*") ? Op::Mul : Op::Div;
            advance();
            e = binary(op, std::move(e), unary(), pos);
        }
        return e;
    }
    ExprPtr unary() {
        if (is_punct("-")) {
            Nesting level(*this, depth_, "expressions");
            auto e = std::make_unique<Expr>(ExprKind::Unary, cur().pos);
            advance();
            e->op = Op::Neg;
            e->object = unary();
            return e;
        }
        return postfix();
    }

    // Each member or call of a chain is one level more for the later stages.
    ExprPtr postfix() {
        ExprPtr e = primary();
        std::vector<Nesting> chain;
        for (;;) {
            if (is_punct(".")) {
                chain.emplace_back(*this, depth_, "expressions");
                advance();
                auto m = std::make_unique<Expr>(ExprKind::Member, cur().pos);
                if (cur().kind != Tok::Name) fail("expected a member name after '.'");
                m->text = cur().text;
                advance();
                m->object = std::move(e);
                e = std::move(m);
            } else if (is_punct("(") && (e->kind == ExprKind::Name || e->kind == ExprKind::Member)) {
                chain.emplace_back(*this, depth_, "expressions");
                auto c = std::make_unique<Expr>(ExprKind::Call, e->pos);
                advance();
                if (!accept_punct(")")) {
                    do c->args.push_back(expr());
                    while (accept_punct(","));
                    expect_punct(")");
                }
                c->object = std::move(e);
                e = std::move(c);
            } else {
                return e;
            }
        }
    }

    ExprPtr primary() {
        const Token& t = cur();
        Pos pos = t.pos;
        switch (t.kind) {
            case Tok::Integer: {
                auto e = std::make_unique<Expr>(ExprKind::Integer, pos);
                e->int_value = t.int_value;
                advance();
                return e;
            }
            case Tok::Real: {
                auto e = std::make_unique<Expr>(ExprKind::Real, pos);
                e->real_value = t.real_value;
                advance();
                return e;
            }
            case Tok::String: {
                auto e = std::make_unique<Expr>(ExprKind::String, pos);
                e->text = t.text;
                advance();
                return e;
            }
            case Tok::Punct:
                if (accept_punct("(")) {
                    ExprPtr e = expr();
                    expect_punct(")");
                    return e;
                }
                break;
            case Tok::Name: {
                if (accept_word("true") || accept_word("false")) {
                    auto e = std::make_unique<Expr>(ExprKind::Boolean, pos);
                    e->int_value = same_name(toks_[i_ - 1].text, "true");
                    return e;
                }
                if (accept_word("nil")) return std::make_unique<Expr>(ExprKind::Nil, pos);
                if (accept_word("me")) return std::make_unique<Expr>(ExprKind::Me, pos);
                if (accept_word("super")) return std::make_unique<Expr>(ExprKind::Super, pos);
                if (accept_word("new")) {
                    auto e = std::make_unique<Expr>(ExprKind::New, pos);
                    e->text = name("a class name");
                    return e;
                }
                if (kReserved.count(lower(t.text))) break;
                auto e = std::make_unique<Expr>(ExprKind::Name, pos);
                e->text = t.text;
                advance();
                return e;
            }
            default: break;
        }
        fail("expected an expression but found " + describe());
    }

    // Nesting is bounded so that no source can exhaust the compiler's stack:
    // every recursive path of the parser, and of the stages that walk its
    // trees, passes one of these levels.
    class Nesting {
    public:
        Nesting(Parser& parser, int& level, const char* what) : level_(&level) {
            if (++*level_ > kMaxDepth) {
                --*level_;
                parser.fail(std::string(what) + " are nested too deeply");
            }
        }
        Nesting(Nesting&& other) noexcept : level_(other.level_) { other.level_ = nullptr; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;
        Nesting& operator=(Nesting&&) = delete;
        ~Nesting() {
            if (level_) --*level_;
        }

    private:
        int* level_;
    };

    static constexpr int kMaxDepth = 200;
    static constexpr int kMaxOperators = 5000;  // the later stages recurse along operator chains
    const std::vector<Token>& toks_;
    Program& prog_;
    Diagnostics& diags_;
    std::size_t i_ = 0;
    int depth_ = 0;
    int blocks_ = 0;
    int menus_ = 0;
    int operators_ = 0;
    int selects_ = 0;
};

}  // namespace

void parse_file(const std::vector<Token>& tokens, Program& program, Diagnostics& diags) {
    Parser(tokens, program, diags).run();
}

}  // namespace tavoc
