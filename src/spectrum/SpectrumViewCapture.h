#pragma once

namespace dsp {

class AudioCapture;
class SpectrumView;

// StartSpectrumCapture: starts recording from the default input, hands every block to the
// view's block handler and keeps the view's AudioAvailable in step with the capture (false
// when no input could be opened, or when the input fails later). Called once when the main
// window is created; the capture then runs until the window goes. Both objects must outlive
// the capture's signals (the capture normally belongs to the window that owns the view).
// Returns whether recording started.
bool StartSpectrumCapture(AudioCapture& capture, SpectrumView& view);

} // namespace dsp
