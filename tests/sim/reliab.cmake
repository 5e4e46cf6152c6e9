# Reliability: the link machine against the in-process device with faults on the line.
dsp_gtest(sim_reliab_test ReliabFault_test.cpp)

# The link driver over TCP loopback and a pseudo-terminal when the device goes away online.
dsp_qtest(sim_reliab_io_test ReliabIo_test.cpp)
add_dependencies(sim_reliab_io_test dspsim)
target_compile_definitions(sim_reliab_io_test PRIVATE DSPSIM_PATH="$<TARGET_FILE:dspsim>")
set_tests_properties(sim_reliab_io_test PROPERTIES TIMEOUT 200)

# The link driver against the simulator in this process over TCP loopback and a pseudo-terminal,
# with faults on the line. One CTest test per case, so that the cases run side by side.
add_executable(sim_line_faults_test LineFaults_test.cpp)
target_link_libraries(sim_line_faults_test PRIVATE dspui dspsimio Qt6::Test)
set_target_properties(sim_line_faults_test PROPERTIES AUTOMOC ON)
foreach(line tcp pty)
    foreach(case "loadUnderFaults:${line}, every 20th answer lost"
                 "loadUnderFaults:${line}, 64-byte pieces, every 5th corrupted"
                 "loadUnderFaults:${line}, silent mid-load"
                 "loadUnderFaults:${line}, hangs up mid-load"
                 "editsOnlineUnderFaults:${line}, answers 2 s late"
                 "editsOnlineUnderFaults:${line}, every 6th answer lost"
                 "editsOnlineUnderFaults:${line}, every 4th answer lost, every 3rd corrupted")
        string(REGEX REPLACE "[^A-Za-z0-9]+" "_" id "${case}")
        add_test(NAME sim_line_faults_${id} COMMAND sim_line_faults_test "${case}")
        set_tests_properties(sim_line_faults_${id} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS ui TIMEOUT 120)
    endforeach()
endforeach()
