// Helpers for the compiler's tests: compiling a source text, finding a
// function in the map, and readers of the image formats written
// independently of the compiler's writers.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compiler.h"

namespace tavoc::test {

using Bytes = image::Bytes;

CompileResult compile_source(const std::string& source, const std::vector<PluginFile>& plugins = {});
// Compiles and fails the test (with the messages) when there are errors.
CompileResult compile_ok(const std::string& source, const std::vector<PluginFile>& plugins = {});

struct MapFunction {
    std::size_t offset;
    std::size_t size;
};
MapFunction find_function(const CompileResult& r, const std::string& symbol);
std::uint32_t find_data(const CompileResult& r, const std::string& name);  // offset of a data object in the map
Bytes function_bytes(const CompileResult& r, const std::string& symbol);

// Link block: records in order.
struct LinkRecord {
    int type;
    std::uint32_t value;  // code offset (0x02) or chain head (0x01)
    std::string name;
};
std::vector<LinkRecord> read_link(const Bytes& link);
// Import name of every call site (by displacement field offset), following the chains.
std::map<std::size_t, std::string> call_sites(const CompileResult& r);

// Relocation stream as the loader applies it: data offset -> true for the code base.
std::map<std::uint32_t, bool> read_relocations(const Bytes& res);

// Packed integers and texts of descriptions.
std::int32_t read_packed(const Bytes& b, std::size_t& pos);
std::string read_text(const Bytes& b, std::size_t& pos);

std::uint32_t u32_at(const Bytes& b, std::size_t at);
// Text of the runtime string literal record at data offset `record`.
std::string literal_at(const Bytes& data, std::uint32_t record);
Bytes hex(const std::string& text);  // "55 89 E5" -> bytes
std::string to_hex(const Bytes& b);
// objdump's disassembly of `code`, one instruction per line without addresses.
std::vector<std::string> disassemble(const Bytes& code);

}  // namespace tavoc::test
