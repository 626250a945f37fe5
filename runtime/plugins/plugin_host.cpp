#include "plugin_host.h"

#include "image/linker.h"
#include "plugin_binding.h"
#include "plugin_classes.h"
#include "plugin_field_accessors.h"
#include "plugin_installer.h"
#include "plugin_list.h"
#include "plugin_pane.h"
#include "startup/project_description.h"

void plugin_host_connect() {
    plugin_list_set_installer(&plugin_install_from_image);
    set_plugin_member_lookup(&plugin_member_address);
    project_set_plugin_class_lookup(&plugin_image_class_named);
    plugin_field_accessors_set_redraw(&plugin_control_redraw);
}
