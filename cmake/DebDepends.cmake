# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE). For DEB it computes the
# Depends field: the names in CPACK_DSP_RUNTIME_DEPENDS, each replaced by the versioned entry
# dpkg-shlibdeps reports for it, followed by the other libraries dpkg-shlibdeps finds.
# Without dpkg-shlibdeps, or when it fails, the hand-declared names are used as they are.

if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()

# Runs dpkg-shlibdeps on the built programs; sets out_var to its list of entries, or to "".
function(dsp_shlibdeps out_var)
    set(${out_var} "" PARENT_SCOPE)
    find_program(_dsp_shlibdeps dpkg-shlibdeps)
    if(NOT _dsp_shlibdeps OR NOT EXISTS "${CPACK_DSP_BINARIES_FILE}")
        return()
    endif()
    file(STRINGS "${CPACK_DSP_BINARIES_FILE}" binaries)
    foreach(bin IN LISTS binaries)
        if(NOT EXISTS "${bin}")
            message(WARNING "dsptuner package: ${bin} is not built; dependencies declared by hand")
            return()
        endif()
    endforeach()
    if(NOT binaries)
        return()
    endif()
    # dpkg-shlibdeps wants to run in a source tree: give it an empty debian/control.
    if(CPACK_PACKAGE_DIRECTORY)
        set(work "${CPACK_PACKAGE_DIRECTORY}/_dsp_shlibdeps")
    else()
        get_filename_component(work "${CPACK_DSP_BINARIES_FILE}" DIRECTORY)
        set(work "${work}/_dsp_shlibdeps")
    endif()
    file(REMOVE_RECURSE "${work}")
    file(WRITE "${work}/debian/control" "")
    execute_process(
        COMMAND ${_dsp_shlibdeps} --ignore-missing-info -O ${binaries}
        WORKING_DIRECTORY "${work}"
        OUTPUT_VARIABLE out
        ERROR_VARIABLE err
        RESULT_VARIABLE rc)
    file(REMOVE_RECURSE "${work}")
    if(NOT rc EQUAL 0 OR NOT out MATCHES "shlibs:Depends=([^\n]*)")
        message(WARNING "dsptuner package: dpkg-shlibdeps failed (${rc}): ${err}")
        return()
    endif()
    string(REPLACE ", " ";" entries "${CMAKE_MATCH_1}")
    set(${out_var} "${entries}" PARENT_SCOPE)
endfunction()

dsp_shlibdeps(_dsp_auto)

set(_dsp_depends "")
foreach(name IN LISTS CPACK_DSP_RUNTIME_DEPENDS)
    set(entry "${name}")
    foreach(auto IN LISTS _dsp_auto)
        if(auto MATCHES "^([^ (|]+)" AND CMAKE_MATCH_1 STREQUAL name)
            set(entry "${auto}")
            list(REMOVE_ITEM _dsp_auto "${auto}")
            break()
        endif()
    endforeach()
    list(APPEND _dsp_depends "${entry}")
endforeach()
list(APPEND _dsp_depends ${_dsp_auto})
list(JOIN _dsp_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
unset(_dsp_auto)
unset(_dsp_depends)
