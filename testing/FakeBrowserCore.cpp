#include "testing/FakeBrowserCore.h"

#include <utility>

#include "browser/BrowserInterface.h"
#include "testing/FakeBrowserText.h"

namespace fake_browser {
namespace {

std::string QuotedField(const std::string& value) {
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

void AppendLittleEndian(uint32_t value, size_t bytes, std::vector<uint8_t>* out) {
  for (size_t i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Reply Refused() { return Reply{}; }

Reply Silent() {
  Reply reply;
  reply.kind = Reply::kSilent;
  return reply;
}

Reply Data(std::vector<uint8_t> bytes) {
  Reply reply;
  reply.kind = Reply::kData;
  reply.bytes = std::move(bytes);
  return reply;
}

}  // namespace

std::string WindowInfoText(const Window& window, size_t padTitleTo) {
  std::string title = window.title;
  if (title.size() < padTitleTo) title.append(padTitleTo - title.size(), 'x');
  return QuotedField(window.url) + "," + QuotedField(title) + "," + QuotedField(window.third);
}

FakeBrowserCore::FakeBrowserCore(const Script& script) : script_(script) {}

const std::vector<std::string>& FakeBrowserCore::Topics() {
  static const std::vector<std::string> topics(browser::kTopics,
                                               browser::kTopics + browser::kTopicCount);
  return topics;
}

std::string FakeBrowserCore::CanonicalTopic(const std::string& topic) {
  for (const std::string& own : Topics()) {
    if (SameName(own, topic)) return own;
  }
  return topic;
}

bool FakeBrowserCore::Registered() const { return !script_.misbehave.unregistered; }

bool FakeBrowserCore::Connect(const std::string& topic) {
  const std::string name = CanonicalTopic(topic);
  bool accept = false;
  for (const std::string& own : Topics()) accept = accept || own == name;
  for (const std::string& refused : script_.misbehave.refusedTopics) {
    if (SameName(refused, name)) accept = false;
  }
  accept = accept && Registered();
  ++(accept ? counters_.accepted : counters_.refused)[name];
  return accept;
}

Reply FakeBrowserCore::Request(const std::string& topic, const std::string& item, unsigned format) {
  const std::string name = CanonicalTopic(topic);
  ++counters_.requests[{name, item}];
  ++counters_.totalRequests;
  Reply reply = Answer(name, item, format);
  if (reply.kind != Reply::kSilent) reply.delayMs = DelayOn(name);
  return reply;
}

uint32_t FakeBrowserCore::DelayOn(const std::string& topic) const {
  for (const SlowTopic& slow : script_.misbehave.slowTopics) {
    if (SameName(slow.topic, topic)) return slow.delayMs;
  }
  return 0;
}

Reply FakeBrowserCore::Answer(const std::string& name, const std::string& item,
                              unsigned format) const {
  if (const RequestFault* fault = FindFault(name, item))
    return fault->silent ? Silent() : Refused();
  if (format != kTextFormat) return Refused();
  if (name == browser::kTopicListWindows) return ListWindows(item);
  if (name == browser::kTopicGetWindowInfo) return WindowInfo(item);
  if (name == browser::kTopicGetFrameParent) return FrameParent(item);
  return Refused();
}

const Window* FakeBrowserCore::FindWindow(uint32_t id) const {
  if (id == browser::kCurrentWindow) id = script_.current;
  for (const Window& w : script_.windows) {
    if (w.id == id) return &w;
  }
  return nullptr;
}

const RequestFault* FakeBrowserCore::FindFault(const std::string& topic,
                                               const std::string& item) const {
  for (const RequestFault& f : script_.misbehave.requestFaults) {
    if (SameName(f.topic, topic) && (f.item.empty() || SameName(f.item, item))) return &f;
  }
  return nullptr;
}

Reply FakeBrowserCore::ListWindows(const std::string& item) const {
  if (!SameName(item, browser::kTopicListWindows)) return Refused();
  std::vector<uint8_t> bytes;
  for (const Window& w : script_.windows) AppendLittleEndian(w.id, 4, &bytes);
  if (!script_.misbehave.listUnterminated) AppendLittleEndian(0, 4, &bytes);
  return Data(std::move(bytes));
}

Reply FakeBrowserCore::WindowInfo(const std::string& item) const {
  uint32_t id = 0;
  const Window* window = ParseNumber(item, &id) ? FindWindow(id) : nullptr;
  if (!window) return Refused();
  const std::string text = WindowInfoText(*window, script_.misbehave.padTitleTo);
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if (!script_.misbehave.textUnterminated) bytes.push_back(0);
  return Data(std::move(bytes));
}

Reply FakeBrowserCore::FrameParent(const std::string& item) const {
  uint32_t id = 0;
  const Window* window = ParseNumber(item, &id) ? FindWindow(id) : nullptr;
  if (!window) return Refused();
  std::vector<uint8_t> bytes;
  AppendLittleEndian(window->parent, script_.misbehave.frameParentBytes, &bytes);
  return Data(std::move(bytes));
}

}  // namespace fake_browser
