#include "LayoutFixture.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <poll.h>
#include <unistd.h>

#include "InfoPanel.h"
#include "KeypadEntry.h"
#include "KeypadLine.h"
#include "PortsByNumber.h"

namespace shelltest {

namespace {

// Pictures the tests tell apart, each written in its own colour.
struct Mark {
    const char* path;
    int width, height;
};

const Mark kMarks[] = {
    {"./Images/Panto1Up.png", 97, 129},     {"./Images/Panto1Down.jpg", 97, 129},
    {"./Images/Panto2Up.png", 97, 129},     {"./Images/Panto2Down.jpg", 97, 129},
    {"./Images/Button1ON.png", 55, 30},     {"./Images/Button1OFF.png", 55, 30},
    {"./Images/Button2ON.png", 70, 37},     {"./Images/Button2OFF.png", 70, 37},
    {"./Images/motorON.png", 45, 33},       {"./Images/motorOFF.png", 45, 33},
    {"./Images/BlKeyON.png", 112, 37},      {"./Images/BlKeyOFF.png", 112, 37},
    {"./Images/TrainBrakeON.png", 112, 37}, {"./Images/TrainBrakeOFF.png", 112, 37},
    {"./Images/LocoBrakeON.png", 112, 37},  {"./Images/LocoBrakeOFF.png", 112, 37},
    {"./Images/WheelSlipON.png", 112, 37},  {"./Images/WheelSlipOFF.png", 112, 37},
    {"./Images/blank.png", 40, 30},         {"./Images/usb_off.png", 40, 30},
    {"./Images/usb_on.png", 40, 30},        {"./Images/HighVoltage.png", 48, 48},
    {"./Images/AuxiliaryConverter.png", 48, 48}, {"./Images/TractionMotor.png", 48, 48},
    {"./Images/AuxiliarySystem.png", 48, 48},    {"./Images/BrakingSystem.png", 48, 48},
    {"./Images/EnergyMontioring.png", 48, 48},   {"./Images/Temperatures.png", 48, 48},
    {"./Images/Pressures.png", 48, 48},
};

std::map<std::string, unsigned>& Colours()
{
    static std::map<std::string, unsigned> colours;
    return colours;
}

void CopyPictures()
{
    ASSERT_TRUE(testsupport::CopyFolder(CABDISPLAY_IMAGE_DIR, "Images"));
    unsigned index = 0;
    for (const Mark& mark : kMarks) {
        ++index;
        // Distinct, saturated colours far apart from each other.
        const unsigned rgb = ((index * 53u) % 256u) << 16 | ((index * 97u + 40u) % 256u) << 8 | ((index * 151u + 80u) % 256u);
        testsupport::WritePicture(mark.path, mark.width, mark.height, rgb);
        Colours()[mark.path] = rgb;
    }
}

}  // namespace

unsigned MarkColour(const std::string& path)
{
    auto found = Colours().find(path);
    return found == Colours().end() ? 0 : found->second;
}

unsigned ShownColour(Gtk::Image& image)
{
    if (image.get_storage_type() != Gtk::IMAGE_PIXBUF)
        return 0xFFFFFFFFu;
    Glib::RefPtr<Gdk::Pixbuf> picture = image.get_pixbuf();
    if (!picture)
        return 0xFFFFFFFFu;
    const guint8* p = picture->get_pixels() + (picture->get_height() / 2) * picture->get_rowstride() +
                      (picture->get_width() / 2) * picture->get_n_channels();
    return unsigned(p[0]) << 16 | unsigned(p[1]) << 8 | p[2];
}

std::string PlaceOf(Gtk::Fixed& fixed, Gtk::Widget& child)
{
    if (child.get_parent() != &fixed)
        return "-";
    gint x = 0, y = 0;
    gtk_container_child_get(GTK_CONTAINER(fixed.gobj()), child.gobj(), "x", &x, "y", &y, NULL);
    return std::to_string(x) + "," + std::to_string(y);
}

bool SameColour(unsigned a, unsigned b)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > 6 || d < -6)
            return false;
    }
    return true;
}

Display& Display::Get()
{
    static Display* display = new Display;  // lives as long as the program
    return *display;
}

Display::Display()
{
    testsupport::InitToolkit();
    CopyPictures();
    ::setenv("CABDISPLAY_MEDIA", (dir_.path() + "/media").c_str(), 1);
    // The store of the cab's start-up (settings files, keypad line, bus)
    // without its decode-tick timer: the tests run every tick themselves, so
    // nothing refreshes the screens between a key and the look that follows.
    ReadMVBData::instance = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    ReadMVBData::instance->Initialaization();
    layout_ = new BasicLayout;
    window_ = new Gtk::Window;
    window_->set_default_size(800, 600);
    window_->add(*layout_);
    window_->show_all();
    testsupport::DrainEvents();
    // The display is never destroyed; its working directory goes at exit
    // (only the process that made it removes it).
    static const std::string workDir = dir_.path();
    static const pid_t owner = ::getpid();
    std::atexit([] {
        if (::getpid() == owner)
            testsupport::RemoveTree(workDir);
    });
}

namespace {

template <class T>
void Restore(T& field, const T& start)
{
    field = start;
}

template <class T, std::size_t N>
void Restore(T (&field)[N], const T (&start)[N])
{
    std::copy(start, start + N, field);
}

// The fields that keys, screens and faults change, back to a new store's.
void RestoreStartValues(ReadMVBData& s)
{
    static const ReadMVBData* const fresh = new ReadMVBData(ReadMVBData::StartValuesOnly{});
    const ReadMVBData& f = *fresh;
    Restore(s.CurrentScreen, f.CurrentScreen);
    Restore(s.LastTargetScreen, f.LastTargetScreen);
    Restore(s.PasswordUnlocked, f.PasswordUnlocked);
    Restore(s.EnteredPassword, f.EnteredPassword);
    Restore(s.PasswordReturnScreen, f.PasswordReturnScreen);
    Restore(s.InchingUpPressed, f.InchingUpPressed);
    Restore(s.InchingDownPressed, f.InchingDownPressed);
    Restore(s.StoredActualSpeedVal, f.StoredActualSpeedVal);
    Restore(s.InchingSpeedTenths, f.InchingSpeedTenths);
    Restore(s.InchingSendFlag, f.InchingSendFlag);
    Restore(s.ActualSpeedVal, f.ActualSpeedVal);
    Restore(s.EnteredLocoNumber, f.EnteredLocoNumber);
    Restore(s.LocoNumberConfirmed, f.LocoNumberConfirmed);
    Restore(s.MotorIsolationFlags, f.MotorIsolationFlags);
    Restore(s.MotorIsolationCursor, f.MotorIsolationCursor);
    Restore(s.WheelDiameters, f.WheelDiameters);
    Restore(s.ReceivedWheelDiameters, f.ReceivedWheelDiameters);
    Restore(s.WheelDiameterDataValid, f.WheelDiameterDataValid);
    Restore(s.WheelDiameterSendFlag, f.WheelDiameterSendFlag);
    Restore(s.WheelDiameterEditing, f.WheelDiameterEditing);
    Restore(s.WheelDiameterState, f.WheelDiameterState);
    Restore(s.WheelDiameterCursor, f.WheelDiameterCursor);
    Restore(s.TripResetRequest, f.TripResetRequest);
    Restore(s.FunctionKeyMode, f.FunctionKeyMode);
    Restore(s.EnergyMenuRequest, f.EnergyMenuRequest);
    Restore(s.InchingMenuRequest, f.InchingMenuRequest);
    Restore(s.UsbCopyStatus, f.UsbCopyStatus);
    Restore(s.DDU_300_flag, f.DDU_300_flag);
    Restore(s.EventState, f.EventState);
    Restore(s.SelfHoldMode, f.SelfHoldMode);
    Restore(s.FaultEventFlags, f.FaultEventFlags);
    Restore(s.FaultAcknowledge, f.FaultAcknowledge);
    Restore(s.FaultAcknowledgeTicks, f.FaultAcknowledgeTicks);
    Restore(s.FaultAcknowledgePulse, f.FaultAcknowledgePulse);
    Restore(s.LocoRoleNames, f.LocoRoleNames);
    Restore(s.WagonDetailValues, f.WagonDetailValues);
    Restore(s.BpContinuityValues, f.BpContinuityValues);
    Restore(s.DpwcsOverviewValues, f.DpwcsOverviewValues);
}

// A keypad entry's cells and number as at the program's start.
template <class Screen>
void ResetKeypadEntry(Screen& screen)
{
    screen.m_SelectedCell = 1;
    screen.m_PreviousCell = 0;
    screen.m_EnteredNumber = 0;
    screen.m_OverRange = false;
    screen.m_ValueLabel.set_text("0");
    // No cell framed, as built: a case may leave a frame the next one's
    // moves never take away.
    screen.m_Keypad.BorderWidth = 0;
    for (std::int16_t cell = keypad::kFirstCell; cell <= keypad::kLastCell; ++cell)
        screen.m_Keypad.SelectPasswordValue(cell);
}

// What the settings screens keep between visits: keypad cells, numbers being
// typed, edits and requests, as after the program's start.
void ResetSettingsScreens(BasicLayout& l)
{
    l.m_LocoNumner.pressCancel(0);  // an edit left open: the value box black again
    ResetKeypadEntry(l.m_LocoNumner);
    l.m_LocoNumner.m_NumberConfirmed = 0;
    ResetKeypadEntry(l.m_Password);
    l.m_Password.m_EntryDone = 0;
    WheelDiameter& wheels = l.m_WheelDiameter;
    wheels.m_Editing = wheels.m_Changed = wheels.m_CommitRequest = 0;
    wheels.m_UpStep = wheels.m_DownStep = 0;
    l.m_SixMotorIsolation.m_EnterRequest = 0;
    InchingMode& inching = l.m_InchingMode;
    inching.m_LastActualSpeed = 0;
    inching.m_ActualSpeedRow.ValueLabel.set_text("00");
    l.m_LocoNumberEditState = 0;
    l.m_PasswordEditState = 0;
}

}  // namespace

void Display::Reset()
{
    ReadMVBData& s = store();
    decodetest::ZeroAllPorts();
    RestoreStartValues(s);
    ResetSettingsScreens(*layout_);
    // The internal faults are reported once per run: each case is a run.
    BasicLayout::MCE_DetectectionState = 0;
    BasicLayout::throttlepossition = 0;
    if (InfoPanel::getInstance()->m_MenuActive)
        layout_->menu_Button();  // closes the panel's menu
    s.PrintKey();
    layout_->home_Button();
    testsupport::DrainEvents();
}

void Display::Press(unsigned char key)
{
    ASSERT_TRUE(keypad_.Press(key));
    // The byte reaches the display's side of the line a moment after the
    // write; the poll that follows must find it there.
    pollfd line = {::fd, POLLIN, 0};
    ASSERT_EQ(1, ::poll(&line, 1, testsupport::Scaled(2000)))
        << "key " << unsigned(key) << " did not reach the keypad line";
    store().FetchData();
    Tick();
}

void Display::Tick()
{
    store().PrintKey();
    testsupport::DrainEvents();
}


}  // namespace shelltest
