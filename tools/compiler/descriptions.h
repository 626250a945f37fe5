// The byte streams the runtime reads at start-up: packed integers and
// texts, window descriptions, the menu bar stream and the settings stream.
#pragma once

#include <cstdint>
#include <string>

#include "ast.h"
#include "class_table.h"
#include "image_file.h"

namespace tavoc {

void put_packed(image::Bytes& out, std::int32_t value);
void put_text(image::Bytes& out, const std::string& text);

// The window description record: u32 body length, then the body.
image::Bytes window_description(const WindowDecl& window, ClassTable& classes);
image::Bytes menu_bar_stream(const Program& program, ClassTable& classes);
image::Bytes settings_stream(const ProjectDecl& project);

}  // namespace tavoc
