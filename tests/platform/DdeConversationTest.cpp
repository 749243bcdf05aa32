// Conversations between two instances of the process: connecting, the
// synchronous request, and ending from either side.
#include <algorithm>
#include <cstring>

#include "tests/platform/DdePeer.h"

namespace {

using posix_dde::CallLog;
using posix_dde::DdeCall;

// Server slot 0 serving NETSCAPE with the topic WWW_ListWindows, client slot 1.
struct Pair {
  Pair() {
    listWindows = server.Name("WWW_ListWindows");
    server.Serve("NETSCAPE", {listWindows});
    service = client.Name("NETSCAPE");
    topic = client.Name("WWW_ListWindows");
    item = client.Name("WWW_ListWindows");
  }
  HCONV Connect() { return DdeConnect(client.id, service, topic, nullptr); }
  HDDEDATA Request(HCONV conversation, HSZ what) {
    return DdeClientTransaction(nullptr, 0, conversation, what, CF_TEXT, XTYP_REQUEST, 60000,
                                nullptr);
  }

  Peer server{0};
  Peer client{1};
  HSZ listWindows, service, topic, item;
};

HDDEDATA Answer(DWORD server, const Received& r, const char* bytes, DWORD size, UINT commands) {
  return DdeCreateDataHandle(server, reinterpret_cast<LPBYTE>(const_cast<char*>(bytes)), size, 0,
                             r.hsz2, r.format, commands);
}

TEST_F(DdeTest, ConnectReachesOnlyARegisteredServiceAndAcceptedTopic) {
  struct Row {
    const char* name;
    const char* registered;  // null: the server registers nothing
    const char* asked;
    bool topicAccepted;
    bool connected;
    size_t connectsSeen;
  } rows[] = {
      {"registered service, accepted topic", "NETSCAPE", "NETSCAPE", true, true, 1},
      {"service in another case", "NETSCAPE", "netscape", true, true, 1},
      {"topic refused", "NETSCAPE", "NETSCAPE", false, false, 1},
      {"other service registered", "OTHER", "NETSCAPE", true, false, 0},
      {"nothing registered", nullptr, "NETSCAPE", true, false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Peer server(0), client(1);
    HSZ topic = client.Name("WWW_ListWindows");
    if (row.registered) server.Serve(row.registered, {});
    if (row.topicAccepted) server.acceptedTopics = {topic};
    HCONV conversation = DdeConnect(client.id, client.Name(row.asked), topic, nullptr);
    EXPECT_EQ(conversation != nullptr, row.connected);
    EXPECT_EQ(DdeGetLastError(client.id), row.connected ? 0u : UINT{DMLERR_NO_CONV_ESTABLISHED});
    EXPECT_EQ(server.Count(XTYP_CONNECT), row.connectsSeen);
    EXPECT_EQ(server.Count(XTYP_CONNECT_CONFIRM), row.connected ? 1u : 0u);
    EXPECT_EQ(posix_dde::LiveConversations(), std::get<3>(start) + (row.connected ? 1 : 0));
    if (conversation) {
      EXPECT_TRUE(DdeDisconnect(conversation));
    }
  }
}

TEST_F(DdeTest, ServerSeesTopicServiceContextAndItsOwnConversation) {
  Pair p;
  CONVCONTEXT context = {sizeof(CONVCONTEXT), 0, 0, CP_WINANSI, 0x0409, 0};
  HCONV conversation = DdeConnect(p.client.id, p.service, p.topic, &context);
  ASSERT_NE(conversation, nullptr);
  ASSERT_EQ(p.server.Count(XTYP_CONNECT), 1u);
  Received connect = p.server.Last(XTYP_CONNECT);
  EXPECT_EQ(connect.hsz1, p.topic);
  EXPECT_EQ(connect.hsz2, p.service);
  ASSERT_NE(connect.data1, 0u);
  EXPECT_EQ(std::memcmp(&connect.context, &context, sizeof context), 0);
  EXPECT_EQ(connect.data2, 0u) << "client and server are different instances";

  ASSERT_EQ(p.server.Count(XTYP_CONNECT_CONFIRM), 1u);
  Received confirm = p.server.Last(XTYP_CONNECT_CONFIRM);
  EXPECT_NE(confirm.conversation, nullptr);
  EXPECT_NE(confirm.conversation, conversation) << "each side has its own handle";
  EXPECT_EQ(p.Request(conversation, p.item), nullptr);
  ASSERT_EQ(p.server.Count(XTYP_REQUEST), 1u);
  Received request = p.server.Last(XTYP_REQUEST);
  EXPECT_EQ(request.conversation, confirm.conversation);
  EXPECT_EQ(request.format, UINT{CF_TEXT});
  EXPECT_EQ(request.hsz1, p.topic);
  EXPECT_EQ(request.hsz2, p.item);
  EXPECT_TRUE(DdeDisconnect(conversation));
}

TEST_F(DdeTest, AnInstanceMayConnectToItself) {
  Peer both(0);
  HSZ topic = both.Name("WWW_GetWindowInfo");
  both.Serve("NETSCAPE", {topic});
  HCONV conversation = DdeConnect(both.id, both.Name("NETSCAPE"), topic, nullptr);
  ASSERT_NE(conversation, nullptr);
  ASSERT_EQ(both.Count(XTYP_CONNECT), 1u);
  EXPECT_EQ(both.Last(XTYP_CONNECT).data2, 1u);
  EXPECT_EQ(both.Last(XTYP_CONNECT).context.cb, sizeof(CONVCONTEXT)) << "a default context";
  both.End();
  EXPECT_EQ(both.Count(XTYP_DISCONNECT), 0u) << "an instance that ends is told nothing";
}

TEST_F(DdeTest, RequestOutcomes) {
  struct Row {
    const char* name;
    const char* bytes;  // null: the server answers with `special`
    DWORD size;
    HDDEDATA special;
    UINT error;
  } rows[] = {
      {"text with its NUL", "\"a.htm\",\"Home\"", 15, nullptr, 0},
      {"short unterminated text", "ab", 2, nullptr, 0},
      {"empty answer", "", 0, nullptr, 0},
      {"no answer", nullptr, 0, nullptr, DMLERR_NOTPROCESSED},
      {"blocked: times out", nullptr, 0, CBR_BLOCK, DMLERR_DATAACKTIMEOUT},
      {"not a data handle", nullptr, 0, reinterpret_cast<HDDEDATA>(0x7777), DMLERR_NOTPROCESSED},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Pair p;
    p.server.onRequest = [&](const Received& r) {
      return row.bytes ? Answer(p.server.id, r, row.bytes, row.size, 0) : row.special;
    };
    HCONV conversation = p.Connect();
    ASSERT_NE(conversation, nullptr);
    DWORD result = 0xDEAD;
    HDDEDATA data = DdeClientTransaction(nullptr, 0, conversation, p.item, CF_TEXT, XTYP_REQUEST,
                                         60000, &result);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(p.server.Count(XTYP_REQUEST), 1u);
    EXPECT_EQ(DdeGetLastError(p.client.id), row.error);
    ASSERT_EQ(data != nullptr, row.bytes != nullptr);
    if (data) {
      EXPECT_EQ(Bytes(data), std::string(row.bytes, row.size));
      EXPECT_EQ(posix_dde::LiveDataHandles(), std::get<2>(start) + 1)
          << "only the client's copy is left";
      EXPECT_TRUE(DdeFreeDataHandle(data));
    }
    auto asked = std::find_if(CallLog().begin(), CallLog().end(), [](const DdeCall& call) {
      return call.text.rfind("DdeClientTransaction", 0) == 0;
    });
    ASSERT_NE(asked, CallLog().end());
    EXPECT_EQ(*asked,
              (DdeCall{p.client.id, "DdeClientTransaction WWW_ListWindows WWW_ListWindows 60000"}));
    posix_dde::ClearCallLog();
    EXPECT_TRUE(DdeDisconnect(conversation));
  }
}

TEST_F(DdeTest, AnAppOwnedAnswerStaysWithTheServer) {
  Pair p;
  HDDEDATA kept = nullptr;
  p.server.onRequest = [&](const Received& r) {
    if (!kept) kept = Answer(p.server.id, r, "5,9", 4, HDATA_APPOWNED);
    return kept;
  };
  HCONV conversation = p.Connect();
  HDDEDATA first = p.Request(conversation, p.item);
  HDDEDATA second = p.Request(conversation, p.item);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, kept);
  EXPECT_NE(second, first);
  EXPECT_EQ(Bytes(kept), std::string("5,9", 4));
  EXPECT_TRUE(DdeFreeDataHandle(first));
  EXPECT_EQ(Bytes(second), std::string("5,9", 4)) << "copies do not share storage";
  EXPECT_TRUE(DdeFreeDataHandle(second));
  EXPECT_TRUE(DdeFreeDataHandle(kept));
  EXPECT_TRUE(DdeDisconnect(conversation));
}

TEST_F(DdeTest, RequestsRefusedBeforeTheServerIsAsked) {
  Pair p;
  HCONV conversation = p.Connect();
  HCONV serverSide = p.server.Last(XTYP_CONNECT_CONFIRM).conversation;
  struct Row {
    const char* name;
    HCONV conversation;
    HSZ item;
    UINT type;
    DWORD timeout;
    DWORD erring;  // the instance that gets the error, 0 for none
    UINT error;
  } rows[] = {
      {"no item", conversation, nullptr, XTYP_REQUEST, 60000, p.client.id, DMLERR_INVALIDPARAMETER},
      {"no conversation", nullptr, p.item, XTYP_REQUEST, 60000, 0, 0},
      {"a poke", conversation, p.item, XTYP_POKE, 60000, p.client.id, DMLERR_NOTPROCESSED},
      {"asynchronous", conversation, p.item, XTYP_REQUEST, TIMEOUT_ASYNC, p.client.id,
       DMLERR_NOTPROCESSED},
      {"the server's own side", serverSide, p.item, XTYP_REQUEST, 60000, p.server.id,
       DMLERR_INVALIDPARAMETER},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DdeClientTransaction(nullptr, 0, row.conversation, row.item, CF_TEXT, row.type,
                                   row.timeout, nullptr),
              nullptr);
    EXPECT_EQ(DdeGetLastError(p.client.id), row.erring == p.client.id ? row.error : 0u);
    EXPECT_EQ(DdeGetLastError(p.server.id), row.erring == p.server.id ? row.error : 0u);
  }
  EXPECT_EQ(p.server.Count(XTYP_REQUEST), 0u);
  EXPECT_TRUE(DdeDisconnect(conversation));
}

TEST_F(DdeTest, DisconnectTellsTheServerAndEndsTheConversation) {
  Pair p;
  HCONV conversation = p.Connect();
  HCONV serverSide = p.server.Last(XTYP_CONNECT_CONFIRM).conversation;
  EXPECT_TRUE(DdeDisconnect(conversation));
  ASSERT_EQ(p.server.Count(XTYP_DISCONNECT), 1u);
  EXPECT_EQ(p.server.Last(XTYP_DISCONNECT).conversation, serverSide);
  EXPECT_EQ(p.client.Count(XTYP_DISCONNECT), 0u);

  EXPECT_EQ(p.Request(conversation, p.item), nullptr);
  EXPECT_EQ(DdeGetLastError(p.client.id), UINT{DMLERR_NO_CONV_ESTABLISHED});
  EXPECT_EQ(p.server.Count(XTYP_REQUEST), 0u);
  EXPECT_FALSE(DdeDisconnect(conversation));
  EXPECT_EQ(DdeGetLastError(p.client.id), UINT{DMLERR_NO_CONV_ESTABLISHED});
  EXPECT_EQ(CallLog().back(), (DdeCall{p.client.id, "DdeGetLastError"}));
  EXPECT_EQ(CallLog()[CallLog().size() - 2],
            (DdeCall{p.client.id, "DdeDisconnect WWW_ListWindows"}));
  EXPECT_FALSE(DdeDisconnect(nullptr));
}

TEST_F(DdeTest, EndingEitherSideTellsTheOther) {
  struct Row {
    const char* name;
    bool serverEnds;
    bool byUninitialize;
  } rows[] = {
      {"client disconnects", false, false},
      {"server disconnects", true, false},
      {"client uninitializes", false, true},
      {"server uninitializes", true, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Pair p;
    HCONV conversation = p.Connect();
    ASSERT_NE(conversation, nullptr);
    HCONV serverSide = p.server.Last(XTYP_CONNECT_CONFIRM).conversation;
    Peer& ender = row.serverEnds ? p.server : p.client;
    Peer& partner = row.serverEnds ? p.client : p.server;
    if (row.byUninitialize)
      ender.End();
    else
      EXPECT_TRUE(DdeDisconnect(row.serverEnds ? serverSide : conversation));
    ASSERT_EQ(partner.Count(XTYP_DISCONNECT), 1u);
    EXPECT_EQ(partner.Last(XTYP_DISCONNECT).conversation,
              row.serverEnds ? conversation : serverSide);
    EXPECT_EQ(ender.Count(XTYP_DISCONNECT), 0u);
    EXPECT_EQ(posix_dde::LiveConversations(), std::get<3>(start));
    if (p.client.id) {
      EXPECT_EQ(p.Request(conversation, p.item), nullptr);
    }
    if (row.serverEnds && row.byUninitialize) {
      EXPECT_EQ(p.Connect(), nullptr) << "its service went with it";
    }
  }
}

TEST_F(DdeTest, CallbacksMayEndTheConversationTheyServe) {
  Pair p;
  p.server.onAny = [&](const Received& r) -> HDDEDATA {
    if (r.type == XTYP_CONNECT) return reinterpret_cast<HDDEDATA>(1);
    if (r.type == XTYP_REQUEST) {
      HDDEDATA late = Answer(p.server.id, r, "x", 2, 0);
      EXPECT_TRUE(DdeDisconnect(r.conversation));
      return late;  // its conversation is gone: DDEML drops it
    }
    if (r.type == XTYP_DISCONNECT) {
      EXPECT_FALSE(DdeDisconnect(r.conversation));
    }
    return nullptr;
  };
  HCONV conversation = p.Connect();
  EXPECT_EQ(p.Request(conversation, p.item), nullptr);
  EXPECT_EQ(DdeGetLastError(p.client.id), UINT{DMLERR_NO_CONV_ESTABLISHED});
  EXPECT_EQ(p.client.Count(XTYP_DISCONNECT), 1u);

  conversation = p.Connect();
  EXPECT_TRUE(DdeDisconnect(conversation));
  EXPECT_EQ(p.server.Count(XTYP_DISCONNECT), 1u) << "told once, and its own disconnect refused";
}

TEST_F(DdeTest, TheLogShowsARequestInOrder) {
  Pair p;
  DWORD s = p.server.id, c = p.client.id;
  p.server.onRequest = [&](const Received& r) { return Answer(s, r, "5,9", 4, 0); };
  posix_dde::ClearCallLog();
  HCONV conversation = p.Connect();
  HDDEDATA data = p.Request(conversation, p.item);
  EXPECT_EQ(Bytes(data), std::string("5,9", 4));
  DdeFreeDataHandle(data);
  DdeDisconnect(conversation);
  p.client.End();
  p.server.End();
  const std::vector<DdeCall> expected = {
      {c, "DdeConnect NETSCAPE WWW_ListWindows"},
      {c, "DdeClientTransaction WWW_ListWindows WWW_ListWindows 60000"},
      {s, "DdeCreateDataHandle WWW_ListWindows 4"},
      {c, "DdeAccessData"},
      {c, "DdeUnaccessData"},
      {c, "DdeFreeDataHandle"},
      {c, "DdeDisconnect WWW_ListWindows"},
      {c, "DdeFreeStringHandle NETSCAPE"},
      {c, "DdeFreeStringHandle WWW_ListWindows"},
      {c, "DdeFreeStringHandle WWW_ListWindows"},
      {c, "DdeUninitialize"},
      {s, "DdeFreeStringHandle WWW_ListWindows"},
      {s, "DdeFreeStringHandle NETSCAPE"},
      {s, "DdeUninitialize"},
  };
  EXPECT_EQ(CallLog(), expected);
}

}  // namespace
