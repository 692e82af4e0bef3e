#include "platform/qt/x11_window.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
#include <array>

#include "platform/qt/xcb_reply.h"

namespace kerumo::qt {
namespace {

xcb_connection_t* qtConnection() {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

void skipTaskbarBeforeMap(QWindow* window) {
  xcb_connection_t* connection = qtConnection();
  if (!connection || !window) return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
  const std::array<xcb_atom_t, 2> skip{internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                       internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  // Appending keeps what is there; a duplicate atom means nothing to the
  // window manager, but a fresh window has none.
  const auto present =
      xcbReply(xcb_get_property_reply(connection, xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 64), nullptr));
  const auto* atoms = present ? static_cast<const xcb_atom_t*>(xcb_get_property_value(present.get())) : nullptr;
  const int count = present && present->format == 32 ? xcb_get_property_value_length(present.get()) / 4 : 0;
  for (const xcb_atom_t wanted : skip) {
    if (std::find(atoms, atoms + count, wanted) != atoms + count) continue;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &wanted);
  }
  xcb_flush(connection);
}

void skipTaskbarWhenMapped(QWindow* window) {
  xcb_connection_t* connection = qtConnection();
  if (!connection || !window) return;
  const auto id = static_cast<xcb_window_t>(window->winId());
  const auto tree = xcbReply(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
  if (!tree) return;
  constexpr uint32_t Add = 1;
  constexpr uint32_t FromApplication = 1;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = internAtom(connection, "_NET_WM_STATE");
  message.data.data32[0] = Add;
  message.data.data32[1] = internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  message.data.data32[2] = internAtom(connection, "_NET_WM_STATE_SKIP_PAGER");
  message.data.data32[3] = FromApplication;
  xcb_send_event(connection, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
}

void requestMove(QWindow* window, QPoint topLeft) {
  xcb_connection_t* connection = qtConnection();
  if (!connection || !window) return;
  const std::array<uint32_t, 2> position{static_cast<uint32_t>(topLeft.x()), static_cast<uint32_t>(topLeft.y())};
  xcb_configure_window(connection, static_cast<xcb_window_t>(window->winId()),
                       XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, position.data());
  xcb_flush(connection);
}

}  // namespace kerumo::qt
