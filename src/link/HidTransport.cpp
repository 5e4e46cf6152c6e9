#include "link/HidTransport.h"

#include <hidapi.h>

#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <mutex>
#include <thread>

#include "link/IoLog.h"

namespace dsp {

namespace {

constexpr int kReadTimeoutMs = 100;
constexpr size_t kInputReportLength = 64;

// hid_init / hid_exit once for every HidTransport of the process.
std::mutex gHidMutex;
int gHidUsers = 0;

void HidAcquire() {
    std::lock_guard lock(gHidMutex);
    if (gHidUsers++ == 0)
        hid_init();
}
void HidRelease() {
    std::lock_guard lock(gHidMutex);
    if (--gHidUsers == 0)
        hid_exit();
}

std::string Utf8(const wchar_t* w) {
    return w ? QString::fromWCharArray(w).toStdString() : std::string();
}

QString ErrorLine(const char* what, int code) {
    return QStringLiteral("%1: %2 (%3)")
        .arg(QLatin1String(what), qt_error_string(code), QString::number(code, 16));
}

} // namespace

// A listed device taken for use, with its read thread.
struct HidTransport::Opened {
    hid_device* dev = nullptr;
    std::atomic<bool> stop{false};
    std::thread reader;

    ~Opened() {
        stop = true;
        if (reader.joinable())
            reader.join();
        if (dev)
            hid_close(dev);
    }
};

HidTransport::HidTransport(QObject* parent) : IoTransport(parent) {
    HidAcquire();
    connect(&pollTimer_, &QTimer::timeout, this, &HidTransport::Poll);
}

HidTransport::~HidTransport() {
    pollTimer_.stop();
    ReleaseAll();
    HidRelease();
}

std::vector<HidDeviceInfo> HidTransport::Enumerate() {
    std::vector<HidDeviceInfo> found;
    hid_device_info* list = hid_enumerate(kHidVendorId, 0);
    for (hid_device_info* d = list; d; d = d->next) {
        HidDeviceInfo info;
        info.path = d->path ? d->path : "";
        info.vendorId = d->vendor_id;
        info.productId = d->product_id;
        info.product = Utf8(d->product_string);
        info.serial = Utf8(d->serial_number);
        if (IsListedDevice(info))
            found.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return found;
}

void HidTransport::Start(int pollMs) {
    lastSeen_ = Enumerate();
    pollTimer_.start(pollMs);
    QMetaObject::invokeMethod(this, &HidTransport::DeviceChange, Qt::QueuedConnection);
}

void HidTransport::Stop() {
    pollTimer_.stop();
}

void HidTransport::Poll() {
    std::vector<HidDeviceInfo> now = Enumerate();
    if (!DeviceSetChanged(lastSeen_, now))
        return;
    for (const HidDeviceInfo& old : RemovedDevices(lastSeen_, now))
        emit HistoryLine(QStringLiteral("Removal of ") + QString::fromStdString(DeviceName(old)));
    lastSeen_ = std::move(now);
    emit DeviceChange();
}

void HidTransport::ReleaseAll() {
    opened_.clear(); // joins the readers and closes the handles
    listed_.clear();
    selected_ = -1;
    current_ = -1;
}

const std::vector<HidDeviceInfo>& HidTransport::Relist() {
    ReleaseAll();
    for (HidDeviceInfo& info : Enumerate()) {
        auto opened = std::make_unique<Opened>();
        opened->dev = hid_open_path(info.path.c_str());
        if (opened->dev) {
            const QString path = QString::fromStdString(info.path);
            Opened* o = opened.get();
            o->reader = std::thread([this, o, path] {
                unsigned char buf[kInputReportLength];
                while (!o->stop) {
                    const int n = hid_read_timeout(o->dev, buf, sizeof buf, kReadTimeoutMs);
                    if (n > 0) {
                        QByteArray data(reinterpret_cast<const char*>(buf), n);
                        QMetaObject::invokeMethod(
                            this, [this, path, data] { OnReport(path, data); },
                            Qt::QueuedConnection);
                    } else if (n < 0) {
                        const int code = errno;
                        QMetaObject::invokeMethod(
                            this, [this, path, code] { OnReadError(path, code); },
                            Qt::QueuedConnection);
                        return; // a failing device keeps failing; its next relist retries
                    }
                }
            });
        } else {
            qCDebug(lcLink) << "hid: cannot open" << info.path.c_str();
        }
        listed_.push_back(std::move(info));
        opened_.push_back(std::move(opened));
    }
    return listed_;
}

HidStatusResult HidTransport::HidCtlDeviceChange(bool online, TransportKind transport) {
    Relist();
    const int nindex = listed_.empty() ? kNoHidDevice : int(listed_.size()) - 1;
    HidStatusResult r = HIDDeviceStaus(listed_, nindex, notFoundSeen_, online, transport);
    hidPresent_ = r.hidPresent;
    notFoundSeen_ = r.notFoundSeen;
    if (r.hidPresent) {
        SetSelectedDevice(r.selected);
        SetCurrentDevice(r.selected);
    }
    return r;
}

QStringList HidTransport::DevListLines() const {
    QStringList lines;
    for (const HidDeviceInfo& d : listed_)
        lines << QString::fromStdString(DeviceName(d));
    return lines;
}

void HidTransport::SetSelectedDevice(int index) {
    selected_ = index >= 0 && index < int(listed_.size()) ? index : -1;
}

void HidTransport::SetCurrentDevice(int index) {
    current_ = index >= 0 && index < int(listed_.size()) ? index : -1;
}

void HidTransport::Send(std::span<const uint8_t> bytes) {
    if (current_ < 0 || bytes.empty())
        return; // no device: the report is dropped
    // The caller hands over the whole output report (report id first); a short one is padded.
    std::vector<unsigned char> report(bytes.begin(), bytes.end());
    if (report.size() < kOutputReportLength)
        report.resize(kOutputReportLength, 0);
    hid_device* dev = opened_[size_t(current_)]->dev;
    qCDebug(lcLink) << "hid tx"
                    << QByteArray(reinterpret_cast<const char*>(report.data()),
                                  qsizetype(report.size()))
                           .toHex(' ');
    errno = 0;
    if (!dev || hid_write(dev, report.data(), report.size()) < 0) {
        const int code = dev ? errno : ENODEV;
        emit HistoryLine(ErrorLine("WRITE ERROR", code));
    }
}

void HidTransport::OnReport(const QString& path, const QByteArray& data) {
    if (selected_ < 0 || QString::fromStdString(listed_[size_t(selected_)].path) != path)
        return; // reports of other devices are not ours to parse
    qCDebug(lcLink) << "hid rx" << data.toHex(' ');
    emit BytesReceived(data);
}

void HidTransport::OnReadError(const QString& path, int code) {
    qCDebug(lcLink) << "hid read error" << path << code;
    emit HistoryLine(ErrorLine("READ ERROR", code));
}

} // namespace dsp
