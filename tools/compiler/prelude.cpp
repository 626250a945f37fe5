#include "prelude.h"

#include "exports.h"
#include "lexer.h"

namespace tavoc {

namespace {

class PreludeReader {
public:
    PreludeReader(const std::vector<Token>& tokens, Program& program, Diagnostics& diags)
        : toks_(tokens), prog_(program), diags_(diags) {}

    void run() {
        while (cur().kind != Tok::End) {
            if (cur().kind == Tok::Newline) {
                ++i_;
                continue;
            }
            Pos pos = cur().pos;
            std::string word = lower(take_name());
            if (word == "class") read_class(pos);
            else if (word == "function") read_routine(pos, nullptr, false);
            else if (!cls_) error(pos, "'" + word + "' outside a class");
            else if (word == "event") read_event();
            else if (word == "property") read_property(pos);
            else if (word == "method") read_routine(pos, cls_, true);
            else if (word == "design") read_design();
            else error(pos, "unknown prelude line '" + word + "'");
            skip_line();
        }
    }

private:
    const Token& cur() const { return toks_[i_]; }
    bool is_word(const char* w) const { return cur().kind == Tok::Name && same_name(cur().text, w); }
    bool is_punct(const char* p) const { return cur().kind == Tok::Punct && cur().text == p; }
    void error(Pos pos, const std::string& message) {
        pos.file = -1;
        diags_.error(pos, "prelude: " + message);
    }
    std::string take_name() {
        if (cur().kind != Tok::Name) {
            error(cur().pos, "expected a name");
            return "";
        }
        return toks_[i_++].text;
    }
    void skip_line() {
        if (cur().kind != Tok::Newline && cur().kind != Tok::End) error(cur().pos, "unexpected '" + cur().text + "'");
        while (cur().kind != Tok::Newline && cur().kind != Tok::End) ++i_;
    }
    TypeRef type_ref() {
        TypeRef t;
        t.pos = cur().pos;
        t.pos.file = -1;
        t.name = take_name();
        return t;
    }
    std::vector<Param> params() {
        std::vector<Param> out;
        if (!is_punct("(")) return out;
        ++i_;
        while (!is_punct(")") && cur().kind == Tok::Name) {
            Param p;
            p.pos = cur().pos;
            p.name = take_name();
            // name() or name(,): an array parameter of one or two dimensions
            bool array = false;
            int dims = 1;
            if (is_punct("(")) {
                array = true;
                for (++i_; is_punct(","); ++i_) ++dims;
                if (is_punct(")")) ++i_;
                else error(cur().pos, "expected ')'");
            }
            if (!is_word("as")) error(cur().pos, "expected 'As'");
            ++i_;
            p.type_name = type_ref();
            p.type_name.array = array;
            p.type_name.dims = dims;
            out.push_back(p);
            if (is_punct(",")) ++i_;
        }
        if (is_punct(")")) ++i_;
        else error(cur().pos, "expected ')'");
        return out;
    }

    void read_class(Pos pos) {
        auto c = std::make_unique<ClassInfo>();
        c->builtin = true;
        c->pos = pos;
        c->pos.file = -1;
        c->name = take_name();
        if (cur().kind == Tok::Integer) c->instance_size = static_cast<int>(toks_[i_++].int_value);
        else error(cur().pos, "expected the instance size");
        if (cur().kind == Tok::Name) c->super_name = take_name();
        cls_ = c.get();
        prog_.classes.push_back(std::move(c));
    }

    void read_event() {
        EventDef e;
        e.name = take_name();
        e.params = params();
        if (is_word("as")) {
            ++i_;
            e.result_name = type_ref();
        }
        if (cur().kind == Tok::Integer) e.number = static_cast<std::int32_t>(toks_[i_++].int_value);
        cls_->events.push_back(e);
    }

    void read_design() {
        DesignProp d;
        d.name = take_name();
        if (cur().kind == Tok::String) d.default_text = toks_[i_++].text;
        else error(cur().pos, "expected the default value text");
        cls_->design.push_back(d);
    }

    // Entry(arg, ...) against the routine's parameters.
    Binding call(const Routine& r) {
        Binding b;
        Pos pos = cur().pos;
        b.entry = take_name();
        if (!is_runtime_export(b.entry)) error(pos, "'" + b.entry + "' is not an entry point of the runtime");
        if (!is_punct("(")) {
            error(cur().pos, "expected '(' after the entry point");
            return b;
        }
        ++i_;
        while (!is_punct(")") && cur().kind != Tok::Newline && cur().kind != Tok::End) {
            BindArg a;
            bool negative = false;
            if (is_punct("-")) {
                negative = true;
                ++i_;
            }
            if (cur().kind == Tok::Integer) {
                a.kind = BindArg::Constant;
                a.constant = static_cast<std::int32_t>(negative ? -toks_[i_].int_value : toks_[i_].int_value);
                ++i_;
            } else {
                Pos apos = cur().pos;
                std::string n = take_name();
                if (same_name(n, "me")) {
                    a.kind = BindArg::Me;
                    if (!r.has_me) error(apos, "'Me' in a global function");
                } else if (same_name(n, "value")) {
                    a.kind = BindArg::Value;
                } else {
                    a.kind = BindArg::Param;
                    a.index = -1;
                    for (std::size_t k = 0; k < r.params.size(); ++k)
                        if (same_name(r.params[k].name, n)) a.index = static_cast<int>(k);
                    if (a.index < 0) error(apos, "'" + n + "' is not a parameter");
                }
            }
            b.args.push_back(a);
            if (is_punct(",")) ++i_;
        }
        if (is_punct(")")) ++i_;
        return b;
    }

    void read_property(Pos pos) {
        auto r = std::make_unique<Routine>();
        r->pos = pos;
        r->pos.file = -1;
        r->is_property = true;
        r->has_me = true;
        r->owner = cls_;
        r->name = take_name();
        r->params = params();
        if (is_word("as")) {
            ++i_;
            r->result_name = type_ref();
        } else {
            error(cur().pos, "a property needs 'As Type'");
        }
        for (;;) {
            if (is_word("get")) {
                ++i_;
                r->binding = call(*r);
                r->has_getter = true;
            } else if (is_word("set")) {
                ++i_;
                r->setter = call(*r);
                r->has_setter = true;
            } else if (is_word("borrowed")) {
                ++i_;
                r->borrowed_result = true;
            } else {
                break;
            }
        }
        cls_->members.push_back(std::move(r));
    }

    void read_routine(Pos pos, ClassInfo* owner, bool method) {
        auto r = std::make_unique<Routine>();
        r->pos = pos;
        r->pos.file = -1;
        r->has_me = method;
        r->owner = owner;
        r->name = take_name();
        r->params = params();
        if (is_word("as")) {
            ++i_;
            r->result_name = type_ref();
        }
        if (!is_punct("=")) error(cur().pos, "expected '=' and the entry point");
        else ++i_;
        r->binding = call(*r);
        if (is_word("borrowed")) {
            ++i_;
            r->borrowed_result = true;
        }
        if (owner) owner->members.push_back(std::move(r));
        else prog_.globals.push_back(std::move(r));
    }

    const std::vector<Token>& toks_;
    Program& prog_;
    Diagnostics& diags_;
    std::size_t i_ = 0;
    ClassInfo* cls_ = nullptr;
};

}  // namespace

void load_prelude(const std::string& text, Program& program, Diagnostics& diags) {
    SourceFile file{"<prelude>", text};
    std::vector<Token> tokens = tokenize(file, -1, diags);
    PreludeReader(tokens, program, diags).run();
    program.prelude_class_count = program.classes.size();
}

}  // namespace tavoc
