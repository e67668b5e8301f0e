// DDE Management Library: a recording transport. It keeps the texts of the
// string handles it hands out, records every connection, transaction, free
// and disconnect, and plays a PROGMAN server only when the test asks for one.
#include <cstring>

#include "fake_platform.h"

namespace {

uintptr_t nextHandle = 0x1000;

platform::DdeHandle NewHandle() { return reinterpret_cast<platform::DdeHandle>(nextHandle++); }

std::string TextOf(platform::DdeHandle handle) {
  if (handle == nullptr) return "<null>";
  auto& strings = fake::Fake().dde.liveStrings;
  auto found = strings.find(handle);
  return found == strings.end() ? "<unknown>" : found->second;
}

}  // namespace

namespace fake {

platform::DdeHandle MakeDdeString(const std::string& text) {
  platform::DdeHandle handle = NewHandle();
  Fake().dde.liveStrings[handle] = text;
  return handle;
}

}  // namespace fake

namespace platform {

unsigned DdeInitialize(uint32_t* instance, DdeCallback callback, uint32_t commands) {
  fake::LogCall("DdeInitialize");
  auto& dde = fake::Fake().dde;
  dde.initializeInstancesIn.push_back(*instance);
  dde.callback = callback;
  dde.initializeCommands = commands;
  if (dde.initializeResult != 0) return dde.initializeResult;
  *instance = dde.newInstance;
  return 0;
}

DdeHandle DdeCreateStringHandle(uint32_t instance, const char* text) {
  fake::LogCall(std::string("DdeCreateStringHandle(") + text + ")");
  auto& dde = fake::Fake().dde;
  int number = ++dde.stringHandlesCreated;
  // Like DDEML, no handle without a live instance.
  if (instance == 0 || instance != dde.newInstance || dde.initializeResult != 0) return nullptr;
  if (dde.failStringHandleAt.count(number) != 0) return nullptr;
  return fake::MakeDdeString(text);
}

DdeHandle DdeConnect(uint32_t instance, DdeHandle service, DdeHandle topic) {
  fake::LogCall("DdeConnect");
  auto& dde = fake::Fake().dde;
  fake::DdeConnectCall call{instance, TextOf(service), TextOf(topic), nullptr};
  // A null service or topic is a wildcard: a present server would accept it.
  bool serviceMatches = service == nullptr || call.service == "PROGMAN";
  bool topicMatches = topic == nullptr || call.topic == "PROGMAN";
  if (dde.serverPresent && instance == dde.newInstance && serviceMatches && topicMatches) {
    call.conversation = NewHandle();
    ++dde.openConversations;
  }
  dde.connects.push_back(call);
  return call.conversation;
}

DdeHandle DdeClientTransaction(const void* data, uint32_t length, DdeHandle conversation, DdeHandle item,
                               unsigned format, unsigned type, uint32_t timeout) {
  fake::LogCall("DdeClientTransaction");
  auto& dde = fake::Fake().dde;
  fake::DdeTransactionCall call{std::string(static_cast<const char*>(data), length), length, conversation, item,
                                format, type, timeout};
  dde.transactions.push_back(call);
  if (conversation == nullptr || !dde.executesAccepted) return nullptr;
  return reinterpret_cast<DdeHandle>(1);
}

void DdeFreeStringHandle(uint32_t, DdeHandle string) {
  fake::LogCall("DdeFreeStringHandle");
  auto& dde = fake::Fake().dde;
  auto found = dde.liveStrings.find(string);
  if (found == dde.liveStrings.end()) {
    ++dde.badFrees;
    return;
  }
  dde.freedStrings.push_back(found->second);
  dde.liveStrings.erase(found);
}

void DdeDisconnect(DdeHandle conversation) {
  fake::LogCall("DdeDisconnect");
  auto& dde = fake::Fake().dde;
  dde.disconnects.push_back(conversation);
  if (conversation != nullptr) --dde.openConversations;
}

void DdeUninitialize(uint32_t instance) {
  fake::LogCall("DdeUninitialize");
  fake::Fake().dde.uninitialized.push_back(instance);
}

void DdeQueryString(uint32_t, DdeHandle string, char* buffer, uint32_t size) {
  fake::LogCall("DdeQueryString");
  if (size == 0) return;
  std::string text = TextOf(string);
  size_t count = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

}  // namespace platform
