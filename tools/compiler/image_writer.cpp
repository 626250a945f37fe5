#include "image_writer.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <unordered_map>

#include "checker.h"
#include "class_table.h"
#include "codegen.h"
#include "data_block.h"
#include "descriptions.h"
#include "exports.h"

namespace tavoc {

image::Bytes relocation_stream(std::vector<Relocation> words) {
    std::sort(words.begin(), words.end(), [](const Relocation& a, const Relocation& b) { return a.offset < b.offset; });
    image::Bytes out;
    std::uint32_t cursor = 0;
    for (std::size_t i = 0; i < words.size();) {
        std::size_t n = 1;
        while (i + n < words.size() && n < 512 && words[i + n].offset == words[i].offset + 4 * n &&
               words[i + n].code_base == words[i].code_base)
            ++n;
        for (std::uint32_t gap = words[i].offset - cursor; gap > 0;) {
            std::uint32_t skip = std::min<std::uint32_t>(gap, 4096);
            image::put_u16(out, static_cast<std::uint16_t>(0x8000 | (skip - 1)));
            gap -= skip;
        }
        image::put_u16(out, static_cast<std::uint16_t>((words[i].code_base ? 0x4000 : 0x4200) | (n - 1)));
        cursor = words[i].offset + 4 * static_cast<std::uint32_t>(n);
        i += n;
    }
    return out;
}

namespace {

const char* const kUnhandledMessage = "An exception of class %1 was not handled.\rThe application must shut down.";

class ImageWriter {
public:
    ImageWriter(Program& program, const std::vector<PluginFile>& plugins, ImageOutput& out, Diagnostics& diags)
        : prog_(program), plugins_(plugins), out_(out), diags_(diags), classes_(program) {}

    void run() {
        data_.u32(0);  // entry point
        data_.u32(0);  // project description
        data_.symbol("entry point", 0, 4);
        data_.symbol("project description pointer", 4, 4);
        place_globals();
        place_windows();
        EntryPlan entry = place_plugins();
        if (!prog_.project.default_window.empty()) entry.default_window = prog_.find_window(prog_.project.default_window);
        generate_code(prog_, data_, classes_, entry, code_, diags_);
        for (std::size_t i = 0; i < code_.functions.size(); ++i) numbers_.emplace(code_.functions[i], static_cast<int>(i));
        std::uint32_t description = place_project();
        data_.set_data_pointer(4, description);
        data_.code_pointers.push_back({0, code_.entry_function});
        data_.relocations.push_back({0, Base::Code});
        code_.code.patch_u32(code_.project_description_field, description);
        for (auto& [at, fn] : data_.code_pointers) data_.set_u32(at, static_cast<std::uint32_t>(code_.spans[fn].start));
        out_.blocks.link = link_block();  // also closes the call chains in the code
        out_.blocks.code = code_.code.code;
        out_.blocks.data = data_.bytes;
        std::vector<Relocation> words;
        for (auto& [at, base] : data_.relocations) words.push_back({at, base == Base::Code});
        out_.blocks.res = relocation_stream(words);
        out_.map = render_map();
    }

private:
    void place_globals() {
        for (auto& g : prog_.global_vars) {
            data_.align(g->type.size() == 8 ? 8 : 4);
            g->data_offset = data_.u32(0);
            if (g->type.size() == 8) data_.u32(0);
            data_.symbol("variable " + g->name, g->data_offset, g->type.size());
        }
    }

    void place_windows() {
        for (auto& w : prog_.windows) {
            image::Bytes d = window_description(*w, classes_);
            data_.align(4);
            w->description_offset = data_.raw(d);
            data_.symbol("window description " + w->name, w->description_offset, static_cast<std::uint32_t>(d.size()));
        }
    }

    EntryPlan place_plugins() {
        EntryPlan plan;
        std::vector<std::uint32_t> entries;
        for (const PluginFile& p : plugins_) {
            data_.align(4);
            std::uint32_t at = data_.u32(0);
            data_.u32(static_cast<std::uint32_t>(4 + 1 + p.name.size() + p.bytes.size()));
            data_.u32(0);
            data_.u8(static_cast<std::uint8_t>(p.name.size()));
            data_.raw(image::Bytes(p.name.begin(), p.name.end()));
            data_.raw(p.bytes);
            data_.symbol("plugin " + p.name, at, data_.size() - at);
            entries.push_back(at);
        }
        for (std::size_t i = 0; i + 1 < entries.size(); ++i) data_.set_data_pointer(entries[i], entries[i + 1]);
        if (!entries.empty()) {
            plan.has_plugins = true;
            plan.plugin_list = entries.front();
        }
        return plan;
    }

    // Every class record names its functions: a search per name would be
    // quadratic in the number of classes.
    int number(const Function* f) const {
        auto found = f ? numbers_.find(f) : numbers_.end();
        return found == numbers_.end() ? -1 : found->second;
    }

    std::uint32_t class_record(ClassInfo* c) {
        if (c->builtin) {
            data_.string_literal(c->name);
            data_.align(4);
            std::uint32_t at = data_.u32(1);
            data_.string_or_nil(c->name);
            data_.symbol("class " + c->name, at, 8);
            return at;
        }
        data_.string_literal(c->name.empty() ? std::string("?") : c->name);
        for (Function* m : c->methods)
            if (m->routine) data_.string_literal(m->name);
        for (Function* h : c->handlers) data_.string_literal(h->name);
        for (Function* h : c->menu_handlers) data_.string_literal(h->name);
        if (c->is_interface)
            for (auto& m : c->members) data_.string_literal(m->name);
        int super = c->super ? classes_.index(c->super) : -1;
        data_.align(4);
        std::uint32_t at = data_.u32(0);
        data_.u32(static_cast<std::uint32_t>(c->instance_size));
        data_.string_or_nil(c->name);
        data_.u32(static_cast<std::uint32_t>(super));
        if (c->constructor || c->destructor) {
            data_.u32(1);
            data_.code_pointer(number(c->constructor));
            data_.code_pointer(number(c->destructor));
        } else {
            data_.u32(0);
        }
        data_.u32(c->is_interface ? 1 : 0);
        data_.u32(static_cast<std::uint32_t>(c->interfaces.size()));
        for (ClassInfo* i : c->interfaces) data_.u32(static_cast<std::uint32_t>(classes_.index(i)));
        if (c->is_interface) {
            data_.u32(static_cast<std::uint32_t>(c->members.size()));
            for (auto& m : c->members) data_.string_or_nil(m->name);
            for (int i = 0; i < 4; ++i) data_.u32(0);  // no handlers, menu handlers or virtual methods
            data_.symbol("interface " + c->name, at, data_.size() - at);
            return at;
        }
        std::vector<Function*> methods;  // in slot order
        for (Function* m : c->methods)
            if (m->routine) methods.push_back(m);
        std::stable_sort(methods.begin(), methods.end(),
                         [](const Function* a, const Function* b) { return a->vtable_slot < b->vtable_slot; });
        data_.u32(static_cast<std::uint32_t>(methods.size()));
        for (Function* m : methods) {
            data_.string_or_nil(m->name);
            data_.code_pointer(number(m));
        }
        data_.u32(static_cast<std::uint32_t>(c->handlers.size()));
        for (Function* h : c->handlers) {
            data_.string_or_nil(h->name);
            data_.code_pointer(number(h));
            const EventDef* ev = find_event(c->super, h->name);
            data_.u32(static_cast<std::uint32_t>(ev ? ev->number : 0));
        }
        data_.u32(static_cast<std::uint32_t>(c->menu_handlers.size()));
        for (Function* h : c->menu_handlers) {
            data_.string_or_nil(h->name);
            data_.code_pointer(number(h));
        }
        data_.u32(static_cast<std::uint32_t>(c->vtable.size()));
        for (Function* v : c->vtable) data_.code_pointer(number(v));
        std::string label = c->name.empty() ? "control class " + c->label : c->name;
        data_.symbol("class " + label, at, data_.size() - at);
        return at;
    }

    std::uint32_t place_project() {
        ProjectDecl settings = prog_.project;
        if (settings.messages.empty()) settings.messages = {"", "", "", "", kUnhandledMessage};
        image::Bytes menus = prog_.menus.empty() ? image::Bytes{} : menu_bar_stream(prog_, classes_);
        image::Bytes stream = settings_stream(settings);
        std::vector<int> auto_classes;
        for (AutoObject& a : prog_.auto_objects) auto_classes.push_back(a.cls ? classes_.index(a.cls) : 0);

        std::vector<std::uint32_t> records;
        for (std::size_t i = 0; i < classes_.classes().size(); ++i) records.push_back(class_record(classes_.classes()[i]));

        std::vector<std::uint32_t> items;
        if (!menus.empty()) {
            data_.align(4);
            std::uint32_t at = data_.u32(2);
            data_.u32(static_cast<std::uint32_t>(menus.size()));
            data_.raw(menus);
            data_.symbol("menu bar", at, data_.size() - at);
            items.push_back(at);
        }
        data_.align(4);
        std::uint32_t at = data_.u32(4);
        data_.u32(0);
        data_.u32(static_cast<std::uint32_t>(stream.size()));
        data_.raw(stream);
        data_.symbol("settings", at, data_.size() - at);
        items.push_back(at);
        for (std::size_t i = 0; i < prog_.auto_objects.size(); ++i) {
            data_.align(4);
            std::uint32_t item = data_.u32(5);
            data_.u32(static_cast<std::uint32_t>(auto_classes[i]));
            data_.data_pointer(prog_.auto_objects[i].global->data_offset);
            data_.symbol("auto object " + prog_.auto_objects[i].global->name, item, 12);
            items.push_back(item);
        }

        data_.align(4);
        std::uint32_t description = data_.u32(static_cast<std::uint32_t>(records.size()));
        for (std::uint32_t r : records) data_.data_pointer(r);
        data_.u32(static_cast<std::uint32_t>(items.size()));
        for (std::uint32_t i : items) data_.data_pointer(i);
        data_.symbol("project description", description, data_.size() - description);
        return description;
    }

    image::Bytes link_block() {
        image::Bytes link;
        for (std::size_t field : code_.code.data_fields) {
            link.push_back(0x02);
            image::put_u32(link, static_cast<std::uint32_t>(field));
        }
        std::vector<std::string> order;
        std::map<std::string, std::vector<std::size_t>> sites;
        for (const ImportSite& s : code_.code.import_sites) {
            if (!sites.count(s.name)) order.push_back(s.name);
            sites[s.name].push_back(s.field);
        }
        for (const std::string& name : order) {
            if (name[0] != '!' && !is_runtime_export(name))
                diags_.error(Pos{-1, 0, 0}, "internal error: '" + name + "' is not an entry point of the runtime");
            std::vector<std::size_t>& fields = sites[name];
            for (std::size_t i = 0; i < fields.size(); ++i)
                code_.code.patch_u32(fields[i], i + 1 < fields.size() ? static_cast<std::uint32_t>(fields[i + 1]) : 0);
            link.push_back(0x01);
            image::put_u32(link, static_cast<std::uint32_t>(fields.front()));
            link.push_back(static_cast<std::uint8_t>(name.size()));
            link.insert(link.end(), name.begin(), name.end());
        }
        imports_ = order;
        return link;
    }

    std::string render_map() {
        std::string m;
        char line[512];
        std::snprintf(line, sizeof line, "code block %zu bytes, data block %zu bytes, link block %zu bytes, relocation stream %zu bytes\n\n",
                      out_.blocks.code.size(), out_.blocks.data.size(), out_.blocks.link.size(), out_.blocks.res.size());
        m += line;
        m += "functions (code offset, size, name)\n";
        for (const FunctionSpan& s : code_.spans) {
            std::snprintf(line, sizeof line, "  %08zX %6zu  %s\n", s.start, s.end - s.start, s.symbol.c_str());
            m += line;
        }
        m += "\ndata objects (data offset, size, name)\n";
        std::vector<DataSymbol> symbols = data_.symbols;
        std::stable_sort(symbols.begin(), symbols.end(), [](const DataSymbol& a, const DataSymbol& b) { return a.offset < b.offset; });
        for (const DataSymbol& s : symbols) {
            std::snprintf(line, sizeof line, "  %08X %6u  %s\n", s.offset, s.size, s.name.c_str());
            m += line;
        }
        m += "\nclasses (index, name)\n";
        for (ClassInfo* c : classes_.classes()) {
            std::string name = c->name.empty() ? "(control class " + c->label + ")" : c->name;
            std::snprintf(line, sizeof line, "  %4d  %s%s\n", c->class_index, name.c_str(), c->builtin ? " (built-in)" : "");
            m += line;
        }
        m += "\nimports\n";
        for (const std::string& i : imports_) m += "  " + i + "\n";
        return m;
    }

    Program& prog_;
    const std::vector<PluginFile>& plugins_;
    ImageOutput& out_;
    Diagnostics& diags_;
    ClassTable classes_;
    DataBlock data_;
    CodeOutput code_;
    std::unordered_map<const Function*, int> numbers_;  // function -> its number in code_
    std::vector<std::string> imports_;
};

}  // namespace

void write_image(Program& program, const std::vector<PluginFile>& plugins, ImageOutput& out, Diagnostics& diags) {
    ImageWriter(program, plugins, out, diags).run();
}

}  // namespace tavoc
