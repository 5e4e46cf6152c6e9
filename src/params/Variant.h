#pragma once

namespace dsp {

// Which of the two programs is running: A names its outputs by role, B numbers them 1-8.
enum class Variant { A, B };

} // namespace dsp
