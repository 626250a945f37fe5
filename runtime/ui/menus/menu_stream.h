// Building the menu bar from the project's menu bar stream.
#pragma once

#include <cstddef>
#include <cstdint>

// Builds the menu bar once; later calls do nothing. A stream that ends
// early, holds an impossible count or names a class that is no menu item
// stops the building there: what was built stays, and the damaged-image
// message is shown once.
void menu_bar_build(const std::uint8_t* stream, std::size_t length);
