#pragma once

#include <memory>

#include "params/Variant.h"

namespace dsp {

class LinkDriver;
class LinkView;
class PageControllers;
class TForm1;
struct LinkOptions;

// The whole tuning program inside a running QApplication: the shared state, the three windows
// in their order (main, link, status) and every subsystem wired to them, as the program runs.
// Benchmarks and tools build it the same way the program does.
class TunerProgram {
public:
    TunerProgram(Variant variant, const LinkOptions& options);
    ~TunerProgram();
    TunerProgram(const TunerProgram&) = delete;
    TunerProgram& operator=(const TunerProgram&) = delete;

    // Shows the main window and starts the automatic first link.
    void Start();

    TForm1& Main();
    LinkDriver& Driver();
    LinkView& View();
    PageControllers& Pages();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// Entry of both tuning programs: sets up the application and runs it until the main window
// closes. Returns the exit code.
int RunTuner(int argc, char** argv, Variant variant);

} // namespace dsp
