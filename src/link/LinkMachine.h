#pragma once

#include <string>
#include <string_view>

#include "link/LinkContext.h"

namespace dsp {

// The device conversation: search, handshake, the step machine that loads and downloads the
// parameter set, the section upload and the online phase. Each timer of the link window calls
// one tick routine; every change of link state goes through DisCheckWindow.

constexpr int kFullLoadStepsA = 42;
constexpr int kFullLoadStepsB = 40;
constexpr int kDownloadSteps = 29;
constexpr int kPartialFirstStep = 22;
constexpr int kPartialSteps = 25;
constexpr int kPacketValues = 25; // values per USB HID packet
constexpr int kLastPacketSteps = 47;

// Modes of DisCheckWindow.
enum LinkMode {
    ModeOnline = 1,
    ModeReload = 2,
    ModeNamesSaved1 = 3,
    ModeLinkStart = 4,
    ModeDownload = 6,
    ModeLinkLost = 7,
    ModePartialDownload = 8,
    ModeLinkFailed = 9,
    ModeSectionUpload = 21,
    ModePartialReload = 22,
    ModeNamesSaved2 = 23,
};

// Messages of PCtoMCUAckSign.
constexpr int kHello = 0x11;
constexpr int kStatusPoll = 0x66;
constexpr int kGoodbye = 0xAA;

// A status text in both UI languages.
struct LinkText {
    std::string_view Chinese;
    std::string_view English;
};
constexpr LinkText kTextSearch = {"设备搜索...", "Search..."};
constexpr LinkText kTextLinking = {"连接中...", "Linking..."};
constexpr LinkText kTextLoading = {"加载中...", "Loading..."};
constexpr LinkText kTextDownload = {"下载数据...", "Download..."};
constexpr LinkText kTextOnline = {"设备已连接", "Online"};
constexpr LinkText kTextOffline = {"设备未连接", "Off Line"};

int FullLoadSteps(Variant variant);
// Last 25-value packet of the section read or written at a step; 0 past the sections.
int LastPacket(int step);

// Drops every pending write of the send queue; when there were any, the status text names
// how many values were not written and the observer is told (WritesDiscarded), so that no
// edit is lost silently. withUnconfirmed (the link went down) also counts the last write
// sent when the device never answered it. Returns the count.
int DiscardQueuedWrites(LinkContext& ctx, bool withUnconfirmed = false);
// The status and history text for count values that were not written, in both languages.
std::string WritesDiscardedText(int count, bool chinese);

// Sets the status text (LinkLabel and its hint) through the observer.
void LinkLabelWindow(LinkContext& ctx, const LinkText& text);

// LinkBtn (linkButton true) starts a search unless online; UnLinkBtn, or LinkBtn while
// online, unlinks and sends the goodbye.
void LinkBtnClick(LinkContext& ctx, bool linkButton);

// The HID device list changed (and once at start): matchFound tells whether a device with the
// tool's vendor and product id is attached; the io layer has already chosen it. A match
// (re)starts the link on USB HID, or unlinks while online. The first change without a match
// reports the link lost while online on USB HID, or starts a search over serial and TCP.
void HidPresenceChanged(LinkContext& ctx, bool matchFound);

// 0x11 hello (also clears HandshakeSent), 0x66 status poll, 0xAA goodbye.
void PCtoMCUAckSign(LinkContext& ctx, int numm);

// Sends the request (mode 0) or the bulk write (modes 1 and 2) of a step:
// nTotalStep = step * 256 + packet.
void SendPacketStep(LinkContext& ctx, int nTotalStep, int mode);

// The one entry for link state changes; other modes do nothing.
void DisCheckWindow(LinkContext& ctx, int uMode);

void Timer1Tick(LinkContext& ctx);    // search and handshake, 1000 ms
void Timer2Tick(LinkContext& ctx);    // load and download steps
void Timer3Tick(LinkContext& ctx);    // section upload, 100 ms
void HoldTimerTick(LinkContext& ctx); // online phase, 20 ms

} // namespace dsp
