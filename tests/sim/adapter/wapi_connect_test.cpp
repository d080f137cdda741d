// A WAPI-certificate network takes a profile by its certificate mode and identities, asking
// the WAPI certificate library when the process has loaded it.
#include "SimAdapterFixture.h"

#include <memory>

#include "support/WapiCertFiles.h"

namespace simtest {
namespace {

const char kWapiNet[] = "[Network.Wapi]\nSSID=WapiNet\nBSSID=02:00:00:00:00:30\nChannel=6\nSecurity=wapi-cert\nCipher=sms4\n";

struct WapiCase {
  const char* what;
  uint32_t mode;
  std::string user, as;  // identities
  uint32_t status;
};

class SimAdapterWapi : public SimAdapter {
 protected:
  void TearDown() override {
    if (certLib_) FreeLibrary(certLib_);
    SetEnvironmentVariableA("WEVO_CERT_STATE", nullptr);
    SimAdapter::TearDown();
  }

  static WLANPROFILE WapiProfile(uint32_t mode, const std::string& user, const std::string& as) {
    WLANPROFILE p = Profile("WapiNet", 11, 9);
    p.nWapiCertMode = mode;
    p.WapiUserIdentity.Length = static_cast<uint8_t>(user.size());
    std::memcpy(p.WapiUserIdentity.Data, user.data(), user.size());
    p.WapiASIdentity.Length = static_cast<uint8_t>(as.size());
    std::memcpy(p.WapiASIdentity.Data, as.data(), as.size());
    return p;
  }

  void Check(const WapiCase& c) {
    Connect(WapiProfile(c.mode, c.user, c.as));
    EXPECT_EQ(c.status, Status().status) << c.what;
  }

  HMODULE certLib_ = nullptr;
};

TEST_F(SimAdapterWapi, WithoutTheCertificateLibraryManualIdentitiesDecide) {
  Load(std::string(kScene) + kWapiNet);
  const WapiCase cases[] = {
      {"automatic, no library to ask", 0, "", "", WvStatus_Disconnected},
      {"manual, no identities", 1, "", "", WvStatus_Disconnected},
      {"manual, no AS identity", 1, "alice", "", WvStatus_Disconnected},
      {"manual, both identities", 1, "alice", "as", WvStatus_Connected},
  };
  for (const WapiCase& c : cases) Check(c);
}

TEST_F(SimAdapterWapi, TheCertificateLibraryMustHoldTheChosenCertificate) {
  Load(std::string(kScene) + kWapiNet);
  SetEnvironmentVariableA("WEVO_CERT_STATE", "none");
  certLib_ = LoadLibraryA("ZeZuveZud.dll");
  ASSERT_NE(nullptr, certLib_);
  Connect(WapiProfile(0, "", ""));
  EXPECT_EQ(WvStatus_Disconnected, Status().status) << "automatic with an empty library";

  WapiCertFiles files;
  auto install = reinterpret_cast<PFN_ZeZuveZud_WriteUserASCert>(
      reinterpret_cast<void*>(GetProcAddress(certLib_, "ZeZuveZud_WriteUserASCert")));
  auto identity = reinterpret_cast<PFN_ZeZuveZud_GetIdentity>(
      reinterpret_cast<void*>(GetProcAddress(certLib_, "ZeZuveZud_GetIdentity")));
  auto store = std::make_unique<WAPI_CERT_STORE>();
  ASSERT_EQ(WAPI_INSTALL_DONE, install(store.get(), files.Write("u.cer", "alice", "Wevo AS", "01").c_str(),
                                       files.WriteAS("as.cer", "Wevo AS", "A0").c_str()));
  WAPI_ID_BUFFER user{}, as{};
  ASSERT_EQ(1, identity(1, store->Cert[0].UserCert.nUserIdValue1, store->Cert[0].UserCert.nUserIdValue2, &user));
  ASSERT_EQ(1, identity(0, store->Cert[0].nASIdValue, 0, &as));
  const std::string userId(reinterpret_cast<char*>(user.Data), user.Length);
  const std::string asId(reinterpret_cast<char*>(as.Data), as.Length);

  const WapiCase cases[] = {
      {"automatic", 0, "", "", WvStatus_Connected},
      {"manual, the installed certificate", 1, userId, asId, WvStatus_Connected},
      {"manual, a certificate not installed", 1, "bob", asId, WvStatus_Disconnected},
  };
  for (const WapiCase& c : cases) Check(c);
}

}  // namespace
}  // namespace simtest
