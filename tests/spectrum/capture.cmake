# Tests of the audio capture and the spectrum view's controller.
dsp_gtest(AudioCaptureBlocks_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureBlocks_test.cpp)
dsp_gtest(AudioCaptureConvert_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureConvert_test.cpp)
dsp_gtest(SpectrumView_test ${CMAKE_CURRENT_LIST_DIR}/SpectrumView_test.cpp)
# Capture through a private PulseAudio server with a 1 kHz sine source (skipped without one),
# and capture with no server at all.
dsp_qtest(AudioCaptureLive_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureLive_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioCapturePulseServer.h)
dsp_qtest(AudioCaptureNoDevice_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureNoDevice_test.cpp)
# Without an audio server the whole live test is skipped: CTest reports it as such.
set_tests_properties(AudioCaptureLive_test PROPERTIES
    SKIP_REGULAR_EXPRESSION "SKIP   : [^\n]*initTestCase\\(\\) audio server cannot start")
