# Tests of the audio capture and the spectrum view's controller.
dsp_gtest(AudioCaptureBlocks_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureBlocks_test.cpp)
dsp_gtest(AudioCaptureConvert_test ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureConvert_test.cpp)
dsp_gtest(SpectrumView_test ${CMAKE_CURRENT_LIST_DIR}/SpectrumView_test.cpp)
