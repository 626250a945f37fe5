// What the menus hand the window layer at start-up.
#pragma once

// Describes MenuItem and QuitMenuItem.
void menus_describe_classes();
// Builds the menu bar from the project's stream (RuntimeInit).
void menus_build_from_project();
// Installs the keyboard's shortcut step.
void menus_install();
