#include "SettingsFixture.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "KeyMap.h"

namespace settingstest {

namespace {

// False when the file is missing, which an empty file is not.
bool ReadBytes(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream read;
    read << file.rdbuf();
    bytes = read.str();
    return true;
}

const struct {
    const char* word;
    unsigned keyval;
} kKeyboard[] = {{"U", KeyboardUp},     {"D", KeyboardDown},     {"L", KeyboardLeft}, {"R", KeyboardRight},
                 {"E", KeyboardEnter},  {"C", KeyboardCancel},   {"M", KeyboardMenu}, {"H", KeyboardHome}};

}  // namespace

void SettingsTest::TearDown()
{
    for (const auto& file : saved_) {
        if (file.second.existed)
            testsupport::WriteWholeFile(file.first, file.second.bytes);
        else
            std::remove(file.first.c_str());
    }
    saved_.clear();
    SettingsBus::TearDown();
}

void SettingsTest::Run(const std::string& script)
{
    std::istringstream words(script);
    std::string word;
    while (words >> word) {
        if (word.rfind("kb:", 0) != 0) {
            SettingsBus::Run(word);
            continue;
        }
        bool known = false;
        for (const auto& key : kKeyboard)
            if (word.substr(3) == key.word) {
                GdkEventKey event = {};
                event.type = GDK_KEY_PRESS;
                event.keyval = key.keyval;
                layout().OnKeyPress(&event);
                testsupport::DrainEvents();
                known = true;
            }
        if (!known)
            ADD_FAILURE() << "unknown script word " << word;
    }
}

void SettingsTest::StartDiameters(unsigned short diameter)
{
    for (unsigned short& d : store().WheelDiameters)
        d = diameter;
    for (std::uint16_t& value : Wheel().m_Values)
        value = diameter;
}

void SettingsTest::Save(const std::string& path)
{
    if (saved_.count(path))
        return;
    Saved saved;
    saved.existed = ReadBytes(path, saved.bytes);
    saved_[path] = saved;
}

void SettingsTest::ReplaceFile(const std::string& path, const std::string& bytes)
{
    Save(path);
    testsupport::WriteWholeFile(path, bytes);
}

void SettingsTest::ReplacePicture(const std::string& path, int width, int height, unsigned rgb)
{
    Save(path);
    testsupport::WritePicture(path, width, height, rgb);
}

void SettingsTest::RemoveFile(const std::string& path)
{
    Save(path);
    std::remove(path.c_str());
}

std::string SettingsTest::ReadFile(const std::string& path)
{
    return testsupport::ReadWholeFile(path);
}

std::string SettingsTest::Background(Gtk::Widget& widget)
{
    const Gdk::Color colour = widget.get_modifier_style()->get_bg(Gtk::STATE_NORMAL);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.get_red() >> 8, colour.get_green() >> 8,
                  colour.get_blue() >> 8);
    return text;
}

}  // namespace settingstest
