// The peer model of the Wi-Fi Direct window and its drawing on the ring of device slots.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/Helpers.h"
#include "core/Log.h"
#include "core/Settings.h"
#include "core/WvwlLib.h"
#include "mainwindow/MainWindowServices.h"
#include "resources/FormResource.h"
#include "resources/UiStr.h"
#include "wifidirect/FormWiFiDirect.h"
#include "wifidirect/WiFiDirectText.h"

namespace {


void SetTray(int index)
{
    mainwin::ModifyTrayIcon(TRAY_TYPE_WIFIDIRECT, index);
}

DEVICE_ENTRY FromGroupEntry(const WIFI_DIRECT_GROUP_ENTRY& g)
{
    DEVICE_ENTRY d{};
    d.nRule = g.nRule;
    d.chDbm = g.chDbm;
    d.EntryStatus = g.EntryStatus;
    std::memcpy(d.chMacAddr, g.chMacAddr, 6);
    std::memcpy(d.IpAddrs, g.IpAddrs, 4);
    d.nPrimaryDeviceType = g.nPrimaryDeviceType;
    d.ulStringLen = std::min<uint32_t>(g.ulStringLen, sizeof d.chDeviceName);
    std::memcpy(d.chDeviceName, g.chDeviceName, sizeof d.chDeviceName);
    return d;
}

DEVICE_ENTRY FromDiscoveryEntry(const WIFI_DIRECT_DISCOVERY_ENTRY& e, int32_t rule)
{
    DEVICE_ENTRY d{};
    d.ulStringLen = std::min<uint32_t>(e.ulStringLen, sizeof d.chDeviceName);
    std::memcpy(d.chDeviceName, e.chDeviceName, sizeof d.chDeviceName);
    d.nPrimaryDeviceType = e.nPrimaryDeviceType;
    std::memcpy(d.chMacAddr, e.chMacAddr, 6);
    d.nRule = rule;
    d.ConfigMethod = e.ConfigMethod;
    d.WiFiDirectFlags = e.WiFiDirectFlags;
    return d;
}


// Names longer than 8 characters show their first 8 and "..".
std::string ShortName(const std::string& name)
{
    return name.size() > 8 ? name.substr(0, 8) + ".." : name;
}

std::string DoubleAmpersands(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&')
            out += '&';
    }
    return out;
}

std::string ReplaceNumber(const std::string& text, int n)
{
    std::string out = text;
    const std::string number = std::to_string(n);
    for (size_t at = out.find("%d"); at != std::string::npos; at = out.find("%d", at + number.size()))
        out.replace(at, 2, number);
    return out;
}

const CUISTR* Strings()
{
    return FormResource ? FormResource->UI_Str.get() : nullptr;
}

}  // namespace

void TFormWiFiDirect::UpdateTopologyData()
{
    if (!m_bEnableWiFiDirect) {
        PrintMessage(6, " UpdateTopologyData:: Wi-Fi Direct is off, nothing changes\n");
        return;
    }
    const WIFI_DIRECT_STATUS& s = m_WiFiDirectStatus;
    if (s.WifiDirectStatus == WIFIDIRECTEVENT_STATUS_GROUP_UPDATE) {
        m_vecTopology.clear();
        m_nNumOfMyGroup = s.WifiDirectStateContext.Group.chNumOfGroup;
        m_bGroupReady = m_nNumOfMyGroup > 1 ? 1 : 0;
        const size_t count = WiFiDirectGroupCount(s);
        for (size_t i = 0; i < count; ++i) {
            DEVICE_ENTRY d = FromGroupEntry(s.WifiDirectStateContext.Group.WifiDirectGroup[i]);
            const bool self = WiFiDirectMacText(d.chMacAddr) == m_strMyMacAddress;
            if (d.nRule == WIFI_DIRECT_IS_GO && !self) {
                // This device is a client of that owner: the entries after it are its members.
                SetTray(4);
                WIFI_DIRECT_TOPOPOGY owner;
                d.bConnectToMe = 1;
                owner.Device = d;
                for (size_t j = i + 1; j < count; ++j) {
                    DEVICE_ENTRY m = FromGroupEntry(s.WifiDirectStateContext.Group.WifiDirectGroup[j]);
                    if (WiFiDirectMacText(m.chMacAddr) == m_strMyMacAddress) {
                        m.ConfigMethod = MyDeviceData.ConfigMethod;
                        MyDeviceData = m;
                        m_ulMyRule = uint32_t(m.nRule);
                    } else {
                        owner.vecSubDeviceList.push_back(m);
                    }
                }
                owner.Device.nNumOfSubMember = uint32_t(owner.vecSubDeviceList.size());
                m_vecTopology.push_back(owner);
                break;
            }
            if (self) {
                d.ConfigMethod = MyDeviceData.ConfigMethod;
                MyDeviceData = d;
                m_ulMyRule = uint32_t(d.nRule);
                SetTray(3);
                continue;
            }
            SetTray(4);
            d.bConnectToMe = 1;
            if (!(d.EntryStatus & 1))
                m_bGroupReady = 0;
            WIFI_DIRECT_TOPOPOGY client;
            client.Device = d;
            m_vecTopology.push_back(client);
        }
        m_bAutoReconnect = m_ulMyRule == WIFI_DIRECT_IS_CLIENT ? TRUE : FALSE;
    } else if (s.WifiDirectStatus == WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY) {
        const size_t count = WiFiDirectDiscoveryCount(s);
        for (size_t i = 0; i < count; ++i) {
            const WIFI_DIRECT_DISCOVERY_ENTRY& entry = s.WifiDirectStateContext.Discovery.DiscoveryEntry[i];
            WIFI_DIRECT_TOPOPOGY element;
            element.Device = FromDiscoveryEntry(entry, entry.nRule);
            const DEVICE_ENTRY& d = element.Device;
            if (m_ulMyRule == WIFI_DIRECT_IS_CLIENT && d.nRule != 3 && m_bAutoReconnect == TRUE &&
                std::memcmp(d.chMacAddr, m_szLastActiveMacAddr, 6) == 0)
                CheckAndAutoReconnectWithPersist(m_szLastActiveMacAddr);
            const size_t members = entry.chNoOfThisGroup > 1 ? entry.chNoOfThisGroup - 1u : 0u;
            for (size_t j = 0; j < members && i + 1 < count; ++j) {
                ++i;
                element.vecSubDeviceList.push_back(FromDiscoveryEntry(s.WifiDirectStateContext.Discovery.DiscoveryEntry[i], 3));
            }
            element.Device.nNumOfSubMember = uint32_t(element.vecSubDeviceList.size());
            m_vecTopology.push_back(element);
        }
    }

    n1stOrderDeviceNum = int(m_vecTopology.size());
    if (VOZEZIV.nDebugMode > 5) {
        for (const WIFI_DIRECT_TOPOPOGY& t : m_vecTopology) {
            PrintMessage(6, "  [%s] %s rule %d connected %u members %u\n", WiFiDirectMacText(t.Device.chMacAddr).c_str(),
                         WiFiDirectDeviceName(t.Device).c_str(), int(t.Device.nRule), unsigned(t.Device.bConnectToMe),
                         unsigned(t.Device.nNumOfSubMember));
            for (const DEVICE_ENTRY& m : t.vecSubDeviceList)
                PrintMessage(6, "    [%s] %s rule %d\n", WiFiDirectMacText(m.chMacAddr).c_str(), WiFiDirectDeviceName(m).c_str(), int(m.nRule));
        }
    }
    m_nIndexInVecForDevice0 = n1stOrderDeviceNum == 1 ? -2 : (n1stOrderDeviceNum == 2 || n1stOrderDeviceNum == 3) ? -1 : 0;
    m_nIndexInVecForDevice2_0 = 0;
    UpdateTopology();
    ShowMyInfo();
    if (FormWiFiDirectProfile)
        FormWiFiDirectProfile->UpdateProfileList();
}

// ---------------------------------------------------------------------------------------------
// Drawing

TFormWiFiDirect::Slot TFormWiFiDirect::SlotAt(int slot) const
{
    switch (slot) {
    case 0: return {ImgDevice0, lblDevice0, ImgConnectDevice0, ImgDevice0_GO};
    case 1: return {ImgDevice1, lblDevice1, ImgConnectDevice1, ImgDevice1_GO};
    case 2: return {ImgDevice2, lblDevice2, ImgConnectDevice2, ImgDevice2_GO};
    case 3: return {ImgDevice3, lblDevice3, ImgConnectDevice3, ImgDevice3_GO};
    case 4: return {ImgDevice4, lblDevice4, ImgConnectDevice4, ImgDevice4_GO};
    case 5: return {ImgDevice2_0, lblDevice2_0, ImgConnectDevice2_0, nullptr};
    default: return {ImgDevice2_1, lblDevice2_1, ImgConnectDevice2_1, nullptr};
    }
}

namespace {

struct Box {
    double left, top, right, bottom;
};

Box BoxOf(const TControl* c)
{
    return {double(c->Left()), double(c->Top()), double(c->Left() + c->Width()), double(c->Top() + c->Height())};
}

// A picture drawn at its own size from the control's corner covers no more than that.
Box PictureBox(const TImage* image)
{
    Box b = BoxOf(image);
    if (!image->Picture().Empty()) {
        b.right = std::min(b.right, b.left + image->Picture().Width());
        b.bottom = std::min(b.bottom, b.top + image->Picture().Height());
    }
    return b;
}

Box Joined(const Box& a, const Box& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Box Grown(const Box& b, double by)
{
    return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

// Distance from a point inside the box, along the unit direction, to the box's edge.
double DistanceToEdge(const Box& b, double x, double y, double ux, double uy)
{
    double t = 1e9;
    if (ux > 0)
        t = std::min(t, (b.right - x) / ux);
    else if (ux < 0)
        t = std::min(t, (b.left - x) / ux);
    if (uy > 0)
        t = std::min(t, (b.bottom - y) / uy);
    else if (uy < 0)
        t = std::min(t, (b.top - y) / uy);
    return t;
}

}  // namespace

RECT TFormWiFiDirect::ConnectionMarkRect(int slot, POINT* from, POINT* to) const
{
    constexpr double kGap = 3;  // free space between the line and what it links
    constexpr int kPad = 4;     // room for the line's width and its end dots
    constexpr int kLabelHeight = 16;
    const Slot s = SlotAt(slot);
    Box around = PictureBox(s.picture);
    if (s.label) {
        Box label = BoxOf(s.label);
        label.bottom = std::max(label.bottom, label.top + kLabelHeight);
        around = Joined(around, label);
    }
    // the sub-group hangs on the middle device, the ring on this device
    const Slot middle = SlotAt(2);
    const TImage* target = slot >= 5 ? middle.picture : ImgWiFiDirectOn;
    const TImage* targetBadge = slot >= 5 ? middle.badge : ImgIm_GO;
    Box goal = PictureBox(target);
    if (targetBadge)
        goal = Joined(goal, BoxOf(targetBadge));
    const Box slotPicture = PictureBox(s.picture), targetPicture = PictureBox(target);
    const double sx = (slotPicture.left + slotPicture.right) / 2, sy = (slotPicture.top + slotPicture.bottom) / 2;
    const double tx = (targetPicture.left + targetPicture.right) / 2, ty = (targetPicture.top + targetPicture.bottom) / 2;
    const double length = std::hypot(tx - sx, ty - sy);
    const double ux = length > 0 ? (tx - sx) / length : 0, uy = length > 0 ? (ty - sy) / length : 1;
    const double out = DistanceToEdge(Grown(around, kGap), sx, sy, ux, uy);
    const double in = DistanceToEdge(Grown(goal, kGap), tx, ty, -ux, -uy);
    POINT a{LONG(std::lround(sx + ux * out)), LONG(std::lround(sy + uy * out))};
    POINT b{LONG(std::lround(tx - ux * in)), LONG(std::lround(ty - uy * in))};
    if (out + in >= length)  // the two touch: a short stub
        b = a;
    if (from)
        *from = a;
    if (to)
        *to = b;
    return RECT{std::min(a.x, b.x) - kPad, std::min(a.y, b.y) - kPad, std::max(a.x, b.x) + kPad + 1,
                std::max(a.y, b.y) + kPad + 1};
}

// Each mark shows its built-in line at the place its slot needs; a mark takes no clicks, so
// the pictures it crosses keep theirs.
void TFormWiFiDirect::PlaceConnectionMarks()
{
    for (int slot = 0; slot < 7; ++slot) {
        TImage* mark = SlotAt(slot).mark;
        const RECT r = ConnectionMarkRect(slot);
        mark->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        mark->SetStretch(true);
        mark->SetEnabled(false);
    }
}

const DEVICE_ENTRY* TFormWiFiDirect::DeviceInSlot(int slot) const
{
    if (slot < 5) {
        const int index = m_nIndexInVecForDevice0 + slot;
        return index >= 0 && index < int(m_vecTopology.size()) ? &m_vecTopology[size_t(index)].Device : nullptr;
    }
    const int middle = m_nIndexInVecForDevice0 + 2;
    if (middle < 0 || middle >= int(m_vecTopology.size()))
        return nullptr;
    const auto& members = m_vecTopology[size_t(middle)].vecSubDeviceList;
    const int index = m_nIndexInVecForDevice2_0 + (slot - 5);
    return index >= 0 && index < int(members.size()) ? &members[size_t(index)] : nullptr;
}

void TFormWiFiDirect::HideFirstOrderDevices()
{
    for (int slot = 0; slot < 5; ++slot) {
        const Slot s = SlotAt(slot);
        s.picture->SetVisible(false);
        s.label->SetVisible(false);
        s.mark->SetVisible(false);
        s.badge->SetVisible(false);
    }
    if (m_bShowRotationButton) {
        BtnRotationClockwise->SetVisible(false);
        BtnRotationCounter->SetVisible(false);
    }
}

void TFormWiFiDirect::HideSecondOrderDevices()
{
    for (int slot = 5; slot < 7; ++slot) {
        const Slot s = SlotAt(slot);
        s.picture->SetVisible(false);
        s.label->SetVisible(false);
        s.mark->SetVisible(false);
    }
    if (m_bShowRotationButton) {
        BtnRotationClockwise_sub->SetVisible(false);
        BtnRotationCounter_sub->SetVisible(false);
    }
}

TImage* TFormWiFiDirect::GetDevicePicture(const PRIMARY_DEVICE_TYPE& type, bool owner) const
{
    TFormResource* r = FormResource;
    if (!r)
        return nullptr;
    const uint8_t lastOuiByte = uint8_t(type.OUI >> 24);
    switch (type.CategoryID) {
    case 0x0100: {
        const uint16_t sub = type.SubCategoryID;
        const bool desktop = lastOuiByte != 0 && (sub == 0x0100 || sub == 0x0200 || sub == 0x0300 || sub == 0x0400 || sub == 0x0600);
        if (desktop)
            return owner ? r->ImgDevicePC_Owner : r->ImgDevicePC;
        return owner ? r->ImgDeviceNB_Owner : r->ImgDeviceNB;
    }
    case 0x0300: return owner ? r->ImgDevicePrinter_Owner : r->ImgDevicePrinter;
    case 0x0400: return owner ? r->ImgDeviceCamera_Owner : r->ImgDeviceCamera;
    case 0x0600: return owner ? r->ImgDeviceAP_Owner : r->ImgDeviceAP;
    case 0x0700: return owner ? r->ImgDeviceTV_Owner : r->ImgDeviceTV;
    case 0x0A00: return owner ? r->ImgDeviceSmartphone_Owner : r->ImgDeviceSmartphone;
    default: return owner ? r->ImgDeviceUnknown_Owner : r->ImgDeviceUnknown;
    }
}

void TFormWiFiDirect::DrawSlot(int slot, const DEVICE_ENTRY& e, bool legacyPicture)
{
    const Slot s = SlotAt(slot);
    TImage* picture = legacyPicture && FormResource ? FormResource->ImgDeviceLegacy
                                                    : GetDevicePicture(e.nPrimaryDeviceType, slot < 5 && e.nNumOfSubMember);
    if (picture)
        s.picture->SetPicture(picture->Picture());
    s.picture->SetVisible(true);
    const std::string name = WiFiDirectDeviceName(e);
    s.picture->SetHint(name);
    s.picture->SetShowHint(true);
    s.label->SetHint(name);  // the whole name over a shortened one
    s.label->SetShowHint(true);
    s.label->SetCaption(ShortName(name));
    s.label->SetVisible(true);
}

void TFormWiFiDirect::UpdateTopology()
{
    HideFirstOrderDevices();
    HideSecondOrderDevices();
    for (int k = 0; k < 5 && k < n1stOrderDeviceNum - m_nIndexInVecForDevice0; ++k) {
        const DEVICE_ENTRY* e = DeviceInSlot(k);
        if (!e)
            continue;
        const Slot s = SlotAt(k);
        DrawSlot(k, *e, e->EntryStatus & 1);
        s.badge->SetVisible(e->nRule == WIFI_DIRECT_IS_GO);
        s.mark->SetVisible(e->bConnectToMe != 0);
        const bool refused = ((MyDeviceData.nRule == WIFI_DIRECT_IS_GO || m_nNumOfMyGroup > 1) && e->nRule == WIFI_DIRECT_IS_GO) ||
                             e->nRule == 3 || (e->EntryStatus & 1);
        s.picture->PopupMenu = e->bConnectToMe ? DisconnectPopupMenu : refused ? EmptyPopupMenu : DevicePopupMenu;
        if (m_bShowRotationButton && k == 1)
            BtnRotationClockwise->SetVisible(true);
        if (m_bShowRotationButton && k == 3)
            BtnRotationCounter->SetVisible(true);
        if (k == 2 && e->nNumOfSubMember > 0)
            UpdateTopologySubGroup(m_nIndexInVecForDevice0 + 2);
    }
}

void TFormWiFiDirect::UpdateTopologySubGroup(int index)
{
    HideSecondOrderDevices();
    if (index < 0 || index >= int(m_vecTopology.size()))
        return;
    const int count = int(m_vecTopology[size_t(index)].vecSubDeviceList.size());
    for (int j = 0; j < 2 && j < count - m_nIndexInVecForDevice2_0; ++j) {
        const DEVICE_ENTRY* m = DeviceInSlot(5 + j);
        if (!m)
            continue;
        const Slot s = SlotAt(5 + j);
        DrawSlot(5 + j, *m, false);
        s.mark->SetVisible(true);
        s.picture->PopupMenu = (m->nRule == 3 || (m->EntryStatus & 1)) ? EmptyPopupMenu : DevicePopupMenu;
    }
    if (m_bShowRotationButton) {
        BtnRotationClockwise_sub->SetVisible(m_nIndexInVecForDevice2_0 > 0);
        BtnRotationCounter_sub->SetVisible(m_nIndexInVecForDevice2_0 + 2 < count);
    }
}

void TFormWiFiDirect::ImgDeviceMouseDown(int slot, TMouseButton Button, int X, int Y)
{
    std::memset(&m_SeleteDeviceEntry, 0, sizeof m_SeleteDeviceEntry);
    if (const DEVICE_ENTRY* e = DeviceInSlot(slot))
        m_SeleteDeviceEntry = *e;
    ShowDeviceInfo();
    if (Button == mbRight)
        return;
    m_nMouseDownX = X;
    m_nMouseDownY = Y;
}

// A group owner with members pressed in an outer ring slot turns to the middle.
void TFormWiFiDirect::ImgDeviceClick(int slot)
{
    if (m_SeleteDeviceEntry.nNumOfSubMember == 0)
        return;
    switch (slot) {
    case 0:
        BtnRotationClockwiseClick(this);
        BtnRotationClockwiseClick(this);
        break;
    case 1: BtnRotationClockwiseClick(this); break;
    case 3: BtnRotationCounterClick(this); break;
    case 4:
        BtnRotationCounterClick(this);
        BtnRotationCounterClick(this);
        break;
    default: break;
    }
}

void TFormWiFiDirect::ImgDeviceMouseUp(int slot, int X, int Y)
{
    const int dX = X - m_nMouseDownX;
    const int dY = Y - m_nMouseDownY;
    if (dX == 0 || dY == 0)
        return;
    // Slot order along the drag: ring 0..4, and the sub-group as a ring of two.
    const bool sub = slot >= 5;
    const int first = sub ? 5 : 0;
    const int last = sub ? 6 : 4;
    auto half = [this](int from, int to) {
        const TImage* a = SlotAt(from).picture;
        const TImage* b = SlotAt(to).picture;
        return POINT{(b->Left() - a->Left()) / 2, (b->Top() - a->Top()) / 2};
    };
    auto turn = [this, sub](bool clockwise) {
        if (sub)
            clockwise ? BtnRotationClockwise_subClick(this) : BtnRotationCounter_subClick(this);
        else
            clockwise ? BtnRotationClockwiseClick(this) : BtnRotationCounterClick(this);
    };
    if (slot == first) {
        const POINT n = half(slot, slot + 1);
        if (dX > n.x && dY > n.y)
            turn(true);
        else if (-dX > n.x && std::abs(dY) < n.y)
            turn(false);
        return;
    }
    if (slot == last) {
        const POINT p = half(slot - 1, slot);
        if (std::abs(dX) < p.x && dY > p.y)
            turn(true);
        else if (-dX > p.x && -dY > p.y)
            turn(false);
        return;
    }
    const POINT n = half(slot, slot + 1);
    const POINT p = half(slot - 1, slot);
    if (dX > n.x && dY > n.y)
        turn(true);
    else if (-dX > p.x && -dY > p.y)
        turn(false);
}

void TFormWiFiDirect::ImgDeviceDblClick(int)
{
    if (m_SeleteDeviceEntry.bConnectToMe)
        OnDisconnectDevice(this);
    else
        OnConnectDevice(this);
}

void TFormWiFiDirect::ImgDevice0MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(0, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice0MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(0, X, Y);
}

void TFormWiFiDirect::ImgDevice0DblClick(TObject*)
{
    ImgDeviceDblClick(0);
}

void TFormWiFiDirect::ImgDevice0Click(TObject*)
{
    ImgDeviceClick(0);
}

void TFormWiFiDirect::ImgDevice1MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(1, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice1MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(1, X, Y);
}

void TFormWiFiDirect::ImgDevice1DblClick(TObject*)
{
    ImgDeviceDblClick(1);
}

void TFormWiFiDirect::ImgDevice1Click(TObject*)
{
    ImgDeviceClick(1);
}

void TFormWiFiDirect::ImgDevice2MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(2, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice2MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(2, X, Y);
}

void TFormWiFiDirect::ImgDevice2DblClick(TObject*)
{
    ImgDeviceDblClick(2);
}

void TFormWiFiDirect::ImgDevice3MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(3, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice3MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(3, X, Y);
}

void TFormWiFiDirect::ImgDevice3DblClick(TObject*)
{
    ImgDeviceDblClick(3);
}

void TFormWiFiDirect::ImgDevice3Click(TObject*)
{
    ImgDeviceClick(3);
}

void TFormWiFiDirect::ImgDevice4MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(4, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice4MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(4, X, Y);
}

void TFormWiFiDirect::ImgDevice4DblClick(TObject*)
{
    ImgDeviceDblClick(4);
}

void TFormWiFiDirect::ImgDevice4Click(TObject*)
{
    ImgDeviceClick(4);
}

void TFormWiFiDirect::ImgDevice2_0MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(5, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice2_0MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(5, X, Y);
}

void TFormWiFiDirect::ImgDevice2_0DblClick(TObject*)
{
    ImgDeviceDblClick(5);
}

void TFormWiFiDirect::ImgDevice2_1MouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    ImgDeviceMouseDown(6, Button, X, Y);
}

void TFormWiFiDirect::ImgDevice2_1MouseUp(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    ImgDeviceMouseUp(6, X, Y);
}

void TFormWiFiDirect::ImgDevice2_1DblClick(TObject*)
{
    ImgDeviceDblClick(6);
}

void TFormWiFiDirect::BtnRotationClockwiseClick(TObject*)
{
    if (m_nIndexInVecForDevice0 >= -1)
        --m_nIndexInVecForDevice0;
    UpdateTopology();
}

void TFormWiFiDirect::BtnRotationCounterClick(TObject*)
{
    if (m_nIndexInVecForDevice0 < n1stOrderDeviceNum - 3)
        ++m_nIndexInVecForDevice0;
    UpdateTopology();
}

void TFormWiFiDirect::BtnRotationClockwise_subClick(TObject*)
{
    if (m_nIndexInVecForDevice2_0 > 0)
        --m_nIndexInVecForDevice2_0;
    UpdateTopologySubGroup(m_nIndexInVecForDevice0 + 2);
}

void TFormWiFiDirect::BtnRotationCounter_subClick(TObject*)
{
    const int middle = m_nIndexInVecForDevice0 + 2;
    const int members = middle >= 0 && middle < int(m_vecTopology.size())
                            ? int(m_vecTopology[size_t(middle)].Device.nNumOfSubMember)
                            : 0;
    if (m_nIndexInVecForDevice2_0 < members - 2)
        ++m_nIndexInVecForDevice2_0;
    UpdateTopologySubGroup(middle);
}

void TFormWiFiDirect::FormMouseWheel(int WheelDelta, int X, int Y)
{
    if (Y > grpBoxDeivceInfo->Top())
        return;
    bool ring = false;
    for (int slot = 0; slot < 5 && !ring; ++slot) {
        const TImage* p = SlotAt(slot).picture;
        ring = p->Visible() && X <= p->Left() + p->Width() && Y >= p->Top();
    }
    const TImage* d2 = ImgDevice2;
    const bool sub0 = ImgDevice2_0->Visible();
    const bool sub1 = ImgDevice2_1->Visible();
    if (!ring && !sub0 && !sub1)
        ring = true;
    const bool subGroup = !ring && ((sub0 && X >= d2->Left() && Y <= d2->Top()) ||
                                    (sub0 && X >= ImgDevice2_0->Left() && Y <= d2->Top()) ||
                                    (sub1 && X >= d2->Left() + d2->Width() && Y <= d2->Top() + d2->Height()) ||
                                    (sub1 && X >= d2->Left() + d2->Width() && Y >= ImgDevice2_1->Top() + ImgDevice2_1->Height()));
    if (!ring && !subGroup)
        return;
    int& counter = ring ? m_nWheelEvent : m_nWheelEventSubGroup;
    const bool acts = counter == 3;
    if (--counter == 0)
        counter = 3;
    if (!acts || (WheelDelta != 120 && WheelDelta != -120))
        return;
    const bool clockwise = WheelDelta == 120;
    if (ring)
        clockwise ? BtnRotationClockwiseClick(this) : BtnRotationCounterClick(this);
    else
        clockwise ? BtnRotationClockwise_subClick(this) : BtnRotationCounter_subClick(this);
}

void TFormWiFiDirect::ShowDeviceInfo()
{
    const CUISTR* s = Strings();
    if (!s)
        return;
    const DEVICE_ENTRY& e = m_SeleteDeviceEntry;
    grpBoxDeivceInfo->SetCaption(DoubleAmpersands(s->STR_WIFIDIRECT_DEVICEINFO + " " + WiFiDirectDeviceName(e)));
    lblSSIDText->SetCaption(s->STR_SSID);
    // a peer in this device's group shares its SSID
    const bool inMyGroup = e.bConnectToMe && !m_strMySSID.empty();
    lblSSID->SetCaption(inMyGroup ? m_strMySSID : std::string());
    lblSSID->SetVisible(true);
    lblMACAddressText->SetCaption(s->STR_MAC_ADDRESS);
    lblMACAddress->SetCaption(WiFiDirectMacText(e.chMacAddr));
    lblPresharedKeyText->SetCaption(s->STR_WIFIDIRECT_RULE);
    if (e.nRule == WIFI_DIRECT_IS_GO) {
        lblPreSharedKey->SetCaption(s->STR_WIFIDIRECT_OWNER);
        m_strDeviceNum = ReplaceNumber(s->STR_WIFIDIRECT_MEMBERNUM, int(e.nNumOfSubMember + (e.bConnectToMe ? 1 : 0)));
        lblDeviceNum->SetCaption(m_strDeviceNum);
    } else {
        lblPreSharedKey->SetCaption(s->STR_WIFIDIRECT_CLIENT);
        lblDeviceNum->SetCaption("");
    }
    BtnWPSConnect->SetVisible(false);
    BtnSetGOKey->SetVisible(false);
}

void TFormWiFiDirect::ShowMyInfo()
{
    EnterCriticalSection(&m_csOwnDevice);
    const CUISTR* s = Strings();
    m_strMyDeviceName = WiFiDirectDeviceName(MyDeviceData);
    if (s) {
        char ip[20];
        const uint8_t* a = MyDeviceData.IpAddrs;
        std::snprintf(ip, sizeof ip, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
        grpBoxDeivceInfo->SetCaption(DoubleAmpersands(s->STR_WIFIDIRECT_MYDEVICEINFO + " " + m_strMyDeviceName));
        lblSSIDText->SetCaption(s->STR_SSID);
        lblMACAddressText->SetCaption(s->STR_MAC_ADDRESS);
        lblMACAddress->SetCaption(m_strMyMacAddress);
        m_strDeviceNum = ReplaceNumber(s->STR_WIFIDIRECT_DEVICENUM, n1stOrderDeviceNum);
        lblDeviceNum->SetCaption(m_strDeviceNum);
        lblSSID->SetCaption(m_strMySSID);
        const bool owner = MyDeviceData.nRule == WIFI_DIRECT_IS_GO;
        const bool joined = !owner && VOZEZIV.WVWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT &&
                            m_WiFiDirectWvstatus == WvStatus_Connected;
        // the group's SSID shows once this device is in a group and knows it
        const bool linked = m_WiFiDirectWvstatus == WvStatus_Connected && !m_strMySSID.empty();
        lblSSID->SetVisible(owner || joined || linked);
        lblPresharedKeyText->SetCaption(owner || joined ? s->STR_IP : s->STR_WIFIDIRECT_RULE);
        lblPreSharedKey->SetCaption(owner || joined ? std::string(ip) : s->STR_WIFIDIRECT_CLIENT);
        const bool ready = owner && (MyDeviceData.EntryStatus & ENTRYSTATUS_GOREADY);
        BtnSetGOKey->SetVisible(ready);
        ImgIm_GO->SetVisible(ready);
        BtnWPSConnect->SetVisible(false);

        ClearPopupMenu(MyPopupMenu);
        int at = 0;
        AddPopupMenuItem(MyPopupMenu, at++, s->STR_WIFIDIRECT_SCAN, [this](TObject* o) { OnScan(o); });
        MyPopupMenu->Items()->Items(0)->Enabled = !m_bDisableScan;
        if (VOZEZIV.bSupportWiFiDirectPersist) {
            int persist = 0;
            VOZEZIV.WVWL_QueryP2PPersistState(&persist);
            if (FormWiFiDirectSetting)
                FormWiFiDirectSetting->FrameWiFiDirectSettingWPS->m_bPersistSupported = persist;
            AddPopupMenuItem(MyPopupMenu, at++, persist ? s->STR_WIFIDIRECT_DISABLE_P2PPERSIST : s->STR_WIFIDIRECT_ENABLE_P2PPERSIST,
                             [this](TObject* o) { OnP2PPersistEnableDisable(o); });
        }
        if (m_nNumOfMyGroup > 1 || m_bEnableAutonomousGO || (MyDeviceData.EntryStatus & ENTRYSTATUS_GOREADY))
            AddPopupMenuItem(MyPopupMenu, at++, s->STR_WIFIDIRECT_DISCONNECT, [this](TObject* o) { OnDisconnect(o); });
        else
            AddPopupMenuItem(MyPopupMenu, at++, s->STR_WIFIDIRECT_ENABLE_AUTOGO, [this](TObject* o) { OnAutonomousGO(o); });
        if (m_bMediaServerPresent) {
            AddPopupMenuItem(MyPopupMenu, at++, "-", nullptr);
            AddPopupMenuItem(MyPopupMenu, at++, s->STR_WIFIDIRECT_MEDIA_SHARING, [this](TObject* o) { OnMediaSharing(o); });
        }
        if (VOZEZIV.nWinOS >= 41) {
            AddPopupMenuItem(MyPopupMenu, at++, "-", nullptr);
            AddPopupMenuItem(MyPopupMenu, at++, s->STR_WIFIDIRECT_OPEN_PROFILE, [this](TObject* o) { OnOpenProfile(o); });
        }
    }
    LeaveCriticalSection(&m_csOwnDevice);
}
