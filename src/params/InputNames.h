#pragma once

namespace dsp {

// A text of the user interface in both languages.
struct TextPair {
    const char* Chinese;
    const char* English;
};

// The music inputs of SysInputBox by item: "自动"/"AUTO", "模拟1"/"RCA1" … "HDMIARC".
constexpr int kInputCount = 10;
constexpr TextPair kInputNames[kInputCount] = {
    {"自动", "AUTO"},   {"模拟1", "RCA1"},     {"模拟2", "RCA2"},  {"蓝牙", "BLUE"},
    {"光纤", "OPTI"},   {"USB", "USB"},        {"HDMI1", "HDMI1"}, {"HDMI2", "HDMI2"},
    {"HDMI3", "HDMI3"}, {"HDMIARC", "HDMIARC"}};

// The name of the input volume beside MusGain1Edit (InputLabel) for a SysInputBox item:
// automatic, analog 1 and no item selected "模拟1音量"/"RCA1 Vol", … HDMI "HDMI音量"/"HDMI Vol".
constexpr TextPair InputVolumeName(int item) {
    switch (item) {
    case 2:
        return {"模拟2音量", "RCA2 Vol"};
    case 3:
        return {"蓝牙音量", "BLUE Vol"};
    case 4:
        return {"光纤音量", "OPTI Vol"};
    case 5:
        return {"USB音量", "USB Vol"};
    default:
        return item >= 6 ? TextPair{"HDMI音量", "HDMI Vol"} : TextPair{"模拟1音量", "RCA1 Vol"};
    }
}

} // namespace dsp
