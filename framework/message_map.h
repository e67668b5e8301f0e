// Message maps: each class that handles messages has a constant table of
// entries (message, notification, control identifier, handler) and a link to
// its base class's table. Dispatch walks from the most derived table to the
// base tables and calls the first matching entry's member handler through its
// pointer to member. No RTTI: a handler is converted to a member of CCmdTarget
// with static_cast, which is exact for classes derived without virtual bases.
#pragma once

#include <cstddef>
#include <cstdint>

#include "winvalues.h"

using BOOL = int;
constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

class CCmdTarget;

// A handler that returns nothing (painting, button clicks), or one that
// returns a handle which becomes the message's result (WM_QUERYDRAGICON).
using ActionHandler = void (CCmdTarget::*)();
using QueryHandler = void* (CCmdTarget::*)();

struct MessageMapEntry {
  unsigned message;
  unsigned notification;  // WM_COMMAND only: the notification code
  int controlId;          // WM_COMMAND only: the control or command identifier
  ActionHandler action;   // exactly one of action and query is set
  QueryHandler query;
};

struct MessageMap {
  const MessageMap* base;  // the base class's map, null for the root
  const MessageMapEntry* entries;
  size_t count;
};

// Entries, named after the messages they route.
template <class T>
constexpr MessageMapEntry OnMessage(unsigned message, void (T::*handler)()) {
  return {message, 0, 0, static_cast<ActionHandler>(handler), nullptr};
}
template <class T>
constexpr MessageMapEntry OnQuery(unsigned message, void* (T::*handler)()) {
  return {message, 0, 0, nullptr, static_cast<QueryHandler>(handler)};
}
template <class T>
constexpr MessageMapEntry OnCommand(int id, unsigned notification, void (T::*handler)()) {
  return {WIN_WM_COMMAND, notification, id, static_cast<ActionHandler>(handler), nullptr};
}
template <class T>
constexpr MessageMapEntry OnButtonClicked(int id, void (T::*handler)()) {
  return OnCommand<T>(id, WIN_BN_CLICKED, handler);
}

// The root of everything that receives messages or commands.
class CCmdTarget {
 public:
  CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;
  virtual ~CCmdTarget();

  virtual const MessageMap* GetMessageMap() const;

  // The first entry for the message (and, for WM_COMMAND, the notification
  // and identifier), searching this class's map first; null when none.
  const MessageMapEntry* FindEntry(unsigned message, unsigned notification, int id) const;
  // Calls the entry's handler on this object: the handle that a query
  // handler returns, or TRUE for an action.
  intptr_t CallHandler(const MessageMapEntry& entry);
  // Routes a command through the map; true when an entry handled it.
  bool OnCmdMsg(int id, unsigned notification);

 protected:
  static const MessageMap messageMap;
};
