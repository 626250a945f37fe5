#include "pe_resource.h"

#include <vector>

namespace pe {
namespace {

struct Reader {
    const image::Bytes& file;
    bool ok = true;

    std::uint32_t u16(std::size_t at) {
        if (at + 2 > file.size()) return fail();
        return file[at] | (file[at + 1] << 8);
    }
    std::uint32_t u32(std::size_t at) {
        if (at + 4 > file.size()) return fail();
        return image::get_u32(file, at);
    }
    std::uint32_t fail() {
        ok = false;
        return 0;
    }
};

struct Section {
    std::uint32_t virtual_address, virtual_size, raw_offset, raw_size;
};

bool rva_to_offset(const std::vector<Section>& sections, std::uint32_t rva, std::size_t& offset) {
    for (const Section& s : sections) {
        std::uint32_t extent = s.virtual_size > s.raw_size ? s.virtual_size : s.raw_size;
        if (rva >= s.virtual_address && rva - s.virtual_address < extent) {
            if (rva - s.virtual_address >= s.raw_size) return false;  // not backed by file bytes
            offset = s.raw_offset + (rva - s.virtual_address);
            return true;
        }
    }
    return false;
}

// One directory level: the entry matching `name` (or `id` when name is empty).
bool find_entry(Reader& r, std::size_t root, std::size_t dir, const std::string& name, std::uint32_t id,
                bool take_first, std::uint32_t& target) {
    std::uint32_t named = r.u16(dir + 12), ids = r.u16(dir + 14);
    for (std::uint32_t i = 0; i < named + ids && r.ok; ++i) {
        std::size_t entry = dir + 16 + 8 * i;
        std::uint32_t key = r.u32(entry), data = r.u32(entry + 4);
        bool match = take_first;
        if (!match && !name.empty() && (key & 0x80000000u)) {
            std::size_t s = root + (key & 0x7FFFFFFFu);
            std::uint32_t length = r.u16(s);
            match = length == name.size();
            for (std::uint32_t k = 0; match && k < length; ++k) match = r.u16(s + 2 + 2 * k) == static_cast<std::uint8_t>(name[k]);
        } else if (!match && name.empty() && !(key & 0x80000000u)) {
            match = key == id;
        }
        if (match && r.ok) {
            target = data;
            return true;
        }
    }
    return false;
}

}  // namespace

bool find_resource(const image::Bytes& file, const std::string& type, std::uint16_t id, Span& out,
                   std::string& error) {
    Reader r{file};
    std::uint32_t pe = r.u32(0x3C);
    if (!r.ok || r.u32(pe) != 0x00004550) {
        error = "not a PE file";
        return false;
    }
    std::size_t coff = pe + 4;
    std::uint32_t section_count = r.u16(coff + 2), optional_size = r.u16(coff + 16);
    std::size_t optional = coff + 20;
    if (r.u16(optional) != 0x10B) {
        error = "not a 32-bit PE file";
        return false;
    }
    std::uint32_t resource_rva = r.u32(optional + 96 + 2 * 8);
    std::vector<Section> sections;
    for (std::uint32_t i = 0; i < section_count; ++i) {
        std::size_t s = optional + optional_size + 40 * i;
        sections.push_back({r.u32(s + 12), r.u32(s + 8), r.u32(s + 20), r.u32(s + 16)});
    }
    std::size_t root = 0;
    if (!r.ok || resource_rva == 0 || !rva_to_offset(sections, resource_rva, root)) {
        error = "the file has no resources";
        return false;
    }
    std::uint32_t level = 0;
    if (!find_entry(r, root, root, type, 0, false, level) || !(level & 0x80000000u) ||
        !find_entry(r, root, root + (level & 0x7FFFFFFFu), "", id, false, level) || !(level & 0x80000000u) ||
        !find_entry(r, root, root + (level & 0x7FFFFFFFu), "", 0, true, level) || (level & 0x80000000u)) {
        error = "resource " + type + " " + std::to_string(id) + " not found";
        return false;
    }
    std::size_t data_entry = root + level;
    std::uint32_t data_rva = r.u32(data_entry), size = r.u32(data_entry + 4);
    if (!r.ok || !rva_to_offset(sections, data_rva, out.offset) || out.offset + size > file.size()) {
        error = "resource " + type + " " + std::to_string(id) + " lies outside the file";
        return false;
    }
    out.size = size;
    return true;
}

}  // namespace pe
