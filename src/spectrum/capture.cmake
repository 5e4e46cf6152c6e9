# Audio capture for the spectrum view and the view's controller.
# Core (standard library only): block gathering, format conversion, the view's state and timing.
target_sources(dspcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureBlocks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureConvert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumViewMath.cpp
)
# Qt Multimedia capture from the default input device.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AudioCapture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumViewCapture.cpp
)
