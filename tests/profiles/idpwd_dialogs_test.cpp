// The identity and password dialogs on the simulated adapter: what they show for each
// failure and 802.1X method, what reaches the library on OK, bounded fields, missing input
// and cancel.
#include "mainwindow/program_fixture.h"

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/FormMessageBox.h"
#include "profiles/FormInvalidIdPwd.h"
#include "profiles/FormPeapIdPwd.h"
#include "resources/FormResource.h"
#include "ui/Seams.h"
#include "../ui/UiTestSupport.h"

namespace {

// What the dialogs hand to the library, captured in place of the entries.
struct Captured {
    int writeIdCalls = 0;
    char identity[128];
    char password[128];
    int setProfileCalls = 0;
    WLANPROFILE profile;
    int psModeCalls = 0;
    int ssoCalls = 0;
};
Captured g;

int __stdcall CaptureWriteIDnPasswd(const char* identity, const char* password)
{
    ++g.writeIdCalls;
    std::memcpy(g.identity, identity, sizeof g.identity);
    std::memcpy(g.password, password, sizeof g.password);
    return 1;
}

int __stdcall CaptureSetWLANProfile(const WLANPROFILE* profile)
{
    ++g.setProfileCalls;
    g.profile = *profile;
    return 1;
}

int __stdcall FakeReadPSMode(unsigned long* psMode)
{
    ++g.psModeCalls;
    *psMode = 2;
    return 1;
}

int __stdcall CaptureReadSSOStatus(int*, int*)
{
    ++g.ssoCalls;
    return 1;
}

constexpr uint32_t PEAP = 0, TLS = 1, TTLS = 2, EAP_FAST = 3, MD5 = 4, LEAP = 5;

// The whole 128-byte buffer: the text, then zeros.
std::string Buffer(const std::string& text)
{
    std::string buffer(128, '\0');
    buffer.replace(0, text.size(), text);
    return buffer;
}

class IdPwdDialogs : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        StartProgram();
        g = Captured{};
        VOZEZIV.WVWL_WriteIDnPasswd = CaptureWriteIDnPasswd;
        VOZEZIV.WVWL_SetWLANProfile = CaptureSetWLANProfile;
        VOZEZIV.WVWL_ReadPSMode = FakeReadPSMode;
        VOZEZIV.WVWL_ReadSSOStatus = CaptureReadSSOStatus;
        ASSERT_EQ(VOZEZIV.WVWL_WriteRegValue("CurProfile", REG_SZ, "Office", 7), 1);
        seams::modalAnswer = [this](const std::string& what) {
            m_shown.push_back(what);
            return 1;
        };
    }

    void TearDown() override
    {
        if (FormInvalidIdPwd->Visible())
            FormInvalidIdPwd->Hide();
        if (FormPeapIdPwd->Visible())
            FormPeapIdPwd->Hide();
        ProgramFixture::TearDown();
    }

    static const CUISTR& Texts() { return *FormResource->UI_Str; }

    // The profile the main window copies in: 802.1X with the given method.
    static WLANPROFILE Profile(uint32_t method)
    {
        WLANPROFILE p = VOZEZIV.defaultProfile;
        std::strcpy(p.strProfileName, "Office");
        std::strcpy(p.chID, "old-id");
        std::strcpy(p.chPassword, "old-password");
        p.enumAuthenMode = 6;
        p.enumAuthenProtocol = method;
        p.enumPSMode = 0;
        return p;
    }

    // Types text into an edit as the keyboard does.
    static void Type(TEdit* edit, const std::string& text)
    {
        for (char c : text)
            SendMessageA(edit->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    }

    static void PostType(TEdit* edit, const std::string& text)
    {
        for (char c : text)
            PostMessageA(edit->Handle(), WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 0);
    }

    static void PostClick(TForm* form, TButton* button)
    {
        PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), LPARAM(button->Handle()));
    }

    // The invalid-identity dialog as the main window shows it after a failure.
    void ShowInvalid(DWORD authFailState, uint32_t method)
    {
        FormMain->m_nAuthFailState = authFailState;
        *FormInvalidIdPwd->m_pProfile = Profile(method);
        FormInvalidIdPwd->Show();
    }

    void ShowTunnel(uint32_t method, const std::string& id, DWORD idMode = 0)
    {
        *FormPeapIdPwd->m_pProfile = Profile(method);
        FormPeapIdPwd->m_pProfile->nIDModeIndex = idMode;
        FormPeapIdPwd->m_strTunnelID = id;
        FormPeapIdPwd->m_strTunnelPassword.clear();
        FormPeapIdPwd->Show();
    }

    std::vector<std::string> m_shown;  // every message box and modal dialog asked for
};

bool Mentions(const std::vector<std::string>& shown, const std::string& text)
{
    for (const std::string& s : shown)
        if (s.find(text) != std::string::npos)
            return true;
    return false;
}

}  // namespace

// ---- The invalid-identity dialog

TEST_F(IdPwdDialogs, RejectedIdentityAsksForIdentityAndPasswordExceptWithTls)
{
    const std::pair<uint32_t, bool> cases[] = {{PEAP, true}, {TLS, false}, {TTLS, true}, {MD5, true}, {LEAP, true}};
    for (auto [method, password] : cases) {
        ShowInvalid(1, method);
        TFormInvalidIdPwd& d = *FormInvalidIdPwd;
        EXPECT_EQ(d.lblCardName->Caption(), "Tarnwell 802.11ac Wireless LAN Card");
        EXPECT_EQ(d.lblProfileName->Caption(), "Office");
        EXPECT_EQ(d.lblMessage->Caption(), Texts().STR_INVALID_IDPW) << method;
        EXPECT_TRUE(d.editTunnelID->Visible()) << method;
        EXPECT_TRUE(d.lblTunnelIDText->Visible()) << method;
        EXPECT_EQ(d.editTunnelPassword->Visible(), password) << method;
        EXPECT_EQ(d.lblTunnelPasswordText->Visible(), password) << method;
        d.Hide();
    }
}

TEST_F(IdPwdDialogs, TimeoutNamesTheMethodAndAsksNothing)
{
    const std::pair<uint32_t, const std::string*> cases[] = {
        {PEAP, &Texts().STR_PEAP_TIMEOUT},   {TLS, &Texts().STR_TLS_TIMEOUT},
        {TTLS, &Texts().STR_TTLS_TIMEOUT},   {EAP_FAST, &Texts().STR_EAP_FAST_TIMEOUT},
        {MD5, &Texts().STR_MD5_TIMEOUT},     {LEAP, &Texts().STR_LEAP_TIMEOUT},
    };
    for (auto [method, text] : cases) {
        ShowInvalid(0, method);
        EXPECT_EQ(FormInvalidIdPwd->lblMessage->Caption(), *text) << method;
        EXPECT_FALSE(FormInvalidIdPwd->editTunnelID->Visible()) << method;
        EXPECT_FALSE(FormInvalidIdPwd->editTunnelPassword->Visible()) << method;
        FormInvalidIdPwd->Hide();
    }
    // A method without a time-out text shows no reason, not the one of the previous showing.
    ShowInvalid(0, 9);
    EXPECT_EQ(FormInvalidIdPwd->lblMessage->Caption(), "");
}

TEST_F(IdPwdDialogs, EveryShowingStartsWithEmptyFields)
{
    ShowInvalid(1, PEAP);
    FormInvalidIdPwd->editTunnelID->SetText("typed");
    FormInvalidIdPwd->editTunnelPassword->SetText("typed");
    FormInvalidIdPwd->Hide();
    ShowInvalid(1, PEAP);
    EXPECT_EQ(FormInvalidIdPwd->editTunnelID->Text(), "");
    EXPECT_EQ(FormInvalidIdPwd->editTunnelPassword->Text(), "");
    EXPECT_EQ(FormInvalidIdPwd->m_strID, "");
}

TEST_F(IdPwdDialogs, NewIdentityReachesLibraryAndProfileThenReconnects)
{
    ShowInvalid(1, PEAP);
    FormMain->m_bReConnect = FALSE;
    FormInvalidIdPwd->editTunnelID->SetText("alice");
    FormInvalidIdPwd->editTunnelPassword->SetText("secret");
    ClickControl(FormInvalidIdPwd->BtnOK);

    ASSERT_EQ(g.writeIdCalls, 1);
    EXPECT_EQ(std::string(g.identity, 128), Buffer("alice"));
    EXPECT_EQ(std::string(g.password, 128), Buffer("secret"));
    ASSERT_EQ(g.setProfileCalls, 1);
    EXPECT_EQ(std::string(g.profile.chID, 128), Buffer("alice"));  // cleared, not overwritten in part
    EXPECT_EQ(std::string(g.profile.chPassword, 128), Buffer("secret"));
    EXPECT_STREQ(g.profile.strProfileName, "Office");
    EXPECT_EQ(g.psModeCalls, 1);
    EXPECT_EQ(g.profile.enumPSMode, 2u);
    EXPECT_TRUE(FormMain->m_bReConnect);
    EXPECT_EQ(FormInvalidIdPwd->ModalResult(), mrOk);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(IdPwdDialogs, MissingIdentityOrPasswordKeepsTheDialogOpen)
{
    struct Case {
        uint32_t method;
        std::string id, password;
        const std::string* message;  // null: accepted
    };
    const Case cases[] = {
        {PEAP, "", "secret", &Texts().STR_INPUT_IDENTITY},
        {PEAP, "alice", "", &Texts().STR_INPUT_PASSWORD},
        {TLS, "", "", &Texts().STR_INPUT_IDENTITY},
        {TLS, "alice", "", nullptr},  // TLS needs no password
    };
    for (const Case& c : cases) {
        g = Captured{};
        m_shown.clear();
        ShowInvalid(1, c.method);
        FormInvalidIdPwd->SetModalResult(mrNone);
        FormInvalidIdPwd->editTunnelID->SetText(c.id);
        FormInvalidIdPwd->editTunnelPassword->SetText(c.password);
        ClickControl(FormInvalidIdPwd->BtnOK);
        if (c.message) {
            ASSERT_EQ(m_shown.size(), 1u) << c.id << "/" << c.password;
            EXPECT_TRUE(Mentions(m_shown, *c.message)) << m_shown[0];
            EXPECT_EQ(g.writeIdCalls, 0);
            EXPECT_EQ(g.setProfileCalls, 0);
            EXPECT_EQ(FormInvalidIdPwd->ModalResult(), mrNone);
        } else {
            EXPECT_TRUE(m_shown.empty());
            EXPECT_EQ(std::string(g.identity, 128), Buffer("alice"));
            EXPECT_EQ(std::string(g.password, 128), Buffer(""));
            EXPECT_EQ(g.setProfileCalls, 1);
            EXPECT_EQ(FormInvalidIdPwd->ModalResult(), mrOk);
        }
        FormInvalidIdPwd->Hide();
    }
}

TEST_F(IdPwdDialogs, AfterATimeoutOkReconnectsWithTheStoredIdentity)
{
    ShowInvalid(0, MD5);
    FormMain->m_bReConnect = FALSE;
    ClickControl(FormInvalidIdPwd->BtnOK);
    EXPECT_EQ(g.writeIdCalls, 0);
    ASSERT_EQ(g.setProfileCalls, 1);
    EXPECT_STREQ(g.profile.chID, "old-id");
    EXPECT_STREQ(g.profile.chPassword, "old-password");
    EXPECT_TRUE(FormMain->m_bReConnect);
    EXPECT_EQ(FormInvalidIdPwd->ModalResult(), mrOk);
}

TEST_F(IdPwdDialogs, PowerSaveModeIsLeftAloneWithTheAdvancedProfilePage)
{
    VOZEZIV.bProfAdvPage = 1;
    ShowInvalid(0, PEAP);
    FormInvalidIdPwd->m_pProfile->enumPSMode = 1;
    ClickControl(FormInvalidIdPwd->BtnOK);
    EXPECT_EQ(g.psModeCalls, 0);
    ASSERT_EQ(g.setProfileCalls, 1);
    EXPECT_EQ(g.profile.enumPSMode, 1u);
}

TEST_F(IdPwdDialogs, OverlongInvalidDialogInputIsCutAtTheFieldSize)
{
    ShowInvalid(1, PEAP);
    const std::string after(FormInvalidIdPwd->m_pProfile->chPassword + 128, 64);
    FormInvalidIdPwd->editTunnelID->SetText(std::string(300, 'i'));
    FormInvalidIdPwd->editTunnelPassword->SetText(std::string(500, 'p'));
    ClickControl(FormInvalidIdPwd->BtnOK);
    ASSERT_EQ(g.writeIdCalls, 1);
    EXPECT_EQ(std::string(g.identity, 128), Buffer(std::string(127, 'i')));
    EXPECT_EQ(std::string(g.password, 128), Buffer(std::string(127, 'p')));
    EXPECT_EQ(std::string(g.profile.chID, 128), Buffer(std::string(127, 'i')));
    EXPECT_EQ(std::string(g.profile.chPassword, 128), Buffer(std::string(127, 'p')));
    EXPECT_EQ(std::string(g.profile.chPassword + 128, 64), after);  // nothing spilled over
}

TEST_F(IdPwdDialogs, TypedInputStopsAtOneHundredCharacters)
{
    ShowInvalid(1, PEAP);
    Type(FormInvalidIdPwd->editTunnelID, std::string(150, 'a'));
    Type(FormInvalidIdPwd->editTunnelPassword, std::string(130, 'b'));
    EXPECT_EQ(FormInvalidIdPwd->editTunnelID->Text(), std::string(100, 'a'));
    EXPECT_EQ(FormInvalidIdPwd->editTunnelPassword->Text(), std::string(100, 'b'));
    FormInvalidIdPwd->Hide();

    ShowTunnel(PEAP, "");
    Type(FormPeapIdPwd->editTunnelID, std::string(150, 'c'));
    Type(FormPeapIdPwd->editTunnelPassword, std::string(101, 'd'));
    EXPECT_EQ(FormPeapIdPwd->editTunnelID->Text(), std::string(100, 'c'));
    EXPECT_EQ(FormPeapIdPwd->editTunnelPassword->Text(), std::string(100, 'd'));
}

TEST_F(IdPwdDialogs, ClosingTheInvalidDialogSendsNothing)
{
    seams::modalAnswer = nullptr;
    FormMain->m_nAuthFailState = 1;
    *FormInvalidIdPwd->m_pProfile = Profile(PEAP);
    PostType(FormInvalidIdPwd->editTunnelID, "alice");
    PostMessageA(FormInvalidIdPwd->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(FormInvalidIdPwd->ShowModal(), mrCancel);
    EXPECT_FALSE(FormInvalidIdPwd->Visible());
    EXPECT_EQ(g.writeIdCalls, 0);
    EXPECT_EQ(g.setProfileCalls, 0);
    EXPECT_STREQ(FormInvalidIdPwd->m_pProfile->chID, "old-id");
}

// ---- The tunnel dialog

TEST_F(IdPwdDialogs, TunnelDialogTextsFollowTheMethod)
{
    struct Case {
        uint32_t method;
        const std::string* caption;
        const std::string* description;
        bool identityEditable;
    };
    const Case cases[] = {
        {PEAP, &Texts().STR_PEAP_ONE_TIME, &Texts().STR_PEAP_DESCRIPTION, true},
        {EAP_FAST, &Texts().STR_EAP_FAST_ONE_TIME, &Texts().STR_EAP_FAST_DESCRIPTION, true},
        {TTLS, &Texts().STR_ENTER_NEW_PASSWORD, &Texts().STR_ENTER_NEW_PASSWORD_DESCRIPTION, false},
        {TLS, &Texts().STR_ENTER_NEW_PASSWORD, &Texts().STR_ENTER_NEW_PASSWORD_DESCRIPTION, false},
        {LEAP, &Texts().STR_ENTER_NEW_PASSWORD, &Texts().STR_ENTER_NEW_PASSWORD_DESCRIPTION, false},
    };
    for (const Case& c : cases) {
        ShowTunnel(c.method, "bob");
        TFormPeapIdPwd& d = *FormPeapIdPwd;
        EXPECT_EQ(d.Caption(), *c.caption) << c.method;
        EXPECT_EQ(d.lblDescription->Caption(), *c.description) << c.method;
        EXPECT_EQ(d.lblTunnelIDText->Caption(), Texts().STR_TUNNEL_IDENTITY);
        EXPECT_EQ(d.lblTunnelPasswordText->Caption(), Texts().STR_TUNNEL_PASSWORD);
        EXPECT_EQ(d.editTunnelID->Text(), "bob") << c.method;
        EXPECT_EQ(d.editTunnelPassword->Text(), "") << c.method;
        EXPECT_EQ(d.editTunnelID->Enabled(), c.identityEditable) << c.method;
        d.Hide();
    }
}

TEST_F(IdPwdDialogs, TunnelAnswerReachesLibraryAndProfile)
{
    // Identity mode 1 keeps the profile's identity; the library gets the entered one.
    for (DWORD idMode : {0u, 1u}) {
        g = Captured{};
        ShowTunnel(PEAP, "bob", idMode);
        FormPeapIdPwd->SetModalResult(mrNone);
        FormPeapIdPwd->editTunnelID->SetText("carol");
        FormPeapIdPwd->editTunnelPassword->SetText("otp-1234");
        ClickControl(FormPeapIdPwd->BtnOK);
        EXPECT_EQ(FormPeapIdPwd->m_strTunnelID, "carol");
        EXPECT_EQ(FormPeapIdPwd->m_strTunnelPassword, "otp-1234");
        ASSERT_EQ(g.writeIdCalls, 1) << idMode;
        EXPECT_EQ(std::string(g.identity, 128), Buffer("carol"));
        EXPECT_EQ(std::string(g.password, 128), Buffer("otp-1234"));
        EXPECT_EQ(g.ssoCalls, 1);
        const WLANPROFILE& p = *FormPeapIdPwd->m_pProfile;
        EXPECT_EQ(std::string(p.chID, 128), Buffer(idMode == 1 ? "old-id" : "carol")) << idMode;
        EXPECT_EQ(std::string(p.chPassword, 128), Buffer("otp-1234"));
        EXPECT_EQ(FormPeapIdPwd->ModalResult(), mrOk);
        EXPECT_TRUE(m_shown.empty());
        FormPeapIdPwd->Hide();
    }
}

TEST_F(IdPwdDialogs, TunnelDialogAsksForWhatIsMissing)
{
    const std::pair<std::string, std::string> cases[] = {{"", "pw"}, {"carol", ""}, {"", ""}};
    for (const auto& [id, password] : cases) {
        g = Captured{};
        m_shown.clear();
        ShowTunnel(EAP_FAST, "");
        FormPeapIdPwd->SetModalResult(mrNone);
        FormPeapIdPwd->editTunnelID->SetText(id);
        FormPeapIdPwd->editTunnelPassword->SetText(password);
        ClickControl(FormPeapIdPwd->BtnOK);
        ASSERT_EQ(m_shown.size(), 1u);
        EXPECT_TRUE(Mentions(m_shown, id.empty() ? Texts().STR_INPUT_IDENTITY : Texts().STR_INPUT_PASSWORD))
            << m_shown[0];
        EXPECT_EQ(g.writeIdCalls, 0);
        EXPECT_STREQ(FormPeapIdPwd->m_pProfile->chID, "old-id");
        EXPECT_EQ(FormPeapIdPwd->ModalResult(), mrNone);
        FormPeapIdPwd->Hide();
    }
}

TEST_F(IdPwdDialogs, OverlongTunnelInputIsCutAtTheFieldSize)
{
    ShowTunnel(PEAP, "");
    const std::string after(FormPeapIdPwd->m_pProfile->chPassword + 128, 64);
    FormPeapIdPwd->editTunnelID->SetText(std::string(300, 'i'));
    FormPeapIdPwd->editTunnelPassword->SetText(std::string(500, 'p'));
    ClickControl(FormPeapIdPwd->BtnOK);
    ASSERT_EQ(g.writeIdCalls, 1);
    EXPECT_EQ(std::string(g.identity, 128), Buffer(std::string(127, 'i')));
    EXPECT_EQ(std::string(g.password, 128), Buffer(std::string(127, 'p')));
    const WLANPROFILE& p = *FormPeapIdPwd->m_pProfile;
    EXPECT_EQ(std::string(p.chID, 128), Buffer(std::string(127, 'i')));
    EXPECT_EQ(std::string(p.chPassword, 128), Buffer(std::string(127, 'p')));
    EXPECT_EQ(std::string(p.chPassword + 128, 64), after);
}

TEST_F(IdPwdDialogs, TypedTunnelAnswerThroughTheModalDialog)
{
    seams::modalAnswer = nullptr;
    *FormPeapIdPwd->m_pProfile = Profile(PEAP);
    FormPeapIdPwd->m_strTunnelID.clear();
    FormPeapIdPwd->m_strTunnelPassword.clear();
    PostType(FormPeapIdPwd->editTunnelID, "carol");
    PostType(FormPeapIdPwd->editTunnelPassword, "pw1");
    PostClick(FormPeapIdPwd, FormPeapIdPwd->BtnOK);
    EXPECT_EQ(FormPeapIdPwd->ShowModal(), mrOk);
    EXPECT_FALSE(FormPeapIdPwd->Visible());
    EXPECT_EQ(FormPeapIdPwd->m_strTunnelID, "carol");
    EXPECT_EQ(FormPeapIdPwd->m_strTunnelPassword, "pw1");
    EXPECT_EQ(std::string(g.identity, 128), Buffer("carol"));
    EXPECT_EQ(std::string(g.password, 128), Buffer("pw1"));
}

TEST_F(IdPwdDialogs, ClosingTheTunnelDialogCancels)
{
    seams::modalAnswer = nullptr;
    *FormPeapIdPwd->m_pProfile = Profile(TTLS);
    FormPeapIdPwd->m_strTunnelID = "bob";
    FormPeapIdPwd->m_strTunnelPassword.clear();
    PostType(FormPeapIdPwd->editTunnelPassword, "typed");
    PostMessageA(FormPeapIdPwd->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(FormPeapIdPwd->ShowModal(), mrCancel);
    EXPECT_EQ(g.writeIdCalls, 0);
    EXPECT_EQ(g.ssoCalls, 0);
    EXPECT_STREQ(FormPeapIdPwd->m_pProfile->chPassword, "old-password");
}
