// The server side's service names, and how a client reaches a server that
// registered one: any instance of the process, the client's own included.
#include "platform/posix/DdeState.h"

using namespace posix_dde;

namespace {

bool Registered(const Registration& wanted) {
  for (const Registration& r : TheState().registrations) {
    if (r.instance == wanted.instance && r.service == wanted.service) return true;
  }
  return false;
}

void Unregister(DWORD instance, HandleId service) {
  auto& registrations = TheState().registrations;
  for (size_t i = 0; i < registrations.size();) {
    const Registration& r = registrations[i];
    if (r.instance == instance && (service == 0 || r.service == service)) {
      DropReference(r.service, kDdemlHolder);
      registrations.erase(registrations.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
}

bool Usable(DWORD id) {
  Instance* instance = FindInstance(id);
  return instance && !instance->ending;
}

}  // namespace

HDDEDATA DdeNameService(DWORD idInst, HSZ hsz1, HSZ /*hsz2*/, UINT afCmd) {
  const HDDEDATA done = HandleOf<HDDEDATA>(1);
  return Guarded(idInst, HDDEDATA{}, [&]() -> HDDEDATA {
    Log(idInst, {"DdeNameService", StringText(IdOf(hsz1))});
    Instance* instance = FindInstance(idInst);
    if (!instance) return 0;
    HandleId service = IdOf(hsz1);
    if (afCmd & DNS_REGISTER) {
      if (instance->commands & APPCMD_CLIENTONLY) {
        SetError(idInst, DMLERR_DLL_USAGE);
        return 0;
      }
      if (!FindString(service)) {
        SetError(idInst, DMLERR_INVALIDPARAMETER);
        return 0;
      }
      if (Registered(Registration{idInst, service})) {
        SetError(idInst, DMLERR_DLL_USAGE);
        return 0;
      }
      TheState().registrations.push_back(Registration{idInst, service});
      AddReference(service, kDdemlHolder);
      return done;
    }
    if (afCmd & DNS_UNREGISTER) {
      // A 0 service ends all of the instance's registrations; conversations
      // already open stay open.
      Unregister(idInst, service);
      return done;
    }
    if (afCmd & (DNS_FILTERON | DNS_FILTEROFF)) return done;
    SetError(idInst, DMLERR_INVALIDPARAMETER);
    return 0;
  });
}

HCONV DdeConnect(DWORD idInst, HSZ hszService, HSZ hszTopic, PCONVCONTEXT pCC) {
  return Guarded(idInst, HCONV{}, [&]() -> HCONV {
    HandleId service = IdOf(hszService);
    HandleId topic = IdOf(hszTopic);
    Log(idInst, {"DdeConnect", StringText(service), StringText(topic)});
    if (!FindInstance(idInst)) return 0;
    if ((service && !FindString(service)) || (topic && !FindString(topic))) {
      SetError(idInst, DMLERR_INVALIDPARAMETER);
      return 0;
    }
    // A DDEML server always sees a context; the client's, or the default.
    CONVCONTEXT context = {sizeof(CONVCONTEXT), 0, 0, CP_WINANSI, 0, 0};
    if (pCC) context = *pCC;

    // A 0 service reaches every server in turn. A 0 topic would need wild
    // connections, which nobody here offers.
    std::vector<Registration> candidates;
    if (topic) {
      for (const Registration& r : TheState().registrations) {
        if (service == 0 || r.service == service) candidates.push_back(r);
      }
    }
    for (const Registration& candidate : candidates) {
      if (!Usable(idInst)) break;
      if (!Registered(candidate) || !Usable(candidate.instance)) continue;
      ULONG_PTR sameInstance = candidate.instance == idInst ? 1 : 0;
      HDDEDATA accepted = Invoke(candidate.instance, XTYP_CONNECT, 0, 0, topic, candidate.service,
                                 0, reinterpret_cast<ULONG_PTR>(&context), sameInstance);
      if (!accepted) continue;
      // The server's callback may have ended either instance or the names.
      if (!Usable(idInst)) break;
      if (!Usable(candidate.instance) || !FindString(topic) || !FindString(candidate.service))
        continue;

      Conversation opened{NewHandle(),        NewHandle(),       idInst,
                          candidate.instance, candidate.service, topic};
      TheState().conversations.push_back(opened);
      AddReference(opened.service, kDdemlHolder);
      AddReference(opened.topic, kDdemlHolder);
      Invoke(candidate.instance, XTYP_CONNECT_CONFIRM, 0, opened.serverHandle, topic,
             candidate.service, 0, 0, sameInstance);
      return HandleOf<HCONV>(opened.clientHandle);
    }
    SetError(idInst, DMLERR_NO_CONV_ESTABLISHED);
    return 0;
  });
}
