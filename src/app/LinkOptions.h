#pragma once

#include <QString>
#include <QStringList>

namespace dsp {

// Command-line options of the tuning programs that concern the link. Without any of them the
// program behaves as designed: USB HID first, then the PC's serial ports, then TCP at the
// address in the settings page. They exist for demonstrations with the simulator and tests.
struct LinkOptions {
    // --host ADDR / --port N: the TCP address and port put into IPstrEdit / IPPortStrEdit.
    // Empty: the window's own defaults (127.0.0.1, 8899).
    QString Host;
    QString Port;
    // --serial PATH (repeatable): ports added by name to the serial port list, after the
    // PC's own (for example the pseudo-terminal of the simulator).
    QStringList SerialPorts;
    // --no-hid: no USB HID polling; the first link starts as if no USB device were attached.
    bool NoHid = false;
    // --no-modal: message boxes are written to standard output instead of waiting for OK.
    bool NoModal = false;
    // --trace: the main window's first paint ("shown"), status texts, message boxes and the
    // link going online are written to standard output with the milliseconds since start.
    bool Trace = false;
    // --quit-after MS: close the main window after MS milliseconds; negative for never.
    int QuitAfterMs = -1;
};

// Reads the options above from the program's arguments; anything else is left alone (other
// subsystems read their own options). A value option at the end without its value is ignored.
LinkOptions ParseLinkOptions(const QStringList& arguments);

} // namespace dsp
