// The About box.
#include "mainwindow/FormAbout.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/WvwlLib.h"
#include "resources/FormResource.h"
#include "resources/WvImage.h"
#include "mainwindow/LinkStatus.h"
#include "ui/Seams.h"

using skin::UiText;

TFormAbout* FormAbout = nullptr;

namespace {

using skin::MakeLabel;

constexpr char kWebSiteError[] = "Can't open the Tarnwell website. Please check your internet.";

// File-system redirection of 32-bit programs switched off while it lives (64-bit Windows only).
class TRedirectionOff {
public:
    TRedirectionOff() : off_(VOZEZIV.WVWL_IsWow64 && VOZEZIV.WVWL_IsWow64() != 0)
    {
        if (off_)
            DisableWow64FsRedirection();
    }
    ~TRedirectionOff()
    {
        if (off_)
            EnableWow64FsRedirection();
    }
    TRedirectionOff(const TRedirectionOff&) = delete;
    TRedirectionOff& operator=(const TRedirectionOff&) = delete;

private:
    bool off_;
};

bool HasVersionInfo(const std::string& path)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeA(path.c_str(), &handle) != 0;
}

std::string ModulePath()
{
    char path[256] = {};
    GetModuleFileNameA(nullptr, path, sizeof path - 1);
    return path;
}

// One version row: name, value, date name and date labels inside the group box.
void VersionRow(TGroupBox* box, int top, std::string CUISTR::*name, TLabel*& nameLabel, TLabel*& value,
                TLabel*& dateName, TLabel*& date)
{
    // Wider name labels than the design's 70 pixels: the names are whole words.
    nameLabel = MakeLabel(box, 6, top, 94, name, taRightJustify);
    value = MakeLabel(box, 106, top, 72);
    dateName = MakeLabel(box, 180, top, 36, &CUISTR::STR_DATE, taRightJustify);
    date = MakeLabel(box, 224, top, 79);
}

} // namespace

TFormAbout::TFormAbout(TComponent* owner) : TFormBase(owner)
{
    Name = "FormAbout";
    SetClientSize(408, 245);
    TFormResource* res = FormResource;

    SysBtnClose = skin::MakePictureButton(this, 375, 8, res ? res->ImgBtnAboutFormClose_Normal : nullptr,
                                              res ? res->ImgBtnAboutFormClose_Down : nullptr, gsPushButton);
    SysBtnClose->SetBounds(375, 8, 15, 15);
    SysBtnClose->OnClick = [this](TObject* s) { SysBtnCloseClick(s); };
    CancelControl = SysBtnClose;

    grpBoxVersion = new TGroupBox({this, 36, 55, 332, 84, UiText(&CUISTR::STR_VERSION)});
    VersionRow(grpBoxVersion, 15, &CUISTR::STR_UTILITY, lblUtilityVersionText, lblUtilityVersion, lblUtilityDateText,
               lblUtilityDate);
    VersionRow(grpBoxVersion, 36, &CUISTR::STR_DRIVER, lblDriverVersionText, lblDriverVersion, lblDriverDateText,
               lblDriverDate);
    VersionRow(grpBoxVersion, 57, &CUISTR::STR_DLL, lblSDKVersionText, lblSDKVersion, lblSDKDateText, lblSDKDate);

    grpBoxMAC = new TGroupBox({this, 36, 142, 332, 25, UiText(&CUISTR::STR_MAC)});
    lblMAC = MakeLabel(grpBoxMAC, 72, 8, 249, nullptr, taCenter);

    ImgTarnwell = skin::MakePictureButton(this, 36, 172, res ? res->ImgTarnwellWebSite : nullptr, nullptr,
                                              gsButton);
    ImgTarnwell->SetBounds(36, 172, 92, 32);
    ImgTarnwell->SetHint(VOZEZIV.strCompanyWebSite);
    ImgTarnwell->OnClick = [this](TObject* s) { ImgTarnwellClick(s); };

    lblCopyRightText = MakeLabel(this, 134, 174, 250, &CUISTR::STR_COPYRIGHT, taCenter);
    lblCopyRightText->SetHeight(15);
    lblCopyRightReservedText = MakeLabel(this, 134, 190, 250, &CUISTR::STR_COPYRIGHT2, taCenter);
    lblCopyRightReservedText->SetHeight(15);

    OnShow = [this](TObject* s) { FormShow(s); };
}

TFormAbout::~TFormAbout() = default;

void TFormAbout::FormCreate(TObject* Sender)
{
    PrintMessage(6, "[Wevo] --> TFormAbout::FormCreate\n");
    TFormResource* res = FormResource;
    if (res && res->ImgAboutFormBG)
        ImgBackground->SetPicture(res->ImgAboutFormBG->Picture());
    TFormBase::FormCreate(Sender);
    if (res && res->ImgTarnwellWebSite)
        ImgTarnwell->SetPicture(res->ImgTarnwellWebSite->Picture());
    const std::string caption = UiText(&CUISTR::STR_BtnHintAbout);
    SetCaption(caption);
    lblCaptionText->SetCaption(caption);
    SysBtnClose->SetHint(UiText(&CUISTR::STR_BtnHintClose));

    const bool link = VOZEZIV.bCompanyWebSiteLink == 1;
    ImgTarnwell->SetHint(link ? VOZEZIV.strCompanyWebSite : "");
    ImgTarnwell->SetEnabled(link);
    PrintMessage(6, "[Wevo] <-- TFormAbout::FormCreate\n");
}

void TFormAbout::FormShow(TObject*)
{
    const std::string program = ModulePath();
    if (HasVersionInfo(program)) {
        m_strUtilityVersion = GetFileVersionText(program);
        lblUtilityVersion->SetCaption(m_strUtilityVersion);
        lblUtilityDate->SetCaption(GetFileDateText(program));
        const std::string library = program.substr(0, program.rfind('\\') + 1) + "VoZEZIV.dll";
        m_strSDKVersion = GetFileVersionText(library);
        lblSDKVersion->SetCaption(m_strSDKVersion);
        lblSDKDate->SetCaption(GetFileDateText(library));
    }

    char driver[256] = {};
    if (VOZEZIV.WVWL_ReadDriverPath)
        VOZEZIV.WVWL_ReadDriverPath(&VOZEZIV.selectedAdapter, driver);
    driver[sizeof driver - 1] = '\0';
    TRedirectionOff redirectionOff;
    if (HasVersionInfo(driver)) {
        lblDriverVersion->SetCaption(GetFileVersionText(driver));
        lblDriverDate->SetCaption(GetFileDateText(driver));
    }
    unsigned char mac[6] = {};
    if (VOZEZIV.WVWL_QueryMacAddrs)
        VOZEZIV.WVWL_QueryMacAddrs(mac);
    m_strMAC = LinkBssidText(mac);
    lblMAC->SetCaption(m_strMAC);
}

void TFormAbout::SysBtnCloseClick(TObject*)
{
    Hide();
}

void TFormAbout::ImgTarnwellClick(TObject*)
{
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", VOZEZIV.strCompanyWebSite, nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return;
    if (seams::modalAnswer)
        seams::modalAnswer(kWebSiteError);
    else
        MessageBoxA(nullptr, kWebSiteError, nullptr, MB_OKCANCEL);
}

std::string TFormAbout::GetFileVersionText(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return {};
    std::vector<BYTE> info(size + 1);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return text;
}

std::string TFormAbout::GetFileDateText(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    FILETIME written{}, local{};
    const BOOL known = GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    SYSTEMTIME date{};
    if (!known || !FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &date))
        return {};
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", unsigned(date.wYear), unsigned(date.wMonth),
                  unsigned(date.wDay));
    return text;
}
