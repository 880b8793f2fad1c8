// The tables of the interfaces that travesty declares for C++ without their FUnknown head (and so
// without a "_cpp" struct): the stream and the component handler, as tableOf reads them.
#pragma once

#include "travesty/bstream.h"
#include "travesty/edit_controller.h"

struct StreamTable : v3_funknown {
  v3_bstream stream;
};

struct ComponentHandlerTable : v3_funknown {
  v3_component_handler handler;
};
