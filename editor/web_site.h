// The maker's web site: a URL that names the host and nothing after it. The promotional text
// of the dialog template shows the same address.
#pragma once

#include "resources/metalui_ids.h"

constexpr char webSiteAddress[] = WEB_SITE_ADDRESS;
