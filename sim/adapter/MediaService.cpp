#include "MediaService.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>

#include "Engine.h"

namespace sim {
namespace {

struct CloseService {
  void operator()(SC_HANDLE h) const { CloseServiceHandle(h); }
};
using Service = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, CloseService>;

std::string ServiceName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(OwnModule(), path, MAX_PATH);
  std::string ini = path;
  ini = ini.substr(0, ini.find_last_of('\\') + 1) + "ViRuvuzOdiraz.ini";
  char name[256] = {};
  GetPrivateProfileStringA("Service", "ServiceName", "ViRuvuzOdiraz", name, sizeof name, ini.c_str());
  return name;
}

// Opens the service with the access and runs the action on it; a service that is not
// registered is reported absent and the action is not run.
MediaServiceResult WithService(DWORD access, const std::function<DWORD(SC_HANDLE)>& action) {
  MediaServiceResult result;
  const std::string name = ServiceName();
  Service manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return result;
  Service service(OpenServiceA(manager.get(), name.c_str(), access));
  if (!service) {
    const DWORD error = GetLastError();
    if (error != ERROR_SERVICE_DOES_NOT_EXIST) {
      result.present = true;
      result.note = "service " + name + " error " + std::to_string(error);
    }
    return result;
  }
  result.present = true;
  const DWORD error = action(service.get());
  result.ok = error == NO_ERROR;
  SERVICE_STATUS status{};
  QueryServiceStatus(service.get(), &status);
  result.running = status.dwCurrentState == SERVICE_RUNNING || status.dwCurrentState == SERVICE_START_PENDING;
  result.note = "service " + name + (result.running ? " running" : " stopped");
  if (!result.ok) result.note += " error " + std::to_string(error);
  return result;
}

}  // namespace

MediaServiceResult StartMediaService(const std::string& friendlyName, const std::string& folder) {
  return WithService(SERVICE_START | SERVICE_QUERY_STATUS, [&](SC_HANDLE service) -> DWORD {
    const char* arguments[] = {friendlyName.c_str(), folder.c_str()};
    if (StartServiceA(service, 2, arguments)) return NO_ERROR;
    const DWORD error = GetLastError();
    return error == ERROR_SERVICE_ALREADY_RUNNING ? NO_ERROR : error;
  });
}

MediaServiceResult StopMediaService() {
  return WithService(SERVICE_STOP | SERVICE_QUERY_STATUS, [](SC_HANDLE service) -> DWORD {
    SERVICE_STATUS status{};
    if (ControlService(service, SERVICE_CONTROL_STOP, &status)) return NO_ERROR;
    const DWORD error = GetLastError();
    return error == ERROR_SERVICE_NOT_ACTIVE ? NO_ERROR : error;
  });
}

MediaServiceResult SetMediaServiceStartType(bool automatic) {
  return WithService(SERVICE_CHANGE_CONFIG | SERVICE_QUERY_STATUS, [automatic](SC_HANDLE service) -> DWORD {
    const DWORD type = automatic ? SERVICE_AUTO_START : SERVICE_DEMAND_START;
    const BOOL changed = ChangeServiceConfigA(service, SERVICE_NO_CHANGE, type, SERVICE_NO_CHANGE, nullptr, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr);
    return changed ? NO_ERROR : GetLastError();
  });
}

}  // namespace sim
