#pragma once
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace kerumo::qt {

// A reply or event xcb allocated with malloc, freed when it goes.
template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
XcbReply<Reply> xcbReply(Reply* reply) {
  return XcbReply<Reply>(reply, &std::free);
}

// The atom for `name`, interned if new; XCB_ATOM_NONE when the server does not answer.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const std::string& name) {
  const auto reply = xcbReply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

}  // namespace kerumo::qt
