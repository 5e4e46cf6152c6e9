# Reliability: the link machine against the in-process device with faults on the line.
dsp_gtest(sim_reliab_test ReliabFault_test.cpp)

# The link driver over TCP loopback and a pseudo-terminal when the device goes away online.
dsp_qtest(sim_reliab_io_test ReliabIo_test.cpp)
add_dependencies(sim_reliab_io_test dspsim)
target_compile_definitions(sim_reliab_io_test PRIVATE DSPSIM_PATH="$<TARGET_FILE:dspsim>")
set_tests_properties(sim_reliab_io_test PROPERTIES TIMEOUT 200)
