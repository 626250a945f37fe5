// The control definitions of the plugin, registered in this order.
#pragma once

#include "plugin_interface.h"

TAVOControlDefinition* bevel_button_definition();
TAVOControlDefinition* chasing_arrows_definition();
TAVOControlDefinition* little_arrows_definition();
TAVOControlDefinition* placard_definition();
TAVOControlDefinition* separator_definition();
TAVOControlDefinition* popup_arrow_definition();
TAVOControlDefinition* disclosure_triangle_definition();
TAVOControlDefinition* image_well_definition();
