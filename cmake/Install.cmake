# Install rules: the programs, and on Linux the desktop entries, their icons and the udev rule
# that lets the logged-in user open the processor's HID interface.
#
# Included at the end of the top-level CMakeLists.txt, after every program target is defined.
# Only the programs that exist in this tree are installed, so the rules hold while programs
# are still being added.

include(GNUInstallDirs)

set(DSP_PROGRAMS dsptuner dsptuner8 dspsim dspctl)
# The two GUI tools; each has a desktop entry and an icon of the same name.
set(DSP_DESKTOP_TOOLS dsptuner dsptuner8)
set(DSP_ICON_SIZES 16 22 24 32 48 64 128 256)

# udev reads /usr/lib/udev/rules.d and /etc/udev/rules.d, not /usr/local; a local install that
# wants the rule active sets this to /etc/udev/rules.d. Relative paths are below the prefix.
set(DSP_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING "Where the udev rule is installed")

set(DSP_INSTALLED_PROGRAMS "")
foreach(prog IN LISTS DSP_PROGRAMS)
    if(TARGET ${prog})
        install(TARGETS ${prog} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
        list(APPEND DSP_INSTALLED_PROGRAMS ${prog})
    endif()
endforeach()

if(UNIX AND NOT APPLE)
    set(_dsp_pkg ${PROJECT_SOURCE_DIR}/packaging)
    foreach(tool IN LISTS DSP_DESKTOP_TOOLS)
        if(NOT TARGET ${tool})
            continue()
        endif()
        install(FILES ${_dsp_pkg}/applications/${tool}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        install(FILES ${_dsp_pkg}/icons/${tool}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
        foreach(size IN LISTS DSP_ICON_SIZES)
            install(FILES ${_dsp_pkg}/icons/${size}x${size}/${tool}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        endforeach()
    endforeach()
    install(FILES ${_dsp_pkg}/udev/70-dsptuner.rules DESTINATION ${DSP_UDEV_RULES_DIR})
    unset(_dsp_pkg)
endif()
