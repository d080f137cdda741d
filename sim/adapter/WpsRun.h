#pragma once
// The driver's WPS exchange: a run started by a start record or by the hardware button walks
// through the status codes one poll at a time, fails as the scene says, and leaves the
// credentials of the network it joined or configured.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "Sim.h"
#include "wlapi/records.h"

namespace sim {

class WpsRun {
public:
  static WpsRun& Get();

  // WVWL_SetWPSMode: 1 when the record starts a run, 0 for an unknown kind or role.
  int Start(const WPS_MODE& mode);
  // The adapter's button: one press starts a push-button run and reads pressed once.
  void PressButton();
  long TakeButton();
  // WVWL_QueryWPSStatus: the status word; each code lasts one poll.
  unsigned long Poll();
  void Credentials(WPS_PROFILE& out);
  // Registrar: the configuration to hand over, and whether the access point takes it.
  void SetRegistrarProfile(const WPS_PROFILE& profile);
  void SetReconfigure(bool on);
  void SetAutoSelect(bool on);
  // WVWL_WPSDisconnect and WVWL_TerminateWPS: the run ends; dropLink also ends the link.
  void End(bool dropLink);
  // External registrar: 1 while connected to an access point with this UUID.
  int StartExtreg(const std::string& uuid);
  void StopExtreg();
  void SelectEnrollee(const Mac& mac);
  // WVWL_UseEnrolleeList: a PIN run of the external registrar waits for SelectEnrollee.
  void SetUseEnrolleeList(bool on);
  bool ExtregRunning();

private:
  struct Step {
    uint32_t code;
    int callback;
  };
  void StartLocked(const WPS_MODE& mode);
  void EnrolleeOrRegistrarLocked(const WPS_MODE& mode);
  void ExternalRegistrarLocked(const WPS_MODE& mode);
  void StationStepsLocked();
  void FinishLocked(bool success);
  void ElementsLocked();
  void Push(uint32_t code, int callback = 0) { steps_.push_back({code, callback}); }

  std::mutex mu_;
  bool active_ = false;
  bool pinRun_ = false;
  int configMode_ = 0;
  bool autoSelect_ = false;
  std::deque<Step> steps_;
  uint32_t code_ = 0;
  unsigned long long started_ = 0;
  int walkTimeMs_ = 120000;
  bool hasTarget_ = false;
  Network target_;
  WPS_PROFILE result_{};
  WPS_PROFILE sent_{};
  bool reconfigure_ = false;
  bool extreg_ = false;
  bool enrolleeChosen_ = false;
  bool useEnrolleeList_ = false;
  bool awaitingEnrollee_ = false;
  WPS_MODE extregMode_{};
  Mac enrollee_{};
  bool buttonPending_ = false;
};

// Journal texts of the records; keys show as their length only, PINs as their length and
// checksum validity.
std::string StartRecordText(const WPS_MODE& mode);
std::string StoredRecordText(const WPS_MODE& mode);
std::string WpsProfileText(const WPS_PROFILE& profile);
// The PIN of a start record: 8 digits, or the 4 after four 0xFF bytes.
std::string StartRecordPin(const WPS_MODE& mode);
std::string PinShape(const std::string& pin);
// The credential a network hands out.
WPS_CREDENTIAL CredentialOf(const Network& n);

}  // namespace sim
