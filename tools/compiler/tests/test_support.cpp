#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tavoc::test {

CompileResult compile_source(const std::string& source, const std::vector<PluginFile>& plugins) {
    return compile({{"test.tav", source}}, plugins);
}

CompileResult compile_ok(const std::string& source, const std::vector<PluginFile>& plugins) {
    CompileResult r = compile_source(source, plugins);
    std::string all;
    for (const std::string& e : r.errors) all += e + "\n";
    EXPECT_TRUE(r.ok) << all;
    return r;
}

MapFunction find_function(const CompileResult& r, const std::string& symbol) {
    std::istringstream in(r.map);
    std::string line;
    bool functions = false;
    while (std::getline(in, line)) {
        if (line.rfind("functions", 0) == 0) functions = true;
        else if (line.empty()) functions = false;
        else if (functions) {
            std::istringstream fields(line);
            std::string offset, name;
            std::size_t size;
            fields >> offset >> size >> name;
            if (name == symbol) return {std::stoul(offset, nullptr, 16), size};
        }
    }
    ADD_FAILURE() << "no function " << symbol << " in the map:\n" << r.map;
    return {0, 0};
}

std::uint32_t find_data(const CompileResult& r, const std::string& name) {
    std::istringstream in(r.map);
    std::string line;
    while (std::getline(in, line)) {
        std::size_t at = line.find(name);
        if (at != std::string::npos && at > 0 && line.size() == at + name.size() && line.find("  ") == 0) {
            std::istringstream fields(line);
            std::string offset;
            fields >> offset;
            return static_cast<std::uint32_t>(std::stoul(offset, nullptr, 16));
        }
    }
    ADD_FAILURE() << "no data object " << name << " in the map:\n" << r.map;
    return 0;
}

Bytes function_bytes(const CompileResult& r, const std::string& symbol) {
    MapFunction f = find_function(r, symbol);
    if (f.offset + f.size > r.blocks.code.size()) return {};
    return Bytes(r.blocks.code.begin() + f.offset, r.blocks.code.begin() + f.offset + f.size);
}

std::uint32_t u32_at(const Bytes& b, std::size_t at) {
    return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}

std::vector<LinkRecord> read_link(const Bytes& link) {
    std::vector<LinkRecord> out;
    for (std::size_t pos = 0; pos < link.size();) {
        int type = link[pos++];
        if (type == 0x02) {
            out.push_back({2, u32_at(link, pos), ""});
            pos += 4;
        } else if (type == 0x01) {
            std::uint32_t head = u32_at(link, pos);
            std::size_t n = link.at(pos + 4);
            out.push_back({1, head, std::string(link.begin() + pos + 5, link.begin() + pos + 5 + n)});
            pos += 5 + n;
        } else {
            out.push_back({type, 0, ""});
        }
    }
    return out;
}

std::map<std::size_t, std::string> call_sites(const CompileResult& r) {
    std::map<std::size_t, std::string> out;
    for (const LinkRecord& rec : read_link(r.blocks.link)) {
        if (rec.type != 1) continue;
        for (std::uint32_t field = rec.value; field != 0; field = u32_at(r.blocks.code, field)) {
            EXPECT_EQ(r.blocks.code.at(field - 1), 0xE8) << rec.name << " at " << field;
            if (!out.emplace(field, rec.name).second) {
                ADD_FAILURE() << "chain loops at " << field;
                break;
            }
        }
    }
    return out;
}

std::map<std::uint32_t, bool> read_relocations(const Bytes& res) {
    std::map<std::uint32_t, bool> out;
    std::uint32_t cursor = 0;
    for (std::size_t i = 0; i + 1 < res.size(); i += 2) {
        std::uint16_t w = static_cast<std::uint16_t>(res[i] | (res[i + 1] << 8));
        if ((w & 0xF000) == 0x8000) {
            cursor += (w & 0x0FFF) + 1;
        } else if ((w & 0xFE00) == 0x4000 || (w & 0xFE00) == 0x4200 || (w & 0xFE00) == 0x4600) {
            for (int k = 0; k <= (w & 0x1FF); ++k, cursor += 4) out[cursor] = (w & 0xFE00) != 0x4200;
        }
    }
    return out;
}

std::int32_t read_packed(const Bytes& b, std::size_t& pos) {
    std::uint8_t first = b.at(pos++);
    std::uint32_t magnitude = first & 0x3F;
    bool more = first & 0x80;
    for (int shift = 6; more; shift += 7) {
        std::uint8_t next = b.at(pos++);
        magnitude |= static_cast<std::uint32_t>(next & 0x7F) << shift;
        more = next & 0x80;
    }
    if ((first & 0x40) && magnitude != 0x80000000u) return -static_cast<std::int32_t>(magnitude);
    return static_cast<std::int32_t>(magnitude);
}

std::string read_text(const Bytes& b, std::size_t& pos) {
    std::int32_t n = read_packed(b, pos);
    if (n <= 0) return "";
    std::string s(b.begin() + pos, b.begin() + pos + n);
    pos += n;
    return s;
}

std::string literal_at(const Bytes& data, std::uint32_t record) {
    std::uint32_t buffer = u32_at(data, record + 4);
    std::uint32_t length = u32_at(data, record + 12);
    return std::string(data.begin() + buffer + 1, data.begin() + buffer + 1 + length);
}

Bytes hex(const std::string& text) {
    Bytes out;
    std::istringstream in(text);
    std::string b;
    while (in >> b) out.push_back(static_cast<std::uint8_t>(std::stoul(b, nullptr, 16)));
    return out;
}

std::string to_hex(const Bytes& b) {
    std::string s;
    char buf[4];
    for (std::uint8_t x : b) {
        std::snprintf(buf, sizeof buf, "%02X ", x);
        s += buf;
    }
    if (!s.empty()) s.pop_back();
    return s;
}

std::vector<std::string> disassemble(const Bytes& code) {
    char path[] = "/tmp/tavoc_test_XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return {"mkstemp failed"};
    std::FILE* f = fdopen(fd, "wb");
    std::fwrite(code.data(), 1, code.size(), f);
    std::fclose(f);
    std::string command = std::string("objdump -D -b binary -m i386 -M intel ") + path + " 2>&1";
    std::FILE* p = popen(command.c_str(), "r");
    std::vector<std::string> out;
    char line[512];
    while (p && std::fgets(line, sizeof line, p)) {
        std::string l(line);
        // "   3:\t83 ec 04             \tsub    esp,0x4"
        std::size_t tab1 = l.find('\t');
        std::size_t tab2 = tab1 == std::string::npos ? std::string::npos : l.find('\t', tab1 + 1);
        if (l.find(':') == std::string::npos || tab2 == std::string::npos) continue;
        std::string ins = l.substr(tab2 + 1);
        while (!ins.empty() && (ins.back() == '\n' || ins.back() == ' ')) ins.pop_back();
        std::string squeezed;
        for (char c : ins)
            if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += c;
        out.push_back(squeezed);
    }
    if (p) pclose(p);
    std::remove(path);
    return out;
}

}  // namespace tavoc::test
