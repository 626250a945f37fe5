// The drawing classes' destructors and members on their built-in
// descriptors, and the project description's picture items. Done once,
// before the first drawing object exists; later calls do nothing.
#pragma once

void drawing_classes_describe();

// Installs the picture item factory of the project description.
void picture_files_install();
