# CPack: a Debian package "dsptuner" with everything the install rules put in place.
#   cd build && cpack -G DEB        (scripts/package does this in a build dir of its own)
#
# Runtime dependencies: the libraries the tools need are declared by name below. At package
# time DebDepends.cmake runs dpkg-shlibdeps (offline, from the local package database) on the
# built programs and replaces each name with the versioned form it finds, so the package asks
# for at least the library versions it was built against, without listing a package twice.
# Audio capture reaches PulseAudio (or PipeWire's PulseAudio server) through Qt Multimedia,
# so libpulse0 is never a direct link dependency and stays declared by hand.

set(CPACK_PACKAGE_NAME dsptuner)
set(CPACK_PACKAGE_VENDOR "dsptuner developers")
set(CPACK_PACKAGE_CONTACT "dsptuner developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tuning tools for the Sonaro-2 karaoke audio processor")
set(CPACK_PACKAGE_DESCRIPTION
    "dsptuner and dsptuner8 read, edit and save every parameter of a Sonaro-2\n"
    "karaoke audio processor over USB HID, a serial port or TCP: levels, delays,\n"
    "crossovers, limiters and parametric EQ with a draggable response curve over\n"
    "a spectrum of the PC's audio input. dsptuner names the outputs by role,\n"
    "dsptuner8 numbers them 1 to 8. A udev rule gives the logged-in user access\n"
    "to the processor's USB interface.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "dsptuner developers")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pipewire-pulse | pulseaudio")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# Declared by hand; DebDepends.cmake adds versions and the remaining shared libraries.
set(CPACK_DSP_RUNTIME_DEPENDS
    libqt6widgets6 libqt6network6 libqt6serialport6 libqt6multimedia6
    libhidapi-hidraw0 libpulse0)
list(JOIN CPACK_DSP_RUNTIME_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)

# The built programs, one path a line, for dpkg-shlibdeps at package time.
set(_dsp_binaries "")
foreach(prog IN LISTS DSP_INSTALLED_PROGRAMS)
    string(APPEND _dsp_binaries "$<TARGET_FILE:${prog}>\n")
endforeach()
set(CPACK_DSP_BINARIES_FILE ${PROJECT_BINARY_DIR}/dsp-packaged-programs.txt)
file(GENERATE OUTPUT ${CPACK_DSP_BINARIES_FILE} CONTENT "${_dsp_binaries}")
unset(_dsp_binaries)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/DebDepends.cmake)

include(CPack)
