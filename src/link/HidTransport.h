#pragma once

#include <QTimer>
#include <memory>
#include <vector>

#include "link/HidStatus.h"
#include "link/TransportsIo.h"

namespace dsp {

// USB HID link (HidCtl) over hidapi. hidapi has no device-change event, so the vendor's
// devices are enumerated about once a second and DeviceChange() is emitted when that set
// differs, and once at start. Every listed device is opened and read on a thread of its own;
// each input report and each read error is handed to the GUI thread. Writes are synchronous.
class HidTransport : public IoTransport {
    Q_OBJECT
public:
    // hidapi on Linux does not report the output report length: report id + 64 bytes.
    static constexpr size_t kOutputReportLength = 65;

    explicit HidTransport(QObject* parent = nullptr);
    ~HidTransport() override;

    TransportKind Kind() const override { return TransportKind::UsbHid; }
    // A current device is set (CurrentDevice).
    bool Ready() const override { return current_ >= 0; }
    // Writes one output report as given (report id 0, the frame, zeros up to the output
    // report length). Dropped without a current device; a failed write adds
    // "WRITE ERROR: %s (%x)".
    void Send(std::span<const uint8_t> bytes) override;
    size_t OutputReportLength() const override { return kOutputReportLength; }

    // Starts the enumeration polling; the first DeviceChange() follows at once (queued).
    void Start(int pollMs = 1000);
    void Stop();

    // HidCtlDeviceChange: releases every listed device, lists and opens the vendor's devices
    // again, then decides with HIDDeviceStaus which one is used. The selection, HidPresent
    // and NotFoundSeen are kept here; the returned transport and action are for the link.
    HidStatusResult HidCtlDeviceChange(bool online, TransportKind transport);
    bool HidPresent() const { return hidPresent_; }
    bool NotFoundSeen() const { return notFoundSeen_; }

    // Steps 1-2 alone: release and list again. Returns the listed devices.
    const std::vector<HidDeviceInfo>& Relist();
    const std::vector<HidDeviceInfo>& Listed() const { return listed_; }
    QStringList DevListLines() const; // DevListBox: DeviceName of every listed device

    int SelectedDevice() const { return selected_; } // whose input reports are passed on
    int CurrentDevice() const { return current_; }   // which frames are written to
    void SetSelectedDevice(int index);
    void SetCurrentDevice(int index);

    // The vendor's devices attached now (no opening, no state change).
    static std::vector<HidDeviceInfo> Enumerate();

signals:
    void DeviceChange();

private:
    struct Opened;
    void Poll();
    void ReleaseAll();
    void OnReport(const QString& path, const QByteArray& data);
    void OnReadError(const QString& path, int code);

    QTimer pollTimer_;
    std::vector<HidDeviceInfo> listed_;
    std::vector<std::unique_ptr<Opened>> opened_; // parallel to listed_
    std::vector<HidDeviceInfo> lastSeen_;         // what the last poll found
    int selected_ = -1;
    int current_ = -1;
    bool hidPresent_ = false;
    bool notFoundSeen_ = false; // set by the first change without a matching device, kept
};

} // namespace dsp
