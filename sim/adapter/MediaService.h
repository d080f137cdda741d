#pragma once
// The media-server service as the service manager knows it, named by [Service] ServiceName of
// "ViRuvuzOdiraz.ini" beside the library (default "ViRuvuzOdiraz").
#include <string>

namespace sim {

struct MediaServiceResult {
  bool present = false;  // the service is registered
  bool ok = false;
  bool running = false;  // the manager's state after the call: start pending or running
  std::string note;      // for the journal: "service NAME running", "... error 1053"
};

MediaServiceResult StartMediaService(const std::string& friendlyName, const std::string& folder);
MediaServiceResult StopMediaService();
MediaServiceResult SetMediaServiceStartType(bool automatic);

}  // namespace sim
