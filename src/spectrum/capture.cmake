# Audio capture for the spectrum view and the view's controller.
# Core (standard library only): block gathering, format conversion, the view's state and timing.
target_sources(dspcore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureBlocks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AudioCaptureConvert.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumViewMath.cpp
)
# The view runs on the spectrum math when the tree has it (see SpectrumViewMath.cpp).
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/SpectrumMath.h)
    set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/SpectrumViewMath.cpp TARGET_DIRECTORY dspcore
        PROPERTIES COMPILE_DEFINITIONS DSP_HAVE_SPECTRUM_MATH=1)
endif()
# Qt Multimedia capture from the default input device.
target_sources(dspui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AudioCapture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SpectrumViewCapture.cpp
)
