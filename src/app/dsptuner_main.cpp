#include "app/TunerApp.h"

int main(int argc, char** argv) {
    return dsp::RunTuner(argc, argv, dsp::Variant::A);
}
