// A DDEML instance for the tests: it records every callback it receives and
// answers as its script says. Each test checks that DDEML ends with the
// instances and handles it started with.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Win32Api.h"
#include "platform/posix/DdeTestHooks.h"

struct Received {
  UINT type;
  UINT format;
  HCONV conversation;
  HSZ hsz1;
  HSZ hsz2;
  ULONG_PTR data1;
  ULONG_PTR data2;
  CONVCONTEXT context;  // XTYP_CONNECT: what dwData1 pointed at during the call
};

class Peer {
 public:
  // A callback carries no instance id, so each live peer takes a slot of
  // its own, and with it a callback of its own.
  static const int kSlots = 3;

  explicit Peer(int slot, DWORD commands = 0);
  ~Peer();
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  // A string handle held until End.
  HSZ Name(const char* text);
  // Registers `service` and accepts conversations on `topics`.
  void Serve(const char* service, std::vector<HSZ> topics);
  // Frees the peer's names and ends its instance; the destructor does it
  // when the test has not.
  void End();

  size_t Count(UINT type) const;
  // The latest callback of `type`, copied; all zero when there was none.
  Received Last(UINT type) const;

  DWORD id = 0;
  std::vector<Received> received;
  std::vector<HSZ> acceptedTopics;
  // Answers XTYP_REQUEST (and overrides everything else when set); the
  // default answer to a request is 0.
  std::function<HDDEDATA(const Received&)> onRequest;
  std::function<HDDEDATA(const Received&)> onAny;

 private:
  HDDEDATA Callback(const Received& r);
  template <int Slot>
  static HDDEDATA CALLBACK Trampoline(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                      HSZ hsz2, HDDEDATA, ULONG_PTR data1, ULONG_PTR data2);
  static Peer* slots[kSlots];

  int slot;
  std::vector<HSZ> names;
};

// Live counts of DDEML, compared at the end of every test.
inline auto LiveCounts() {
  return std::make_tuple(posix_dde::LiveInstances(), posix_dde::LiveStringHandles(),
                         posix_dde::LiveDataHandles(), posix_dde::LiveConversations());
}

class DdeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    start = LiveCounts();
    posix_dde::ClearCallLog();
  }
  void TearDown() override {
    EXPECT_EQ(LiveCounts(), start) << "instances, strings, data, conversations";
  }

  decltype(LiveCounts()) start;
};

// Exactly the bytes of a data handle, read with DdeAccessData.
std::string Bytes(HDDEDATA data);
