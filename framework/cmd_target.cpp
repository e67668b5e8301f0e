// Message map lookup and handler calls.
#include "message_map.h"

const MessageMap CCmdTarget::messageMap = {nullptr, nullptr, 0};

CCmdTarget::~CCmdTarget() = default;

const MessageMap* CCmdTarget::GetMessageMap() const { return &messageMap; }

const MessageMapEntry* CCmdTarget::FindEntry(unsigned message, unsigned notification, int id) const {
  for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      const MessageMapEntry& entry = map->entries[i];
      if (entry.message != message) continue;
      if (message == WIN_WM_COMMAND && (entry.notification != notification || entry.controlId != id)) continue;
      return &entry;
    }
  }
  return nullptr;
}

intptr_t CCmdTarget::CallHandler(const MessageMapEntry& entry) {
  if (entry.query) return reinterpret_cast<intptr_t>((this->*entry.query)());
  (this->*entry.action)();
  return TRUE;
}

bool CCmdTarget::OnCmdMsg(int id, unsigned notification) {
  const MessageMapEntry* entry = FindEntry(WIN_WM_COMMAND, notification, id);
  if (!entry) return false;
  CallHandler(*entry);
  return true;
}
