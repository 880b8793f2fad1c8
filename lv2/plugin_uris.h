// The LV2 plug-in's names. Sessions and presets store them, so none may ever change: the
// plug-in's URI under the maker's site, its UI's, the key of its state, and its factory presets'
// (the prefix followed by the program's number, 0 to 2).
#pragma once

#include "resources/metalui_ids.h"

#define VORRA_LV2_URI WEB_SITE_ADDRESS "/plugins/vorra-overdrive"

constexpr char kPluginUri[] = VORRA_LV2_URI;
constexpr char kUiUri[] = VORRA_LV2_URI "#ui";
constexpr char kStateKeyUri[] = VORRA_LV2_URI "#state";
constexpr char kPresetUriPrefix[] = VORRA_LV2_URI "#program";
