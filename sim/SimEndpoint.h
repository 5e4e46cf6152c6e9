#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "link/Transport.h"
#include "sim/DeviceFrames.h"
#include "sim/DeviceModel.h"

// One link to the simulated device: frames the incoming bytes (a byte stream for serial and
// TCP, output reports for USB HID), lets the model answer, and passes the answers through
// the fault switches used by the reliability tests.
namespace dsp::sim {

struct FaultConfig {
    int dropEvery = 0;    // drop every Nth answer (acknowledgements included)
    int corruptEvery = 0; // break the checksum of every Nth answer frame
    int splitSize = 0;    // deliver each answer in pieces of at most N bytes
    bool join = false;    // hold each answer back and deliver it together with the next one
    int delayMs = 0;      // deliver answers this many milliseconds after the request
    int silentAfter = 0;  // answer nothing once N frames have been received
    int closeAfter = 0;   // close the link once N frames have been received

    bool Any() const {
        return dropEvery || corruptEvery || splitSize || join || delayMs || silentAfter ||
               closeAfter;
    }
};

// A piece of bytes to deliver to the tool, delayMs after the frame that caused it.
// Over USB HID every chunk is one 64-byte input report.
struct Chunk {
    std::vector<uint8_t> bytes;
    int delayMs = 0;
};

struct EndpointOutput {
    std::vector<Chunk> chunks;
    bool close = false; // the link is to be closed after delivering the chunks
};

class SimEndpoint {
public:
    SimEndpoint(DeviceModel& model, TransportKind link, FaultConfig faults = {});

    // Serial and TCP: bytes as they arrive, in pieces of any size.
    EndpointOutput FeedBytes(std::span<const uint8_t> bytes);
    // USB HID: one output report as the tool writes it (report id first).
    EndpointOutput FeedReport(std::span<const uint8_t> report);

    TransportKind Link() const { return link_; }
    const FaultConfig& Faults() const { return faults_; }
    void SetFaults(const FaultConfig& f) { faults_ = f; }
    DeviceModel& Model() { return model_; }

    int FramesReceived() const { return framesReceived_; }
    int BadFrames() const { return badReports_ + decoder_.BadFrames(); }
    int AnswersDropped() const { return dropped_; }
    bool Closed() const { return closed_; }

private:
    void Handle(const DeviceFrame& frame, EndpointOutput& out);
    void Emit(std::vector<uint8_t> answer, EndpointOutput& out);
    void Deliver(const std::vector<uint8_t>& bytes, EndpointOutput& out) const;

    DeviceModel& model_;
    TransportKind link_;
    FaultConfig faults_;
    StreamDecoder decoder_;
    std::vector<uint8_t> held_; // an answer waiting to be joined with the next one
    int framesReceived_ = 0;
    int answers_ = 0;
    int answerFrames_ = 0;
    int dropped_ = 0;
    int badReports_ = 0;
    bool closed_ = false;
};

// Pads (or cuts) bytes to one 64-byte USB HID input report.
std::vector<uint8_t> ToInputReport(std::span<const uint8_t> bytes);

} // namespace dsp::sim
