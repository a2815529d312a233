#pragma once

#include <xcb/xcb.h>

// The xcb connection of the running Qt application, and atoms interned on it. Both give
// nothing (nullptr, XCB_ATOM_NONE) outside the xcb platform.
namespace X11Connection {

xcb_connection_t *get();
// One round trip per name and process; later calls are answered from a cache.
xcb_atom_t atom(const char *name);

} // namespace X11Connection
