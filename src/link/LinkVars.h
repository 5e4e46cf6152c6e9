#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/SendQueue.h"
#include "link/StreamFramer.h"

namespace dsp {

constexpr int ModeCount = 16;
constexpr int kModeNameLength = 20;

// Which of the link window's timers run, and the step timer's interval. The io layer mirrors
// this into its QTimers; only one of Timer1, Timer2 and Timer3 runs at a time.
struct LinkTimers {
    static constexpr int kTimer1Interval = 1000; // search
    static constexpr int kTimer3Interval = 100;  // section upload
    static constexpr int kHoldInterval = 20;     // online phase

    bool Timer1 = false;
    bool Timer2 = false;
    bool Timer3 = false;
    bool HoldTimer = false;
    // 100 ms until the first handshake, then 50 ms (160 ms on TCP).
    int Timer2Interval = 100;

    bool operator==(const LinkTimers&) const = default;
};

// Link state, owned by the link window: what the parser, the write path and the link machine
// share. One instance per program (and per test).
struct LinkVars {
    // 2 online, 0 otherwise.
    int LinkState = 0;

    // Set by an acknowledgement or a status frame.
    bool AckSeen = false;
    // The device has answered the last command.
    bool LineFree = false;
    // The last parameter write sent has not been answered yet: if the link goes down now,
    // whether the device took it is unknown, and it counts among the values not written.
    bool WriteUnconfirmed = false;
    // The last received frame was incomplete or failed its checksum.
    bool RetryFlag = false;
    // 0 nothing to do, 1 acknowledgement, 2 frame received, 3 request sent, 4 and 5 time-outs.
    int StepState = 0;

    // Online phase: keep-alive counters and the follow-up of a command.
    int IdleTicks = 0;
    int MissCount = 0;
    int PendingAction = 0;

    // Search and step machine.
    LinkTimers Timers;
    // A matching USB HID device is attached (set by the HID device list).
    bool HidPresent = false;
    // A device change without a matching device has been handled once (never reset).
    bool NotFoundSeen = false;
    bool HandshakeSent = false;
    int SearchTicks = 0;
    int LastComIndex = 0;
    int StepPos = 0;
    int StepTotal = 0;
    int StepMode = 0;
    int PacketIndex = 0;
    int NameIndex = 0;
    int StepTicks = 0;

    // Data bytes of the next name request (mode index, 0), kept between step-machine ticks.
    std::array<uint8_t, 64> FrameBuffer{};

    SendQueue Queue;

    // Byte-stream framing of the serial port and of the TCP socket, each with its own state.
    StreamFramer SerialFramer;
    StreamFramer TcpFramer;

    // Texts from the device. Names hold bytes 0x1E-0x7F and "?", at most 20 of them.
    std::array<std::string, ModeCount> ModeNames;
    std::array<std::string, ModeCount> ModeNames2;
    // The 4-character link password as received (bytes, no filter); empty until received.
    std::string LinkPassword;
    // Device identity: 8 upper-case hexadecimal digits; empty until received.
    std::string DeviceId;
};

} // namespace dsp
