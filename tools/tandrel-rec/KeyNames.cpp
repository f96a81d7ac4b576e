// The virtual-key name table. Written names follow the platform's constants in a readable
// spelling; the aliases are the platform's constant names where they differ, read but never
// written, so that a dump always says the same thing for the same code.
#include "KeyNames.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

struct KeyName {
    int code;
    std::string_view name;
};

// Letters and digits are their own characters and are added in NameOfCode below.
constexpr KeyName WrittenNames[] = {
    {0x01, "LButton"},
    {0x02, "RButton"},
    {0x03, "Cancel"},
    {0x04, "MButton"},
    {0x05, "XButton1"},
    {0x06, "XButton2"},
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0C, "Clear"},
    {0x0D, "Return"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x13, "Pause"},
    {0x14, "CapsLock"},
    {0x15, "Kana"},
    {0x16, "ImeOn"},
    {0x17, "Junja"},
    {0x18, "Final"},
    {0x19, "Kanji"},
    {0x1A, "ImeOff"},
    {0x1B, "Escape"},
    {0x1C, "Convert"},
    {0x1D, "NonConvert"},
    {0x1E, "Accept"},
    {0x1F, "ModeChange"},
    {0x20, "Space"},
    {0x21, "PageUp"},
    {0x22, "PageDown"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x29, "Select"},
    {0x2A, "Print"},
    {0x2B, "Execute"},
    {0x2C, "PrintScreen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x2F, "Help"},
    {0x5B, "LWin"},
    {0x5C, "RWin"},
    {0x5D, "Apps"},
    {0x5F, "Sleep"},
    {0x60, "Numpad0"},
    {0x61, "Numpad1"},
    {0x62, "Numpad2"},
    {0x63, "Numpad3"},
    {0x64, "Numpad4"},
    {0x65, "Numpad5"},
    {0x66, "Numpad6"},
    {0x67, "Numpad7"},
    {0x68, "Numpad8"},
    {0x69, "Numpad9"},
    {0x6A, "Multiply"},
    {0x6B, "Add"},
    {0x6C, "Separator"},
    {0x6D, "Subtract"},
    {0x6E, "Decimal"},
    {0x6F, "Divide"},
    {0x70, "F1"},
    {0x71, "F2"},
    {0x72, "F3"},
    {0x73, "F4"},
    {0x74, "F5"},
    {0x75, "F6"},
    {0x76, "F7"},
    {0x77, "F8"},
    {0x78, "F9"},
    {0x79, "F10"},
    {0x7A, "F11"},
    {0x7B, "F12"},
    {0x7C, "F13"},
    {0x7D, "F14"},
    {0x7E, "F15"},
    {0x7F, "F16"},
    {0x80, "F17"},
    {0x81, "F18"},
    {0x82, "F19"},
    {0x83, "F20"},
    {0x84, "F21"},
    {0x85, "F22"},
    {0x86, "F23"},
    {0x87, "F24"},
    {0x90, "NumLock"},
    {0x91, "ScrollLock"},
    {0xA0, "LShift"},
    {0xA1, "RShift"},
    {0xA2, "LCtrl"},
    {0xA3, "RCtrl"},
    {0xA4, "LAlt"},
    {0xA5, "RAlt"},
    {0xA6, "BrowserBack"},
    {0xA7, "BrowserForward"},
    {0xA8, "BrowserRefresh"},
    {0xA9, "BrowserStop"},
    {0xAA, "BrowserSearch"},
    {0xAB, "BrowserFavorites"},
    {0xAC, "BrowserHome"},
    {0xAD, "VolumeMute"},
    {0xAE, "VolumeDown"},
    {0xAF, "VolumeUp"},
    {0xB0, "MediaNextTrack"},
    {0xB1, "MediaPrevTrack"},
    {0xB2, "MediaStop"},
    {0xB3, "MediaPlayPause"},
    {0xB4, "LaunchMail"},
    {0xB5, "LaunchMediaSelect"},
    {0xB6, "LaunchApp1"},
    {0xB7, "LaunchApp2"},
    {0xBA, "Oem1"},
    {0xBB, "OemPlus"},
    {0xBC, "OemComma"},
    {0xBD, "OemMinus"},
    {0xBE, "OemPeriod"},
    {0xBF, "Oem2"},
    {0xC0, "Oem3"},
    {0xDB, "Oem4"},
    {0xDC, "Oem5"},
    {0xDD, "Oem6"},
    {0xDE, "Oem7"},
    {0xDF, "Oem8"},
    {0xE2, "Oem102"},
    {0xE5, "ProcessKey"},
    {0xE7, "Packet"},
    {0xF6, "Attn"},
    {0xF7, "CrSel"},
    {0xF8, "ExSel"},
    {0xF9, "EraseEof"},
    {0xFA, "Play"},
    {0xFB, "Zoom"},
    {0xFD, "Pa1"},
    {0xFE, "OemClear"},
};

constexpr KeyName Aliases[] = {
    {0x08, "Back"},     {0x0D, "Enter"}, {0x11, "Control"}, {0x12, "Menu"},   {0x14, "Capital"},
    {0x15, "Hangul"},   {0x19, "Hanja"}, {0x1B, "Esc"},     {0x21, "Prior"},  {0x22, "Next"},
    {0x2C, "Snapshot"}, {0x2D, "Ins"},   {0x2E, "Del"},     {0x91, "Scroll"}, {0xA2, "LControl"},
    {0xA3, "RControl"}, {0xA4, "LMenu"}, {0xA5, "RMenu"},   {0xF9, "ErEof"},
};

// The longest name read, "VK_" and underscores included; anything longer is no key name.
constexpr size_t LongestName = 32;

// Lower case without underscores: the form names are compared in.
std::string Folded(std::string_view name)
{
    std::string folded;
    for (char c : name) {
        if (c == '_') continue;
        folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return folded;
}

struct FoldedName {
    std::string name;
    int code;
};

// Every name that is read, folded and sorted for a binary search: a recording of a million
// keys is packed in well under a second.
const std::vector<FoldedName>& NamesForReading()
{
    static const std::vector<FoldedName> names = [] {
        std::vector<FoldedName> all;
        for (int code = 1; code <= 255; ++code) {
            const std::string_view name = KeyNameOfCode(code);
            if (!name.empty()) all.push_back({Folded(name), code});
        }
        for (const KeyName& alias : Aliases) all.push_back({Folded(alias.name), alias.code});
        std::sort(all.begin(), all.end(), [](const FoldedName& a, const FoldedName& b) { return a.name < b.name; });
        return all;
    }();
    return names;
}

// One name per code, indexed by code, built once from the table and the characters.
const std::array<std::string_view, 256>& NamesForWriting()
{
    static const std::array<std::string_view, 256> names = [] {
        static constexpr std::string_view Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        std::array<std::string_view, 256> byCode{};
        for (size_t i = 0; i < Characters.size(); ++i) {
            byCode[static_cast<unsigned char>(Characters[i])] = Characters.substr(i, 1);
        }
        for (const KeyName& entry : WrittenNames) byCode[entry.code] = entry.name;
        return byCode;
    }();
    return names;
}

}  // namespace

std::string_view KeyNameOfCode(int code)
{
    if (code < 0 || code > 255) return {};
    return NamesForWriting()[code];
}

int KeyCodeOfName(std::string_view name)
{
    if (name.size() > 3 && name[2] == '_' && Folded(name.substr(0, 2)) == "vk") name.remove_prefix(3);
    if (name.empty() || name.size() > LongestName) return -1;
    const std::string folded = Folded(name);
    const std::vector<FoldedName>& names = NamesForReading();
    const auto found =
        std::lower_bound(names.begin(), names.end(), folded,
                         [](const FoldedName& entry, const std::string& key) { return entry.name < key; });
    return found != names.end() && found->name == folded ? found->code : -1;
}
